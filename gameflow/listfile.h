#pragma once
// The list files of the start menu and the field scene share one shape: a first line with the
// entry count, one comma-separated line per entry, then a line beginning with "#end". These
// read that shape's lines, fields and numbers; each scene checks its own fields.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

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

// The same for a number field that may be left empty (or blank): it reads as 0.
bool ParseListIntegerOrEmpty(const char* begin, const char* end, long* out);

// A number read from the front of its text: blanks, an optional sign, then digits up to the
// first other character (without a digit it reads as 0). Values beyond the int range are
// refused. The "enabled" field, the rest of an entry line, is read this way.
bool ParseListLeadingInteger(const char* begin, const char* end, long* out);

// The count line: blanks, an optional "+", then digits; reading stops at the first other
// character, so a remark after the number is allowed. At least one digit; values beyond the
// int range are refused.
bool ParseListCount(const char* begin, const char* end, long* out);

// True for the line that closes the list (it begins with "#end").
bool IsListEndLine(const char* begin, const char* end);

// One field of an entry line.
struct ListField {
  const char* begin;
  const char* end;
  std::string Text() const { return std::string(begin, end); }
  long Length() const { return static_cast<long>(end - begin); }
};

// Why a list was refused: the line (from 1) and what is wrong, in Shift-JIS for the file-error
// message.
struct ListError {
  int line = 0;
  std::string reason;
};

// A reason for the file-error message, given in UTF-8.
std::string ListReason(const char* utf8);

// Reads one entry line of count fields into fields[0..count-1]: split at the first count − 1
// commas, the last field being the rest of the line. Commas never occur inside a Shift-JIS
// character (its second byte is 0x40 or above). False, with the reason, when the line has too
// few fields or one is longer than maxFieldBytes.
bool SplitListLine(const char* begin, const char* end, int count, long maxFieldBytes, ListField* fields,
                   std::string* reason);

// Reads the shape every list shares: a count line of at most maxLineBytes bytes holding a count
// of at least 1, exactly that many entry lines, each handed to readEntry, then a line beginning
// with "#end". readEntry refuses a line by returning false with the reason.
using ListEntryReader = std::function<bool(const char* begin, const char* end, std::string* reason)>;
bool ReadListShape(const char* text, size_t length, long maxLineBytes, const ListEntryReader& readEntry,
                   ListError* error);

// A text field a scene keeps from its list, with its length + 1 (the bytes it takes with its
// final 0) in *size.
std::string KeepListText(std::string text, uint32_t* size);
