// Windows game paths resolved against the data directory, and what the game agrees to open.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "librarysauce/fileio.h"
#include "librarysauce/mediaplayer.h"
#include "librarysauce/musicsystem.h"
#include "librarysauce/texture.h"
#include "platform/paths.h"
#include "tests/testsupport.h"

namespace {

TEST(PathsTest, ComponentsMatchWithoutRegardToCase) {
  testsupport::EnterScratchDirectory("paths");
  testsupport::WriteFile("Data/Script/main.cnn", "x");
  EXPECT_EQ(platform::ResolvePath(".\\Data\\SCRIPT\\Main.CNN"), "Data/Script/main.cnn");
  EXPECT_EQ(platform::ResolvePath("data\\script\\main.cnn"), "Data/Script/main.cnn");
  // A file about to be created keeps its given name under the matched directories.
  EXPECT_EQ(platform::ResolvePath(".\\DATA\\Temp\\GTempdata"), "Data/Temp/GTempdata");
  EXPECT_EQ(platform::ResolvePath(".\\SAVE\\Config.ini"), "SAVE/Config.ini");
}

TEST(PathsTest, AShiftJisSecondByteOf5CIsNotASeparator) {
  testsupport::EnterScratchDirectory("paths-sjis");
  // "表" is 95 5C in Shift-JIS; "ソ" is 83 5C.
  testsupport::WriteFile("Data/表ソ.txt", "x");
  EXPECT_EQ(platform::ResolvePath(".\\Data\\\x95\x5c\x83\x5c.txt"), "Data/表ソ.txt");
}

// A WAV header for 16-bit stereo at 44100 Hz (the mixer's own format) with dataBytes of sound.
std::string WavHeader(uint32_t dataBytes) {
  std::string wav = "RIFF";
  auto put = [&wav](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) wav.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  put(36 + dataBytes, 4);
  wav += "WAVEfmt ";
  put(16, 4);
  put(1, 2);
  put(2, 2);
  put(44100, 4);
  put(44100 * 4, 4);
  put(4, 2);
  put(16, 2);
  wav += "data";
  put(dataBytes, 4);
  return wav;
}

TEST(PathsTest, OnlyRegularFilesWithinTheirBudgetAreOpenedAnythingElseIsMissing) {
  const std::string dir = testsupport::EnterScratchDirectory("paths-regular");
  testsupport::WriteFile("Sound/Short.wav", testsupport::MakeWav(100));
  testsupport::WriteFile("Data/Temp/.keep", "");
  // Silence of just over 64 MiB, stored sparse.
  const uint32_t bigData = 64u * 1024 * 1024 + 4096;
  testsupport::WriteFile("Sound/Big.wav", WavHeader(bigData));
  ASSERT_EQ(truncate("Sound/Big.wav", 44 + static_cast<off_t>(bigData)), 0);
  ASSERT_EQ(mkfifo("Sound/Pipe.wav", 0600), 0);
  std::filesystem::create_directories("Sound/Folder.wav");
  // "..\" steps from the scratch directory down to the root, then to the zero device.
  std::string toRoot = ".";
  for (const char* c = dir.c_str(); *c; ++c)
    if (*c == '/') toRoot += "\\..";
  const std::string zero = toRoot + "\\dev\\zero";
  ASSERT_EQ(std::filesystem::canonical(platform::ResolvePath(zero.c_str())), "/dev/zero");

  ASSERT_EQ(g_MusicSystem.Init(), S_OK);
  for (const std::string& path : {std::string(".\\Sound\\Big.wav"), std::string(".\\Sound\\Pipe.wav"),
                                  std::string(".\\Sound\\Folder.wav"), std::string("/dev/zero"), zero}) {
    SCOPED_TRACE(path);
    MediaPlayer player;
    EXPECT_EQ(player.Open(path.c_str()), E_FAIL);
    EXPECT_FALSE(player.IsOpen());
    MusicTrack track;
    EXPECT_EQ(track.Load(path.c_str()), E_FAIL);
    if (path.find("Big") != std::string::npos) continue;  // a regular file, over the sound budget only
    char buffer[64];
    EXPECT_EQ(g_FileIO.ReadWholeFile(path.c_str(), buffer, sizeof buffer), E_FAIL);
    EXPECT_EQ(g_FileIO.FileExists(path.c_str()), 0);
    Texture texture;
    testing::internal::CaptureStdout();
    EXPECT_EQ(texture.LoadConverted(path.c_str(), 0), E_FAIL);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("元ファイルのオープンに失敗しました"), std::string::npos);
  }
  // A relative path with steps that come back stays usable.
  MediaPlayer player;
  EXPECT_EQ(player.Open(".\\Sound\\..\\Sound\\Short.wav"), 1);
  g_MusicSystem.Shutdown();
}

}  // namespace
