// The demo story played as a reader plays it: the built data tree, the story chosen in the title
// menu, Z pressed whenever the script waits, the clock at 60 frames a second; and the scene's
// next files, chained or not.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "act/mapmodel.h"
#include "gameflow/gamestate.h"
#include "gameflow/scriptreader.h"
#include "librarysauce/mediaplayer.h"
#include "librarysauce/texture.h"
#include "novel/advscene.h"
#include "tests/advtestkit.h"
#include "tests/testsupport.h"

namespace {

using namespace advtest;

int Channel(uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(Channel(a, shift) - Channel(b, shift)) > tolerance) return false;
  return true;
}

class AdvScenePlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::PlayDemoCopy();
  }
  // The scene goes with its message, which would otherwise be drawn over whatever comes next.
  void TearDown() override { g_AdvScene.Release(); }

  // Runs the entry script the way the start menu runs the one its player picks.
  void RunEntryScript(const std::string& text) {
    WriteScript("Data/Script/stm/adv_entry.cnn", text);
    g_GameState.SetMode(GameMode::StartMenuRun);
    ASSERT_EQ(g_MainScript.LoadFile(".\\Data\\Script\\stm\\adv_entry.cnn"), S_OK);
    g_MainScript.RunMainScript();
  }

  // Frames as a reader plays them, until done() or maxFrames: at 60 a second, and Z pressed for
  // a frame whenever the script waits for a key. Returns the frames played.
  int PlayReadingUntil(const std::function<bool()>& done, int maxFrames = 4000) {
    for (int frame = 0; frame < maxFrames; ++frame) {
      if (done()) return frame;
      if (g_AdvScene.IsKeyWaitOn() && !zDown_) {
        testsupport::PressKeys({kKeyZ});
        zDown_ = true;
      } else if (zDown_) {
        testsupport::ReleaseKeys({kKeyZ});
        zDown_ = false;
      }
      testsupport::PlayFrames(1);
    }
    ADD_FAILURE() << "still waiting after " << maxFrames << " frames, mode " << g_GameState.GetMode();
    return maxFrames;
  }

  bool zDown_ = false;
};

TEST_F(AdvScenePlayTest, StoryEntryOfTheMenuPlaysBothScenesAndLeadsIntoTheStages) {
  // The title menu as the game opens on it; the story is the second entry.
  testsupport::StillFrames(2);
  ASSERT_EQ(g_GameState.GetMode(), GameMode::StartMenuRun);
  testsupport::StillFrames(20);
  StillTap(kKeyDown);
  StillTap(kKeyZ);
  PlayReadingUntil([] { return g_GameState.GetMode() == GameMode::StartMenuLeave; }, 60);
  EXPECT_EQ(g_GameState.GetNextMode(), GameMode::AdvSetUp);
  EXPECT_EQ(g_AdvScene.GetSceneNumber(), 2);

  // Up to the first wait for a key: the heroine's three lines in the lower window.
  PlayReadingUntil([] { return g_AdvScene.IsKeyWaitOn(); });
  ASSERT_EQ(g_GameState.GetMode(), GameMode::AdvRun);
  EXPECT_EQ(g_AdvScene.GetOverlayAlpha(), 0);
  EXPECT_STRNE(g_AdvScene.GetSpeaker(0)->line[2], "");
  // The theme (an MP3) plays, and both effects are loaded.
  ASSERT_NE(g_MediaPlayers, nullptr);
  EXPECT_TRUE(g_MediaPlayers[0].IsPlaying());
  EXPECT_TRUE(g_MediaPlayers[5].IsOpen());
  EXPECT_TRUE(g_MediaPlayers[6].IsOpen());
  testsupport::StillFrames(1);
  const std::string art = std::string(VELUNNA_GENERATED_DATA_DIR) + "/Graphic/Adv/";
  // The guild hall shows as drawn, where no window lies over it.
  for (auto [x, y] : {std::pair{700, 100}, std::pair{60, 300}, std::pair{830, 470}})
    EXPECT_EQ(testsupport::PixelAt(x, y) & 0xFFFFFF, testsupport::BmpPixel(art + "guild.bmp", x, y)) << x << "," << y;
  // The lower window: its cloth dimmed to grey 100 and 200/255 opaque over the hall.
  const int wx = 600, wy = 455;
  const uint32_t cloth = testsupport::BmpPixel(art + "MessageWindow.bmp", wx - 185, wy - 385);
  const uint32_t hall = testsupport::BmpPixel(art + "guild.bmp", wx, wy);
  uint32_t expected = 0;
  for (int shift : {0, 8, 16}) {
    const int tinted = Channel(cloth, shift) * 100 / 255;
    expected |= static_cast<uint32_t>((tinted * 200 + Channel(hall, shift) * 55) / 255) << shift;
  }
  EXPECT_TRUE(Near(testsupport::PixelAt(wx, wy) & 0xFFFFFF, expected, 3))
      << std::hex << testsupport::PixelAt(wx, wy) << " vs " << expected;
  // Its three lines of text, bright on the dim window.
  int bright = 0;
  for (uint32_t p : testsupport::ReadScreen(190, 391, 400, 70))
    if (Channel(p, 0) > 0xF0 && Channel(p, 8) > 0xF0 && Channel(p, 16) > 0xF0) ++bright;
  EXPECT_GT(bright, 100);

  // The scene ends, and its next file chains the second scene at the town gate.
  PlayReadingUntil([] { return g_GameState.GetMode() == 10; });
  EXPECT_EQ(g_GameState.GetNextMode(), GameMode::AdvSetUp);
  EXPECT_EQ(g_AdvScene.GetSceneNumber(), 3);
  PlayReadingUntil([] { return g_GameState.GetMode() == GameMode::AdvRun; });
  TextureInfo info;
  g_TextureTable[1].GetInfo(&info);
  EXPECT_STREQ(info.name, ".\\Graphic\\Adv\\gate.bmp");

  // Its own next file leads into the action stages, from the first.
  PlayReadingUntil([] { return g_GameState.GetMode() == GameMode::ActionRun; });
  EXPECT_EQ(g_MapModel.GetStageCount(), 3);
  EXPECT_EQ(g_MapModel.GetStageIndex(), 0);
  EXPECT_STREQ(g_MapModel.GetStagePath(0), ".\\Data\\Script\\act_stage\\stage01");
}

TEST_F(AdvScenePlayTest, NextFileThatLeavesTheModeAloneEndsTheGame) {
  // A next file whose commands choose no new mode ("#Load" keeps it) meets the next-file step
  // again with nothing left to run, and the game ends.
  testsupport::MessageBoxCapture boxes;
  WriteScript("Script/stay.cnn", "#Load\n");
  WriteScript("Script/adv/short.txt", std::string(kLeadLine) + "#01,1\n#02,stay.cnn\n#end\n");
  RunEntryScript("#setnovel short.txt\n");
  PlayReadingUntil([] { return g_GameState.GetMode() == GameMode::AdvEnd; }, 100);
  testsupport::StillFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::AdvEnd);
  EXPECT_EQ(g_AdvScene.GetNextFile(), nullptr);
  testsupport::StillFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  EXPECT_EQ(g_GameState.GetQuitCode(), 1);
  EXPECT_TRUE(boxes.messages.empty());
}

TEST_F(AdvScenePlayTest, FailedSetNovelQuits) {
  WriteScript("Script/adv/headless.txt", std::string(kLeadLine) + "#02,next.cnn\n#end\n");
  RunEntryScript("#setnovel headless.txt\n");
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  RunEntryScript("#setnovel nothing_here.txt\n");
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  EXPECT_EQ(g_GameState.GetQuitCode(), 1);
}

}  // namespace
