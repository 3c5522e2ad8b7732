// The six private messages: four set a value pair from the zero-extended
// halves of lParam and return the previous low words; two read.
#include <windows.h>

#include "controls/slide/slide_record.h"

namespace qor32 {
namespace slide {

namespace {

struct PairMessage {
  UINT message;
  LONG SlideState::*low;
  LONG SlideState::*high;
  bool mayRepaint;
};

constexpr PairMessage kPairMessages[] = {
    {SLDM_SETMIN, &SlideState::minX, &SlideState::minY, true},
    {SLDM_SETMAX, &SlideState::maxX, &SlideState::maxY, true},
    {SLDM_SETPOS, &SlideState::posX, &SlideState::posY, true},
    {SLDM_SETPAGE, &SlideState::pageX, &SlideState::pageY, false},
};

}  // namespace

// Neither clamps nor notifies.
LRESULT OnSetPair(HWND hwnd, UINT message, WPARAM repaint, LPARAM pair) {
  SlideLock lock = LockSlide(hwnd);
  if (!lock) return 0;
  for (const PairMessage& m : kPairMessages) {
    if (m.message != message) continue;
    int32_t low = lock.get()->*m.low;
    int32_t high = lock.get()->*m.high;
    const uint32_t previous = ExchangePair(low, high, static_cast<uint32_t>(pair));
    lock.get()->*m.low = low;
    lock.get()->*m.high = high;
    if (m.mayRepaint && repaint != 0) RepaintAll(hwnd);
    return static_cast<LRESULT>(previous);
  }
  return 0;
}

LRESULT OnGetState(HWND hwnd) {
  SlideLock lock = LockSlide(hwnd);
  return lock ? static_cast<LRESULT>(lock->state & kStateBits) : 0;
}

LRESULT OnGetPos(HWND hwnd) {
  SlideLock lock = LockSlide(hwnd);
  return lock ? static_cast<LRESULT>(PackLowWords(lock->posX, lock->posY)) : 0;
}

}  // namespace slide
}  // namespace qor32
