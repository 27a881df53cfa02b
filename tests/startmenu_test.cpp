// The start menu played through real frames: scripted input read by the input manager's poll,
// the game state's dispatcher, the main-script commands and scrambled files on disk.
#include "startmenu/startmenu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gameflow/gamestate.h"
#include "librarysauce/mediaplayer.h"
#include "librarysauce/sprite.h"
#include "tests/menutest.h"

namespace {

using platform::DIK_DOWN;
using platform::DIK_UP;
using platform::DIK_Z;
using menutest::Argb;
using menutest::Entry;
using menutest::kBackground;
using menutest::kPictureX;
using menutest::kPictureY;
using menutest::kStrip;
using menutest::List;
using menutest::WriteGameText;
using testsupport::StillTap;

class StartMenuTest : public menutest::MenuTest {};

TEST_F(StartMenuTest, CursorWrapsAroundAndSkipsDisabledEntries) {
  namespace fs = std::filesystem;
  fs::copy(fs::path(VELUNNA_GAME_DIR) / "Data" / "Sound", "Data/Sound", fs::copy_options::recursive);
  OpenMenu(List({Entry(1, 1), Entry(2, 0), Entry(4, 1), Entry(5, 0)}));
  FadeIn();
  EXPECT_EQ(g_StartMenu.GetCursor(), 0);
  StillTap(DIK_DOWN);
  EXPECT_EQ(g_StartMenu.GetCursor(), 2);
  StillTap(DIK_DOWN);  // past the disabled last entry, round to the first
  EXPECT_EQ(g_StartMenu.GetCursor(), 0);
  StillTap(DIK_UP);  // from the first back round to the last enabled
  EXPECT_EQ(g_StartMenu.GetCursor(), 2);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::Cursor);

  // The two sounds sit in slots 5 and 6 at volume 192; the menu has no music.
  ASSERT_NE(g_MediaPlayers, nullptr);
  EXPECT_FALSE(g_MediaPlayers[0].IsOpen());
  EXPECT_TRUE(g_MediaPlayers[StartMenu::kSelectSlot].IsOpen());
  EXPECT_TRUE(g_MediaPlayers[StartMenu::kDecideSlot].IsOpen());
  EXPECT_EQ(g_MediaPlayers[StartMenu::kSelectSlot].GetVolume(), (192 - 255) * 9600 / 255);
  EXPECT_EQ(g_MediaPlayers[StartMenu::kDecideSlot].GetVolume(), (192 - 255) * 9600 / 255);
}

TEST_F(StartMenuTest, MovesPlayTheSelectSoundAndDecidePlaysTheDecideSound) {
  namespace fs = std::filesystem;
  fs::copy(fs::path(VELUNNA_GAME_DIR) / "Data" / "Sound", "Data/Sound", fs::copy_options::recursive);
  OpenMenu(List({Entry(1, 1), Entry(2, 0)}));
  FadeIn();
  // A sound started in the frame just stepped is playing at position 0; the clock moves on
  // before each press, so a sound started earlier is past 0.
  auto justPlayed = [](int slot) {
    return g_MediaPlayers[slot].IsPlaying() && g_MediaPlayers[slot].GetPosition() == 0;
  };
  ASSERT_NE(g_MediaPlayers, nullptr);
  testsupport::AdvanceClock(50);
  StillTap(DIK_DOWN);  // the only other entry is disabled: the cursor stays, the sound plays
  EXPECT_EQ(g_StartMenu.GetCursor(), 0);
  EXPECT_TRUE(justPlayed(StartMenu::kSelectSlot));
  EXPECT_FALSE(g_MediaPlayers[StartMenu::kDecideSlot].IsPlaying());
  testsupport::AdvanceClock(50);
  StillTap(DIK_Z);
  EXPECT_TRUE(justPlayed(StartMenu::kDecideSlot));
  EXPECT_FALSE(justPlayed(StartMenu::kSelectSlot));
}

TEST_F(StartMenuTest, TheTitleAndCommentUnderTheCursorAreDrawnAtTheirPlaces) {
  OpenMenu(List({Entry(1, 1), Entry(2, 1)}));
  FadeIn();
  const auto* shown = g_StartMenu.GetEntry(g_StartMenu.GetCursor());
  ASSERT_NE(shown, nullptr);
  testsupport::ExpectCommentWindowTexts(shown->title.c_str(), shown->comment.c_str());
  const std::vector<uint32_t> first = testsupport::ReadScreen(0, 400, 480, 70);
  // The texts follow the selection.
  StillTap(DIK_DOWN);
  EXPECT_NE(testsupport::ReadScreen(0, 400, 480, 70), first);
}

TEST_F(StartMenuTest, OneEnabledEntryKeepsTheCursorInPlace) {
  OpenMenu(List({Entry(1, 0), Entry(2, 1), Entry(4, 0)}));
  FadeIn();
  // The first entry is disabled and under the cursor: decide records it and does nothing else.
  StillTap(DIK_Z);
  EXPECT_EQ(g_StartMenu.GetChosenEntry(), 0);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::Cursor);
  StillTap(DIK_DOWN);
  EXPECT_EQ(g_StartMenu.GetCursor(), 1);
  StillTap(DIK_DOWN);
  EXPECT_EQ(g_StartMenu.GetCursor(), 1);
  StillTap(DIK_UP);
  EXPECT_EQ(g_StartMenu.GetCursor(), 1);
}

TEST_F(StartMenuTest, PressesInTheSameFrame) {
  OpenMenu(List({Entry(1, 1), Entry(2, 1), Entry(4, 1)}));
  FadeIn();
  // Up and down together: only up acts.
  testsupport::PressKeys({DIK_UP, DIK_DOWN});
  testsupport::StillFrames(1);
  EXPECT_EQ(g_StartMenu.GetCursor(), 2);
  testsupport::ReleaseAll();
  testsupport::StillFrames(1);
  // A move and decide together: the entry reached is the one chosen.
  testsupport::PressKeys({DIK_DOWN, DIK_Z});
  testsupport::StillFrames(1);
  EXPECT_EQ(g_StartMenu.GetCursor(), 0);
  EXPECT_EQ(g_StartMenu.GetChosenEntry(), 0);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::Choose);
}

TEST_F(StartMenuTest, DecideDuringTheFadeInChoosesAndFadesOutFromThere) {
  OpenMenu(List({Entry(1, 1), Entry(2, 1)}));
  testsupport::StillFrames(3);  // alpha 255 - 3 × 15
  testsupport::PressKeys({DIK_Z});
  testsupport::StillFrames(1);
  EXPECT_EQ(g_StartMenu.GetOverlayAlpha(), 195);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::Choose);
  testsupport::ReleaseAll();
  testsupport::StillFrames(1);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::FadeOut);
  testsupport::StillFrames(4);  // 195 + 4 × 15 = 255
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::RunScript);
}

TEST_F(StartMenuTest, KeyConfigOpensAtOnceOtherEntriesFadeOutAndRunTheirScript) {
  OpenMenu(List({Entry(3, 1, "unused.cnn"), Entry(1, 1)}));
  FadeIn();
  // Id 3: Choose on the frame of the press, the key configuration on the next, no fade.
  testsupport::PressKeys({DIK_Z});
  testsupport::StillFrames(1);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::Choose);
  testsupport::ReleaseAll();
  testsupport::StillFrames(1);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::KeyConfig);
  EXPECT_EQ(g_StartMenu.GetOverlayAlpha(), 0);
  g_StartMenu.SetSubState(StartMenuState::Cursor);

  // Any other id: 17 frames of fade-out, then its script runs ("#end" quits).
  StillTap(DIK_DOWN);
  testsupport::PressKeys({DIK_Z});
  testsupport::StillFrames(1);
  testsupport::ReleaseAll();
  testsupport::StillFrames(1);
  ASSERT_EQ(g_StartMenu.GetSubState(), StartMenuState::FadeOut);
  testsupport::StillFrames(16);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::FadeOut);
  EXPECT_EQ(g_StartMenu.GetOverlayAlpha(), 240);
  testsupport::StillFrames(1);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::RunScript);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::StartMenuRun);
  testsupport::StillFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  EXPECT_EQ(g_GameState.GetQuitCode(), 0) << "the player's own ending";
  EXPECT_TRUE(boxes_.messages.empty());
}

TEST_F(StartMenuTest, EntryScriptCanOpenAnotherMenu) {
  WriteGameText(".\\Data\\Script\\stm\\again.cnn", "#setstartmenu second\n");
  WriteGameText(".\\Data\\Script\\stm\\second.stm", List({Entry(1, 1)}));
  OpenMenu(List({Entry(1, 1), Entry(2, 1), Entry(4, 1, "again.cnn")}));
  FadeIn();
  StillTap(DIK_UP);
  ASSERT_EQ(g_StartMenu.GetCursor(), 2);
  StillTap(DIK_Z);
  testsupport::StillFrames(18);
  // The entry's script loads a shorter menu over this one: the cursor comes back onto it.
  EXPECT_EQ(g_GameState.GetMode(), GameMode::StartMenuSetUp);
  EXPECT_EQ(g_StartMenu.GetEntryCount(), 1);
  EXPECT_EQ(g_StartMenu.GetCursor(), 0);
  EXPECT_EQ(g_Sprites, nullptr);
  testsupport::StillFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::StartMenuRun);
  // Faded out before, so the new menu fades in from black.
  EXPECT_EQ(g_StartMenu.GetOverlayAlpha(), 255);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::FadeIn);
}

TEST_F(StartMenuTest, ListWithoutEnabledEntriesDoesNotHang) {
  OpenMenu(List({Entry(1, 0), Entry(2, 0), Entry(4, 0)}));
  FadeIn();
  StillTap(DIK_DOWN);
  StillTap(DIK_UP);
  EXPECT_EQ(g_StartMenu.GetCursor(), 0);
  StillTap(DIK_Z);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::Cursor);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::StartMenuRun);
}

TEST_F(StartMenuTest, MalformedListsFailToLoadWithAMessage) {
  const std::string good = Entry(1, 1);
  const std::string longField = "1," + std::string(300, 't') + ",c,go.cnn,sheet.bmp,0,0,10,10,1\n";
  const std::string longScript = "1,t,c," + std::string(42, 's') + ".cnn,sheet.bmp,0,0,10,10,1\n";
  const std::string longImage = "1,t,c,go.cnn," + std::string(109, 'i') + ".bmp,0,0,10,10,1\n";
  const struct {
    const char* what;
    std::string list;
    int line;
  } cases[] = {
      {"count larger than the lines", "3\n" + good + good + "#end\n", 4},
      {"count smaller than the lines", "1\n" + good + good + "#end\n", 3},
      {"no #end", "2\n" + good + good, 4},
      {"nine fields", "1\n1,t,c,go.cnn,sheet.bmp,0,0,10,1\n#end\n", 2},
      {"a 300-byte field", "1\n" + longField + "#end\n", 2},
      {"a 46-byte script name", "1\n" + longScript + "#end\n", 2},
      {"a 113-byte image name", "1\n" + longImage + "#end\n", 2},
      {"a word where x belongs", "1\n1,t,c,go.cnn,sheet.bmp,left,0,10,10,1\n#end\n", 2},
      {"an empty height", "2\n" + good + "1,t,c,go.cnn,sheet.bmp,0,0,10,,1\n#end\n", 3},
      {"an empty x", "1\n1,t,c,go.cnn,sheet.bmp, ,0,10,10,1\n#end\n", 2},
      {"an id beyond the int range", "1\n2147483648,t,c,go.cnn,sheet.bmp,0,0,10,10,1\n#end\n", 2},
      {"enabled beyond the int range", "1\n1,t,c,go.cnn,sheet.bmp,0,0,10,10,99999999999\n#end\n", 2},
      {"a count of 0", "0\n#end\n", 1},
      {"no count", "\n" + good + "#end\n", 1},
      {"an empty file", "", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    boxes_.Clear();
    WriteGameText(".\\Data\\Script\\stm\\bad.stm", c.list);
    EXPECT_EQ(g_StartMenu.LoadMenu(".\\Data\\Script\\stm\\bad"), E_FAIL);
    EXPECT_FALSE(g_StartMenu.HasEntries());
    EXPECT_FALSE(g_StartMenu.HasText());
    ASSERT_EQ(boxes_.messages.size(), 1u);
    EXPECT_TRUE(boxes_.Mentions("bad.stm Line : " + std::to_string(c.line) + " \n ")) << boxes_.messages[0];
  }
  // The limits themselves are fine: a 45-byte script name and a 112-byte image name.
  const std::string atLimits = "1,t,c," + std::string(41, 's') + ".cnn," + std::string(108, 'i') + ".bmp,0,0,10,10,1\n";
  boxes_.Clear();
  WriteGameText(".\\Data\\Script\\stm\\edge.stm", "1\n" + atLimits + "#endOFLIST\n");
  EXPECT_EQ(g_StartMenu.LoadMenu(".\\Data\\Script\\stm\\edge"), S_OK);
  ASSERT_NE(g_StartMenu.GetEntry(0), nullptr);
  EXPECT_EQ(std::string(g_StartMenu.GetEntry(0)->image), ".\\Data\\Graphic\\" + std::string(108, 'i') + ".bmp");
  EXPECT_EQ(g_StartMenu.GetEntry(0)->imageSize, 15u + 112u + 1u);
  EXPECT_TRUE(boxes_.messages.empty());
  // A list path that would not fit its buffer.
  EXPECT_EQ(g_StartMenu.LoadMenu((".\\Data\\Script\\stm\\" + std::string(110, 'n')).c_str()), E_FAIL);
  EXPECT_FALSE(g_StartMenu.HasEntries());
}

TEST_F(StartMenuTest, ListFieldsAreStoredAsTheyStand) {
  // Empty ids and texts are allowed; "enabled" is the rest of the line read as a number.
  WriteGameText(".\\Data\\Script\\stm\\fields.stm",
                "4\n"
                "70003, 題名 ,説明,a.cnn,p.bmp,-5,12,30,40,7\n"
                "3,,,b.cnn,q.bmp,0,0,0,0,0\n"
                ",,,,,1,2,-30,-40,\n"
                "5,t,c,d.cnn,r.bmp,0,0,1,1, 2 remark,1\n"
                "#end\n");
  ASSERT_EQ(g_StartMenu.LoadMenu(".\\Data\\Script\\stm\\fields"), S_OK);
  const StartMenuEntry* e = g_StartMenu.GetEntry(0);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->id, static_cast<uint16_t>(70003));
  EXPECT_EQ(std::string(e->title), platform::Utf8ToCp932(" 題名 "));
  EXPECT_EQ(e->titleSize, 7u);
  EXPECT_EQ(std::string(e->script), "a.cnn");
  EXPECT_EQ(std::string(e->image), ".\\Data\\Graphic\\p.bmp");
  EXPECT_EQ(e->x, -5.0f);
  EXPECT_EQ(e->height, 40.0f);
  EXPECT_EQ(e->enabled, 1);
  ASSERT_NE(g_StartMenu.GetEntry(1), nullptr);
  EXPECT_EQ(g_StartMenu.GetEntry(1)->enabled, 0);
  EXPECT_EQ(g_StartMenu.GetEntry(1)->titleSize, 1u);
  const StartMenuEntry* blank = g_StartMenu.GetEntry(2);
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(blank->id, 0);
  EXPECT_EQ(std::string(blank->script), "");
  EXPECT_EQ(std::string(blank->image), ".\\Data\\Graphic\\");
  EXPECT_EQ(blank->width, -30.0f);
  EXPECT_EQ(blank->height, -40.0f);
  EXPECT_EQ(blank->enabled, 0);
  ASSERT_NE(g_StartMenu.GetEntry(3), nullptr);
  EXPECT_EQ(g_StartMenu.GetEntry(3)->enabled, 1);
  EXPECT_EQ(g_StartMenu.GetEntry(4), nullptr);
}

TEST_F(StartMenuTest, APictureOfNegativeSizeDrawsNothing) {
  OpenMenu(List({"1,t,c,go.cnn,sheet.bmp,300,200,-100,50,1\n"}));
  FadeIn();
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(kPictureX - 50, kPictureY + 25), Argb(kBackground));
  EXPECT_EQ(testsupport::PixelAt(kPictureX + 50, kPictureY + 25), Argb(kBackground));
}

TEST_F(StartMenuTest, SetStartMenuWithABadListQuits) {
  WriteGameText(".\\Data\\Script\\stm\\broken.stm", "2\n" + Entry(1, 1) + "#end\n");
  WriteGameText(".\\Data\\Script\\main.cnn", "#setstartmenu broken\n");
  testsupport::StillFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  EXPECT_TRUE(boxes_.Mentions("broken.stm"));
}

TEST_F(StartMenuTest, CursorOfALongerListIsBroughtOntoAShorterOne) {
  WriteGameText(".\\Data\\Script\\stm\\short.stm", List({Entry(1, 1), Entry(2, 1)}));
  OpenMenu(List({Entry(1, 1), Entry(2, 1), Entry(4, 1), Entry(5, 1)}));
  FadeIn();
  StillTap(DIK_UP);
  ASSERT_EQ(g_StartMenu.GetCursor(), 3);
  ASSERT_EQ(g_StartMenu.LoadMenu(".\\Data\\Script\\stm\\short"), S_OK);
  EXPECT_EQ(g_StartMenu.GetCursor(), 1);
  // The load let go of the old menu's arrays.
  EXPECT_EQ(g_Sprites, nullptr);
  g_GameState.SetMode(GameMode::StartMenuSetUp);
  testsupport::StillFrames(20);
  StillTap(DIK_DOWN);
  EXPECT_EQ(g_StartMenu.GetCursor(), 0);
}

TEST_F(StartMenuTest, SetUpWithoutAListGoesOnToTheChosenSceneOrQuits) {
  // "#setaction" run by the main script itself leads to the menu's set-up with nothing loaded.
  g_GameState.SetNextMode(GameMode::AdvSetUp);
  g_GameState.SetMode(GameMode::StartMenuSetUp);
  g_StartMenu.SetUp();
  EXPECT_EQ(g_GameState.GetMode(), GameMode::AdvSetUp);
  EXPECT_TRUE(boxes_.messages.empty());

  g_GameState.SetNextMode(GameMode::MainScript);
  g_GameState.SetMode(GameMode::StartMenuSetUp);
  g_StartMenu.SetUp();
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  EXPECT_EQ(boxes_.messages.size(), 1u);
  EXPECT_EQ(g_Sprites, nullptr);

  // A menu that was released keeps its count, but there are no entries to build from.
  boxes_.Clear();
  WriteGameText(".\\Data\\Script\\stm\\one.stm", List({Entry(1, 1)}));
  ASSERT_EQ(g_StartMenu.LoadMenu(".\\Data\\Script\\stm\\one"), S_OK);
  g_StartMenu.Release();
  g_GameState.SetNextMode(GameMode::ActionStart);
  g_StartMenu.SetUp();
  EXPECT_EQ(g_GameState.GetMode(), GameMode::ActionStart);
  EXPECT_EQ(g_Sprites, nullptr);
}

TEST_F(StartMenuTest, UnreadableEntryScriptShowsItsNameAndQuits) {
  OpenMenu(List({Entry(1, 1, "missing.cnn")}));
  FadeIn();
  StillTap(DIK_Z);
  testsupport::StillFrames(18);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  EXPECT_EQ(g_GameState.GetQuitCode(), 1);
  ASSERT_EQ(boxes_.messages.size(), 1u);
  EXPECT_TRUE(boxes_.Mentions("missing.cnn"));
  testsupport::StillFrames(3);
  EXPECT_EQ(boxes_.messages.size(), 1u);
}

TEST_F(StartMenuTest, FadedInFrameShowsTheBackgroundAndTheCursorsPicture) {
  OpenMenu(List({Entry(1, 1), Entry(2, 1), Entry(4, 0), Entry(5, 1)}));
  // Half-way through the fade the overlay darkens the background.
  testsupport::StillFrames(8);
  const uint32_t dimmed = testsupport::PixelAt(20, 20);
  EXPECT_LT(dimmed & 0xFF, kBackground.b);
  FadeIn();
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(20, 20), Argb(kBackground));
  EXPECT_EQ(testsupport::PixelAt(kPictureX + 50, kPictureY + 25), Argb(kStrip[0]));
  // Down skips the disabled third entry's strip on the way back up; each picture shows alone.
  StillTap(DIK_DOWN);
  EXPECT_EQ(testsupport::PixelAt(kPictureX + 50, kPictureY + 25), Argb(kStrip[1]));
  StillTap(DIK_DOWN);
  EXPECT_EQ(g_StartMenu.GetCursor(), 3);
  EXPECT_EQ(testsupport::PixelAt(kPictureX + 50, kPictureY + 25), Argb(kStrip[3]));
  // The comment window sits at (10, 410), tinted.
  EXPECT_NE(testsupport::PixelAt(200, 415), Argb(kBackground));
  EXPECT_EQ(testsupport::PixelAt(300, 415), Argb(kBackground));
}

// The game's own demo data: the title screen as the player first sees it.
TEST_F(StartMenuTest, DemoDataOpensOnTheTitleMenu) {
  namespace fs = std::filesystem;
  fs::remove_all("Data");
  fs::copy(fs::path(VELUNNA_GAME_DIR) / "Data", "Data", fs::copy_options::recursive);
  testsupport::StillFrames(2);
  ASSERT_EQ(g_GameState.GetMode(), GameMode::StartMenuRun);
  ASSERT_GE(g_StartMenu.GetEntryCount(), 4);
  testsupport::StillFrames(18);
  EXPECT_EQ(g_StartMenu.GetSubState(), StartMenuState::Cursor);
  const StartMenuEntry* first = g_StartMenu.GetEntry(0);
  ASSERT_NE(first, nullptr);
  // The first entry's picture is drawn over the title background, which shows around it.
  const int px = static_cast<int>(first->x), py = static_cast<int>(first->y);
  const uint32_t pictureCentre = testsupport::PixelAt(px + static_cast<int>(first->width) / 2, py + 32);
  const uint32_t above = testsupport::PixelAt(px + static_cast<int>(first->width) / 2, py - 20);
  EXPECT_NE(pictureCentre, above);
  EXPECT_NE(above & 0xFFFFFF, 0u);
  // Walking the whole list down and round again comes back to the first entry, skipping the
  // disabled one, and every enabled entry is met.
  int enabled = 0;
  for (int i = 0; i < g_StartMenu.GetEntryCount(); ++i) enabled += g_StartMenu.GetEntry(i)->enabled;
  ASSERT_LT(enabled, g_StartMenu.GetEntryCount());
  for (int i = 0; i < enabled; ++i) {
    EXPECT_TRUE(g_StartMenu.GetEntry(g_StartMenu.GetCursor())->enabled);
    StillTap(DIK_DOWN);
  }
  EXPECT_EQ(g_StartMenu.GetCursor(), 0);
}

}  // namespace
