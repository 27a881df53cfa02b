// Media players and their pool on SDL's silent driver, with positions on the injected clock.
#include "librarysauce/mediaplayer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/audio.h"
#include "tests/testsupport.h"

namespace {

constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057u);
constexpr int64_t kMs = 10000;  // 100-ns units in a millisecond

class MediaPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnterScratchDirectory("media");
    testsupport::UseManualClock();
    testsupport::WriteFile("Sound/Short.wav", testsupport::MakeWav(500));
    testsupport::WriteFile("Sound/Long.wav", testsupport::MakeWav(10000));
  }
  void TearDown() override {
    g_MediaPlayerPool.CloseAll();
    g_MediaPlayerPool.FreeAll();
  }
};

TEST_F(MediaPlayerTest, OpensByGamePathAndRunsOnTheSilentDriverWithoutASoundCard) {
  MediaPlayer player;
  // A Windows game path, resolved without regard to case.
  EXPECT_EQ(player.Open(".\\sound\\SHORT.WAV"), 1);
  EXPECT_TRUE(player.IsOpen());
  EXPECT_TRUE(platform::IsAudioOpen());
  EXPECT_EQ(platform::AudioDriverName(), "dummy");
  EXPECT_EQ(player.GetDuration(), 500 * kMs);
  EXPECT_EQ(player.GetPosition(), 0);
  EXPECT_EQ(player.Play(), S_OK);
  EXPECT_TRUE(player.GetStream().IsMixing());
}

TEST_F(MediaPlayerTest, MissingOrMalformedFilesLeaveAClosedPlayerThatFailsQuietly) {
  static const char kBroken[] = "RIFF\x10\0\0\0WAVEjunkjunk";
  testsupport::WriteFile("Sound/Broken.wav", std::string(kBroken, sizeof kBroken - 1));
  for (const char* path : {".\\Sound\\Missing.wav", ".\\Sound\\Broken.wav"}) {
    MediaPlayer player;
    EXPECT_EQ(player.Open(path), E_FAIL) << path;
    EXPECT_FALSE(player.IsOpen());
    EXPECT_EQ(player.Play(), E_FAIL);
    EXPECT_EQ(player.Stop(), E_FAIL);
    EXPECT_EQ(player.Pause(), E_FAIL);
    EXPECT_EQ(player.Rewind(), E_FAIL);
    EXPECT_EQ(player.Update(), E_FAIL);
    EXPECT_EQ(player.SeekBy(10), E_FAIL);
    EXPECT_EQ(player.SetVolume(255), E_FAIL);
    EXPECT_EQ(player.Close(), S_OK);
    EXPECT_EQ(player.Close(), S_OK);
  }
  // A failed open closes what the player held before.
  MediaPlayer player;
  ASSERT_EQ(player.Open(".\\Sound\\Short.wav"), 1);
  EXPECT_EQ(player.Open(".\\Sound\\Missing.wav"), E_FAIL);
  EXPECT_FALSE(player.IsOpen());
}

TEST_F(MediaPlayerTest, NonLoopingPlayerFailsEveryUpdateAtItsEndUntilRewound) {
  MediaPlayer player;
  ASSERT_EQ(player.Open(".\\Sound\\Short.wav"), 1);
  EXPECT_EQ(player.Update(), S_OK);  // not started
  player.Play();
  testsupport::AdvanceClock(499);
  EXPECT_EQ(player.Update(), S_OK);
  EXPECT_EQ(player.GetPosition(), 499 * kMs);
  testsupport::AdvanceClock(1);
  EXPECT_EQ(player.Update(), E_FAIL);
  testsupport::AdvanceClock(5000);
  EXPECT_EQ(player.Update(), E_FAIL);
  EXPECT_EQ(player.Update(), E_FAIL);
  EXPECT_EQ(player.GetPosition(), 500 * kMs);
  // Play on a finished player does not start it again; Rewind does (effects are Rewind + Play).
  player.Play();
  EXPECT_EQ(player.Update(), E_FAIL);
  EXPECT_EQ(player.Rewind(), S_OK);
  EXPECT_EQ(player.Play(), S_OK);
  EXPECT_EQ(player.Update(), S_OK);
  EXPECT_EQ(player.GetPosition(), 0);
  testsupport::AdvanceClock(100);
  EXPECT_EQ(player.GetPosition(), 100 * kMs);
}

TEST_F(MediaPlayerTest, LoopingPlayerIsBackAtTheStartAfterTheNextUpdate) {
  MediaPlayer player;
  ASSERT_EQ(player.Open(".\\Sound\\Short.wav"), 1);
  player.SetLoop(1);
  player.Play();
  testsupport::AdvanceClock(520);
  EXPECT_EQ(player.GetPosition(), 500 * kMs);
  EXPECT_EQ(player.Update(), S_OK);
  EXPECT_EQ(player.GetPosition(), 0);
  EXPECT_TRUE(player.IsPlaying());
  EXPECT_TRUE(player.GetStream().IsMixing());
  testsupport::AdvanceClock(250);
  EXPECT_EQ(player.Update(), S_OK);
  EXPECT_EQ(player.GetPosition(), 250 * kMs);
}

TEST_F(MediaPlayerTest, StopKeepsThePositionAndPlayResumesThere) {
  MediaPlayer player;
  ASSERT_EQ(player.Open(".\\Sound\\Long.wav"), 1);
  player.Play();
  testsupport::AdvanceClock(200);
  player.Play();  // already playing: not restarted
  EXPECT_EQ(player.GetPosition(), 200 * kMs);
  EXPECT_EQ(player.Stop(), S_OK);
  EXPECT_FALSE(player.GetStream().IsMixing());
  testsupport::AdvanceClock(1000);
  EXPECT_EQ(player.GetPosition(), 200 * kMs);
  player.Play();
  testsupport::AdvanceClock(100);
  EXPECT_EQ(player.GetPosition(), 300 * kMs);
  EXPECT_EQ(player.Pause(), S_OK);
  testsupport::AdvanceClock(100);
  EXPECT_EQ(player.GetPosition(), 300 * kMs);
  EXPECT_EQ(player.Rewind(), S_OK);
  EXPECT_EQ(player.GetPosition(), 0);
}

TEST_F(MediaPlayerTest, VolumeAndBalanceBecomeHundredthsOfADecibel) {
  MediaPlayer player;
  ASSERT_EQ(player.Open(".\\Sound\\Short.wav"), 1);
  const int volumes[][2] = {{255, 0}, {200, -2070}, {128, -4781}, {0, -9600}};
  for (const auto& v : volumes) {
    EXPECT_EQ(player.SetVolume(v[0]), S_OK);
    EXPECT_EQ(player.GetVolume(), v[1]) << v[0];
  }
  const int balances[][2] = {{-128, -10000}, {128, 10000}, {0, 0}, {1, 78}, {-1, -78}};
  for (const auto& b : balances) {
    EXPECT_EQ(player.SetBalance(b[0]), S_OK);
    EXPECT_EQ(player.GetBalance(), b[1]) << b[0];
  }
  // Outside the device's range the value is refused and the old one stays.
  EXPECT_EQ(player.SetVolume(300), kInvalidArgument);
  EXPECT_EQ(player.GetVolume(), -9600);
  EXPECT_EQ(player.SetBalance(-200), kInvalidArgument);
  EXPECT_EQ(player.GetBalance(), -78);
  // -47.8 dB is nearly silent, not half: the gain is 10^(dB / 20).
  EXPECT_NEAR(platform::HundredthsDbToGain(-2000), 0.1, 1e-12);
  EXPECT_NEAR(platform::HundredthsDbToGain(-4781), 0.004069, 1e-6);
}

TEST_F(MediaPlayerTest, SeekByStaysWithinTheSound) {
  MediaPlayer player;
  ASSERT_EQ(player.Open(".\\Sound\\Short.wav"), 1);
  EXPECT_EQ(player.SeekBy(300 * kMs), S_OK);
  EXPECT_EQ(player.GetPosition(), 300 * kMs);
  EXPECT_EQ(player.SeekBy(-1000 * kMs), S_OK);
  EXPECT_EQ(player.GetPosition(), 0);
  player.SetLoop(1);
  EXPECT_EQ(player.SeekBy(400 * kMs), S_OK);
  EXPECT_EQ(player.SeekBy(400 * kMs), S_OK);  // past the end: a looping player goes to the start
  EXPECT_EQ(player.GetPosition(), 0);
  player.SetLoop(0);
  EXPECT_EQ(player.SeekBy(600 * kMs), S_OK);  // a non-looping one is closed
  EXPECT_FALSE(player.IsOpen());
  EXPECT_EQ(player.FitVideoToWindow(), E_FAIL);
}

TEST_F(MediaPlayerTest, ExtremeVolumesBalancesAndSeeksAreRefusedOrClampedWithoutOverflow) {
  MediaPlayer player;
  ASSERT_EQ(player.Open(".\\Sound\\Short.wav"), 1);
  ASSERT_EQ(player.SetVolume(128), S_OK);
  ASSERT_EQ(player.SetBalance(1), S_OK);
  for (int v : {INT_MIN, INT_MAX, -1000000}) {
    EXPECT_EQ(player.SetVolume(v), kInvalidArgument) << v;
    EXPECT_EQ(player.SetBalance(v), kInvalidArgument) << v;
  }
  EXPECT_EQ(player.GetVolume(), -4781);
  EXPECT_EQ(player.GetBalance(), 78);
  EXPECT_EQ(player.SeekBy(200 * kMs), S_OK);
  EXPECT_EQ(player.SeekBy(INT64_MIN), S_OK);
  EXPECT_EQ(player.GetPosition(), 0);
  player.SetLoop(1);
  EXPECT_EQ(player.SeekBy(200 * kMs), S_OK);
  EXPECT_EQ(player.SeekBy(INT64_MAX), S_OK);  // past the end: back to the start
  EXPECT_EQ(player.GetPosition(), 0);
  EXPECT_TRUE(player.IsOpen());
  player.SetLoop(0);
  EXPECT_EQ(player.SeekBy(INT64_MAX), S_OK);
  EXPECT_FALSE(player.IsOpen());
}

TEST_F(MediaPlayerTest, PoolOfElevenAllPlayingAtOnceAndReplacedByAllocate) {
  EXPECT_EQ(g_MediaPlayerPool.GetCount(), 11u);
  EXPECT_EQ(g_MediaPlayers, nullptr);
  g_MediaPlayerPool.UpdateAll(0);  // no array: nothing happens
  EXPECT_EQ(g_MediaPlayerPool.CloseAll(), S_OK);

  ASSERT_EQ(g_MediaPlayerPool.Allocate(11), S_OK);
  ASSERT_NE(g_MediaPlayers, nullptr);
  for (int i = 0; i < 11; ++i) {
    ASSERT_EQ(g_MediaPlayers[i].Open(".\\Sound\\Long.wav"), 1) << i;
    g_MediaPlayers[i].Play();
  }
  for (int i = 0; i < 11; ++i) EXPECT_TRUE(g_MediaPlayers[i].GetStream().IsMixing()) << i;
  EXPECT_EQ(platform::PlayingSoundCount(), 11);
  testsupport::AdvanceClock(16);
  g_MediaPlayerPool.UpdateAll(15);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(g_MediaPlayers[i].GetPosition(), 16 * kMs) << i;

  // A new allocation stops and frees every player first.
  ASSERT_EQ(g_MediaPlayerPool.Allocate(11), S_OK);
  EXPECT_EQ(platform::PlayingSoundCount(), 0);
  ASSERT_NE(g_MediaPlayers, nullptr);
  for (int i = 0; i < 11; ++i) EXPECT_FALSE(g_MediaPlayers[i].IsOpen()) << i;

  // FreeAll keeps the count; CloseAll afterwards finds no array and does nothing.
  g_MediaPlayers[0].Open(".\\Sound\\Long.wav");
  g_MediaPlayers[0].Play();
  EXPECT_EQ(g_MediaPlayerPool.FreeAll(), S_OK);
  EXPECT_EQ(g_MediaPlayers, nullptr);
  EXPECT_EQ(g_MediaPlayerPool.GetCount(), 11u);
  EXPECT_EQ(platform::PlayingSoundCount(), 0);  // the freed player closed itself
  EXPECT_EQ(g_MediaPlayerPool.CloseAll(), S_OK);
  g_MediaPlayerPool.UpdateAll(0);
}

TEST_F(MediaPlayerTest, Mp3FilesPlayLikeWavFiles) {
  if (std::system("command -v lame >/dev/null 2>&1") != 0) GTEST_SKIP() << "lame is not installed";
  testsupport::WriteFile("in.wav", testsupport::MakeWav(1000, 22050));
  ASSERT_EQ(std::system("lame --quiet in.wav Sound/Music.mp3"), 0);
  MediaPlayer player;
  ASSERT_EQ(player.Open(".\\Sound\\Music.mp3"), 1);
  // MP3 frames pad the sound a little at both ends.
  EXPECT_GE(player.GetDuration(), 1000 * kMs);
  EXPECT_LT(player.GetDuration(), 1200 * kMs);
  player.SetLoop(1);
  player.Play();
  testsupport::AdvanceClock(1500);
  EXPECT_EQ(player.Update(), S_OK);
  EXPECT_EQ(player.GetPosition(), 0);
}

}  // namespace
