// The game state's per-frame dispatcher, the scene arrays, and the game run end to end.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "act/mapmodel.h"
#include "field/fieldscene.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "gameflow/scriptreader.h"
#include "librarysauce/fpscounter.h"
#include "librarysauce/frameclock.h"
#include "librarysauce/gamefont.h"
#include "librarysauce/framemanager.h"
#include "librarysauce/mediaplayer.h"
#include "librarysauce/musicsystem.h"
#include "librarysauce/sprite.h"
#include "librarysauce/texture.h"
#include "librarysauce/winmain.h"
#include "platform/input.h"
#include "platform/messagebox.h"
#include "platform/window.h"
#include "startmenu/startmenu.h"
#include "tests/acttestkit.h"
#include "tests/testsupport.h"

namespace {

class DispatcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnterScratchDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
    testsupport::UseManualClock();
    testsupport::StartGame();
    boxes_.RequireKind(platform::MessageBoxKind::Warning, "file errors carry the warning icon");
    DrainEvents();
  }
  // What the scenes played here loaded and no leave mode released: the menu's list, the arrays.
  void TearDown() override {
    g_StartMenu.Release();
    g_SceneArrays.Release();
  }

  static void DrainEvents() {
    platform::Event event;
    while (platform::PeekEvent(&event)) {
    }
  }
  // Runs turns of the message loop until it ends or the turns run out; the exit code, or -1.
  static int RunLoop(int turns) {
    int code = -1;
    for (int i = 0; i < turns; ++i) {
      if (RunMessageLoopTurn(&code)) return code;
    }
    return -1;
  }
  static bool QuitQueued() {
    platform::Event event;
    bool quit = false;
    while (platform::PeekEvent(&event)) quit = quit || event.type == platform::EventType::Quit;
    return quit;
  }

  testsupport::MessageBoxCapture boxes_;
};

TEST(GameStateTest, AFreshStateIsInTheMainScriptModeWithNoArrays) {
  GameState state;
  EXPECT_EQ(state.GetMode(), GameMode::MainScript);
  EXPECT_EQ(state.GetNextMode(), 0);
  EXPECT_EQ(state.GetSpriteCount(), 0);
  EXPECT_EQ(state.GetTextureCount(), 0);
  EXPECT_EQ(state.GetQuitCode(), 0);
}

TEST_F(DispatcherTest, ModesWithoutAStepOnlyRunTheFixedSteps) {
  for (int mode : {11, 12, 13, 18, 19, 21, -1}) {
    SCOPED_TRACE(mode);
    g_GameState.SetMode(mode);
    g_GameState.SetNextMode(GameMode::Quit);
    testsupport::AdvanceClock(16);
    testsupport::StillFrames(3);
    EXPECT_EQ(g_GameState.GetMode(), mode);
    EXPECT_EQ(g_FrameClock.GetTime(), testsupport::ManualClockNow());
    EXPECT_FALSE(QuitQueued());
  }
  EXPECT_TRUE(boxes_.captioned.empty());
}

TEST_F(DispatcherTest, LeaveModesEnterTheNextModeInTheSameFrame) {
  for (int leave : {GameMode::StartMenuLeave, GameMode::FieldLeave, GameMode::AdvNext, GameMode::ActionLeave}) {
    SCOPED_TRACE(leave);
    g_GameState.SetMode(leave);
    g_GameState.SetNextMode(13);
    testsupport::StillFrames(1);
    EXPECT_EQ(g_GameState.GetMode(), 13);
  }
}

TEST_F(DispatcherTest, TheMainScriptRunsOnEveryFrameUntilAModeChanges) {
  testsupport::WriteScrambled("Data/Script/main.cnn", "#save\r\n#Load\r\n");
  g_GameState.SetMode(GameMode::MainScript);
  testsupport::StillFrames(1);
  EXPECT_TRUE(testsupport::FileExists("SAVE/TestSave.sav"));
  std::remove("SAVE/TestSave.sav");
  testsupport::StillFrames(1);
  EXPECT_TRUE(testsupport::FileExists("SAVE/TestSave.sav")) << "the script runs again from its first line";
  EXPECT_EQ(g_GameState.GetMode(), GameMode::MainScript);

  testsupport::WriteScrambled("Data/Script/main.cnn", "#setaction stage1\r\n");
  testsupport::StillFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::StartMenuSetUp);
  EXPECT_EQ(g_GameState.GetNextMode(), GameMode::ActionStart);
  EXPECT_TRUE(boxes_.captioned.empty());
}

TEST_F(DispatcherTest, AnUnreadableMainScriptIsReportedAndEndsTheGameWithAnError) {
  g_GameState.SetMode(GameMode::MainScript);
  EXPECT_EQ(RunLoop(5), 1);
  ASSERT_EQ(boxes_.captioned.size(), 1u);
  EXPECT_EQ(boxes_.captioned[0], "Velunna |Err: File : .\\Data\\Script\\main.cnn Line : 0 \n ファイルOpen失敗");
}

TEST_F(DispatcherTest, AMissingStageMapIsNamedAndTheGameEndsWithAnError) {
  testsupport::WriteScrambled("Data/Script/main.cnn", "#setaction stage01,stage02\r\n");
  g_GameState.SetMode(GameMode::MainScript);
  testsupport::StillFrames(1);
  g_GameState.SetMode(GameMode::ActionStart);
  EXPECT_EQ(RunLoop(5), 1);
  ASSERT_EQ(boxes_.captioned.size(), 1u);
  EXPECT_NE(boxes_.captioned[0].find(".\\Data\\Script\\act_stage\\stage01.cnn"), std::string::npos)
      << boxes_.captioned[0];
}

TEST_F(DispatcherTest, AFieldListThatFailedIsReportedByTheSetUpWhichQuits) {
  testsupport::WriteScrambled("Data/Script/main.cnn", "#setfield nosuchfield\r\n");
  g_GameState.SetMode(GameMode::MainScript);
  testsupport::StillFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::FieldSetUp);
  EXPECT_TRUE(boxes_.captioned.empty());
  EXPECT_EQ(RunLoop(5), 1);
  ASSERT_EQ(boxes_.captioned.size(), 1u);
  EXPECT_NE(boxes_.captioned[0].find(".\\Data\\Script\\map\\nosuchfield.map"), std::string::npos)
      << boxes_.captioned[0];
}

TEST_F(DispatcherTest, EndingsCausedByDataExitWithOneAndTheScriptsOwnEndWithZero) {
  const struct {
    const char* mainScript;
    int exitCode;
    const char* named;  // the file the message names
  } cases[] = {
      {"#end\r\n", 0, nullptr},
      {"", 1, "main.cnn Line : 1"},
      {"remark\r\n#save\r\n", 1, "main.cnn Line : 3"},
      {"#setstartmenu nosuch\r\n", 1, "nosuch.stm"},
      {"#setnovel nosuch.txt\r\n", 1, "nosuch.txt"},
      {"#setfield nosuch\r\n", 1, "nosuch.map"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mainScript);
    boxes_.Clear();
    g_GameState.SetQuitCode(0);
    testsupport::WriteScrambled("Data/Script/main.cnn", c.mainScript);
    g_GameState.SetMode(GameMode::MainScript);
    EXPECT_EQ(RunLoop(10), c.exitCode);
    DrainEvents();
    if (!c.named) {
      EXPECT_TRUE(boxes_.captioned.empty());
      continue;
    }
    ASSERT_EQ(boxes_.captioned.size(), 1u);
    EXPECT_NE(boxes_.captioned[0].find(c.named), std::string::npos) << boxes_.captioned[0];
  }
}

TEST_F(DispatcherTest, EveryFrameStepsInputTheClockAndTheFpsToggle) {
  g_GameState.SetMode(13);
  testsupport::UseScriptedInput();
  g_FpsCounter = FpsCounter();  // hidden, as the game starts
  ASSERT_EQ(g_FpsCounter.IsVisible(), 0);
  testsupport::PressKeys({platform::DIK_F1});
  testsupport::AdvanceClock(1234);
  testsupport::StillFrames(2);  // held: one toggle
  EXPECT_EQ(g_FpsCounter.IsVisible(), 1);
  EXPECT_EQ(g_FrameClock.GetTime(), testsupport::ManualClockNow());
  testsupport::ReleaseAll();
  testsupport::StillFrames(1);
  testsupport::PressKeys({platform::DIK_F1});
  testsupport::StillFrames(1);
  EXPECT_EQ(g_FpsCounter.IsVisible(), 0);
  testsupport::StopScriptedInput();
}

TEST_F(DispatcherTest, DeviceStartUpGoesOnPastAResourceThatFails) {
  g_GameState.Release();
  platform::ScriptedInput noInput;
  noInput.canStart = false;
  platform::SetScriptedInput(noInput);
  testing::internal::CaptureStderr();
  EXPECT_EQ(g_GameState.Init(), E_FAIL);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("input devices could not be created"), std::string::npos);
  // The music system and all four fonts are made after the input that failed.
  EXPECT_TRUE(g_MusicSystem.IsInitialized());
  for (const GameFont& font : g_Fonts) EXPECT_TRUE(font.HasFont());
  platform::ClearScriptedInput();
  EXPECT_EQ(g_GameState.Init(), S_OK);
}

TEST_F(DispatcherTest, ASuspendedFrameLastsWhileAPlayerPlaysAndSpaceClosesThemAll) {
  testsupport::WriteFile("Sound/Long.wav", testsupport::MakeWav(10000));
  testsupport::UseScriptedInput();
  g_MediaPlayerPool.CloseAll();  // none left by a scene played before
  g_MediaPlayerPool.FreeAll();
  EXPECT_EQ(g_GameState.OnSuspendedFrame(), S_OK) << "no players at all";
  ASSERT_EQ(g_MediaPlayerPool.Allocate(11), S_OK);
  EXPECT_EQ(g_GameState.OnSuspendedFrame(), S_OK) << "none playing";
  ASSERT_EQ(g_MediaPlayers[3].Open(".\\Sound\\Long.wav"), 1);
  ASSERT_EQ(g_MediaPlayers[3].Play(), S_OK);
  EXPECT_EQ(g_GameState.OnSuspendedFrame(), E_FAIL);
  EXPECT_TRUE(g_MediaPlayers[3].IsOpen());

  testsupport::PressKeys({platform::DIK_SPACE});
  EXPECT_EQ(g_GameState.OnSuspendedFrame(), S_OK);
  for (int i = 0; i < 11; ++i) EXPECT_FALSE(g_MediaPlayers[i].IsOpen()) << i;
  testsupport::StopScriptedInput();
}

// The sprites of the draw list, from its head.
std::vector<const Sprite*> DrawList() {
  std::vector<const Sprite*> list;
  for (const Sprite* s = g_FrameManager.GetHead(); s && list.size() < 10000; s = s->GetNext()) list.push_back(s);
  return list;
}

// Stands in for a scene's set-up: its arrays through the owner, sprites 1 to n registered.
void SetUpSceneArrays(int spriteCount, int textureCount) {
  ASSERT_EQ(g_SceneArrays.Allocate(spriteCount, textureCount), S_OK);
  for (int i = 1; i < spriteCount; ++i) {
    g_Sprites[i].SetDepth(100);
    ASSERT_EQ(g_SceneArrays.Register(i), S_OK);
  }
}

TEST_F(DispatcherTest, EnteringASceneStraightFromAnotherLeavesOnlyItsSprites) {
  // The real scenes and commands: the menu's entry runs "#setfield", the field's points run
  // "#setstartmenu" and "#resumedungeon"; none of them passes through a leave mode.
  testsupport::UseScriptedInput();
  testsupport::WriteScrambled("Data/Script/main.cnn", "#setstartmenu menu\r\n");
  testsupport::WriteScrambled("Data/Script/stm/menu.stm", "1\r\n1,t,c,tofield.cnn,p.bmp,0,0,10,10,1\r\n#end\r\n");
  testsupport::WriteScrambled("Data/Script/stm/tofield.cnn", "#setfield f\r\n");
  testsupport::WriteScrambled("Data/Script/map/f.map",
                              "2\r\n1,a,b,back.cnn,10,10,1\r\n2,c,d,stage.cnn,50,10,1\r\n#end\r\n");
  testsupport::WriteScrambled("Script/map/back.cnn", "#setstartmenu menu\r\n");
  testsupport::WriteScrambled("Script/map/stage.cnn", "#resumedungeon\r\n");
  acttest::WriteStage("stage01", acttest::StageText(40, 20).Put(5, 10, "@").Floor(17).Text());
  // The draw list holds sprites 1 to `registered` of the current array and nothing else.
  auto drawListIsTheScenes = [](int registered) {
    std::vector<const Sprite*> listed = DrawList();
    std::vector<const Sprite*> scene;
    for (int i = 1; i <= registered; ++i) scene.push_back(&g_Sprites[i]);
    std::sort(listed.begin(), listed.end());
    std::sort(scene.begin(), scene.end());
    return listed == scene;
  };
  auto decideAndRunUntil = [](int mode) {
    testsupport::PressKeys({platform::DIK_Z});
    testsupport::StillFrames(1);
    testsupport::ReleaseAll();
    for (int i = 0; i < 40 && g_GameState.GetMode() != mode; ++i) testsupport::StillFrames(1);
    ASSERT_EQ(g_GameState.GetMode(), mode);
    testsupport::StillFrames(1);  // the new scene's set-up
  };
  auto enterField = [&] {
    decideAndRunUntil(GameMode::FieldSetUp);
    ASSERT_EQ(g_GameState.GetMode(), GameMode::FieldRun);
    EXPECT_TRUE(drawListIsTheScenes(2 + 4));
    testsupport::StillFrames(17);
  };

  g_GameState.SetMode(GameMode::MainScript);
  testsupport::StillFrames(2 + 17);
  ASSERT_EQ(g_GameState.GetMode(), GameMode::StartMenuRun);
  EXPECT_TRUE(drawListIsTheScenes(1 + 4));
  enterField();
  decideAndRunUntil(GameMode::StartMenuSetUp);
  ASSERT_EQ(g_GameState.GetMode(), GameMode::StartMenuRun);
  EXPECT_TRUE(drawListIsTheScenes(1 + 4));
  EXPECT_EQ(g_GameState.GetSpriteCount(), 1 + 6);
  EXPECT_EQ(g_GameState.GetTextureCount(), 1 + 5);

  // The stage list of an earlier "#setaction"; the field's second point resumes it.
  ASSERT_EQ(g_MapModel.SetStageList("stage01"), S_OK);
  testsupport::StillFrames(17);
  enterField();
  testsupport::PressKeys({platform::DIK_DOWN});
  testsupport::StillFrames(1);
  testsupport::ReleaseAll();
  decideAndRunUntil(GameMode::ActionStart);
  ASSERT_EQ(g_GameState.GetMode(), GameMode::ActionRun);
  const std::vector<const Sprite*> listed = DrawList();
  ASSERT_FALSE(listed.empty());
  for (const Sprite* sprite : listed) {
    ASSERT_GE(sprite, &g_Sprites[0]);
    ASSERT_LT(sprite, &g_Sprites[g_GameState.GetSpriteCount()]) << "a sprite of the field is still listed";
  }
  EXPECT_TRUE(boxes_.captioned.empty());
  testsupport::StopScriptedInput();

  // Leaving the action scene frees its arrays and empties the draw list.
  g_GameState.SetMode(GameMode::ActionLeave);
  g_GameState.SetNextMode(13);
  testsupport::StillFrames(1);
  EXPECT_TRUE(DrawList().empty());
  EXPECT_EQ(g_Sprites, nullptr);
  EXPECT_EQ(g_TextureTable, nullptr);
  EXPECT_EQ(g_GameState.GetSpriteCount(), 0);
  EXPECT_EQ(g_GameState.GetTextureCount(), 0);
  EXPECT_EQ(g_TextureTableCount, 0);
}

TEST_F(DispatcherTest, TheAdvHandOverModeLeavesTheCurrentArraysAlone) {
  SetUpSceneArrays(3, 2);
  g_GameState.SetMode(GameMode::AdvNext);
  g_GameState.SetNextMode(GameMode::AdvSetUp);
  testsupport::StillFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::AdvSetUp);
  EXPECT_EQ(DrawList().size(), 2u);
  EXPECT_EQ(g_GameState.GetSpriteCount(), 3);
  g_SceneArrays.Release();
}

// Runs the game binary, headless, on a game directory (at most 20 s); its exit code, and its
// standard output and error in *output.
int RunGame(const std::string& gameDir, std::string* output) {
  // In the sanitizer build the system's GL driver is unloaded at exit, and what it leaked can
  // no longer be told apart from the game's own; leaks are checked in the test process instead.
  const std::string command =
      "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "
      "VELUNNA_HEADLESS=1 timeout 20 " VELUNNA_BINARY " '" + gameDir + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe)) *output += buffer;
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(GameBinaryTest, SaveThenEndCreatesTheSaveFileAndExitsZero) {
  const std::string dir = testsupport::EnterScratchDirectory("binary-save");
  testsupport::WriteScrambled(dir + "/Data/Script/main.cnn", "#save\r\n#end\r\n");
  std::string err;
  EXPECT_EQ(RunGame(dir, &err), 0) << err;
  ASSERT_TRUE(testsupport::FileExists(dir + "/SAVE/TestSave.sav")) << err;
  EXPECT_EQ(testsupport::ReadFile(dir + "/SAVE/TestSave.sav"), "");
}

TEST(GameBinaryTest, WithoutAMainScriptTheGameSaysSoAndExitsWithAnError) {
  const std::string dir = testsupport::EnterScratchDirectory("binary-missing");
  std::string err;
  EXPECT_NE(RunGame(dir, &err), 0);
  EXPECT_NE(err.find("Err: File : .\\Data\\Script\\main.cnn"), std::string::npos) << err;
}

TEST(GameBinaryTest, DataTheGameCannotUseEndsItWithExitCodeOne) {
  const struct {
    const char* name;
    const char* mainScript;
    const char* fieldList;  // written as Data/Script/map/f.map when given
    const char* message;
  } cases[] = {
      {"binary-notitle", "#setstartmenu title\r\n", nullptr,
       "Err: File : .\\Data\\Script\\stm\\title.stm Line : 0 \n ファイルOpen失敗"},
      {"binary-emptymain", "", nullptr, "Err: File : .\\Data\\Script\\main.cnn Line : 1"},
      {"binary-badfield", "#setfield f\r\n", "1\r\n1,a,b,c.cnn,x,0,1\r\n#end\r\n",
       "Err: File : .\\Data\\Script\\map\\f.map Line : 2 \n x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string dir = testsupport::EnterScratchDirectory(c.name);
    testsupport::WriteScrambled(dir + "/Data/Script/main.cnn", c.mainScript);
    if (c.fieldList) testsupport::WriteScrambled(dir + "/Data/Script/map/f.map", c.fieldList);
    std::string err;
    EXPECT_EQ(RunGame(dir, &err), 1) << err;
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
  }
}

// Runs the game binary with its error output on a pipe, waits until that output shows `shown`,
// sends the game the signal and returns its exit status (-1 when it has not ended within 10 s).
// With boxesWait its headless message boxes wait for an answer that never comes.
int RunGameUntilSignalled(const std::string& gameDir, int signal, const char* shown, bool boxesWait = false) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipeEnds[1], 2);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    if (boxesWait) setenv("VELUNNA_BOX_WAITS", "1", 1);
    execl(VELUNNA_BINARY, VELUNNA_BINARY, gameDir.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeEnds[1]);
  FILE* err = fdopen(pipeEnds[0], "r");
  char line[512];
  bool running = false;
  while (!running && err && std::fgets(line, sizeof line, err)) running = std::strstr(line, shown) != nullptr;
  if (running) kill(pid, signal);
  if (err) std::fclose(err);
  int status = 0;
  bool ended = false;
  for (int i = 0; i < 1000 && !ended; ++i) {
    ended = waitpid(pid, &status, WNOHANG) == pid;
    if (!ended) usleep(10000);
  }
  if (!ended) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  return ended && running && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(GameBinaryTest, SigintAndSigtermEndTheGameWithZero) {
  for (int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    const std::string dir = testsupport::EnterScratchDirectory("binary-signal");
    // An unknown word is reported once; "#Load" then keeps the script running frame after frame.
    testsupport::WriteScrambled(dir + "/Data/Script/main.cnn", "#running\r\n#Load\r\n");
    EXPECT_EQ(RunGameUntilSignalled(dir, signal, "#running"), 0);
  }
}

TEST(GameBinaryTest, SigintAndSigtermEndTheGameWithZeroWhileAMessageBoxWaits) {
  // Without a key configuration the first box comes before the window exists; with one and
  // without a main script it comes in a frame, and answering it would end the game with 1.
  const struct {
    int signal;
    bool keyConfig;
    const char* box;
  } cases[] = {{SIGTERM, false, "librarysauce\\joy"}, {SIGINT, true, "main.cnn"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.box);
    const std::string dir = testsupport::EnterScratchDirectory("binary-signal-box");
    if (c.keyConfig) testsupport::WriteFile(dir + "/SAVE/Config.ini", std::string(7, '\x01'));
    EXPECT_EQ(RunGameUntilSignalled(dir, c.signal, c.box, true), 0);
  }
}

}  // namespace
