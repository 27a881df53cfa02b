#include "platform/cp932.h"

#include <errno.h>
#include <iconv.h>

#include <vector>

namespace platform {
namespace {

std::string Convert(const char* to, const char* from, const char* bytes, size_t length, size_t skipOnError) {
  std::string out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(bytes, length);
  std::vector<char> buffer(length * 4 + 16);
  char* in = const_cast<char*>(bytes);
  size_t inLeft = length;
  while (inLeft > 0) {
    char* outPtr = buffer.data();
    size_t outLeft = buffer.size();
    const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer.data(), buffer.size() - outLeft);
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL (a lone lead byte at the end): skip and go on.
      const size_t skip = skipOnError < inLeft ? skipOnError : inLeft;
      in += skip;
      inLeft -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string Cp932ToUtf8(const char* bytes, size_t length) { return Convert("UTF-8", "CP932", bytes, length, 1); }

std::string Cp932ToUtf8(const std::string& bytes) { return Cp932ToUtf8(bytes.data(), bytes.size()); }

std::string Utf8ToCp932(const std::string& utf8) {
  // An unmappable character is skipped byte by byte: its continuation bytes are invalid alone.
  return Convert("CP932", "UTF-8", utf8.data(), utf8.size(), 1);
}

}  // namespace platform
