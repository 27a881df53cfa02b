// The action scene played through whole frames: the fade-in, pause, the goal and the death, the
// stage list's road, stages that cannot be started.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "act/actgraphics.h"
#include "act/actionscene.h"
#include "act/mapmodel.h"
#include "act/player.h"
#include "gameflow/gamestate.h"
#include "librarysauce/framemanager.h"
#include "librarysauce/mediaplayer.h"
#include "platform/input.h"
#include "tests/acttestkit.h"
#include "tests/testsupport.h"

namespace {

using namespace acttest;

constexpr int64_t kMs = 10000;  // media positions are in 100-ns units

class ActionSceneTest : public ActTest {
 protected:
  void SetUp() override {
    ActTest::SetUp();
    WriteActPictures();
    WriteActSounds();
    // Two stages told apart by where the hero starts: both 40 × 20 with a floor on row 15.
    WriteStage("first", StageText(40, 20).Put(5, 9, "@").Floor(15).Text());
    WriteStage("second", StageText(40, 20).Put(8, 9, "@").Floor(15).Text());
  }
  // Starts the list and runs the fade-in.
  void EnterStages(const std::string& list) {
    StartStages(list);
    StillFrames(17);
    ASSERT_EQ(SceneMode(), ActionSceneMode::Run);
  }
  static uint32_t FadeAlpha() { return SpriteAt(ActSprite::Fade).color >> 24; }
  static int64_t MusicPosition() { return g_MediaPlayers[ActSound::Bgm].GetPosition(); }
  // The stats a new hero does not have, to see whether they were kept.
  static void WearDown() {
    SetHp(100);
    SetMp(1234);
    SetSp(77);
    SetCharges(1);
    SetExhausted(1);
  }
  // Kept over runningFrames frames, in each of which MP drains 3 and SP fills 8.
  static void ExpectWornDown(int runningFrames) {
    EXPECT_EQ(Hp(), 100);
    EXPECT_EQ(Mp(), 1234 - 3 * runningFrames);
    EXPECT_EQ(Sp(), 77 + 8 * runningFrames);
    EXPECT_EQ(Charges(), 1);
    EXPECT_EQ(Exhausted(), 1);
  }
  static void ExpectNewHero() {
    EXPECT_EQ(Hp(), 250);
    EXPECT_EQ(Mp(), 35000);
    EXPECT_EQ(Sp(), 0);
    EXPECT_EQ(Charges(), 2);
    EXPECT_EQ(Exhausted(), 0);
  }
  // The hero stands at the start cell of "first" (column 5) or "second" (column 8).
  static void ExpectAtStartOf(int column) {
    EXPECT_EQ(Position().x, column * 32.0f);
    EXPECT_EQ(Position().y, 9 * 32.0f);
  }
};

TEST_F(ActionSceneTest, TheStageFadesInOverSeventeenFramesWhileTheWorldMoves) {
  WriteStage("high", StageText(40, 20).Put(5, 2, "@").Floor(15).Text());
  StartStages("high");
  EXPECT_EQ(FadeAlpha(), 255u);
  for (int frame = 1; frame <= 16; ++frame) {
    StillFrames(1);
    ASSERT_EQ(SceneMode(), ActionSceneMode::FadeIn) << frame;
    ASSERT_EQ(FadeAlpha(), 255u - 15u * frame) << frame;
  }
  StillFrames(1);
  EXPECT_EQ(SceneMode(), ActionSceneMode::Run);
  EXPECT_EQ(SpriteAt(ActSprite::Fade).color, 0x00000000u);
  EXPECT_EQ(FrameCount(), 17u);
  // Gravity ran in every frame of the fade: 0.5 + 1 + ... + 8.5.
  EXPECT_EQ(Position().y, 64 + 76.5f);
  EXPECT_EQ(CurrentGameMode(), GameMode::ActionRun);
}

TEST_F(ActionSceneTest, PauseStopsTheStageClockButNotAPressHeldFromTheFadeIn) {
  StartStages("first");
  StillFrames(5);
  PressKeys({key::Pause});  // pressed while the stage fades in, held on into the run
  StillFrames(20);
  EXPECT_EQ(SceneMode(), ActionSceneMode::Run);
  EXPECT_EQ(FrameCount(), 25u);
  ReleaseKeys({key::Pause});
  StillFrames(1);

  StartTimer(PlayerTimer::Dash);  // 15 frames
  StillFrames(10);
  StillTap(key::Pause);
  EXPECT_EQ(SceneMode(), ActionSceneMode::Pause);
  const uint32_t paused = FrameCount();
  EXPECT_EQ(paused, 36u);
  StillFrames(100);
  EXPECT_EQ(FrameCount(), paused);
  EXPECT_EQ(g_Player.IsTimerDone(PlayerTimer::Dash), 0);

  StillTap(key::Pause);  // the press resumes; the release frame runs
  EXPECT_EQ(SceneMode(), ActionSceneMode::Run);
  EXPECT_EQ(FrameCount(), paused + 1);
  StillFrames(3);
  EXPECT_EQ(g_Player.IsTimerDone(PlayerTimer::Dash), 0);
  StillFrames(1);
  EXPECT_EQ(g_Player.IsTimerDone(PlayerTimer::Dash), 1);
}

TEST_F(ActionSceneTest, TheGoalLeadsToTheNextStageKeepingTheHeroAndTheMusicAndTheLastStageRepeats) {
  EnterStages("first,second");
  WearDown();
  testsupport::AdvanceClock(3000);
  RequestStageEnd();
  StillFrames(5);
  RequestStageEnd();  // a second goal changes nothing: the fade goes on from where it is
  StillFrames(11);
  EXPECT_EQ(CurrentGameMode(), GameMode::ActionRun);
  EXPECT_EQ(FadeAlpha(), 240u);
  StillFrames(1);
  EXPECT_EQ(CurrentGameMode(), GameMode::ActionRestart);
  EXPECT_EQ(g_MapModel.GetStageIndex(), 1);

  StillFrames(1);
  EXPECT_EQ(CurrentGameMode(), GameMode::ActionRun);
  EXPECT_EQ(SceneMode(), ActionSceneMode::FadeIn);
  EXPECT_EQ(FadeAlpha(), 255u);
  EXPECT_EQ(FrameCount(), 0u);
  ExpectAtStartOf(8);
  ExpectWornDown(17);  // the fade-out's frames
  EXPECT_EQ(MusicPosition(), 3000 * kMs) << "the music plays on";

  StillFrames(17);
  RequestStageEnd();
  StillFrames(18);
  EXPECT_EQ(g_MapModel.GetStageIndex(), 1);
  EXPECT_EQ(CurrentGameMode(), GameMode::ActionRun);
  ExpectAtStartOf(8);
  ExpectWornDown(17 + 17 + 17);  // two fade-outs and a fade-in
}

TEST_F(ActionSceneTest, DeathStartsTheSameStageWithANewHeroAndTheMusicFromItsStart) {
  EnterStages("first,second");
  WearDown();
  testsupport::AdvanceClock(3000);
  SetFlags(PlayerState::Dead);
  StillFrames(1);
  EXPECT_EQ(SceneMode(), ActionSceneMode::Leave);
  StillFrames(1);
  EXPECT_EQ(CurrentGameMode(), GameMode::ActionLeave);
  StillFrames(1);
  EXPECT_EQ(CurrentGameMode(), GameMode::ActionStart);
  EXPECT_EQ(g_FrameManager.GetHead(), nullptr) << "the stage's sprites left the draw list";
  EXPECT_EQ(g_Sprites, nullptr);

  StillFrames(1);
  EXPECT_EQ(CurrentGameMode(), GameMode::ActionRun);
  EXPECT_EQ(g_MapModel.GetStageIndex(), 0);
  ExpectAtStartOf(5);
  ExpectNewHero();
  EXPECT_EQ(Flags(), 0u);
  EXPECT_EQ(MusicPosition(), 0);
  testsupport::AdvanceClock(40);
  EXPECT_EQ(MusicPosition(), 40 * kMs) << "the music plays again";
}

TEST_F(ActionSceneTest, DeathDuringTheGoalsFadeOutWins) {
  // Frames of the fade-out that run before the frame in which the hero dies: 0 (the goal and
  // the death in one frame), 5, and 16 (the fade becomes black in the death frame).
  for (int before : {0, 5, 16}) {
    SCOPED_TRACE(before);
    EnterStages("first,second");
    WearDown();
    RequestStageEnd();
    StillFrames(before);
    SetFlags(PlayerState::Dead);
    StillFrames(1);
    EXPECT_EQ(CurrentGameMode(), GameMode::ActionRun);
    EXPECT_EQ(SceneMode(), ActionSceneMode::Leave);
    StillFrames(3);
    EXPECT_EQ(CurrentGameMode(), GameMode::ActionRun);
    EXPECT_EQ(g_MapModel.GetStageIndex(), 0);
    ExpectAtStartOf(5);
    ExpectNewHero();
  }
}

TEST_F(ActionSceneTest, AStageThatCannotStartIsNamedAndEndsTheGame) {
  const struct {
    const char* script;
    bool firstStageRuns;  // the missing map is a later stage, reached by the goal
    const char* message;
  } cases[] = {
      {"#setaction nosuch\r\n", false, "ファイルオープン失敗:\n  .\\Data\\Script\\act_stage\\nosuch.cnn"},
      {"#setaction first,nosuch\r\n", true, "ファイルオープン失敗:\n  .\\Data\\Script\\act_stage\\nosuch.cnn"},
      {"#resumedungeon\r\n", false, "ステージが指定されていません"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    boxes_.Clear();
    g_GameState.SetQuitCode(0);
    g_MapModel.Release();  // no stage list from the case before
    testsupport::WriteScrambled("Data/Script/main.cnn", c.script);
    g_GameState.SetMode(GameMode::MainScript);
    if (c.firstStageRuns) {
      StillFrames(3);
      ASSERT_EQ(CurrentGameMode(), GameMode::ActionRun);
      StillFrames(17);
      RequestStageEnd();
      StillFrames(17);
    }
    for (int frame = 0; frame < 4 && CurrentGameMode() != GameMode::Quit; ++frame) {
      StillFrames(1);
      ASSERT_NE(CurrentGameMode(), GameMode::ActionRun);
    }
    EXPECT_EQ(CurrentGameMode(), GameMode::Quit);
    EXPECT_EQ(g_GameState.GetQuitCode(), 1);
    ASSERT_EQ(boxes_.messages.size(), 1u);
    EXPECT_TRUE(boxes_.Mentions(c.message)) << boxes_.messages[0];
    EXPECT_EQ(g_FrameManager.GetHead(), nullptr);
  }
}

TEST_F(ActionSceneTest, TheDemosStartEntryShowsTheHeroStandingOnTheMeadow) {
  namespace fs = std::filesystem;
  fs::remove_all("Data");
  fs::copy(fs::path(VELUNNA_GAME_DIR) / "Data", "Data", fs::copy_options::recursive);
  g_GameState.SetMode(GameMode::MainScript);  // as the game starts
  StillFrames(20);  // the title menu fades in
  StillTap(platform::DIK_Z);  // its first entry: start
  for (int i = 0; i < 40 && CurrentGameMode() != GameMode::ActionRun; ++i) StillFrames(1);
  ASSERT_EQ(CurrentGameMode(), GameMode::ActionRun);
  EXPECT_EQ(g_MapModel.GetStageCount(), 3);
  EXPECT_TRUE(g_MediaPlayers[ActSound::Bgm].IsPlaying());
  StillFrames(17);
  ASSERT_EQ(SceneMode(), ActionSceneMode::Run);

  // He fell from his start cell (column 1, row 10) onto the ground of row 16.
  EXPECT_EQ(Position().x, 32.0f);
  EXPECT_EQ(Position().y, 16 * 32 - 190.5f);
  EXPECT_FALSE(Flags() & PlayerState::Airborne);
  const int left = static_cast<int>(Position().x - Scroll().x);
  const int top = static_cast<int>(Position().y - Scroll().y);
  const int ground = 16 * 32 - static_cast<int>(Scroll().y);  // the ground's top on the screen

  // His boots stand on the ground: their lowest pixels a few above its top edge (the soles are
  // outlined).
  constexpr uint32_t kBoots = 0x603A20;
  const std::vector<uint32_t> body = testsupport::ReadScreen(left + 64, top + 96, 64, 94);
  int bootPixels = 0, lowestBoot = -1;
  for (size_t i = 0; i < body.size(); ++i) {
    if ((body[i] & 0xFFFFFF) != kBoots) continue;
    ++bootPixels;
    lowestBoot = top + 96 + static_cast<int>(i / 64);
  }
  EXPECT_GT(bootPixels, 40);
  EXPECT_GE(lowestBoot, ground - 6);
  EXPECT_LT(lowestBoot, ground);
  // Below them the ground's chips, above him the backgrounds: neither empty nor him.
  for (int y : {ground + 2, top + 20}) {
    const uint32_t pixel = testsupport::PixelAt(left + 96, y) & 0xFFFFFF;
    EXPECT_NE(pixel, 0u) << y;
    EXPECT_NE(pixel, kBoots) << y;
  }
  EXPECT_NE(testsupport::PixelAt(left + 96, ground + 2), testsupport::PixelAt(left + 96, top + 20));
}

// The music at volume 255 of 255 starts again at its end; the effects at 200 sound once.
TEST_F(ActionSceneTest, TheMusicLoopsAtFullVolumeAndTheEffectsPlayOnceAtTwoHundred) {
  EnterStages("first");
  const MediaPlayer& music = g_MediaPlayers[ActSound::Bgm];
  EXPECT_EQ(music.GetVolume(), 0) << "255: no attenuation";
  for (int slot = ActSound::Bgm + 1; slot < ActSound::Count; ++slot)  // in hundredths of a decibel
    EXPECT_EQ(g_MediaPlayers[slot].GetVolume(), (200 - 255) * 9600 / 255) << slot;

  PlayActSound(ActSound::PlayerHit);
  testsupport::AdvanceClock(kMusicMs + 500);
  StillFrames(1);
  EXPECT_TRUE(music.IsPlaying());
  EXPECT_EQ(MusicPosition(), 0) << "from its start again";
  const MediaPlayer& hit = g_MediaPlayers[ActSound::PlayerHit];
  EXPECT_EQ(hit.GetPosition(), hit.GetDuration()) << "once";
}

// A Pause press while the goal fades out neither stops the fade nor pauses the next stage.
TEST_F(ActionSceneTest, PauseIsNotTakenDuringTheGoalsFadeOut) {
  EnterStages("first,second");
  RequestStageEnd();
  StillFrames(5);
  StillTap(key::Pause);
  EXPECT_EQ(SceneMode(), ActionSceneMode::FadeOut);
  StillFrames(9);
  EXPECT_EQ(FadeAlpha(), 240u);
  StillFrames(1);
  EXPECT_EQ(CurrentGameMode(), GameMode::ActionRestart) << "the next stage on time";
  StillFrames(18);
  EXPECT_EQ(SceneMode(), ActionSceneMode::Run) << "and no pause kept for it";
  EXPECT_EQ(g_MapModel.GetStageIndex(), 1);
}

}  // namespace
