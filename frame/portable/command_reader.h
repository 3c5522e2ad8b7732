// Control-text reader: the shared grammar of the parsing controls.
//
// A control text is an optional caption followed by commands, each a '~',
// one letter and that letter's arguments. The readers below take the cursor
// by reference, read from the cursor onward and leave it on the first
// character they did not consume. They never move it back and never read
// past the terminating zero.
//
// This file does not depend on the platform; it is built into the DLL and
// into the native test suite alike.
#pragma once

#include <cstdint>

namespace qor32 {

constexpr int kControlTextCapacity = 256;  // 255 characters and the zero

// The reader's working buffers. They are per thread: every window lives on
// the thread that created it, and a parse runs from start to end inside one
// message, so per-thread buffers keep each parse intact even when windows of
// the library live on several threads.
inline thread_local char g_textBuf[kControlTextCapacity];
inline thread_local char g_captionBuf[kControlTextCapacity];
inline thread_local int32_t g_parsePos;

struct Rect32 {
  int32_t left, top, right, bottom;
};

struct Point32 {
  int32_t x, y;
};

// Copies at most 255 characters of text (null reads as empty) into dest,
// which holds kControlTextCapacity bytes, always zero-terminated.
void CopyControlText(char* dest, const char* text);

int32_t ParseNumber(int32_t& pos, const char* text);
// A handle value written in decimal (a bitmap or module handle): read like
// ParseNumber, but with up to 19 digits, since handle values often have ten
// digits (0x3B9ACA00 and up) and 64-bit module handles more.
int64_t ParseHandleNumber(int32_t& pos, const char* text);
void ParseText(int32_t& pos, const char* text, char* dest, int capacity,
               bool stopAtBlank);
bool ParseRect(int32_t& pos, const char* text, Rect32& dest,
               const Rect32& bounds);
bool ParsePoint(int32_t& pos, const char* text, Point32& dest);

// Splits the caption off g_textBuf into g_captionBuf and leaves g_parsePos
// on the first '~' or at the end of the text.
void SplitCaption();

constexpr char ToUpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The command loop. For every command, onCommand(letter) is called with the
// cursor on the command letter (upper-cased); it reads that letter's
// arguments or ignores a letter it does not know. Whatever it leaves unread
// up to the next '~' is skipped.
template <class OnCommand>
void RunCommands(int32_t& pos, const char* text, OnCommand&& onCommand) {
  while (text[pos] != '\0') {
    ++pos;  // the introducer, whatever character stands there
    const char letter = text[pos];
    if (letter != '\0') onCommand(ToUpperAscii(letter));
    while (text[pos] != '~' && text[pos] != '\0') ++pos;
  }
}

}  // namespace qor32
