// Whole-file reading and writing through the scrambler, the save-file probes and the field
// operations, in a scratch game directory.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "librarysauce/fileio.h"
#include "librarysauce/filescrambler.h"
#include "librarysauce/gamerandom.h"
#include "tests/testsupport.h"

namespace {

using testsupport::FileExists;
using testsupport::ReadFile;
using testsupport::WriteFile;

std::string Scrambled(std::string bytes) {
  g_FileScrambler.XorBuffer(bytes.data(), bytes.data(), static_cast<uint32_t>(bytes.size()));
  return bytes;
}

TEST(FileIOTest, WrittenFileReadsBackAndTheCallersBufferHoldsTheScrambledBytes) {
  testsupport::EnterScratchDirectory("fileio-roundtrip");
  WriteFile("Data/Script/keep.txt", "");
  std::string plain;
  for (int i = 0; i < 300; ++i) plain += static_cast<char>('A' + i % 26);
  std::string buffer = plain;
  ASSERT_EQ(g_FileIO.WriteWholeFile(".\\data\\SCRIPT\\Test.cnn", buffer.data(), 300), S_OK);
  EXPECT_EQ(buffer, Scrambled(plain));
  EXPECT_EQ(ReadFile("Data/Script/Test.cnn"), Scrambled(plain));
  EXPECT_FALSE(FileExists("Data/Script/Test.cnn.tmp"));

  std::vector<char> read(512, '\xEE');
  uint32_t got = 0;
  ASSERT_EQ(g_FileIO.ReadWholeFile(".\\Data\\Script\\TEST.CNN", read.data(), 512, &got), S_OK);
  EXPECT_EQ(got, 300u);
  EXPECT_EQ(std::string(read.data(), 300), plain);
  EXPECT_EQ(read[300], '\xEE') << "no terminating 0 is added";

  // Rewriting through another spelling replaces the same file.
  std::string shorter = "abc";
  ASSERT_EQ(g_FileIO.WriteWholeFile(".\\DATA\\script\\test.CNN", shorter.data(), 3), S_OK);
  EXPECT_EQ(ReadFile("Data/Script/Test.cnn"), Scrambled("abc"));
  EXPECT_FALSE(FileExists("Data/Script/test.CNN"));
}

TEST(FileIOTest, ReadingRefusesOversizeAndMissingFilesAndLeavesTheBufferAlone) {
  testsupport::EnterScratchDirectory("fileio-read");
  WriteFile("big.dat", Scrambled("0123456789"));
  WriteFile("empty.dat", "");
  std::vector<char> buffer(16, '\x55');
  const std::vector<char> untouched = buffer;
  uint32_t got = 77;

  EXPECT_EQ(g_FileIO.ReadWholeFile("big.dat", buffer.data(), 9, &got), E_FAIL);
  EXPECT_EQ(buffer, untouched);
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(g_FileIO.ReadWholeFile("missing.dat", buffer.data(), 16), E_FAIL);
  EXPECT_EQ(g_FileIO.ReadWholeFile(".", buffer.data(), 16), E_FAIL) << "a directory is not a file";
  EXPECT_EQ(buffer, untouched);

  GameSrand(4242);
  EXPECT_EQ(g_FileIO.ReadWholeFile("empty.dat", buffer.data(), 16, &got), S_OK);
  EXPECT_EQ(buffer, untouched);
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(GameRand(), 179) << "an empty file still re-seeds the generator";

  ASSERT_EQ(g_FileIO.ReadWholeFile("big.dat", buffer.data(), 10, &got), S_OK);
  EXPECT_EQ(std::string(buffer.data(), 10), "0123456789");

  // Game paths are Shift-JIS: "表" (95 5C) ends in a backslash byte but is one character.
  WriteFile("Data/Script/表.cnn", Scrambled("#end\r\n"));
  ASSERT_EQ(g_FileIO.ReadWholeFile(".\\DATA\\script\\\x95\x5c.CNN", buffer.data(), 16, &got), S_OK);
  EXPECT_EQ(std::string(buffer.data(), got), "#end\r\n");
}

TEST(FileIOTest, WritingCreatesAMissingDirectoryAndAFailedWriteKeepsTheOldFile) {
  testsupport::EnterScratchDirectory("fileio-write");
  char config[7] = {1, 2, 3, 4, 5, 6, 7};
  ASSERT_EQ(g_FileIO.WriteWholeFile(".\\SAVE\\Config.ini", config, 7), S_OK);
  ASSERT_TRUE(FileExists("SAVE/Config.ini"));
  EXPECT_EQ(ReadFile("SAVE/Config.ini").size(), 7u);

  // A disk that fills up part way: the write fails and the old file stays whole.
  const std::string old = ReadFile("SAVE/Config.ini");
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit tiny = saved;
  tiny.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
  std::vector<char> large(64 * 1024, 'x');
  const HRESULT hr = g_FileIO.WriteWholeFile(".\\SAVE\\Config.ini", large.data(), static_cast<uint32_t>(large.size()));
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(hr, E_FAIL);
  EXPECT_EQ(ReadFile("SAVE/Config.ini"), old);
  EXPECT_FALSE(FileExists("SAVE/Config.ini.tmp"));

  // A target that cannot be replaced (a directory of that name) fails too.
  WriteFile("Data/Dir/inner", "x");
  EXPECT_EQ(g_FileIO.WriteWholeFile(".\\Data\\Dir", config, 7), E_FAIL);
  EXPECT_EQ(ReadFile("Data/Dir/inner"), "x");
}

TEST(FileIOTest, SaveFileProbesCreateTruncateAndAnswerInTheirOwnSenses) {
  testsupport::EnterScratchDirectory("fileio-save");
  EXPECT_EQ(g_FileIO.SaveFileExists(), 1);
  EXPECT_EQ(g_FileIO.FileExists(".\\SAVE\\TestSave.sav"), 0);

  EXPECT_EQ(g_FileIO.CreateSaveFile(), 0);
  ASSERT_TRUE(FileExists("SAVE/TestSave.sav"));
  EXPECT_EQ(ReadFile("SAVE/TestSave.sav"), "");
  EXPECT_EQ(g_FileIO.SaveFileExists(), 0);
  EXPECT_EQ(g_FileIO.FileExists(".\\save\\testsave.SAV"), 1);

  WriteFile("SAVE/TestSave.sav", "old progress");
  EXPECT_EQ(g_FileIO.CreateSaveFile(), 0);
  EXPECT_EQ(ReadFile("SAVE/TestSave.sav"), "");

  // The probes leave no stream behind for the field operations to use.
  EXPECT_EQ(g_FileIO.WriteU32(5), 0);
  uint32_t value = 9;
  EXPECT_EQ(g_FileIO.ReadU32(&value), 0);
  EXPECT_EQ(value, 9u);
  EXPECT_EQ(g_FileIO.Noop(), 0);
}

TEST(FileIOTest, FieldOperationsWriteLittleEndianFieldsAndReadThemBack) {
  testsupport::EnterScratchDirectory("fileio-fields");
  ASSERT_EQ(g_FileIO.OpenForWrite(".\\fields.bin"), 0);
  EXPECT_EQ(g_FileIO.WriteString("abc"), 3);
  EXPECT_EQ(g_FileIO.WriteU32(0x11223344), 4);
  EXPECT_EQ(g_FileIO.WriteU16(0xABCD), 2);
  EXPECT_EQ(g_FileIO.WriteU16b(0x0102), 2);
  EXPECT_EQ(g_FileIO.WriteString("0123456789"), 10);
  EXPECT_EQ(g_FileIO.WriteU32(7), 4);
  g_FileIO.Close();
  EXPECT_EQ(ReadFile("fields.bin").substr(0, 15),
            std::string("\x03\x00\x00\x00" "abc" "\x44\x33\x22\x11" "\xCD\xAB" "\x02\x01", 15));

  ASSERT_EQ(g_FileIO.OpenForRead(".\\FIELDS.BIN"), 0);
  char text[8];
  std::memset(text, 'z', sizeof text);
  EXPECT_EQ(g_FileIO.ReadString(text, sizeof text), 3);
  EXPECT_EQ(std::memcmp(text, "abc\0", 4), 0);
  uint32_t u32 = 0;
  uint16_t u16 = 0, u16b = 0;
  EXPECT_EQ(g_FileIO.ReadU32(&u32), 4);
  EXPECT_EQ(g_FileIO.ReadU16(&u16), 2);
  EXPECT_EQ(g_FileIO.ReadU16b(&u16b), 2);
  EXPECT_EQ(u32, 0x11223344u);
  EXPECT_EQ(u16, 0xABCD);
  EXPECT_EQ(u16b, 0x0102);
  // A string longer than the buffer is cut to fit, and the rest is stepped over.
  EXPECT_EQ(g_FileIO.ReadString(text, 4), 3);
  EXPECT_STREQ(text, "012");
  EXPECT_EQ(g_FileIO.ReadU32(&u32), 4);
  EXPECT_EQ(u32, 7u);
  // At the end: the count reads as 0, an empty string.
  EXPECT_EQ(g_FileIO.ReadString(text, sizeof text), 0);
  EXPECT_STREQ(text, "");
  g_FileIO.Close();

  // A count far beyond the file (or the buffer) stores only what fits.
  WriteFile("huge.bin", std::string("\xFF\xFF\xFF\xFF" "hi", 6));
  ASSERT_EQ(g_FileIO.OpenForRead("huge.bin"), 0);
  EXPECT_EQ(g_FileIO.ReadString(text, sizeof text), 2);
  EXPECT_STREQ(text, "hi");
  g_FileIO.Close();

  // Closed: nothing is read or written.
  std::memset(text, 'z', sizeof text);
  EXPECT_EQ(g_FileIO.ReadString(text, sizeof text), 0);
  EXPECT_EQ(text[0], 'z');
  EXPECT_EQ(g_FileIO.WriteString("abc"), 0);
  EXPECT_EQ(g_FileIO.OpenForRead("missing.bin"), 1);
  EXPECT_EQ(g_FileIO.WriteU16(1), 0);
}

}  // namespace
