// The field scene, played: lists and scripts stored scrambled in a scratch game directory (with
// the built game's pictures and sounds), "#setfield" run by the main script, scripted keys,
// stick and mouse through the real input poll, frames stepped on the manual clock.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "field/fieldscene.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "gameflow/scriptreader.h"
#include "librarysauce/filescrambler.h"
#include "librarysauce/mediaplayer.h"
#include "librarysauce/sprite.h"
#include "librarysauce/texture.h"
#include "platform/cp932.h"
#include "platform/input.h"
#include "startmenu/startmenu.h"
#include "tests/testsupport.h"

namespace {

using platform::DIK_DOWN;
using platform::DIK_LEFT;
using platform::DIK_RIGHT;
using platform::DIK_UP;
using platform::DIK_Z;
using testsupport::PlayFrames;
using testsupport::PlayTap;

constexpr int kFadeFrames = 17;

// A list of four points, the second one disabled. Icons are 32x32 at the given corners.
const char* const kFourPoints =
    "4\n"
    "1,村,はじまりの村,village.cnn,100,300,1\n"
    "2,塔,近づけない,tower.cnn,300,100,0\n"
    "3,森,深い森,forest.cnn,500,200,1\n"
    "4,港,東の港,harbor.cnn,700,320,1\n"
    "#end\n";

class FieldSceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::StartGame();
    testsupport::UseManualClock();
    testsupport::EnterScratchDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
    // The built game's pictures and sounds.
    ASSERT_EQ(symlink(VELUNNA_GAME_DIR "/Graphic", "Graphic"), 0);
    ASSERT_EQ(symlink(VELUNNA_GAME_DIR "/Sound", "Sound"), 0);
    testsupport::WriteFile("Data/Temp/.keep", "");
    testsupport::UseScriptedInput();
    testsupport::SetMouse(0, 0);
    // No field scene left half-played by a test before: the overlay closed, the first point.
    testsupport::Renew(&g_FieldScene);
  }
  // The scene's sprites leave the draw list with its arrays.
  void TearDown() override { g_SceneArrays.Release(); }

  // Game text: UTF-8 with "\n" here, CP932 with "\r\n" on disk, scrambled.
  static void WriteText(const std::string& path, const std::string& utf8) {
    std::string crlf;
    for (char c : utf8) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string bytes = platform::Utf8ToCp932(crlf);
    g_FileScrambler.XorBuffer(bytes.data(), bytes.data(), static_cast<uint32_t>(bytes.size()));
    testsupport::WriteFile(path, bytes);
  }
  static void WriteList(const std::string& name, const std::string& utf8) {
    WriteText("Data/Script/map/" + name + ".map", utf8);
  }
  static std::string ListPath(const std::string& name) { return ".\\Data\\Script\\map\\" + name; }

  // Runs "#setfield name" from the main script and plays through the set-up and the fade-in.
  void EnterField(const std::string& name) {
    WriteText("Data/Script/main.cnn", "#setfield " + name + "\n");
    g_GameState.SetMode(GameMode::MainScript);
    PlayFrames(1);
    ASSERT_EQ(g_GameState.GetMode(), GameMode::FieldSetUp);
    PlayFrames(1);
    ASSERT_EQ(g_GameState.GetMode(), GameMode::FieldRun);
    ASSERT_EQ(g_FieldScene.GetPhase(), FieldPhase::FadeIn);
    PlayFrames(kFadeFrames);
    ASSERT_EQ(g_FieldScene.GetPhase(), FieldPhase::Select);
  }

  // The sound in the slot was started in the last frame (its position is still 0 while running).
  static bool JustPlayed(int slot) {
    if (!g_MediaPlayers) return false;
    const MediaPlayer& player = g_MediaPlayers[slot];
    return player.IsPlaying() && player.GetPosition() == 0;
  }
  static int Highlighted() {
    int found = -1;
    for (int i = 0; i < g_FieldScene.GetPointCount(); ++i) {
      if (!g_FieldScene.GetPoint(i)->highlighted) continue;
      EXPECT_EQ(found, -1) << "two points highlighted";
      found = i;
    }
    return found;
  }
  static SpriteState StateOf(int sprite) {
    SpriteState state;
    g_Sprites[sprite].GetState(&state);
    return state;
  }

  testsupport::MessageBoxCapture boxes_;
};

TEST_F(FieldSceneTest, TheMapNumberPicksTheBackground) {
  struct Case {
    const char* name;
    int mapNumber;
    const char* background;
  };
  const Case cases[] = {
      {"field03", 3, ".\\Graphic\\field2.bmp"},  {"field04", 4, ".\\Graphic\\field2.bmp"},
      {"field05", 5, ".\\Graphic\\field1.bmp"},  {"field06", 6, ".\\Graphic\\field2.bmp"},
      {"field33", 33, ".\\Graphic\\field1.bmp"}, {"field32", 32, ".\\Graphic\\field2.bmp"},
      {"field02", 2, ".\\Graphic\\field1.bmp"},  {"sea07", 7, ".\\Graphic\\field1.bmp"},
      {"x1", 0, ".\\Graphic\\field1.bmp"},  // "x1" is no number
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteList(c.name, "1\n1,a,b,c.cnn,10,10,1\n#end\n");
    ASSERT_EQ(g_FieldScene.LoadMap(ListPath(c.name).c_str()), S_OK);
    EXPECT_EQ(g_FieldScene.GetMapNumber(), c.mapNumber);
    ASSERT_EQ(g_FieldScene.SetUpGraphics(), S_OK);
    TextureInfo info;
    EXPECT_STREQ(g_TextureTable[1].GetInfo(&info)->name, c.background);
    EXPECT_EQ(g_TextureTable[1].GetWidth(), 854u);
    EXPECT_EQ(StateOf(FieldScene::kBackgroundSprite).width, 854.0f);
  }
  // The number is read from the two characters before the first dot after the fourth character.
  EXPECT_EQ(FieldScene::MapNumberFromPath(".\\Data\\Script\\map\\ab12.x.map"), 12);
  EXPECT_EQ(FieldScene::MapNumberFromPath(".\\Data\\Script\\map\\field 9.map"), 9);
  EXPECT_EQ(FieldScene::MapNumberFromPath(".\\Data\\Script\\map\\a.map"), 0);
}

TEST_F(FieldSceneTest, SetUpShowsTheMapIconsSignAndCommentWindowAfterTheFade) {
  WriteList("demo", kFourPoints);
  WriteText("Data/Script/main.cnn", "#setfield demo\n");
  g_GameState.SetMode(GameMode::MainScript);
  PlayFrames(2);
  ASSERT_EQ(g_GameState.GetMode(), GameMode::FieldRun);
  // The set-up frame: the black overlay covers the whole 854-wide screen.
  EXPECT_EQ(testsupport::PixelAt(5, 5), 0xFF000000u);
  EXPECT_EQ(testsupport::PixelAt(850, 5), 0xFF000000u);
  EXPECT_EQ(StateOf(FieldScene::kOverlaySprite).width, 854.0f);
  // The music runs from the load on.
  ASSERT_NE(g_MediaPlayers, nullptr);
  EXPECT_TRUE(g_MediaPlayers[FieldScene::kMusicSlot].IsPlaying());

  PlayFrames(kFadeFrames);
  ASSERT_EQ(g_FieldScene.GetPhase(), FieldPhase::Select);
  EXPECT_EQ(g_FieldScene.GetOverlayAlpha(), 0);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 0);
  EXPECT_EQ(Highlighted(), 0);
  // Icons of enabled points only; the sign 5 pixels above the selected icon.
  EXPECT_EQ(StateOf(FieldScene::kFirstIconSprite + 0).visible, 1);
  EXPECT_EQ(StateOf(FieldScene::kFirstIconSprite + 1).visible, 0);
  const SpriteState sign = StateOf(FieldScene::kPlayerPointSprite);
  EXPECT_EQ(sign.x, 100.0f);
  EXPECT_EQ(sign.y, 295.0f);
  EXPECT_EQ(StateOf(FieldScene::kCommentSprite).visible, 1);

  // The map shows where nothing covers it; the enabled point's icon (its red marker) and the
  // sign's yellow arrow lie over it; the disabled point has no icon.
  EXPECT_NE(testsupport::PixelAt(850, 5), 0xFF000000u);
  EXPECT_EQ(testsupport::PixelAt(100 + 16, 300 + 24), 0xFFD2503Cu);
  EXPECT_EQ(testsupport::PixelAt(100 + 16, 295 + 12), 0xFFFFD640u);
  EXPECT_NE(testsupport::PixelAt(300 + 16, 100 + 24), 0xFFD2503Cu);
}

TEST_F(FieldSceneTest, TheSelectedPointsNameAndCommentAreDrawnAtTheirPlaces) {
  WriteList("demo", kFourPoints);
  EnterField("demo");
  PlayFrames(1);
  const auto* shown = g_FieldScene.GetPoint(g_FieldScene.GetSelectedPoint());
  ASSERT_NE(shown, nullptr);
  testsupport::ExpectCommentWindowTexts(shown->name.c_str(), shown->comment.c_str());
  const std::vector<uint32_t> first = testsupport::ReadScreen(0, 400, 480, 70);
  // The texts follow the selection.
  PlayTap(DIK_DOWN);
  EXPECT_NE(testsupport::ReadScreen(0, 400, 480, 70), first);
}

TEST_F(FieldSceneTest, HoverSelectsAndAClickDecidesWithinTheBoxEdges) {
  WriteList("demo", kFourPoints);
  EnterField("demo");
  // Point 2 (index 2) has its icon at (500, 200): its box is 502..530 by 202..230.
  testsupport::SetMouse(501, 215);
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 0);
  EXPECT_FALSE(JustPlayed(FieldScene::kSelectSlot));
  testsupport::SetMouse(502, 202);
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 2);
  EXPECT_EQ(Highlighted(), 2);
  EXPECT_EQ(StateOf(FieldScene::kPlayerPointSprite).y, 195.0f);
  EXPECT_TRUE(JustPlayed(FieldScene::kSelectSlot));
  // Still over the same point: no new select sound.
  testsupport::SetMouse(530, 230);
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 2);
  EXPECT_FALSE(JustPlayed(FieldScene::kSelectSlot));
  testsupport::SetMouse(531, 230);
  PlayFrames(1);
  testsupport::SetMouse(520, 231);
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 2);

  // The disabled point is never hovered.
  testsupport::SetMouse(316, 116);
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 2);
  EXPECT_EQ(Highlighted(), 2);

  // While a point is hovered the keys do not move the selection.
  testsupport::SetMouse(116, 316);
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 0);
  PlayTap(DIK_DOWN);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 0);

  // A click outside every point decides nothing.
  testsupport::SetMouse(10, 10, 1);
  PlayFrames(1);
  testsupport::SetMouse(10, 10, 0);
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetPhase(), FieldPhase::Select);
  // A click on a point decides it: the decide sound, then the fade-out.
  testsupport::SetMouse(716, 336, 1);
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetPhase(), FieldPhase::FadeOut);
  EXPECT_EQ(g_FieldScene.GetChosenPoint(), 3);
  EXPECT_TRUE(JustPlayed(FieldScene::kDecideSlot));
}

TEST_F(FieldSceneTest, KeysAndStickStepOverDisabledPointsAndWrap) {
  WriteList("demo", kFourPoints);
  EnterField("demo");
  PlayTap(DIK_DOWN);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 2);  // index 1 is disabled
  PlayTap(DIK_RIGHT);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 3);
  PlayTap(DIK_DOWN);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 0);  // past the last point
  PlayTap(DIK_UP);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 3);  // before the first
  PlayTap(DIK_LEFT);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 2);
  EXPECT_EQ(Highlighted(), 2);
  EXPECT_EQ(StateOf(FieldScene::kPlayerPointSprite).x, 500.0f);

  // The stick: up and left go back, down and right forward.
  testsupport::SetJoystick(0, -1000);
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 0);
  EXPECT_TRUE(JustPlayed(FieldScene::kSelectSlot));
  PlayFrames(1);  // held: no second step
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 0);
  testsupport::SetJoystick(1000, 0);
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 2);
  testsupport::SetJoystick(0, 0);
  PlayFrames(1);

  // Back and forward in one frame: back wins.
  testsupport::PressKeys({DIK_UP, DIK_DOWN});
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 0);
}

TEST_F(FieldSceneTest, OneEnabledPointKeepsTheSelectionSilently) {
  WriteList("one", "3\n1,a,b,a.cnn,10,10,0\n2,c,d,c.cnn,100,100,1\n3,e,f,e.cnn,200,200,0\n#end\n");
  EnterField("one");
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 1);
  for (int key : {DIK_DOWN, DIK_UP}) {
    testsupport::PressKeys({key});
    PlayFrames(1);
    EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 1);
    EXPECT_FALSE(JustPlayed(FieldScene::kSelectSlot));
    testsupport::ReleaseAll();
    PlayFrames(1);
  }
}

TEST_F(FieldSceneTest, NothingRespondsDuringTheFadeIn) {
  WriteList("demo", kFourPoints);
  WriteText("Data/Script/main.cnn", "#setfield demo\n");
  g_GameState.SetMode(GameMode::MainScript);
  PlayFrames(2);
  ASSERT_EQ(g_FieldScene.GetPhase(), FieldPhase::FadeIn);
  testsupport::SetMouse(516, 216, 1);
  testsupport::PressKeys({DIK_DOWN, DIK_Z});
  PlayFrames(kFadeFrames - 1);
  EXPECT_EQ(g_FieldScene.GetPhase(), FieldPhase::FadeIn);
  EXPECT_EQ(g_FieldScene.GetOverlayAlpha(), 15);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 0);
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetPhase(), FieldPhase::Select);
  EXPECT_EQ(g_FieldScene.GetSelectedPoint(), 0);
}

TEST_F(FieldSceneTest, ZDecidesAndThePointScriptRunsAfterTheFadeOut) {
  WriteList("demo", kFourPoints);
  WriteList("small", "2\n1,x,y,back.cnn,40,40,0\n2,z,w,back.cnn,60,60,0\n#end\n");
  WriteText("Script/map/forest.cnn", "a comment line\n#setfield small\n");
  EnterField("demo");
  PlayTap(DIK_DOWN);
  PlayTap(DIK_DOWN);
  ASSERT_EQ(g_FieldScene.GetSelectedPoint(), 3);
  PlayTap(DIK_UP);
  ASSERT_EQ(g_FieldScene.GetSelectedPoint(), 2);
  testsupport::PressKeys({DIK_Z});
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetPhase(), FieldPhase::FadeOut);
  EXPECT_EQ(g_FieldScene.GetChosenPoint(), 2);
  EXPECT_TRUE(JustPlayed(FieldScene::kDecideSlot));
  testsupport::ReleaseAll();
  PlayFrames(kFadeFrames - 1);
  EXPECT_EQ(g_FieldScene.GetPhase(), FieldPhase::FadeOut);
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetPhase(), FieldPhase::Go);
  EXPECT_EQ(g_FieldScene.GetOverlayAlpha(), 255);
  // The go phase: the players close, the point's script loads the next list.
  PlayFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::FieldSetUp);
  EXPECT_EQ(g_FieldScene.GetPointCount(), 2);
  EXPECT_TRUE(boxes_.messages.empty());

  // The shorter list, with no enabled point, starts from a selection inside it and never hangs.
  PlayFrames(1 + kFadeFrames);
  ASSERT_EQ(g_FieldScene.GetPhase(), FieldPhase::Select);
  EXPECT_LT(g_FieldScene.GetSelectedPoint(), 2);
  EXPECT_EQ(Highlighted(), -1);
  PlayTap(DIK_DOWN);
  PlayTap(DIK_UP);
  testsupport::SetMouse(50, 50, 1);
  testsupport::PressKeys({DIK_Z});
  PlayFrames(1);
  EXPECT_EQ(g_FieldScene.GetPhase(), FieldPhase::Select);
  EXPECT_EQ(Highlighted(), -1);
  // Nothing highlighted: no comment window.
  EXPECT_EQ(StateOf(FieldScene::kCommentSprite).visible, 0);
}

TEST_F(FieldSceneTest, MalformedListsFailToLoadAndTheSetUpQuitsNamingTheList) {
  const std::string sixtyFour(64, 'n');
  const std::string fiftyOne(51, 's');
  const char* const good = "1,a,b,c.cnn,10,10,1\n";
  const std::vector<std::string> bad = {
      "",
      "0\n#end\n",
      "x\n1,a,b,c.cnn,10,10,1\n#end\n",
      "2\n1,a,b,c.cnn,10,10,1\n#end\n",              // fewer lines than the count
      "1\n1,a,b,c.cnn,10,10,1\n2,a,b,c.cnn,10,10,1\n#end\n",  // more lines than the count
      "1\n1,a,b,c.cnn,10,10,1\n",                     // no #end
      "1\n1,a,b,c.cnn,10,1\n#end\n",                  // six fields
      "1\n1," + sixtyFour + ",b,c.cnn,10,10,1\n#end\n",
      "1\n1,a,b," + fiftyOne + ",10,10,1\n#end\n",
      "1\n1,a,b,c.cnn,,10,1\n#end\n",                 // empty x
      "1\n1,a,b,c.cnn,ten,10,1\n#end\n",
      "1\n1,a,b,c.cnn,10,10,99999999999\n#end\n",  // enabled beyond the int range
      "99999999999999999999\n" + std::string(good) + "#end\n",
  };
  for (size_t i = 0; i < bad.size(); ++i) {
    SCOPED_TRACE(i);
    WriteList("bad", bad[i]);
    EXPECT_EQ(g_FieldScene.LoadMap(ListPath("bad").c_str()), E_FAIL);
    EXPECT_EQ(g_FieldScene.HasLoadFailed(), 1);
    EXPECT_EQ(g_FieldScene.GetPointCount(), 0);
    EXPECT_STREQ(g_FieldScene.GetFailedListPath(), ".\\Data\\Script\\map\\bad.map");
  }
  // A good list after a failed one loads.
  WriteList("good", std::string("1\n") + good + "#end\n");
  EXPECT_EQ(g_FieldScene.LoadMap(ListPath("good").c_str()), S_OK);
  EXPECT_EQ(g_FieldScene.HasLoadFailed(), 0);

  // A name that does not fit the list's 64-byte path fails without reading anything.
  const std::string longName(42, 'L');
  EXPECT_EQ(g_FieldScene.LoadMap(ListPath(longName).c_str()), E_FAIL);
  EXPECT_EQ(g_FieldScene.HasLoadFailed(), 1);
  EXPECT_EQ(g_FieldScene.GetPointCount(), 0);
  const std::string fitting(41, 'F');
  WriteList(fitting, std::string("1\n") + good + "#end\n");
  EXPECT_EQ(g_FieldScene.LoadMap(ListPath(fitting).c_str()), S_OK);

  // Through "#setfield": the set-up shows the file, the line and what is wrong, and the game
  // ends with the data-error code.
  WriteList("bad", "2\n" + std::string(good) + "2,a,b,c.cnn,ten,10,1\n#end\n");
  WriteText("Data/Script/main.cnn", "#setfield bad\n");
  g_GameState.SetMode(GameMode::MainScript);
  PlayFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::FieldSetUp);
  PlayFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  EXPECT_EQ(g_GameState.GetQuitCode(), 1);
  ASSERT_EQ(boxes_.messages.size(), 1u);
  EXPECT_EQ(boxes_.messages[0], "Err: File : .\\Data\\Script\\map\\bad.map Line : 3 \n xの項目が数値ではありません");
  EXPECT_EQ(g_Sprites, nullptr);

  // A list that cannot be opened keeps the open-failure message.
  boxes_.Clear();
  WriteText("Data/Script/main.cnn", "#setfield nosuch\n");
  g_GameState.SetMode(GameMode::MainScript);
  PlayFrames(2);
  ASSERT_EQ(boxes_.messages.size(), 1u);
  EXPECT_EQ(boxes_.messages[0], "Err: File : .\\Data\\Script\\map\\nosuch.map Line : 0 \n ファイルOpen失敗");
}

TEST_F(FieldSceneTest, EmptyIdYAndEnabledReadAsZeroAndEnabledIsTheRestOfTheLine) {
  WriteList("loose", "3\n,a,b,c.cnn,10,,\n7,d,e,f.cnn,20, 30 ,1,2\n8,,,,40,50, 3 remark\n#end\n");
  ASSERT_EQ(g_FieldScene.LoadMap(ListPath("loose").c_str()), S_OK);
  ASSERT_EQ(g_FieldScene.GetPointCount(), 3);
  const FieldPoint* first = g_FieldScene.GetPoint(0);
  EXPECT_EQ(first->id, 0);
  EXPECT_EQ(first->y, 0.0f);
  EXPECT_EQ(first->enabled, 0);
  EXPECT_EQ(g_FieldScene.GetPoint(1)->y, 30.0f);
  EXPECT_EQ(g_FieldScene.GetPoint(1)->enabled, 1);
  EXPECT_EQ(std::string(g_FieldScene.GetPoint(2)->script), "");
  EXPECT_EQ(g_FieldScene.GetPoint(2)->enabled, 1);
}

TEST_F(FieldSceneTest, TheCountLineIsReadUpToItsFirstNonDigit) {
  // Leading blanks are skipped and whatever follows the number is not part of it.
  WriteList("remark", "  2 points\n1,a,b,c.cnn,10,10,1\n2,d,e,f.cnn,50,10,0\n#end\n");
  ASSERT_EQ(g_FieldScene.LoadMap(ListPath("remark").c_str()), S_OK);
  EXPECT_EQ(g_FieldScene.HasLoadFailed(), 0);
  EXPECT_EQ(g_FieldScene.GetPointCount(), 2);
  WriteList("remark", "2;\n1,a,b,c.cnn,10,10,1\n2,d,e,f.cnn,50,10,0\n#end\n");
  ASSERT_EQ(g_FieldScene.LoadMap(ListPath("remark").c_str()), S_OK);
  EXPECT_EQ(g_FieldScene.GetPointCount(), 2);
  // Without a digit before the first other character there is no count.
  WriteList("remark", "-2\n1,a,b,c.cnn,10,10,1\n2,d,e,f.cnn,50,10,0\n#end\n");
  EXPECT_EQ(g_FieldScene.LoadMap(ListPath("remark").c_str()), E_FAIL);
  EXPECT_EQ(g_FieldScene.GetPointCount(), 0);
}

TEST_F(FieldSceneTest, AnUnreadablePointScriptShowsTheMessageAndQuits) {
  WriteList("demo", kFourPoints);
  EnterField("demo");  // no script files at all
  PlayTap(DIK_Z);
  PlayFrames(kFadeFrames);
  ASSERT_EQ(g_FieldScene.GetPhase(), FieldPhase::Go);
  PlayFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  EXPECT_EQ(g_GameState.GetQuitCode(), 1);
  ASSERT_EQ(boxes_.messages.size(), 1u);
  EXPECT_NE(boxes_.messages[0].find(".\\Script\\map\\village.cnn"), std::string::npos) << boxes_.messages[0];
  EXPECT_EQ(g_MediaPlayers, nullptr);
}

TEST_F(FieldSceneTest, TheDemoFromTheTitleMenuToTheFieldsAndBack) {
  // The game's own demo data, as built, from the main script on.
  for (const char* dir : {"Data/Script", "Data/Graphic", "Data/Sound", "Script"}) {
    const std::filesystem::path parent = std::filesystem::path(dir).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent);
    ASSERT_EQ(symlink((std::string(VELUNNA_GAME_DIR "/") + dir).c_str(), dir), 0) << dir;
  }
  testsupport::Renew(&g_StartMenu);  // the title menu as the game first opens it, on its first entry
  g_GameState.SetMode(GameMode::MainScript);
  PlayFrames(2 + kFadeFrames);
  ASSERT_EQ(g_GameState.GetMode(), GameMode::StartMenuRun);
  // The map entry: after the story and the key configuration (the disabled entry is skipped).
  PlayTap(DIK_DOWN);
  PlayTap(DIK_DOWN);
  PlayTap(DIK_DOWN);
  PlayTap(DIK_Z);
  for (int i = 0; i < 3 * kFadeFrames && g_GameState.GetMode() != GameMode::FieldRun; ++i) PlayFrames(1);
  ASSERT_EQ(g_GameState.GetMode(), GameMode::FieldRun);
  EXPECT_EQ(g_FieldScene.GetPointCount(), 4);
  EXPECT_EQ(g_FieldScene.GetMapNumber(), 1);
  int enabled = 0;
  for (int i = 0; i < g_FieldScene.GetPointCount(); ++i) enabled += g_FieldScene.GetPoint(i)->enabled;
  EXPECT_EQ(enabled, 4);
  PlayFrames(kFadeFrames);
  ASSERT_EQ(g_FieldScene.GetPhase(), FieldPhase::Select);

  // A click on the forest leads to the coast, whose map number picks the second map.
  testsupport::SetMouse(396, 168, 1);
  PlayFrames(2 + kFadeFrames);
  testsupport::SetMouse(0, 0);
  ASSERT_EQ(g_GameState.GetMode(), GameMode::FieldSetUp);
  EXPECT_EQ(g_FieldScene.GetMapNumber(), 4);
  EXPECT_EQ(g_FieldScene.GetPointCount(), 3);
  PlayFrames(1 + kFadeFrames);
  TextureInfo info;
  EXPECT_STREQ(g_TextureTable[1].GetInfo(&info)->name, ".\\Graphic\\field2.bmp");

  // The lighthouse leads back to the title menu.
  PlayTap(DIK_DOWN);
  EXPECT_STREQ(g_FieldScene.GetPoint(g_FieldScene.GetSelectedPoint())->script.c_str(), "lighthouse.cnn");
  PlayTap(DIK_Z);
  PlayFrames(kFadeFrames);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::StartMenuSetUp);
  PlayFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::StartMenuRun);
  EXPECT_TRUE(boxes_.messages.empty());
}

}  // namespace
