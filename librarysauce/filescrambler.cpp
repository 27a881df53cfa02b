#include "librarysauce/filescrambler.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "librarysauce/gamerandom.h"

FileScrambler g_FileScrambler;

namespace {

constexpr size_t kBlock = 64 * 1024;

// The key stream of a file, drawn from its start. Every file's stream is the same (the generator
// is seeded anew for each), so its first bytes are worked out once and kept, and a stream is
// then XORed at memory speed; past the kept part the generator draws as before. After each
// call the generator stands exactly where drawing the same bytes one by one leaves it.
class KeyStream {
 public:
  KeyStream() { GameSrand(FileScrambler::kSeed); }

  void Xor(const unsigned char* from, unsigned char* to, size_t count) {
    const size_t kept = Keep(drawn_ + count);
    const size_t fromKept = drawn_ < kept ? (kept - drawn_ < count ? kept - drawn_ : count) : 0;
    // Past the kept part there is no kept key to point at.
    const uint8_t* keys = fromKept > 0 ? Kept().data() + drawn_ : nullptr;
    size_t i = 0;
    for (; i + 8 <= fromKept; i += 8) {  // eight bytes at a time
      uint64_t bytes, key;
      std::memcpy(&bytes, from + i, 8);
      std::memcpy(&key, keys + i, 8);
      bytes ^= key;
      std::memcpy(to + i, &bytes, 8);
    }
    for (; i < fromKept; ++i) to[i] = static_cast<unsigned char>(from[i] ^ keys[i]);
    if (fromKept > 0) GameSrand(GameRandStateAfter(FileScrambler::kSeed, static_cast<uint32_t>(drawn_ + fromKept)));
    for (; i < count; ++i) to[i] = static_cast<unsigned char>(from[i] ^ (GameRand() & 0xFF));
    drawn_ += count;
  }

 private:
  // Large enough for every picture the game ships (the largest is 6.6 MB).
  static constexpr size_t kMostKept = 8 * 1024 * 1024;

  static std::vector<uint8_t>& Kept() {
    static std::vector<uint8_t> keys;
    return keys;
  }

  // Keeps the stream's first bytes up to length (within kMostKept); returns how many are kept.
  static size_t Keep(size_t length) {
    std::vector<uint8_t>& keys = Kept();
    if (length > kMostKept) length = kMostKept;
    if (keys.size() >= length) return keys.size();
    size_t grown = keys.size() < 64 * 1024 ? 64 * 1024 : keys.size() * 2;
    if (grown < length) grown = length;
    if (grown > kMostKept) grown = kMostKept;
    uint32_t state = GameRandStateAfter(FileScrambler::kSeed, static_cast<uint32_t>(keys.size()));
    keys.reserve(grown);
    while (keys.size() < grown) {
      state = state * kGameRandMultiplier + kGameRandIncrement;
      keys.push_back(static_cast<uint8_t>(state >> 16));
    }
    return keys.size();
  }

  size_t drawn_ = 0;
};

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
  KeyStream keys;
  if (!in || !out) return;
  // Read in blocks; the key stream is drawn one value per byte in file order, as byte by byte.
  // A stream that ends early stops the copy there.
  unsigned char block[kBlock];
  while (count > 0) {
    const size_t want = count < kBlock ? count : kBlock;
    const size_t got = std::fread(block, 1, want, in);
    keys.Xor(block, block, got);
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
  KeyStream keys;
  if (!in || !dst) return;
  unsigned char* to = static_cast<unsigned char*>(dst) + start;
  while (count > 0) {
    const size_t want = count < kBlock ? count : kBlock;
    const size_t got = std::fread(to, 1, want, in);
    keys.Xor(to, to, got);
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
  KeyStream keys;
  if (count == 0) return;
  const unsigned char* from = static_cast<const unsigned char*>(src) + start;
  unsigned char* to = static_cast<unsigned char*>(dst) + start;
  keys.Xor(from, to, count);
}

void FileScrambler::XorBufferAll(const void* src, void* dst, uint32_t count) { XorMemory(src, dst, count, 0); }

void FileScrambler::XorBuffer(const void* src, void* dst, uint32_t count) {
  const uint32_t head = count < kMemoryFormLimit ? count : kMemoryFormLimit;
  XorMemory(src, dst, head, 0);
  if (count > head && src != dst) {
    std::memmove(static_cast<unsigned char*>(dst) + head, static_cast<const unsigned char*>(src) + head, count - head);
  }
}
