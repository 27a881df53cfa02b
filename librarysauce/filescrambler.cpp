#include "librarysauce/filescrambler.h"

#include <cstddef>
#include <cstring>

#include "librarysauce/gamerandom.h"

FileScrambler g_FileScrambler;

namespace {

constexpr size_t kBlock = 64 * 1024;

inline uint8_t NextKeyByte() { return static_cast<uint8_t>(GameRand() & 0xFF); }

// Copies count bytes from in to out unchanged (the plain tail of the first-MiB forms).
void CopyPlain(FILE* in, FILE* out, uint32_t count) {
  unsigned char block[kBlock];
  while (count > 0) {
    const size_t want = count < kBlock ? count : kBlock;
    const size_t got = std::fread(block, 1, want, in);
    std::fwrite(block, 1, got, out);
    if (got < want) return;
    count -= static_cast<uint32_t>(got);
  }
}

}  // namespace

uint32_t FileScrambler::GetFileSize(FILE* stream) {
  if (!stream) return 0;
  std::fseek(stream, 0, SEEK_END);
  const long end = std::ftell(stream);
  std::fseek(stream, 0, SEEK_SET);
  return end > 0 ? static_cast<uint32_t>(end) : 0;
}

void FileScrambler::XorFileToFile(FILE* in, FILE* out, uint32_t count, uint32_t /*start*/) {
  GameSrand(kSeed);
  if (!in || !out) return;
  // Read in blocks; the key stream is drawn one value per byte in file order, as byte by byte.
  // A stream that ends early stops the copy there.
  unsigned char block[kBlock];
  while (count > 0) {
    const size_t want = count < kBlock ? count : kBlock;
    const size_t got = std::fread(block, 1, want, in);
    for (size_t i = 0; i < got; ++i) block[i] ^= NextKeyByte();
    std::fwrite(block, 1, got, out);
    if (got < want) return;
    count -= static_cast<uint32_t>(got);
  }
}

void FileScrambler::CopyFile(FILE* in, FILE* out) {
  const uint32_t size = GetFileSize(in);
  XorFileToFile(in, out, size, 0);
}

void FileScrambler::CopyFileFirstMiB(FILE* in, FILE* out) {
  const uint32_t size = GetFileSize(in);
  const uint32_t head = size < kMemoryFormLimit ? size : kMemoryFormLimit;
  XorFileToFile(in, out, head, 0);
  if (size > head && in && out) CopyPlain(in, out, size - head);
}

void FileScrambler::XorFileToMemory(FILE* in, void* dst, uint32_t count, uint32_t start) {
  GameSrand(kSeed);
  if (!in || !dst) return;
  unsigned char* to = static_cast<unsigned char*>(dst) + start;
  while (count > 0) {
    const size_t want = count < kBlock ? count : kBlock;
    const size_t got = std::fread(to, 1, want, in);
    for (size_t i = 0; i < got; ++i) to[i] ^= NextKeyByte();
    if (got < want) return;
    to += got;
    count -= static_cast<uint32_t>(got);
  }
}

void FileScrambler::LoadFile(FILE* in, void* dst) {
  const uint32_t size = GetFileSize(in);
  XorFileToMemory(in, dst, size, 0);
}

void FileScrambler::LoadFileFirstMiB(FILE* in, void* dst) {
  const uint32_t size = GetFileSize(in);
  const uint32_t head = size < kMemoryFormLimit ? size : kMemoryFormLimit;
  XorFileToMemory(in, dst, head, 0);
  if (size > head && in && dst) std::fread(static_cast<unsigned char*>(dst) + head, 1, size - head, in);
}

void FileScrambler::XorMemory(const void* src, void* dst, uint32_t count, uint32_t start) {
  GameSrand(kSeed);
  if (count == 0) return;
  const unsigned char* from = static_cast<const unsigned char*>(src) + start;
  unsigned char* to = static_cast<unsigned char*>(dst) + start;
  for (uint32_t i = 0; i < count; ++i) to[i] = static_cast<unsigned char>(from[i] ^ NextKeyByte());
}

void FileScrambler::XorBufferAll(const void* src, void* dst, uint32_t count) { XorMemory(src, dst, count, 0); }

void FileScrambler::XorBuffer(const void* src, void* dst, uint32_t count) {
  const uint32_t head = count < kMemoryFormLimit ? count : kMemoryFormLimit;
  XorMemory(src, dst, head, 0);
  if (count > head && src != dst) {
    std::memmove(static_cast<unsigned char*>(dst) + head, static_cast<const unsigned char*>(src) + head, count - head);
  }
}
