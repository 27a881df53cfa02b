// The music system and its tracks on SDL's silent driver.
#include "librarysauce/musicsystem.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/testsupport.h"

namespace {

TEST(MusicSystemTest, InitAndShutdownSucceedWithoutASoundDeviceAndTwiceIsHarmless) {
  EXPECT_EQ(g_MusicSystem.Init(), S_OK);
  EXPECT_EQ(g_MusicSystem.Init(), S_OK);
  EXPECT_TRUE(g_MusicSystem.IsInitialized());
  EXPECT_EQ(g_MusicSystem.Shutdown(), S_OK);
  EXPECT_EQ(g_MusicSystem.Shutdown(), S_OK);
  EXPECT_FALSE(g_MusicSystem.IsInitialized());
  // Empty tracks unload without harm, as the game state's release does for all ten.
  for (MusicTrack& track : g_MusicTracks) EXPECT_EQ(track.Unload(), S_OK);
  EXPECT_EQ(g_MusicTracks[0].Play(1), E_FAIL);
  EXPECT_EQ(g_MusicTracks[0].Stop(), E_FAIL);
}

TEST(MusicSystemTest, TrackLoadsPlaysStopsAndReportsItsSettings) {
  testsupport::EnterScratchDirectory("music");
  testsupport::WriteFile("Sound/Theme.wav", testsupport::MakeWav(2000));
  ASSERT_EQ(g_MusicSystem.Init(), S_OK);
  MusicTrack& track = g_MusicTracks[3];
  ASSERT_EQ(track.Load(".\\Sound\\theme.WAV"), S_OK);
  EXPECT_EQ(track.Play(1), S_OK);
  EXPECT_EQ(track.Play(0), S_OK);  // played twice through; replaces the looping play
  EXPECT_EQ(track.SetVolume(200, 0), S_OK);
  EXPECT_EQ(track.SetPan(-64), S_OK);
  MusicTrackInfo info = track.GetInfo();
  EXPECT_STREQ(info.name, ".\\Sound\\theme.WAV");
  EXPECT_EQ(info.volume, 200);
  EXPECT_EQ(info.pan, -64);
  EXPECT_EQ(track.Stop(), S_OK);
  EXPECT_EQ(track.Unload(), S_OK);
  EXPECT_STREQ(track.GetInfo().name, "");
  EXPECT_EQ(track.Play(1), E_FAIL);

  // A missing file, or a DirectMusic segment (which the mixer cannot decode), fails to load.
  static const char kSegment[] = "RIFF\x0c\0\0\0DMSGjunk";
  testsupport::WriteFile("Sound/Theme.sgt", std::string(kSegment, sizeof kSegment - 1));
  EXPECT_EQ(track.Load(".\\Sound\\Missing.wav"), E_FAIL);
  EXPECT_EQ(track.Load(".\\Sound\\Theme.sgt"), E_FAIL);
  EXPECT_EQ(track.Play(1), E_FAIL);
}

TEST(MusicSystemTest, VolumesFarOutOfRangeAreKeptWithoutOverflow) {
  testsupport::EnterScratchDirectory("musicvolume");
  testsupport::WriteFile("Sound/Theme.wav", testsupport::MakeWav(500));
  ASSERT_EQ(g_MusicSystem.Init(), S_OK);
  MusicTrack track;
  ASSERT_EQ(track.Load(".\\Sound\\Theme.wav"), S_OK);
  ASSERT_EQ(track.Play(1), S_OK);
  for (int v : {INT_MIN, INT_MAX, 255, 0}) {
    EXPECT_EQ(track.SetVolume(v, 0), S_OK) << v;
    EXPECT_EQ(track.GetInfo().volume, v);
  }
  EXPECT_EQ(track.Unload(), S_OK);
}

TEST(MusicSystemTest, NamesEndingInMidInAnyCaseAreReadAsStandardMidiFiles) {
  testsupport::EnterScratchDirectory("midi");
  ASSERT_EQ(g_MusicSystem.Init(), S_OK);
  // A standard MIDI file: one track holding only its end.
  static const char kMidi[] = "MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk\0\0\0\x04\0\xff\x2f\0";
  const std::string midi(kMidi, sizeof kMidi - 1);
  for (const char* name : {"Theme.MID", "theme.Mid", "theme_mid", "theme.mid"}) {
    testsupport::WriteFile(name, midi);
    MusicTrack track;
    EXPECT_EQ(track.Load(name), S_OK) << name;
  }
  // Under another name the same bytes are not taken for MIDI.
  testsupport::WriteFile("theme.wav", midi);
  MusicTrack track;
  EXPECT_EQ(track.Load("theme.wav"), E_FAIL);
}

}  // namespace
