#pragma once
// The list files of the start menu and the field scene share one shape: a first line with the
// entry count, one comma-separated line per entry, then a line beginning with "#end". These
// read that shape's lines and numbers; each scene checks its own fields.
#include <cstddef>

// Walks a list's lines. A line ends at "\r\n" (a bare "\n" is taken as well); the last line may
// end at the end of the text. Lines are numbered from 1.
class ListLineReader {
 public:
  ListLineReader(const char* text, size_t length) : at_(text), end_(text + length) {}

  // The next line's bytes without its line break; false at the end of the text.
  bool Next(const char** begin, const char** end);
  int Number() const { return number_; }

 private:
  const char* at_;
  const char* end_;
  int number_ = 0;
};

// A decimal integer filling the whole field: blanks, an optional sign, at least one digit,
// blanks. Values outside the int range are refused.
bool ParseListInteger(const char* begin, const char* end, long* out);

// The count line: blanks, an optional "+", then digits; reading stops at the first other
// character, so a remark after the number is allowed. At least one digit; values beyond the
// int range are refused.
bool ParseListCount(const char* begin, const char* end, long* out);

// True for the line that closes the list (it begins with "#end").
bool IsListEndLine(const char* begin, const char* end);
