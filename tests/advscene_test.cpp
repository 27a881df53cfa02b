// The ADV scene's script: its header, its commands one a frame, the text and key waits, the
// sound slots, the speakers' windows, and scripts that break the format.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/framemanager.h"
#include "librarysauce/mediaplayer.h"
#include "librarysauce/sprite.h"
#include "librarysauce/texture.h"
#include "novel/advscene.h"
#include "tests/advtestkit.h"
#include "tests/testsupport.h"

namespace {

using namespace advtest;

class AdvSceneTest : public ::testing::Test {
 protected:
  void SetUp() override { EnterScene(::testing::UnitTest::GetInstance()->current_test_info()->name()); }
  // The scene goes with its message, which would otherwise be drawn over whatever comes next.
  void TearDown() override { g_AdvScene.Release(); }
};

HRESULT Load(const std::string& text, bool crlf = true) {
  WriteScript("Script/adv/h.txt", text, crlf);
  return g_AdvScene.LoadScript(".\\Script\\adv\\h.txt");
}

SpriteState StateOf(int index) {
  SpriteState state;
  g_Sprites[index].GetState(&state);
  return state;
}

std::string BackgroundName() {
  TextureInfo info;
  g_TextureTable[1].GetInfo(&info);
  return info.name;
}

const AdvSpeaker& Lower() { return *g_AdvScene.GetSpeaker(0); }
const AdvSpeaker& Upper() { return *g_AdvScene.GetSpeaker(1); }

TEST_F(AdvSceneTest, HeaderIsFoundFromByteEightBeforeTheFirstEnd) {
  EXPECT_EQ(Load("12345678#01,3\n#02,next.cnn\n#end\n"), S_OK);
  EXPECT_EQ(g_AdvScene.GetSceneNumber(), 3);
  EXPECT_STREQ(g_AdvScene.GetNextFile(), "next.cnn");
  EXPECT_EQ(g_AdvScene.GetReadPosition(), 6);  // the load leaves the reader where Reset put it

  // Bytes 0 to 7 are not searched.
  EXPECT_EQ(Load("1234567#01,3\n#02,next.cnn\n#end\n"), 1);
  EXPECT_EQ(g_AdvScene.GetSceneNumber(), AdvScene::kSceneNumberNoHeader);
  EXPECT_EQ(Load("#01,3\n#02,next.cnn\n#end\n"), 1);

  // Both lines must stand before the first "#end".
  EXPECT_EQ(Load(";; test\n#01,2\n#end\n#02,next.cnn\n"), 1);
  EXPECT_EQ(g_AdvScene.GetSceneNumber(), AdvScene::kSceneNumberNoNextFile);
  EXPECT_EQ(Load(";; test\n#end\n#01,2\n#02,next.cnn\n"), 1);
  EXPECT_EQ(g_AdvScene.GetSceneNumber(), AdvScene::kSceneNumberNoNextFile);
  // No "#end" at all: the text's end stands for it.
  EXPECT_EQ(Load(";; test\n#02,next.cnn\n"), 1);
  EXPECT_EQ(Load("short"), 1);
  EXPECT_EQ(g_AdvScene.LoadScript(".\\Script\\adv\\missing.txt"), E_FAIL);
}

TEST_F(AdvSceneTest, HeaderValuesKeepTheirLastByteAndAreBounded) {
  // Only a real CR is stripped from the next file's name.
  EXPECT_EQ(Load(";; test\n#01, 2\n#02,next.cnn", false), S_OK);
  EXPECT_EQ(g_AdvScene.GetSceneNumber(), 2);
  EXPECT_STREQ(g_AdvScene.GetNextFile(), "next.cnn");
  EXPECT_EQ(Load(";; test\n#01,2\n#02,next.cnn\n#end\n", false), S_OK);
  EXPECT_STREQ(g_AdvScene.GetNextFile(), "next.cnn");
  EXPECT_EQ(Load(";; test\n#01,2\n#02,next.cnn\n#end\n"), S_OK);
  EXPECT_STREQ(g_AdvScene.GetNextFile(), "next.cnn");

  // 63 bytes of scene number and 127 of next file fit; one more fails the load.
  const std::string number63 = std::string(62, '0') + "3";
  EXPECT_EQ(Load(";; test\n#01," + number63 + "\n#02,n.cnn\n#end\n"), S_OK);
  EXPECT_EQ(g_AdvScene.GetSceneNumber(), 3);
  EXPECT_EQ(Load(";; test\n#01,0" + number63 + "\n#02,n.cnn\n#end\n"), 1);
  const std::string name127 = std::string(123, 'n') + ".cnn";
  EXPECT_EQ(Load(";; test\n#01,1\n#02," + name127 + "\n#end\n"), S_OK);
  EXPECT_EQ(std::strlen(g_AdvScene.GetNextFile()), 127u);
  EXPECT_EQ(Load(";; test\n#01,1\n#02,n" + name127 + "\n#end\n"), 1);
  // A header line with nothing after its word reads as 0 / an empty name.
  EXPECT_EQ(Load(";; test\n#01\n#02\n#end\n"), S_OK);
  EXPECT_EQ(g_AdvScene.GetSceneNumber(), 0);
  EXPECT_STREQ(g_AdvScene.GetNextFile(), "");
}

TEST_F(AdvSceneTest, BackgroundFollowsTheSceneNumber) {
  const struct {
    int scene;
    const char* file;
  } cases[] = {{1, ".\\Graphic\\Adv\\China.bmp"}, {2, ".\\Graphic\\Adv\\guild.bmp"},
               {3, ".\\Graphic\\Adv\\gate.bmp"},  {0, ".\\Graphic\\Adv\\China.bmp"},
               {4, ".\\Graphic\\Adv\\China.bmp"}, {-1, ".\\Graphic\\Adv\\China.bmp"}};
  for (const auto& c : cases) {
    StartScene("#end\n", c.scene);
    EXPECT_EQ(BackgroundName(), c.file) << "scene " << c.scene;
    g_AdvScene.Release();
  }
}

TEST_F(AdvSceneTest, FadeTakesFifteenFramesAndRunsNoCommand) {
  StartScene("#07\n#03\n#08\n#end\n", 2);
  // Before the fade the whole screen is black, right edge included.
  EXPECT_EQ(testsupport::PixelAt(400, 200) & 0xFFFFFF, 0u);
  EXPECT_EQ(testsupport::PixelAt(850, 200) & 0xFFFFFF, 0u);
  StillFrames(1);
  EXPECT_EQ(g_AdvScene.GetPhase(), AdvPhase::FadeIn);
  StillFrames(14);
  EXPECT_EQ(g_AdvScene.GetOverlayAlpha(), 17);
  EXPECT_EQ(StateOf(2).color, 17u << 24);
  StillFrames(1);
  EXPECT_EQ(g_AdvScene.GetOverlayAlpha(), 0);
  EXPECT_EQ(g_AdvScene.GetPhase(), AdvPhase::Run);
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 0);  // "#03" has not run during the fade
  EXPECT_EQ(testsupport::PixelAt(400, 200) & 0xFFFFFF, kGuildColor);
  EXPECT_EQ(testsupport::PixelAt(850, 200) & 0xFFFFFF, kGuildColor);
  StillFrames(1);
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 1);
  StillFrames(1 + 15);
  EXPECT_EQ(g_AdvScene.GetOverlayAlpha(), 255);
  EXPECT_EQ(g_AdvScene.GetPhase(), AdvPhase::Run);
  EXPECT_EQ(testsupport::PixelAt(850, 200) & 0xFFFFFF, 0u);
  StillFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::AdvEnd);
}

TEST_F(AdvSceneTest, TextLineHoldsTheNextCommandJustOverAHundredMs) {
  StartScene("#13,first\n#03\n#13,second\n#04\n#end\n");
  StillFrames(1);
  EXPECT_TRUE(g_AdvScene.IsTextTimerOn());
  EXPECT_STREQ(Lower().line[0], "first");
  StillFrames(3);  // the clock has not moved: still waiting
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 0);
  testsupport::AdvanceClock(100);
  StillFrames(1);
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 0);
  testsupport::AdvanceClock(1);
  StillFrames(1);
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 1);
  EXPECT_FALSE(g_AdvScene.IsTextTimerOn());

  // Across the millisecond counter's wrap the wait is the same.
  testsupport::UseManualClock(0xFFFFFFF0u);
  StillFrames(1);  // "#13,second" starts the timer 16 ms before the wrap
  testsupport::AdvanceClock(100);
  StillFrames(1);
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 1);
  testsupport::AdvanceClock(1);
  StillFrames(1);
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 0);
}

TEST_F(AdvSceneTest, KeyWaitEndsOnClickZOrReturnAndCtrlSkipsBothWaits) {
  StartScene("#16\n#03\n#16\n#04\n#16\n#03\n#16\n#13,held\n#04\n#end\n");
  StillFrames(1);
  EXPECT_TRUE(g_AdvScene.IsKeyWaitOn());
  StillFrames(5);
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 0);
  StillTap(kKeyZ);  // the press ends the wait; the next command runs in the release frame
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 1);
  StillFrames(1);
  EXPECT_TRUE(g_AdvScene.IsKeyWaitOn());
  testsupport::SetMouse(400, 300, 1);
  StillFrames(1);
  testsupport::SetMouse(400, 300, 0);
  StillFrames(1);
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 0);
  StillFrames(1);
  StillTap(kKeyReturn);
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 1);

  // Held Ctrl: one command a frame, neither the key wait nor the text timer holds it.
  testsupport::PressKeys({kKeyRightCtrl});
  StillFrames(1);  // "#16"
  EXPECT_FALSE(g_AdvScene.IsKeyWaitOn());
  StillFrames(1);  // "#13,held"
  EXPECT_FALSE(g_AdvScene.IsTextTimerOn());
  StillFrames(1);  // "#04"
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 0);
  StillFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::AdvEnd);
}

// A second of 8-bit mono silence.
std::string SilentWav() {
  std::string wav = "RIFF";
  auto put = [&wav](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) wav.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  put(36 + 8000, 4);
  wav += "WAVEfmt ";
  put(16, 4);
  put(1, 2);
  put(1, 2);
  put(8000, 4);
  put(8000, 4);
  put(1, 2);
  put(8, 2);
  wav += "data";
  put(8000, 4);
  wav.append(8000, '\x80');
  return wav;
}

TEST_F(AdvSceneTest, SoundSlotsStayInsideTheEffectRange) {
  testsupport::WriteFile("Sound/music.wav", SilentWav());
  testsupport::WriteFile("Sound/e1.wav", SilentWav());
  StartScene(
      "#21,.\\Sound\\music.wav\n#22\n"
      "#24,.\\Sound\\e1.wav\n#24,.\\Sound\\e2.wav\n#24,x\n#24,.\\Sound\\e3.wav\n#24,.\\Sound\\e4.wav\n"
      "#24,.\\Sound\\e5.wav\n#24,.\\Sound\\e6.wav\n#03\n"
      "#25,9\n#25,-1\n#25,-5\n#26,5\n#26,-5\n#25,0\n#26,4\n#04\n#end\n");
  StillFrames(2);  // the music opens from its path as given, and plays on
  ASSERT_NE(g_MediaPlayers, nullptr);
  EXPECT_TRUE(g_MediaPlayers[0].IsOpen());
  EXPECT_TRUE(g_MediaPlayers[0].IsPlaying());
  StillFrames(2);  // effects open from the argument's third byte on
  EXPECT_EQ(g_AdvScene.GetSoundEffectCount(), 2);
  EXPECT_TRUE(g_MediaPlayers[5].IsOpen());
  StillFrames(1);  // a path shorter than two bytes names nothing and takes no slot
  EXPECT_EQ(g_AdvScene.GetSoundEffectCount(), 2);
  StillFrames(3);
  EXPECT_EQ(g_AdvScene.GetSoundEffectCount(), 5);
  StillFrames(1);  // a sixth effect is read and ignored
  EXPECT_EQ(g_AdvScene.GetSoundEffectCount(), 5);
  StillFrames(1);
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 1);  // the sixth's argument was passed over
  StillFrames(5);  // play and stop with slot numbers outside 0..4 do nothing, the music's slot included
  EXPECT_TRUE(g_MediaPlayers[0].IsPlaying());
  StillFrames(1);  // "#25,0": effect 0 plays
  EXPECT_TRUE(g_MediaPlayers[5].IsPlaying());
  StillFrames(1);
  StillFrames(1);
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::AdvRun);
  EXPECT_TRUE(g_MediaPlayers[0].IsPlaying());
}

TEST_F(AdvSceneTest, SpeakerWindowsIconsAndTexts) {
  StartScene(
      "#07\n#18\n#10,7\n#11\n#12,Rin\n#13,one\n#14,two\n#15,three\n#19\n#10,5\n#17,1\n#13,shown\n#17,0\n#end\n");
  StillFrames(1 + 15);  // fade in
  StillFrames(1);       // "#18": the lower window
  for (AdvScene::WindowPart part : {AdvScene::kWindow, AdvScene::kFrame, AdvScene::kNameBox, AdvScene::kNameFrame,
                                    AdvScene::kIcon, AdvScene::kIconFrame})
    EXPECT_EQ(StateOf(AdvScene::SpriteIndex(0, part)).visible, 1) << part;
  EXPECT_EQ(StateOf(AdvScene::SpriteIndex(0, AdvScene::kCommentSign)).visible, 0);
  EXPECT_EQ(StateOf(AdvScene::SpriteIndex(1, AdvScene::kWindow)).visible, 0);
  StillFrames(2);  // "#10,7", "#11"
  const SpriteState icon = StateOf(AdvScene::SpriteIndex(0, AdvScene::kIcon));
  EXPECT_EQ(icon.srcX, 192.f);
  EXPECT_EQ(icon.srcY, 96.f);
  EXPECT_EQ(testsupport::PixelAt(27 + 48, 359 + 48) & 0xFFFFFF, kIconBaseColor + 7 * 0x10);
  for (int i = 0; i < 4; ++i) {  // name and three lines, each line holding the next 101 ms
    StillFrames(1);
    testsupport::AdvanceClock(101);
  }
  EXPECT_STREQ(Lower().name, "Rin");
  EXPECT_STREQ(Lower().line[2], "three");
  StillFrames(1);  // "#19": the lines go, the name stays
  EXPECT_STREQ(Lower().name, "Rin");
  EXPECT_STREQ(Lower().line[0], "");
  EXPECT_STREQ(Lower().line[2], "");
  StillFrames(1);  // "#10,5"
  EXPECT_EQ(StateOf(AdvScene::SpriteIndex(0, AdvScene::kIcon)).srcX, 0.f);
  EXPECT_EQ(StateOf(AdvScene::SpriteIndex(0, AdvScene::kIcon)).srcY, 96.f);

  // Texts show while the message is visible; "#17,0" hides them and leaves the window.
  auto brightTextPixels = [] {
    int bright = 0;
    for (uint32_t p : testsupport::ReadScreen(190, 391, 120, 22))
      if ((p & 0xFF) > 0xF8 && ((p >> 8) & 0xFF) > 0xF8) ++bright;
    return bright;
  };
  StillFrames(2);  // "#17,1", "#13,shown"
  EXPECT_TRUE(g_AdvScene.IsMessageVisible());
  EXPECT_GT(brightTextPixels(), 10);
  testsupport::AdvanceClock(101);
  StillFrames(1);  // "#17,0"
  EXPECT_FALSE(g_AdvScene.IsMessageVisible());
  EXPECT_EQ(brightTextPixels(), 0);
  EXPECT_EQ(StateOf(AdvScene::SpriteIndex(0, AdvScene::kWindow)).visible, 1);
}

TEST_F(AdvSceneTest, TextsDarkenWithTheOverlayAndAreBlackUnderAFullOne) {
  StartScene("#17,1\n#07\n#13,line\n#08\n#end\n");
  // The brightest grey of the lower side's first line (the background is never grey).
  auto textGrey = [] {
    uint32_t brightest = 0;
    for (uint32_t p : testsupport::ReadScreen(190, 391, 120, 22)) {
      const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (r == g && g == b) brightest = std::max(brightest, r);
    }
    return brightest;
  };
  StillFrames(2 + 15 + 1);  // "#17,1", "#07" and its fade, "#13,line"
  EXPECT_EQ(textGrey(), 255u);
  testsupport::AdvanceClock(101);
  StillFrames(1);  // "#08": the fade-out starts
  StillFrames(5);
  ASSERT_EQ(g_AdvScene.GetOverlayAlpha(), 5 * 17);
  EXPECT_EQ(textGrey(), 255u - 5 * 17);
  StillFrames(10);
  ASSERT_EQ(g_AdvScene.GetOverlayAlpha(), 255);
  EXPECT_EQ(textGrey(), 0u);
}

TEST_F(AdvSceneTest, CommandTwentySevenCreatesTheSaveFile) {
  StartScene("#27\n#end\n");
  EXPECT_FALSE(testsupport::FileExists("SAVE/TestSave.sav"));
  StillFrames(1);
  ASSERT_TRUE(testsupport::FileExists("SAVE/TestSave.sav"));
  EXPECT_EQ(testsupport::ReadFile("SAVE/TestSave.sav"), "");
}

TEST_F(AdvSceneTest, IconNumbersAtTheEndsOfTheIntRange) {
  // The largest and smallest numbers an argument reads as still give a cell origin.
  StartScene("#10,99999999999\n#10,-99999999999\n#10,-7\n#end\n");
  StillFrames(1);
  SpriteState icon = StateOf(AdvScene::SpriteIndex(0, AdvScene::kIcon));
  EXPECT_EQ(icon.srcX, 2 * 96.f);  // 2147483647 = 5 × 429496729 + 2
  EXPECT_EQ(icon.srcY, 429496729.f * 96.f);
  StillFrames(1);
  icon = StateOf(AdvScene::SpriteIndex(0, AdvScene::kIcon));
  EXPECT_EQ(icon.srcX, -3 * 96.f);  // -2147483648 = 5 × -429496729 - 3
  EXPECT_EQ(icon.srcY, -429496729.f * 96.f);
  StillFrames(1);
  icon = StateOf(AdvScene::SpriteIndex(0, AdvScene::kIcon));
  EXPECT_EQ(icon.srcX, -2 * 96.f);
  EXPECT_EQ(icon.srcY, -96.f);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::AdvRun);
}

TEST_F(AdvSceneTest, SpeakerSideSetsTheGreys) {
  StartScene("#12,Low\n#13,low line\n#04\n#03\n#12,Up\n#04\n#end\n");
  StillFrames(2);
  testsupport::AdvanceClock(101);
  // After the set-up both texts are at full brightness, the lower window in front.
  EXPECT_EQ(g_AdvScene.GetTextGrey(0), 255);
  EXPECT_EQ(g_AdvScene.GetTextGrey(1), 255);
  StillFrames(1);  // "#04": the lower side is already active: nothing changes
  EXPECT_EQ(g_AdvScene.GetTextGrey(1), 255);
  EXPECT_STREQ(Lower().line[0], "low line");
  const D3DCOLOR lowerFrame = StateOf(AdvScene::SpriteIndex(0, AdvScene::kFrame)).color;
  StillFrames(1);  // "#03"
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 1);
  EXPECT_EQ(g_AdvScene.GetWindowGrey(1), 255);
  EXPECT_EQ(g_AdvScene.GetWindowGrey(0), 128);
  EXPECT_EQ(g_AdvScene.GetTextGrey(1), 255);
  EXPECT_EQ(g_AdvScene.GetTextGrey(0), 64);
  for (AdvScene::WindowPart part : {AdvScene::kFrame, AdvScene::kNameFrame, AdvScene::kIcon, AdvScene::kIconFrame})
    EXPECT_EQ(StateOf(AdvScene::SpriteIndex(1, part)).color, 0xFFFFFFFFu) << part;
  EXPECT_EQ(StateOf(AdvScene::SpriteIndex(1, AdvScene::kWindow)).color, 0xC8646464u);
  EXPECT_EQ(StateOf(AdvScene::SpriteIndex(0, AdvScene::kFrame)).color, lowerFrame);  // other side untouched
  EXPECT_STREQ(Lower().line[0], "low line");
  StillFrames(2);  // "#12,Up", "#04"
  EXPECT_STREQ(Upper().name, "Up");
  EXPECT_EQ(g_AdvScene.GetTextGrey(1), 64);
  EXPECT_EQ(g_AdvScene.GetTextGrey(0), 255);
  EXPECT_EQ(StateOf(AdvScene::SpriteIndex(0, AdvScene::kFrame)).color, 0xFFFFFFFFu);
  EXPECT_STREQ(Lower().name, "Low");  // the side change clears lines, never names
  EXPECT_STREQ(Lower().line[0], "");
}

TEST_F(AdvSceneTest, CommandNumbersWithoutAHandler) {
  StartScene("#28,5\n#99,abc\n#05\n#03\n#ab\n#end\n");
  StillFrames(3);
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::AdvRun);
  StillFrames(1);
  EXPECT_EQ(g_AdvScene.GetActiveSide(), 1);
  StillFrames(1);  // two bytes that read as 0: quit
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
}

TEST_F(AdvSceneTest, TextEndStandsForEnd) {
  for (const char* tail : {"#03\n", "#03", "#03\n#", "#03\n#1"}) {
    StartScene(tail);
    StillFrames(1);
    EXPECT_EQ(g_AdvScene.GetActiveSide(), 1) << tail;
    StillFrames(1);
    EXPECT_EQ(g_GameState.GetMode(), GameMode::AdvEnd) << tail;
    g_AdvScene.Release();
  }
}

TEST_F(AdvSceneTest, ArgumentsAreCutAndStayOnTheirLine) {
  std::string wide;  // 30 × "ア" in Shift-JIS
  for (int i = 0; i < 30; ++i) wide += "\x83\x41";
  StartScene("#12," + std::string(30, 'n') + "\n#12," + wide + "\n#13," + std::string(200, 'x') + "\n#14," + wide +
             wide + wide + "\n#15\n,stray\n#06,123456789012345678901234567890\n#12\n#end\n");
  StillFrames(1);
  EXPECT_EQ(std::strlen(Lower().name), 19u);
  StillFrames(1);
  EXPECT_EQ(std::strlen(Lower().name), 18u);  // nine whole characters
  EXPECT_EQ(std::string(Lower().name), wide.substr(0, 18));
  StillFrames(1);
  testsupport::AdvanceClock(101);
  EXPECT_EQ(std::string(Lower().line[0]), std::string(127, 'x'));
  StillFrames(1);
  testsupport::AdvanceClock(101);
  EXPECT_EQ(std::strlen(Lower().line[1]), 126u);  // 63 whole characters
  StillFrames(1);  // "#15" with its "," on the next line: an empty line
  testsupport::AdvanceClock(101);
  EXPECT_STREQ(Lower().line[2], "");
  StillFrames(1);  // a number too long for its buffer is read from its first bytes
  EXPECT_EQ(g_AdvScene.GetWaitValue(), 2147483647);
  StillFrames(1);  // a name without its argument is empty
  EXPECT_STREQ(Lower().name, "");
  StillFrames(1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::AdvEnd);
}

TEST_F(AdvSceneTest, NextFileThatCannotRunShowsTheMessageAndQuits) {
  testsupport::MessageBoxCapture boxes;
  const std::string tooLong = std::string(60, 'n') + ".cnn";  // fits the header, not the path
  for (const std::string& next : {std::string("next.txt"), tooLong, std::string("missing.cnn"),
                                  std::string("nodot"), std::string("missing.map")}) {
    boxes.Clear();
    StartScene("#end\n", 1, next);
    StillFrames(1);
    ASSERT_EQ(g_GameState.GetMode(), GameMode::AdvEnd);
    StillFrames(1);
    EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit) << next;
    EXPECT_EQ(g_GameState.GetQuitCode(), 1) << next;
    const std::string shown = boxes.captioned.empty() ? "" : boxes.captioned.back();
    EXPECT_NE(shown.find("Velunna |Err: File : "), std::string::npos) << shown;
    EXPECT_NE(shown.find(next), std::string::npos) << shown;
    // The scene is gone: no sprite of it is left to draw.
    EXPECT_EQ(g_FrameManager.GetHead(), nullptr);
    EXPECT_EQ(g_AdvScene.GetNextFile(), nullptr);
  }
}

}  // namespace
