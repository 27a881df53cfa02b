#pragma once
// The data-file scrambler: every stored data file except the sounds is XORed byte by byte with
// the low bytes of the game's random generator, re-seeded with 0x2B at the start of every file.
// XOR with the same stream restores the input, so every operation is its own inverse.
//
// Two stored forms exist: images are XORed over their whole length (the file forms used by the
// texture loader); everything read into memory is XORed over its first 1 MiB only and keeps a
// plain tail after that (the memory forms used by whole-file reading and writing).
//
// Streams are opened in binary mode by the caller, who also closes them. Each operation seeds
// the generator once, also when it has no byte to process, and draws exactly one value per
// processed byte; the plain tail draws none.
#include <cstdint>
#include <cstdio>

class FileScrambler {
 public:
  static constexpr uint32_t kSeed = 0x2B;
  static constexpr uint32_t kMemoryFormLimit = 0x100000;  // 1 MiB

  // The stream's length; the stream is left at offset 0.
  uint32_t GetFileSize(FILE* stream);

  // count bytes from in, XORed, to out. start only offsets the loop counter; it moves no stream.
  void XorFileToFile(FILE* in, FILE* out, uint32_t count, uint32_t start);
  // The whole of in, XORed, to out.
  void CopyFile(FILE* in, FILE* out);
  // The first 1 MiB of in XORed, the rest copied plain.
  void CopyFileFirstMiB(FILE* in, FILE* out);

  // count bytes from in, XORed, to dst[start] onward.
  void XorFileToMemory(FILE* in, void* dst, uint32_t count, uint32_t start);
  // The whole of in, XORed, to dst.
  void LoadFile(FILE* in, void* dst);
  // The first 1 MiB of in XORed to dst, the rest copied plain behind it.
  void LoadFileFirstMiB(FILE* in, void* dst);

  // dst[i] = src[i] XOR key for i from start while i < start + count (src and dst may be the
  // same buffer).
  void XorMemory(const void* src, void* dst, uint32_t count, uint32_t start);
  // All count bytes XORed.
  void XorBufferAll(const void* src, void* dst, uint32_t count);
  // The first 1 MiB XORed, the rest copied plain: the stored form of every file read whole.
  void XorBuffer(const void* src, void* dst, uint32_t count);
};

extern FileScrambler g_FileScrambler;
