// The key-configuration screen, opened from the start menu's id-3 entry and played with
// scripted keys and controller buttons through real frames.
#include "startmenu/startconfig.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "librarysauce/keyconfig.h"
#include "librarysauce/sprite.h"
#include "tests/menutest.h"

namespace {

using platform::DIK_DOWN;
using platform::DIK_LEFT;
using platform::DIK_RIGHT;
using platform::DIK_UP;
using platform::DIK_X;
using platform::DIK_Z;
using testsupport::StillTap;

std::string Sjis(const std::string& utf8) { return platform::Utf8ToCp932(utf8); }

std::array<int, 7> JoyButtons() {
  std::array<int, 7> buttons;
  for (int i = 0; i < 7; ++i) buttons[i] = g_KeyConfig.GetJoyButton(static_cast<LogicalButton>(i));
  return buttons;
}

bool PanelShown() {
  Sprite* panel = g_StartMenu.GetSprite(StartMenu::kPanelSprite);
  if (!panel) return false;
  SpriteState state;
  return panel->GetState(&state)->visible != 0;
}

class StartConfigTest : public menutest::MenuTest {
 protected:
  // The menu's first entry has id 3: decide chooses it (one frame), the next frame opens the
  // screen's state machine, the one after shows the panel and starts editing on row 0.
  void OpenKeyConfig() {
    OpenMenu(menutest::List({menutest::Entry(3, 1, "keyconfig.cnn"), menutest::Entry(1, 1)}));
    FadeIn();
    StillTap(DIK_Z);
    ASSERT_EQ(g_StartMenu.GetSubState(), StartMenuState::KeyConfig);
    ASSERT_EQ(g_StartConfig.GetState(), StartConfigState::Open);
    testsupport::StillFrames(1);
    ASSERT_EQ(g_StartConfig.GetState(), StartConfigState::Edit);
    ASSERT_TRUE(PanelShown());
    ASSERT_EQ(g_StartConfig.GetRow(), 0);
  }
};

TEST_F(StartConfigTest, RowsAndButtonsStopAtTheirEnds) {
  OpenKeyConfig();
  StillTap(DIK_UP);
  EXPECT_EQ(g_StartConfig.GetRow(), 0);
  EXPECT_EQ(std::string(g_StartConfig.GetRowLine()), Sjis("<< 変換ボタン:攻撃ボタン  3 >>"));
  EXPECT_EQ(std::string(g_StartConfig.GetHintLine()), Sjis("↑↓：設定キー変更/←→：対応キー変更"));

  // Attack starts on controller button 3 and runs from 0 to 11.
  StillTap(DIK_RIGHT, 10);
  EXPECT_EQ(g_KeyConfig.GetJoyButton(LogicalButton::Attack), 11);
  EXPECT_EQ(std::string(g_StartConfig.GetRowLine()), Sjis("<< 変換ボタン:攻撃ボタン  11 >>"));
  StillTap(DIK_LEFT, 13);
  EXPECT_EQ(g_KeyConfig.GetJoyButton(LogicalButton::Attack), 0);

  StillTap(DIK_DOWN, 6);
  EXPECT_EQ(g_StartConfig.GetRow(), 6);
  EXPECT_EQ(std::string(g_StartConfig.GetRowLine()), Sjis("<< 変換ボタン:キャンセルボタン  2 >>"));
  StillTap(DIK_DOWN, 3);
  EXPECT_EQ(g_StartConfig.GetRow(), 7);
  EXPECT_EQ(std::string(g_StartConfig.GetRowLine()), Sjis("キャンセルボタンで戻る(決定)"));
  EXPECT_EQ(std::string(g_StartConfig.GetHintLine()), Sjis("↑：設定キー変更"));

  // Right and left on the leave row change nothing.
  const std::array<int, 7> before = JoyButtons();
  StillTap(DIK_RIGHT);
  StillTap(DIK_LEFT);
  EXPECT_EQ(JoyButtons(), before);
  EXPECT_EQ(g_StartConfig.GetState(), StartConfigState::Edit);
  StillTap(DIK_UP);
  EXPECT_EQ(g_StartConfig.GetRow(), 6);
}

TEST_F(StartConfigTest, CancelLeavesOnlyFromTheLastRowAndWritesTheFile) {
  OpenKeyConfig();
  StillTap(DIK_X);  // Cancel on row 0 does nothing here
  EXPECT_EQ(g_StartConfig.GetState(), StartConfigState::Edit);
  StillTap(DIK_DOWN);
  StillTap(DIK_RIGHT, 4);  // Jump: 2 -> 6
  StillTap(DIK_DOWN, 3);
  StillTap(DIK_LEFT);  // Teleport: 5 -> 4
  StillTap(DIK_DOWN, 3);
  ASSERT_EQ(g_StartConfig.GetRow(), 7);
  const std::array<int, 7> expected = {3, 6, 8, 1, 4, 1, 2};
  EXPECT_EQ(JoyButtons(), expected);

  // The press frame asks to leave; the next frame closes the screen and writes the file.
  testsupport::PressKeys({DIK_X});
  testsupport::StillFrames(1);
  EXPECT_EQ(g_StartConfig.GetState(), StartConfigState::Save);
  EXPECT_FALSE(testsupport::FileExists("SAVE/Config.ini"));
  testsupport::ReleaseAll();
  testsupport::StillFrames(1);
  EXPECT_EQ(g_StartConfig.GetState(), StartConfigState::Open);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::Cursor);
  EXPECT_FALSE(PanelShown());
  EXPECT_TRUE(boxes_.messages.empty());

  // Seven scrambled bytes, which the store reads back as they were set.
  const std::string stored = testsupport::ReadFile("SAVE/Config.ini");
  ASSERT_EQ(stored.size(), 7u);
  EXPECT_NE(stored, std::string("\x03\x06\x08\x01\x04\x01\x02", 7));
  KeyConfig reread;
  reread.Load();
  for (int i = 0; i < 7; ++i) EXPECT_EQ(reread.GetJoyButton(static_cast<LogicalButton>(i)), expected[i]) << i;

  // Back in the menu, and the screen opens again on row 0.
  StillTap(DIK_Z);
  testsupport::StillFrames(1);
  EXPECT_EQ(g_StartConfig.GetState(), StartConfigState::Edit);
  EXPECT_EQ(g_StartConfig.GetRow(), 0);
}

TEST_F(StartConfigTest, OpenedDuringTheFadeInTheMenuFinishesItsFadeAfterwards) {
  OpenMenu(menutest::List({menutest::Entry(3, 1, "keyconfig.cnn"), menutest::Entry(1, 1)}));
  testsupport::StillFrames(2);
  StillTap(DIK_Z);
  testsupport::StillFrames(1);
  ASSERT_EQ(g_StartConfig.GetState(), StartConfigState::Edit);
  const int alpha = g_StartMenu.GetOverlayAlpha();
  ASSERT_GT(alpha, 0);
  StillTap(DIK_DOWN, 7);
  StillTap(DIK_X);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::FadeIn);
  EXPECT_EQ(g_StartMenu.GetOverlayAlpha(), alpha);
  testsupport::StillFrames(17);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::Cursor);
  EXPECT_EQ(g_StartMenu.GetOverlayAlpha(), 0);
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(20, 20), menutest::Argb(menutest::kBackground));
}

TEST_F(StartConfigTest, ControllerCancelLeavesToo) {
  OpenKeyConfig();
  StillTap(DIK_DOWN, 7);
  testsupport::SetJoystick(0, 0, {2});  // Cancel's controller button
  testsupport::StillFrames(1);
  EXPECT_EQ(g_StartConfig.GetState(), StartConfigState::Save);
  testsupport::StillFrames(1);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::Cursor);
  EXPECT_EQ(testsupport::ReadFile("SAVE/Config.ini").size(), 7u);
}

TEST_F(StartConfigTest, InputTestNamesThePressedButtonAndItsLogicalButton) {
  OpenKeyConfig();
  testsupport::StillFrames(1);
  EXPECT_STREQ(g_StartConfig.GetButtonLine(), "");
  EXPECT_STREQ(g_StartConfig.GetMatchLine(), "");

  // Button 1 drives both Guard and Decide: the lower number is named.
  testsupport::SetJoystick(0, 0, {1});
  testsupport::StillFrames(1);
  EXPECT_EQ(std::string(g_StartConfig.GetButtonLine()), Sjis("入力ボタン: 1"));
  EXPECT_EQ(std::string(g_StartConfig.GetMatchLine()), Sjis("入力確認:ガードボタン"));

  // Several held: the lowest-numbered is shown.
  testsupport::SetJoystick(0, 0, {16, 5, 9});
  testsupport::StillFrames(1);
  EXPECT_EQ(std::string(g_StartConfig.GetButtonLine()), Sjis("入力ボタン: 5"));
  EXPECT_EQ(std::string(g_StartConfig.GetMatchLine()), Sjis("入力確認:転移ボタン"));

  testsupport::SetJoystick(0, 0, {10});
  testsupport::StillFrames(1);
  EXPECT_EQ(std::string(g_StartConfig.GetButtonLine()), Sjis("入力ボタン:10"));
  EXPECT_EQ(std::string(g_StartConfig.GetMatchLine()), Sjis("入力確認:対応ボタンなし"));

  // Buttons above 16 are not looked at.
  testsupport::SetJoystick(0, 0, {17, 30});
  testsupport::StillFrames(1);
  EXPECT_STREQ(g_StartConfig.GetButtonLine(), "");
  EXPECT_STREQ(g_StartConfig.GetMatchLine(), "");

  // A logical button configured outside the controller's buttons never matches.
  g_KeyConfig.SetJoyButton(LogicalButton::Attack, -1);
  testsupport::SetJoystick(0, 0, {3});
  testsupport::StillFrames(1);
  EXPECT_EQ(std::string(g_StartConfig.GetMatchLine()), Sjis("入力確認:対応ボタンなし"));
}

TEST_F(StartConfigTest, FailedWriteShowsTheMessageAndStillCloses) {
  testsupport::WriteFile("SAVE", "not a directory");
  OpenKeyConfig();
  StillTap(DIK_RIGHT);
  StillTap(DIK_DOWN, 7);
  StillTap(DIK_X);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::Cursor);
  EXPECT_FALSE(PanelShown());
  ASSERT_EQ(boxes_.messages.size(), 1u);
  EXPECT_EQ(boxes_.messages[0], "Err: File : startmenu\\startconfig Line : 114 \n configファイル書き込み失敗");
  // The change stays in force for this run.
  EXPECT_EQ(g_KeyConfig.GetJoyButton(LogicalButton::Attack), 4);
}

TEST_F(StartConfigTest, TextsAreDrawnOnlyWhileEditing) {
  auto brightPixels = [] {
    int count = 0;
    for (uint32_t p : testsupport::ReadScreen(200, 218, 300, 20))
      if (((p >> 16) & 0xFF) >= 0xF0 && ((p >> 8) & 0xFF) >= 0xF0 && (p & 0xFF) >= 0xF0) ++count;
    return count;
  };
  OpenKeyConfig();
  testsupport::StillFrames(1);
  EXPECT_GT(brightPixels(), 0);
  StillTap(DIK_DOWN, 7);
  StillTap(DIK_X);
  testsupport::StillFrames(1);
  EXPECT_EQ(brightPixels(), 0);
}

}  // namespace
