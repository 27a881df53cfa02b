#include "gameflow/listfile.h"

#include <climits>
#include <cstring>

#include "platform/cp932.h"

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

bool ParseListIntegerOrEmpty(const char* begin, const char* end, long* out) {
  const char* at = begin;
  while (at < end && IsBlank(*at)) ++at;
  if (at == end) {
    *out = 0;
    return true;
  }
  return ParseListInteger(begin, end, out);
}

bool ParseListLeadingInteger(const char* begin, const char* end, long* out) {
  while (begin < end && IsBlank(*begin)) ++begin;
  bool negative = false;
  if (begin < end && (*begin == '+' || *begin == '-')) negative = *begin++ == '-';
  long long value = 0;
  for (; begin < end && IsDigit(*begin); ++begin) {
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

std::string ListReason(const char* utf8) { return platform::Utf8ToCp932(utf8); }

bool SplitListLine(const char* begin, const char* end, int count, long maxFieldBytes, ListField* fields,
                   std::string* reason) {
  const char* at = begin;
  for (int f = 0; f < count; ++f) {
    const char* stop =
        f + 1 < count ? static_cast<const char*>(std::memchr(at, ',', static_cast<size_t>(end - at))) : end;
    if (!stop) {
      *reason = ListReason("エントリの項目が足りません");
      return false;
    }
    fields[f] = ListField{at, stop};
    if (fields[f].Length() > maxFieldBytes) {
      *reason = ListReason("項目が長すぎます");
      return false;
    }
    at = stop < end ? stop + 1 : end;
  }
  return true;
}

bool ReadListShape(const char* text, size_t length, long maxLineBytes, const ListEntryReader& readEntry,
                   ListError* error) {
  ListLineReader lines(text, length);
  const char* begin;
  const char* end;
  long count = 0;
  if (!lines.Next(&begin, &end) || end - begin > maxLineBytes || !ParseListCount(begin, end, &count) ||
      count < 1) {
    *error = {1, ListReason("エントリ数が1以上の数ではありません")};
    return false;
  }
  for (long k = 0; k < count; ++k) {
    const bool more = lines.Next(&begin, &end);
    if (!more || IsListEndLine(begin, end)) {
      *error = {lines.Number() + (more ? 0 : 1), ListReason("エントリの行がエントリ数より少ないです")};
      return false;
    }
    std::string reason;
    if (!readEntry(begin, end, &reason)) {
      *error = {lines.Number(), reason};
      return false;
    }
  }
  const bool atEnd = !lines.Next(&begin, &end);
  if (atEnd || !IsListEndLine(begin, end)) {
    *error = {lines.Number() + (atEnd ? 1 : 0), ListReason("エントリの後に#endの行がありません")};
    return false;
  }
  return true;
}

std::string KeepListText(std::string text, uint32_t* size) {
  *size = static_cast<uint32_t>(text.size() + 1);
  return text;
}
