// The data-file scrambler: its key stream, its two stored forms and the generator it leaves behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "librarysauce/filescrambler.h"
#include "librarysauce/gamerandom.h"

namespace {

constexpr uint32_t kMiB = 0x100000;

// The first n values of the sequence seeded with 0x2B.
std::vector<int> Sequence(size_t n) {
  GameSrand(0x2B);
  std::vector<int> values(n);
  for (int& v : values) v = GameRand();
  return values;
}

std::vector<unsigned char> Pattern(size_t n) {
  std::vector<unsigned char> bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 3);
  return bytes;
}

FILE* StreamWith(const std::vector<unsigned char>& bytes) {
  FILE* f = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::rewind(f);
  return f;
}

std::vector<unsigned char> Contents(FILE* f) {
  std::vector<unsigned char> bytes;
  std::rewind(f);
  for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<unsigned char>(c));
  return bytes;
}

TEST(FileScramblerTest, KeyStreamIsTheLowBytesOfTheRuntimeSequenceFromSeed2B) {
  GameSrand(0x2B);
  EXPECT_EQ(GameRand(), 179);
  EXPECT_EQ(GameRand(), 11149);
  EXPECT_EQ(GameRand(), 2965);

  std::vector<unsigned char> zeros(8, 0);
  g_FileScrambler.XorBuffer(zeros.data(), zeros.data(), 8);
  EXPECT_EQ(zeros, (std::vector<unsigned char>{0xB3, 0x8D, 0x95, 0x67, 0x1D, 0xA6, 0x78, 0x6C}));

  // The stream restarts for every file, whatever came before.
  GameRand();
  std::vector<unsigned char> again(8, 0);
  g_FileScrambler.XorBufferAll(again.data(), again.data(), 8);
  EXPECT_EQ(again, zeros);
}

TEST(FileScramblerTest, XorBufferTwiceRestoresAnyLengthAndLeavesTheGeneratorAfterTheLastKey) {
  const std::vector<int> seq = Sequence(4097);
  for (uint32_t n : {0u, 1u, 255u, 4096u}) {
    const std::vector<unsigned char> plain = Pattern(n);
    std::vector<unsigned char> buffer = plain;
    g_FileScrambler.XorBuffer(buffer.data(), buffer.data(), n);
    EXPECT_EQ(GameRand(), seq[n]) << "after " << n << " bytes the next value is value n+1";
    if (n > 0) {
      EXPECT_NE(buffer, plain);
    }
    g_FileScrambler.XorBuffer(buffer.data(), buffer.data(), n);
    EXPECT_EQ(buffer, plain) << n;
  }
  // Into a separate buffer, with a start offset: only dst[start .. start+count) is written.
  const std::vector<unsigned char> src = Pattern(16);
  std::vector<unsigned char> dst(16, 0xEE);
  g_FileScrambler.XorMemory(src.data(), dst.data(), 4, 10);
  EXPECT_EQ(dst[9], 0xEE);
  EXPECT_EQ(dst[10], static_cast<unsigned char>(src[10] ^ (seq[0] & 0xFF)));
  EXPECT_EQ(dst[13], static_cast<unsigned char>(src[13] ^ (seq[3] & 0xFF)));
  EXPECT_EQ(dst[14], 0xEE);
}

// Pictures run to megabytes: a stream far longer than any the demo reads keeps the byte-by-byte
// keys to its end, in pieces as a file copy reads it, and leaves the generator after its last key.
TEST(FileScramblerTest, LongStreamsKeepTheKeysToTheirEnd) {
  const uint32_t n = 9 * kMiB + 5;
  const std::vector<int> seq = Sequence(n + 1);
  FILE* in = StreamWith(std::vector<unsigned char>(n, 0));
  FILE* out = std::tmpfile();
  g_FileScrambler.CopyFile(in, out);
  EXPECT_EQ(GameRand(), seq[n]);
  const std::vector<unsigned char> keys = Contents(out);
  ASSERT_EQ(keys.size(), n);
  size_t wrong = 0;
  for (uint32_t i = 0; i < n; ++i) wrong += keys[i] != static_cast<unsigned char>(seq[i] & 0xFF);
  EXPECT_EQ(wrong, 0u);
  std::fclose(in);
  std::fclose(out);
}

TEST(FileScramblerTest, MemoryFormKeepsAPlainTailAfterOneMiBWhileTheImageFormXorsEverything) {
  const uint32_t n = kMiB + 1;
  const std::vector<int> seq = Sequence(n);
  const std::vector<unsigned char> plain = Pattern(n);

  std::vector<unsigned char> memory = plain;
  g_FileScrambler.XorBuffer(memory.data(), memory.data(), n);
  EXPECT_EQ(memory[kMiB - 1], static_cast<unsigned char>(plain[kMiB - 1] ^ (seq[kMiB - 1] & 0xFF)));
  EXPECT_EQ(memory[kMiB], plain[kMiB]);
  EXPECT_EQ(GameRand(), seq[kMiB]) << "the plain tail draws no key byte";

  // Out of place the tail is copied.
  std::vector<unsigned char> copy(n, 0);
  g_FileScrambler.XorBuffer(plain.data(), copy.data(), n);
  EXPECT_EQ(copy, memory);

  FILE* in = StreamWith(plain);
  FILE* out = std::tmpfile();
  g_FileScrambler.CopyFile(in, out);
  const std::vector<unsigned char> image = Contents(out);
  ASSERT_EQ(image.size(), n);
  EXPECT_EQ(image[kMiB], static_cast<unsigned char>(plain[kMiB] ^ (seq[kMiB] & 0xFF)));
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + kMiB, memory.begin()));

  // The first-MiB file forms store exactly what the memory form does.
  FILE* out2 = std::tmpfile();
  g_FileScrambler.CopyFileFirstMiB(in, out2);
  EXPECT_EQ(Contents(out2), memory);
  std::vector<unsigned char> loaded(n, 0);
  g_FileScrambler.LoadFileFirstMiB(in, loaded.data());
  EXPECT_EQ(loaded, memory);
  g_FileScrambler.LoadFile(in, loaded.data());
  EXPECT_EQ(loaded, image);
  std::fclose(in);
  std::fclose(out);
  std::fclose(out2);
}

TEST(FileScramblerTest, EmptyFileGivesEmptyOutputAndStillReseeds) {
  FILE* in = std::tmpfile();
  FILE* out = std::tmpfile();
  GameSrand(12345);
  GameRand();
  g_FileScrambler.CopyFile(in, out);
  EXPECT_TRUE(Contents(out).empty());
  EXPECT_EQ(GameRand(), 179);

  GameSrand(999);
  g_FileScrambler.XorBuffer(nullptr, nullptr, 0);
  EXPECT_EQ(GameRand(), 179);
  std::fclose(in);
  std::fclose(out);
}

TEST(FileScramblerTest, FileSizeLeavesTheStreamAtTheStart) {
  FILE* f = StreamWith(Pattern(1234));
  std::fseek(f, 100, SEEK_SET);
  EXPECT_EQ(g_FileScrambler.GetFileSize(f), 1234u);
  EXPECT_EQ(std::ftell(f), 0);
  std::fclose(f);
}

}  // namespace
