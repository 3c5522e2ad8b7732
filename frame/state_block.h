// StateBlock: a control's state record in a moveable, zero-initialised
// global memory block whose handle sits in the window extra bytes.
//
// StateLock<T> locks the block for the length of one message and unlocks it
// on every path out. Locks nest: a notification sent while the block is
// locked may re-enter the same window.
//
// A window can be destroyed while one of its messages still holds the lock
// (a parent that calls DestroyWindow from the WM_COMMAND handler, say).
// ReleaseStateBlock then defers freeing the memory to the last unlock, and
// StateLock::Released() tells the outer handler to stop touching the record.
#pragma once

#include <windows.h>

#include <cstddef>
#include <new>

namespace qor32 {

HGLOBAL GetSlotHandle(HWND hwnd, int offset);
void SetSlotHandle(HWND hwnd, int offset, HGLOBAL handle);

// Allocates a zero-filled block of the given size and stores it in the slot.
// Returns null (and leaves the slot 0) if the allocation fails.
HGLOBAL CreateStateBlock(HWND hwnd, int offset, std::size_t size);

// Clears the slot and frees the block, or marks it for release at the last
// unlock when a message of the window still holds it.
void ReleaseStateBlock(HWND hwnd, int offset);

// True when the block was released while locked.
bool IsStateBlockReleased(HGLOBAL handle);

// Called by StateLock after an unlock: frees a released block once nothing
// holds it any more.
void FinishStateBlockUnlock(HGLOBAL handle);

template <class T>
class StateLock {
 public:
  StateLock(HWND hwnd, int offset)
      : handle_(GetSlotHandle(hwnd, offset)),
        record_(handle_ ? static_cast<T*>(GlobalLock(handle_)) : nullptr) {}
  explicit StateLock(HGLOBAL handle)
      : handle_(handle),
        record_(handle_ ? static_cast<T*>(GlobalLock(handle_)) : nullptr) {}
  ~StateLock() {
    if (record_ != nullptr) {
      GlobalUnlock(handle_);
      FinishStateBlockUnlock(handle_);
    }
  }
  StateLock(const StateLock&) = delete;
  StateLock& operator=(const StateLock&) = delete;

  explicit operator bool() const { return record_ != nullptr; }
  T* get() const { return record_; }
  T* operator->() const { return record_; }
  T& operator*() const { return *record_; }
  HGLOBAL handle() const { return handle_; }

  // The window was destroyed while this lock was held: the memory is still
  // valid until the lock goes, but the record's resources are gone.
  bool Released() const { return record_ == nullptr || IsStateBlockReleased(handle_); }

 private:
  HGLOBAL handle_;
  T* record_;
};

}  // namespace qor32
