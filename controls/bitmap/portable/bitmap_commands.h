// Parsing a Bitmap control's text into its state record: the caption and
// the nine commands B F G H I P Q S T. Whatever needs the platform (memory
// blocks for the text records, bitmap lookup and deletion, invalidation)
// goes through a CommandHost.
#pragma once

#include <cstdint>

#include "controls/bitmap/portable/bitmap_record.h"

namespace qor32::bitmap {

class CommandHost {
 public:
  virtual ~CommandHost() = default;
  // A zeroed text record, or null when the memory cannot be had.
  virtual Handle AllocateTextRecord() = 0;
  virtual BitmapText* LockTextRecord(Handle record) = 0;
  virtual void UnlockTextRecord(Handle record) = 0;
  // Deletes a bitmap the control owns.
  virtual void DeleteImage(Handle image) = 0;
  // The named bitmap along the lookup chain, starting at `instance`; null if
  // none is found.
  virtual Handle LookUpImage(uintptr_t instance, const char* name) = 0;
  // Instance of the control's top-level ancestor.
  virtual uintptr_t RootInstance() = 0;
  // Marks a part's rectangle for repainting (no erase).
  virtual void InvalidatePart(const Rect32& rect) = 0;
};

// Locks a text record for one use.
class TextRecordLock {
 public:
  TextRecordLock(CommandHost& host, Handle record)
      : host_(host), record_(record), text_(record ? host.LockTextRecord(record) : nullptr) {}
  ~TextRecordLock() {
    if (text_ != nullptr) host_.UnlockTextRecord(record_);
  }
  TextRecordLock(const TextRecordLock&) = delete;
  TextRecordLock& operator=(const TextRecordLock&) = delete;
  BitmapText* get() const { return text_; }
  BitmapText* operator->() const { return text_; }
  explicit operator bool() const { return text_ != nullptr; }

 private:
  CommandHost& host_;
  Handle record_;
  BitmapText* text_;
};

// Parses `text` (at most its first 255 characters) against the current
// state: sets clientRect, splits off the caption into text record 0 and runs
// the commands, then fills paletteEntries from the lamp colours. The lookup
// instance starts as `ownInstance` and is changed by H and P for the rest of
// this parse only. Uses g_textBuf, g_captionBuf and g_parsePos.
void ParseBitmapText(BitmapState& state, CommandHost& host, const char* text,
                     const Rect32& clientRect, uintptr_t ownInstance);

// paletteEntries from indicatorColors: version 0x300, three entries.
void FillPaletteEntries(BitmapState& state);

// Releases the image if the control owns it and forgets it.
void DropImage(BitmapState& state, CommandHost& host);

// A colour of three numbers red, green, blue, each cut to 8 bits.
uint32_t ReadColor(int32_t& pos, const char* text);


}  // namespace qor32::bitmap
