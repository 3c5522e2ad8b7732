#include "command_reader.h"

namespace qor32 {

namespace {

constexpr int kMaxNumberChars = 9;
constexpr int kMaxHandleDigits = 19;  // fits a 64-bit value

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Value of a staged number: an optional leading '-', then the leading digits.
int32_t ConvertStaged(const char* staged) {
  bool negative = false;
  if (*staged == '-') {
    negative = true;
    ++staged;
  }
  int32_t value = 0;
  for (; IsDigit(*staged); ++staged) value = value * 10 + (*staged - '0');
  return negative ? -value : value;
}

}  // namespace

void CopyControlText(char* dest, const char* text) {
  int n = 0;
  if (text != nullptr) {
    for (; n < kControlTextCapacity - 1 && text[n] != '\0'; ++n) dest[n] = text[n];
  }
  dest[n] = '\0';
}

int32_t ParseNumber(int32_t& pos, const char* text) {
  while (text[pos] != '\0' && !IsDigit(text[pos]) && text[pos] != '-') ++pos;
  char staged[kMaxNumberChars + 1];
  int n = 0;
  while (n < kMaxNumberChars && (IsDigit(text[pos]) || text[pos] == '-')) {
    staged[n++] = text[pos++];
  }
  staged[n] = '\0';
  return ConvertStaged(staged);
}

int64_t ParseHandleNumber(int32_t& pos, const char* text) {
  while (text[pos] != '\0' && !IsDigit(text[pos]) && text[pos] != '-') ++pos;
  const bool negative = text[pos] == '-';
  if (negative) ++pos;
  uint64_t value = 0;
  bool converting = true;  // a second '-' ends the value, as in ParseNumber
  for (int n = 0; n < kMaxHandleDigits && (IsDigit(text[pos]) || text[pos] == '-'); ++n, ++pos) {
    if (text[pos] == '-') converting = false;
    if (converting) value = value * 10 + static_cast<uint64_t>(text[pos] - '0');
  }
  // Negated in unsigned arithmetic: twenty digits' worth of magnitude, or
  // exactly 2^63, must not overflow a signed negation.
  return static_cast<int64_t>(negative ? uint64_t{0} - value : value);
}

void ParseText(int32_t& pos, const char* text, char* dest, int capacity,
               bool stopAtBlank) {
  if (capacity <= 0) return;
  dest[0] = '\0';
  while (text[pos] == ',' || text[pos] == ' ') ++pos;
  int n = 0;
  while (text[pos] != '\0' && n < capacity - 1) {
    const char c = text[pos];
    if (c == '~' || (stopAtBlank && c == ' ')) break;
    dest[n++] = c;
    ++pos;
  }
  while (n > 0 && dest[n - 1] == ' ') --n;
  dest[n] = '\0';
}

bool ParseRect(int32_t& pos, const char* text, Rect32& dest,
               const Rect32& bounds) {
  int32_t left = ParseNumber(pos, text);
  int32_t top = ParseNumber(pos, text);
  const int32_t width = ParseNumber(pos, text);
  const int32_t height = ParseNumber(pos, text);
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  dest.left = left;
  dest.top = top;
  dest.right = width > 0 ? left + width : bounds.right;
  dest.bottom = height > 0 ? top + height : bounds.bottom;
  return true;
}

bool ParsePoint(int32_t& pos, const char* text, Point32& dest) {
  dest.x = ParseNumber(pos, text);
  dest.y = ParseNumber(pos, text);
  return true;
}

void SplitCaption() {
  g_parsePos = 0;
  ParseText(g_parsePos, g_textBuf, g_captionBuf, kControlTextCapacity, false);
}

}  // namespace qor32
