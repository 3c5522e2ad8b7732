// qor32cl.hpp - C++ convenience over qor32cl.h: typed inline wrappers for
// the controls' private messages, and a composer of control texts.
// Header-only; qor32cl.h stays complete on its own. C++11 or later.
#ifndef QOR32CL_HPP
#define QOR32CL_HPP

#include "qor32cl.h"

#include <cstdio>
#include <string>

namespace qor32 {

// Identifier of the part of a control that holds `index` (tabs, colour and
// pattern cells, options): the control's own identifier plus the index.
inline WPARAM PartId(HWND control, int index) {
    return static_cast<WPARAM>(GetDlgCtrlID(control) + index);
}

// ---- Qor32Bitmap ----------------------------------------------------------
inline DWORD BitmapGetState(HWND h) { return static_cast<DWORD>(SendMessageA(h, BMPM_GETSTATE, 0, 0)); }
inline bool BitmapIsChecked(HWND h) { return (BitmapGetState(h) & BMPF_CHECKED) != 0; }
inline void BitmapCheck(HWND h) { SendMessageA(h, BMPM_CHECK, 0, 0); }
inline void BitmapUncheck(HWND h) { SendMessageA(h, BMPM_UNCHECK, 0, 0); }
inline void BitmapSetIndeterminate(HWND h) { SendMessageA(h, BMPM_SETINDETERMINATE, 0, 0); }
inline void BitmapClick(HWND h) { SendMessageA(h, BMPM_CLICK, 0, 0); }

// ---- Qor32Scroll ----------------------------------------------------------
struct SlidePos {
    WORD x, y;
};
inline SlidePos SlideUnpack(LRESULT r) {
    SlidePos p = {LOWORD(r), HIWORD(r)};
    return p;
}
// The set messages take 16-bit values and answer the previous ones.
inline SlidePos SlideSetMin(HWND h, WORD x, WORD y, bool repaint = true) {
    return SlideUnpack(SendMessageA(h, SLDM_SETMIN, repaint ? 1 : 0, MAKELPARAM(x, y)));
}
inline SlidePos SlideSetMax(HWND h, WORD x, WORD y, bool repaint = true) {
    return SlideUnpack(SendMessageA(h, SLDM_SETMAX, repaint ? 1 : 0, MAKELPARAM(x, y)));
}
inline SlidePos SlideSetPos(HWND h, WORD x, WORD y, bool repaint = true) {
    return SlideUnpack(SendMessageA(h, SLDM_SETPOS, repaint ? 1 : 0, MAKELPARAM(x, y)));
}
inline SlidePos SlideSetPage(HWND h, WORD x, WORD y) {
    return SlideUnpack(SendMessageA(h, SLDM_SETPAGE, 0, MAKELPARAM(x, y)));
}
inline SlidePos SlideGetPos(HWND h) { return SlideUnpack(SendMessageA(h, SLDM_GETPOS, 0, 0)); }
inline DWORD SlideGetState(HWND h) { return static_cast<DWORD>(SendMessageA(h, SLDM_GETSTATE, 0, 0)); }

// ---- Qor32Tab (tabs by index) ---------------------------------------------
inline void TabSetSel(HWND h, int index) { SendMessageA(h, TABM_SETSEL, PartId(h, index), 0); }
inline int TabGetSel(HWND h) {
    return static_cast<int>(SendMessageA(h, TABM_GETSEL, 0, 0)) - GetDlgCtrlID(h);
}

// ---- Qor32Color / Qor32Pattern (cells by index) ---------------------------
inline COLORREF ColorGet(HWND h, int index) {
    return static_cast<COLORREF>(SendMessageA(h, CLRM_GETCOLOR, PartId(h, index), 0));
}
inline void ColorSet(HWND h, int index, COLORREF c) {
    SendMessageA(h, CLRM_SETCOLOR, PartId(h, index), static_cast<LPARAM>(c));
}
inline DWORD PatternGet(HWND h, int index) {
    return static_cast<DWORD>(SendMessageA(h, PATM_GETPATTERN, PartId(h, index), 0));
}
inline void PatternSet(HWND h, int index, DWORD id) {
    SendMessageA(h, PATM_SETPATTERN, PartId(h, index), static_cast<LPARAM>(id));
}

// ---- Qor32Preview ---------------------------------------------------------
inline void PreviewSetSettings(HWND h, const PreviewSettings& s) {
    SendMessageA(h, PRVM_SETSETTINGS, 0, reinterpret_cast<LPARAM>(&s));
}

// ---- Qor32Selection (options by index; -1 for none) -----------------------
inline int SelectionGetChoice(HWND h) {
    const LRESULT id = SendMessageA(h, SELM_GETCHOICE, 0, 0);
    return id == 0 ? -1 : static_cast<int>(id) - GetDlgCtrlID(h);
}
inline void SelectionSetChoice(HWND h, int index) {
    SendMessageA(h, SELM_SETCHOICE, index < 0 ? 0 : PartId(h, index), 0);
}

// ---- Control texts --------------------------------------------------------
// Places in the control's client area, in pixels; a width or height of 0
// reaches the far edge.
struct Box {
    int x, y, width, height;
};
struct Shift {  // how far a part moves while the button is down
    int dx, dy;
};
struct Colors3 {
    COLORREF first, second, third;
};

// Composes a Bitmap control text from named parts:
//   qor32::BitmapText("OK").Face({0, 0, 0, 0}, 0, 0).Text(0, {0, 0, 0, 0}, {1, 1}, 37,
//       {RGB(0, 0, 0), RGB(0, 0, 0), RGB(128, 128, 128)}, "OK").Str()
class BitmapText {
public:
    explicit BitmapText(const char* caption = "") : text_(caption) {}
    // flags: bit 0 the face takes `down` while pressed, bit 1 flat edge.
    BitmapText& Face(Box b, int flags, COLORREF down) {
        return Cmd('B').Box4(b).Num(flags).Rgb(down);
    }
    BitmapText& Focus(Box b, Shift s) { return Cmd('F').Box4(b).Pt(s).Num(0); }
    BitmapText& Image(Box b, Shift s, int align, int frames, const char* name) {
        return Cmd('G').Box4(b).Pt(s).Num(align).Num(frames).Name(name);
    }
    // The bitmap stays the application's: keep it alive while the control
    // may draw it.
    BitmapText& Image(Box b, Shift s, int align, int frames, HBITMAP bitmap) {
        return Cmd('G').Box4(b).Pt(s).Num(align).Num(frames).Handle(bitmap);
    }
    BitmapText& WholeImage(int frames, const char* name) { return Cmd('Q').Num(frames).Name(name); }
    BitmapText& WholeImage(int frames, HBITMAP bitmap) { return Cmd('Q').Num(frames).Handle(bitmap); }
    // Lamp colours: checked, not checked, disabled.
    BitmapText& Indicator(Box b, Shift s, int shape, Colors3 c) {
        return Cmd('I').Box4(b).Pt(s).Num(shape).Rgb3(c);
    }
    // Bar colours: filled while up, filled while down, unfilled.
    BitmapText& Bar(Box b, Shift s, int direction, Colors3 c, int percent) {
        return Cmd('S').Box4(b).Pt(s).Num(direction).Rgb3(c).Num(percent);
    }
    // Text colours: normal, down, disabled. Slots 0 and 1.
    BitmapText& Text(int slot, Box b, Shift s, int format, Colors3 c, const char* text) {
        Cmd('T').Num(slot).Box4(b).Pt(s).Num(format).Rgb3(c);
        text_ += ',';
        text_ += text;
        return *this;
    }
    BitmapText& Instance(HINSTANCE instance) {
        return Cmd('H').Value(reinterpret_cast<UINT_PTR>(instance));
    }
    BitmapText& RootInstance() { return Cmd('P'); }
    const std::string& Str() const { return text_; }
    const char* c_str() const { return text_.c_str(); }

private:
    BitmapText& Cmd(char letter) {
        text_ += '~';
        text_ += letter;
        first_ = true;
        return *this;
    }
    BitmapText& Num(long long v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%s%lld", first_ ? "" : ",", v);
        text_ += buf;
        first_ = false;
        return *this;
    }
    BitmapText& Box4(Box b) { return Num(b.x).Num(b.y).Num(b.width).Num(b.height); }
    BitmapText& Pt(Shift s) { return Num(s.dx).Num(s.dy); }
    BitmapText& Rgb(COLORREF c) { return Num(GetRValue(c)).Num(GetGValue(c)).Num(GetBValue(c)); }
    BitmapText& Rgb3(Colors3 c) { return Rgb(c.first).Rgb(c.second).Rgb(c.third); }
    BitmapText& Name(const char* name) {
        text_ += ',';
        text_ += name;
        return *this;
    }
    // "HBITMAP=", a blank, then the handle's value in decimal.
    BitmapText& Handle(HBITMAP bitmap) {
        text_ += ",HBITMAP= ";
        first_ = true;
        return Value(reinterpret_cast<UINT_PTR>(bitmap));
    }
    // A handle's value in decimal, with all its digits.
    BitmapText& Value(UINT_PTR value) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%s%llu", first_ ? "" : ",", static_cast<unsigned long long>(value));
        text_ += buf;
        first_ = false;
        return *this;
    }

    std::string text_;
    bool first_ = true;
};

}  // namespace qor32

#endif  // QOR32CL_HPP
