#pragma once
// Shared by the start-menu and key-configuration tests: a scratch game directory with small
// test pictures, lists written the way the game stores them, and the menu opened through the
// main script and stepped frame by frame with scripted input.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/fileio.h"
#include "librarysauce/filescrambler.h"
#include "librarysauce/keyconfig.h"
#include "platform/cp932.h"
#include "platform/input.h"
#include "startmenu/startconfig.h"
#include "startmenu/startmenu.h"
#include "tests/testsupport.h"
#include "tools/artkit.h"

namespace menutest {

// Writes a data file the way the game stores it: text as Shift-JIS with "\r\n", scrambled.
inline void WriteGameText(const std::string& gamePath, const std::string& utf8) {
  std::string text;
  for (char c : platform::Utf8ToCp932(utf8)) {
    if (c == '\n') text += '\r';
    text += c;
  }
  ASSERT_EQ(g_FileIO.WriteWholeFile(gamePath.c_str(), text.data(), static_cast<uint32_t>(text.size())), S_OK);
}

using testsupport::WriteGameImage;

// Colours of the test pictures: every entry strip has its own.
constexpr artkit::Rgb kBackground{40, 80, 120};
constexpr artkit::Rgb kWindow{200, 200, 210};
constexpr artkit::Rgb kStrip[] = {{200, 40, 40}, {40, 200, 40}, {40, 40, 200}, {200, 200, 40}, {200, 40, 200}};
constexpr int kPictureX = 300, kPictureY = 200;

inline uint32_t Argb(artkit::Rgb c) { return 0xFF000000u | (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b; }

// One list line: id, enabled, and a script; the picture of every entry lies at the same spot.
inline std::string Entry(int id, int enabled, const std::string& script = "go.cnn") {
  return std::to_string(id) + ",Title" + std::to_string(id) + ",Comment" + std::to_string(id) + "," + script +
         ",sheet.bmp," + std::to_string(kPictureX) + "," + std::to_string(kPictureY) + ",100,50," +
         std::to_string(enabled) + "\n";
}

inline std::string List(std::initializer_list<std::string> entries) {
  std::string list = std::to_string(entries.size()) + "\n";
  for (const std::string& e : entries) list += e;
  return list + "#end\n";
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::StartGame();
    testsupport::EnterScratchDirectory("startmenu");
    std::filesystem::create_directories("Data/Temp");  // where images are unscrambled to
    testsupport::UseManualClock();
    testsupport::UseScriptedInput();
    // The game as it starts: the main script runs on the next frame; the menu, its
    // key-configuration screen and the key configuration none left half-played or changed by a
    // test before.
    g_GameState.SetMode(GameMode::MainScript);
    g_GameState.SetQuitCode(0);
    g_SceneArrays.Release();
    testsupport::Renew(&g_StartMenu);
    testsupport::Renew(&g_StartConfig);
    g_KeyConfig = KeyConfig();
    WriteGameImage("Data/Graphic/startmenu.bmp", artkit::Canvas(854, 480, kBackground));
    WriteGameImage("Data/Graphic/comment_window01.bmp", artkit::Canvas(854, 480, kWindow));
    artkit::Canvas sheet(100, 250);
    for (int i = 0; i < 5; ++i) sheet.FillRect(0, i * 50, 100, 50, kStrip[i]);
    WriteGameImage("Data/Graphic/sheet.bmp", sheet);
    WriteGameText(".\\Data\\Script\\stm\\go.cnn", "#end\n");
  }
  // The key configuration back as the game starts, whatever the screen saved.
  void TearDown() override { g_KeyConfig = KeyConfig(); }
  // Starts the game on list test.stm through the main script: frame 1 reads the main script and
  // the list, frame 2 builds the menu, which then fades in.
  void OpenMenu(const std::string& list) {
    WriteGameText(".\\Data\\Script\\stm\\test.stm", list);
    WriteGameText(".\\Data\\Script\\main.cnn", "#setstartmenu test\n");
    testsupport::StillFrames(1);
    ASSERT_EQ(g_GameState.GetMode(), GameMode::StartMenuSetUp);
    testsupport::StillFrames(1);
    ASSERT_EQ(g_GameState.GetMode(), GameMode::StartMenuRun);
    ASSERT_EQ(g_StartMenu.GetSubState(), StartMenuState::FadeIn);
  }
  void FadeIn() {
    testsupport::StillFrames(17);
    ASSERT_EQ(g_StartMenu.GetSubState(), StartMenuState::Cursor);
    ASSERT_EQ(g_StartMenu.GetOverlayAlpha(), 0);
  }

  testsupport::MessageBoxCapture boxes_;
};

}  // namespace menutest
