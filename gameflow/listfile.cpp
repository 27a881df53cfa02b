#include "gameflow/listfile.h"

#include <climits>
#include <cstring>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

bool ListLineReader::Next(const char** begin, const char** end) {
  if (at_ >= end_) return false;
  const char* stop = static_cast<const char*>(std::memchr(at_, '\n', static_cast<size_t>(end_ - at_)));
  *begin = at_;
  if (stop) {
    *end = (stop > at_ && stop[-1] == '\r') ? stop - 1 : stop;
    at_ = stop + 1;
  } else {
    *end = end_;
    at_ = end_;
  }
  ++number_;
  return true;
}

bool ParseListInteger(const char* begin, const char* end, long* out) {
  while (begin < end && IsBlank(*begin)) ++begin;
  while (end > begin && IsBlank(end[-1])) --end;
  bool negative = false;
  if (begin < end && (*begin == '+' || *begin == '-')) negative = *begin++ == '-';
  if (begin == end) return false;
  long long value = 0;
  for (; begin < end; ++begin) {
    if (!IsDigit(*begin)) return false;
    value = value * 10 + (*begin - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return false;
  *out = static_cast<long>(value);
  return true;
}

bool ParseListCount(const char* begin, const char* end, long* out) {
  while (begin < end && IsBlank(*begin)) ++begin;
  if (begin < end && *begin == '+') ++begin;
  long long value = 0;
  int digits = 0;
  for (; begin < end && IsDigit(*begin); ++begin, ++digits) {
    value = value * 10 + (*begin - '0');
    if (value > INT_MAX) return false;
  }
  if (digits == 0) return false;
  *out = static_cast<long>(value);
  return true;
}

bool IsListEndLine(const char* begin, const char* end) {
  return end - begin >= 4 && std::memcmp(begin, "#end", 4) == 0;
}
