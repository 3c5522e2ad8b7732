// Shared pieces of the Slide control's window code: the locked record, the
// bridge between the record and the platform-free model, and the repaints
// and notifications that several handlers use.
#pragma once

#include <windows.h>

#include "controls/slide/portable/slide_model.h"
#include "frame/state_block.h"
#include "qor32cl.h"

namespace qor32 {
namespace slide {

using SlideLock = StateLock<SlideState>;

// The repeat timer of a press on the track.
constexpr UINT_PTR kRepeatTimer = 0;
constexpr UINT kRepeatPeriod = 200;

SlideLock LockSlide(HWND hwnd);

// Copies the platform-free part of the record into a model and back. A
// handler stores the model before anything that may re-enter the window.
SlideModel LoadModel(const SlideState& s);
void StoreModel(SlideState& s, const SlideModel& model);

// The thumb as the last paint placed it.
RECT ThumbRect(const SlideState& s);

// Deletes the bitmaps the record owns and sets them to none.
void DeleteOwnedBitmaps(SlideState& s);

// Invalidates without erasing and repaints at once.
void RepaintAll(HWND hwnd);
void RepaintRect(HWND hwnd, const RECT& rect);

// RefreshOrFocus over the thumb as last painted, then over the drag
// rectangle; false if the window went away meanwhile.
bool RefreshThumbAndDrag(HWND hwnd, const SlideLock& lock);

// WM_COMMAND to the parent: the control identifier, the code, and the X
// position as lParam.
void Notify(HWND hwnd, WORD code, LONG posX);

// Handlers, by the file that holds them.
// slide_setup.cpp
LRESULT OnCreate(HWND hwnd, const CREATESTRUCTA* create);
LRESULT OnSetText(HWND hwnd, const char* text);
LRESULT OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT OnMove(HWND hwnd);
// slide_paint.cpp
LRESULT OnPaint(HWND hwnd);
// slide_keyboard.cpp
LRESULT OnFocusChange(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnEnable(HWND hwnd, WPARAM enabled);
LRESULT OnKeyDown(HWND hwnd, WPARAM key);
// slide_mouse.cpp
LRESULT OnButtonDown(HWND hwnd, LPARAM point);
LRESULT OnMouseMove(HWND hwnd, LPARAM point);
LRESULT OnButtonUp(HWND hwnd);
LRESULT OnTimer(HWND hwnd);
LRESULT OnCancelMode(HWND hwnd);
// slide_messages.cpp
LRESULT OnSetPair(HWND hwnd, UINT message, WPARAM repaint, LPARAM pair);
LRESULT OnGetState(HWND hwnd);
LRESULT OnGetPos(HWND hwnd);

}  // namespace slide
}  // namespace qor32
