#pragma once
// Shift-JIS text as the game stores it (Windows code page 932), converted with iconv's "CP932".
// Bytes that are not valid CP932 are skipped; conversion never fails as a whole.
#include <cstddef>
#include <string>

namespace platform {

std::string Cp932ToUtf8(const char* bytes, size_t length);
std::string Cp932ToUtf8(const std::string& bytes);
// For tools and tests that write game text: UTF-8 to CP932 (unmappable characters skipped).
std::string Utf8ToCp932(const std::string& utf8);

// True when byte is the first byte of a two-byte CP932 character.
inline bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace platform
