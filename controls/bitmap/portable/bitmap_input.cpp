#include "controls/bitmap/portable/bitmap_input.h"

namespace qor32::bitmap {

namespace {

constexpr InputResult Same(uint8_t flags) { return InputResult{flags, false, false}; }
constexpr InputResult Refresh(uint8_t flags, bool notify = false) {
  return InputResult{flags, true, notify};
}

constexpr uint8_t Set(uint8_t flags, uint8_t bits) { return static_cast<uint8_t>(flags | bits); }
constexpr uint8_t Clear(uint8_t flags, uint8_t bits) { return static_cast<uint8_t>(flags & ~bits); }
constexpr uint8_t Toggle(uint8_t flags, uint8_t bits) { return static_cast<uint8_t>(flags ^ bits); }
// Check box commit: CHECKED takes the value of DOWN.
constexpr uint8_t CheckedFromDown(uint8_t flags) {
  return (flags & kDown) ? Set(flags, kChecked) : Clear(flags, kChecked);
}

InputResult PushButton(uint8_t f, InputEvent event, bool inside) {
  const bool down = (f & kDown) != 0;
  switch (event) {
    case InputEvent::LButtonDown: return Refresh(Set(f, kDown));
    case InputEvent::MouseMove:
      if (inside && !down) return Refresh(Set(f, kDown));
      if (!inside && down) return Refresh(Clear(f, kDown));
      return Same(f);
    case InputEvent::LButtonUp: return Refresh(Clear(f, kDown), inside);
    case InputEvent::CancelMode: return Refresh(Clear(f, kDown));
    case InputEvent::SpaceDown: return down ? Same(f) : Refresh(Set(f, kDown));
    case InputEvent::SpaceUp: return Refresh(Clear(f, kDown), true);
  }
  return Same(f);
}

InputResult CheckBox(uint8_t f, InputEvent event, bool inside) {
  switch (event) {
    case InputEvent::LButtonDown: return Refresh(Toggle(f, kDown));
    case InputEvent::MouseMove: return Same(f);
    case InputEvent::LButtonUp:
      return inside ? Refresh(CheckedFromDown(f), true) : Refresh(Toggle(f, kDown));
    case InputEvent::CancelMode: return Refresh(Toggle(f, kDown));
    case InputEvent::SpaceDown: return Refresh(Toggle(f, kDown));
    case InputEvent::SpaceUp: return Refresh(CheckedFromDown(f), true);
  }
  return Same(f);
}

InputResult RadioButton(uint8_t f, InputEvent event, bool inside) {
  const bool down = (f & kDown) != 0;
  const bool checked = (f & kChecked) != 0;
  switch (event) {
    case InputEvent::LButtonDown: return Refresh(Set(f, kDown));
    case InputEvent::MouseMove: return Same(f);
    case InputEvent::LButtonUp:
      if (inside) return InputResult{Set(f, kChecked), !checked, true};
      return checked ? Same(f) : Refresh(Clear(f, kDown));
    case InputEvent::CancelMode: return Refresh(checked ? f : Clear(f, kDown));
    case InputEvent::SpaceDown: return down ? Same(f) : Refresh(Set(f, kDown));
    case InputEvent::SpaceUp: return InputResult{Set(f, kChecked), !checked, true};
  }
  return Same(f);
}

// Checks itself and notifies at the press; the release does nothing.
InputResult PressRadio(uint8_t f, InputEvent event, bool) {
  const bool down = (f & kDown) != 0;
  switch (event) {
    case InputEvent::LButtonDown: return Refresh(down ? f : Set(f, kDown | kChecked), true);
    case InputEvent::SpaceDown:
      return down ? InputResult{f, false, true} : Refresh(Set(f, kDown | kChecked), true);
    case InputEvent::MouseMove:
    case InputEvent::LButtonUp:
    case InputEvent::CancelMode:
    case InputEvent::SpaceUp: return Same(f);
  }
  return Same(f);
}

}  // namespace

InputResult ApplyInput(Kind kind, uint8_t flags, InputEvent event, bool inside) {
  switch (kind) {
    case Kind::Push: return PushButton(flags, event, inside);
    case Kind::CheckBox: return CheckBox(flags, event, inside);
    case Kind::Radio: return RadioButton(flags, event, inside);
    case Kind::PressRadio: return PressRadio(flags, event, inside);
  }
  return Same(flags);
}

CheckResult ApplyCheck(Kind kind, uint8_t f, CheckRequest request) {
  switch (request) {
    case CheckRequest::Check:
      if (f & kChecked) return CheckResult{f, false};
      f = Clear(f, kIndeterminate);
      if (kind != Kind::Push) f = Set(f, kDown);
      return CheckResult{Set(f, kChecked), true};
    case CheckRequest::Uncheck:
      if ((f & (kChecked | kIndeterminate)) == 0) return CheckResult{f, false};
      return CheckResult{Clear(f, kChecked | kIndeterminate | kDown), true};
    case CheckRequest::SetIndeterminate:
      if (f & kIndeterminate) return CheckResult{f, false};
      return CheckResult{Set(Clear(f, kChecked | kDown), kIndeterminate), true};
  }
  return CheckResult{f, false};
}

bool CheckRequestOf(uintptr_t wParam, CheckRequest& request) {
  switch (wParam) {
    case 0: request = CheckRequest::Uncheck; return true;
    case 1: request = CheckRequest::Check; return true;
    case 2: request = CheckRequest::SetIndeterminate; return true;
    default: return false;
  }
}

uint32_t ButtonCheckState(uint8_t flags) {
  uint8_t first = flags & kFirstByteFlags;
  if (flags & kDisabled) first = Set(Clear(first, kChecked), kIndeterminate);
  return first;
}

uint32_t DialogCode(Kind kind, bool isDefault, const BitmapState& state) {
  if (!IsEmpty(state.indicatorRect)) {
    return (state.indicatorShape & 1) ? kDlgcButton : (kDlgcButton | kDlgcRadioButton);
  }
  if (kind == Kind::Push) return kDlgcButton | (isDefault ? kDlgcDefPushButton : kDlgcUndefPushButton);
  return kDlgcButton;
}

}  // namespace qor32::bitmap
