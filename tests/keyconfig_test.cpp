// The key-configuration store: defaults, the seven-byte scrambled file, and damaged files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "librarysauce/fileio.h"
#include "librarysauce/gamerandom.h"
#include "librarysauce/inputmanager.h"
#include "librarysauce/keyconfig.h"
#include "platform/input.h"
#include "platform/messagebox.h"
#include "tests/testsupport.h"

namespace {

// The data files' scrambling: each byte XOR the low byte of the next value of the game's
// generator seeded with 0x2B. Applying it twice gives the bytes back.
std::string Scramble(const std::vector<uint8_t>& bytes) {
  GameSrand(0x2B);
  std::string out;
  for (uint8_t b : bytes) out.push_back(static_cast<char>(b ^ (GameRand() & 0xFF)));
  return out;
}

std::vector<int> JoyButtons() {
  std::vector<int> numbers;
  for (int i = 0; i < KeyConfig::kButtonCount; ++i) numbers.push_back(g_KeyConfig.GetJoyButton(static_cast<LogicalButton>(i)));
  return numbers;
}

std::vector<int> Keys() {
  std::vector<int> keys;
  for (int i = 0; i < KeyConfig::kButtonCount; ++i) keys.push_back(g_KeyConfig.GetKey(static_cast<LogicalButton>(i)));
  return keys;
}

const std::vector<int> kDefaultJoyButtons = {3, 2, 8, 1, 5, 1, 2};
const std::vector<int> kDefaultKeys = {44, 45, 57, 46, 30, 44, 45};
const char kConfigFile[] = "SAVE/Config.ini";

class KeyConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnterScratchDirectory("keyconfig");
    boxes_.RequireKind(platform::MessageBoxKind::Warning);
    g_KeyConfig = KeyConfig();
  }
  void TearDown() override { g_KeyConfig = KeyConfig(); }  // back as the game starts
  testsupport::MessageBoxCapture boxes_;
};

TEST_F(KeyConfigTest, DefaultsAndTheirScrambledRecord) {
  EXPECT_EQ(JoyButtons(), kDefaultJoyButtons);
  EXPECT_EQ(Keys(), kDefaultKeys);
  uint8_t record[KeyConfig::kFileSize];
  g_KeyConfig.GetFileRecord(record);
  EXPECT_EQ(Scramble(std::vector<uint8_t>(record, record + 7)), std::string("\xB0\x8F\x9D\x66\x18\xA7\x7A"));
}

TEST_F(KeyConfigTest, MissingFileShowsTheMessageAndKeepsTheDefaults) {
  g_KeyConfig.SetJoyButton(LogicalButton::Attack, 9);
  g_KeyConfig.Load();
  ASSERT_EQ(boxes_.captioned.size(), 1u);
  EXPECT_EQ(boxes_.captioned[0], "Velunna |Err: File : librarysauce\\joy Line : 82 \n ファイルOpen失敗");
  EXPECT_EQ(JoyButtons(), kDefaultJoyButtons);
  EXPECT_EQ(Keys(), kDefaultKeys);
}

TEST_F(KeyConfigTest, FileSetsTheControllerNumbersOnly) {
  testsupport::WriteFile(kConfigFile, Scramble({0, 1, 2, 3, 4, 5, 6}));
  g_KeyConfig.SetKey(LogicalButton::Pause, 1);
  g_KeyConfig.Load();
  EXPECT_TRUE(boxes_.captioned.empty());
  EXPECT_EQ(JoyButtons(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Keys(), kDefaultKeys);
}

TEST_F(KeyConfigTest, WrittenRecordReadsBack) {
  g_KeyConfig.SetJoyButton(LogicalButton::Attack, 11);
  g_KeyConfig.SetJoyButton(LogicalButton::Cancel, 0);
  uint8_t record[KeyConfig::kFileSize];
  g_KeyConfig.GetFileRecord(record);
  ASSERT_EQ(g_FileIO.WriteWholeFile(KeyConfig::kFilePath, record, KeyConfig::kFileSize), S_OK);
  EXPECT_EQ(testsupport::ReadFile(kConfigFile), Scramble({11, 2, 8, 1, 5, 1, 0}));
  g_KeyConfig = KeyConfig();
  g_KeyConfig.Load();
  EXPECT_TRUE(boxes_.captioned.empty());
  EXPECT_EQ(JoyButtons(), (std::vector<int>{11, 2, 8, 1, 5, 1, 0}));
}

TEST_F(KeyConfigTest, ShortFileKeepsTheDefaultsOfTheMissingNumbers) {
  testsupport::WriteFile(kConfigFile, Scramble({7, 6, 5}));
  g_KeyConfig.Load();
  EXPECT_TRUE(boxes_.captioned.empty());
  EXPECT_EQ(JoyButtons(), (std::vector<int>{7, 6, 5, 1, 5, 1, 2}));

  testsupport::WriteFile(kConfigFile, "");
  g_KeyConfig.Load();
  EXPECT_EQ(JoyButtons(), kDefaultJoyButtons);
}

TEST_F(KeyConfigTest, OversizeFileIsRefusedWithTheMessage) {
  testsupport::WriteFile(kConfigFile, Scramble(std::vector<uint8_t>(129, 4)));
  g_KeyConfig.Load();
  EXPECT_EQ(boxes_.captioned.size(), 1u);
  EXPECT_EQ(JoyButtons(), kDefaultJoyButtons);

  // 128 bytes still fit; only the first seven are used.
  boxes_.Clear();
  testsupport::WriteFile(kConfigFile, Scramble(std::vector<uint8_t>(128, 4)));
  g_KeyConfig.Load();
  EXPECT_TRUE(boxes_.captioned.empty());
  EXPECT_EQ(JoyButtons(), std::vector<int>(7, 4));
}

TEST_F(KeyConfigTest, NumbersOutsideTheControllerLoadAsTheirDefaultsAndAreNeverPressed) {
  // A damaged file: each number outside 0..31 gives that button its default, the others stay,
  // and the file itself is left as it is until the player saves.
  const std::string damaged = Scramble({0xFF, 115, 0x80, 31, 32, 0, 0xDB});
  testsupport::WriteFile(kConfigFile, damaged);
  g_KeyConfig.Load();
  EXPECT_TRUE(boxes_.captioned.empty());
  EXPECT_EQ(JoyButtons(), (std::vector<int>{3, 2, 8, 31, 5, 0, 2}));
  EXPECT_EQ(testsupport::ReadFile(kConfigFile), damaged);

  // Every controller button held: logical buttons set to numbers outside 0..31 do not see it,
  // and asking for them leaves every latch alone.
  g_KeyConfig.SetJoyButton(LogicalButton::Attack, -1);
  g_KeyConfig.SetJoyButton(LogicalButton::Jump, 40);
  g_KeyConfig.SetJoyButton(LogicalButton::Pause, -128);
  g_KeyConfig.SetJoyButton(LogicalButton::Teleport, 32);
  testsupport::UseScriptedInput();
  testsupport::SetJoystick(0, 0, {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                                  16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31});
  testsupport::PollInput();
  for (LogicalButton b : {LogicalButton::Attack, LogicalButton::Jump, LogicalButton::Pause, LogicalButton::Teleport}) {
    EXPECT_EQ(g_Input.IsButtonTriggered(b), 0) << static_cast<int>(b);
    EXPECT_EQ(g_Input.IsButtonDown(b), 0) << static_cast<int>(b);
  }
  EXPECT_EQ(g_Input.IsButtonTriggered(LogicalButton::Guard), 1);  // on button 31

  // The same through the key-configuration screen's setter.
  g_KeyConfig.SetJoyButton(LogicalButton::Decide, -1);
  g_KeyConfig.SetJoyButton(LogicalButton::Cancel, 40);
  EXPECT_EQ(g_KeyConfig.GetJoyButton(LogicalButton::Cancel), 40);
  EXPECT_EQ(g_Input.IsButtonTriggered(LogicalButton::Decide), 0);
  EXPECT_EQ(g_Input.IsButtonTriggered(LogicalButton::Cancel), 0);
  EXPECT_EQ(g_Input.IsButtonDown(LogicalButton::Cancel), 0);

  for (int button = 0; button < 31; ++button) EXPECT_EQ(g_Input.IsJoyButtonTriggered(button), 1) << button;
  testsupport::StopScriptedInput();
  g_Input.Release();
}

// A short scripted session through the real poll: the player holds Down, then taps Z.
TEST(ScriptedInputTest, LogicalButtonsThroughThePoll) {
  testsupport::UseManualClock();
  testsupport::UseScriptedInput();
  g_KeyConfig = KeyConfig();
  InputManager& input = g_Input;

  testsupport::PressKeys({platform::DIK_DOWN});
  testsupport::PollInput();
  EXPECT_EQ(input.IsDirTriggered(JoyDirection::Down), 1);
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Decide), 0);
  testsupport::PressKeys({platform::DIK_Z});
  testsupport::PollInput();
  EXPECT_EQ(input.IsDirTriggered(JoyDirection::Down), 0);
  EXPECT_EQ(input.IsDirDown(JoyDirection::Down), 1);
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Decide), 1);
  testsupport::ReleaseKeys({platform::DIK_Z});
  testsupport::PollInput();
  EXPECT_EQ(input.IsButtonDown(LogicalButton::Decide), 0);
  testsupport::PressKeys({platform::DIK_Z});
  testsupport::PollInput();
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Attack), 1);
  testsupport::StopScriptedInput();
}

}  // namespace
