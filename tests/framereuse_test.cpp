// Frames that cost what they show: a frame that repeats the last one is not drawn again, quads
// that cannot change a pixel are left out, and every frame still shows exactly the pixels a
// full redraw gives. Checked against the draw phase run again with every quad sent.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "act/actionscene.h"
#include "gameflow/gamestate.h"
#include "librarysauce/fpscounter.h"
#include "librarysauce/framemanager.h"
#include "librarysauce/gamefont.h"
#include "librarysauce/graphicsdevice.h"
#include "librarysauce/sprite.h"
#include "librarysauce/texture.h"
#include "librarysauce/winmain.h"
#include "platform/input.h"
#include "startmenu/startmenu.h"
#include "tests/demoplay.h"
#include "tests/testsupport.h"
#include "tests/textureaccess.h"

namespace {

constexpr int kModeWithoutStep = 13;

std::string g_hookText = "Abc";
D3DCOLOR g_hookColor = 0xFFFFFFFF;
void DrawHookText() { g_Fonts[0].DrawText(g_hookText.c_str(), 400, 300, 64, 16, g_hookColor); }

platform::GlDevice* Device() { return g_GraphicsDevice.GetDevice(); }

// A picture whose every texel differs from its neighbours, so any shift or mirror shows.
uint32_t Gradient(int x, int y) {
  return 0xFF000000u | static_cast<uint32_t>(x * 16) << 16 | static_cast<uint32_t>(y * 16) << 8 | 0x40;
}

class FrameReuseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::StartGame();
    testsupport::UseManualClock();
    testsupport::UseScriptedInput();
    g_GameState.SetMode(kModeWithoutStep);
    textures_ = std::make_unique<Texture[]>(2);
    g_TextureTable = textures_.get();
    g_TextureTableCount = 2;
    testsupport::MakeTexture(Device(), &textures_[0], 16, 16, Gradient);
    // Keyed corners: transparent texels, so this one is never drawn as opaque.
    testsupport::MakeTexture(Device(), &textures_[1], 16, 16,
                             [](int x, int y) { return (x < 4 && y < 4) ? 0u : 0xFFC08040u; });
    g_FrameManager.TextHooks() = {nullptr, nullptr, nullptr, nullptr, &DrawFpsHook, &DrawHookText};
  }
  void TearDown() override {
    while (Sprite* head = g_FrameManager.GetHead()) head->Unregister();
    g_FrameManager.TextHooks() = FrameManager::DefaultTextHooks();
    g_TextureTable = nullptr;
    g_TextureTableCount = 0;
  }
  static void DrawFpsHook() { g_FpsCounter.Draw(); }

  static void Place(Sprite* sprite, int32_t texture, float x, float y, float size, uint32_t depth, D3DCOLOR color,
                    BlendMode mode = BlendMode::Alpha) {
    testsupport::PlaceSprite(sprite, texture, x, y, size, size, depth, color, mode);
  }

  std::unique_ptr<Texture[]> textures_;
};

TEST_F(FrameReuseTest, RepeatedFramesAreNotDrawnAgainAndEveryChangeIsDrawn) {
  Sprite background, keyed, plain, extra;
  Place(&background, 0, 0, 0, 16, 100, 0xFFFFFFFF);
  background.SetScale(20, 20);
  Place(&keyed, 1, 40, 40, 16, 50, 0xFFFFFFFF);
  Place(&plain, -1, 100, 40, 30, 40, 0x80FF0000);
  struct Change {
    const char* name;
    std::function<void()> apply;
  };
  const Change changes[] = {
      {"colour", [&] { keyed.SetColor(0xFF80FFFF); }},
      {"position", [&] { keyed.SetPos(41, 40); }},
      {"source rectangle", [&] { background.SetSrcPos(1, 0); }},
      {"mirror", [&] { background.SetNoMirror(0); }},
      {"rotation", [&] { keyed.SetRotZ(0.5f); }},
      {"texture index", [&] { keyed.SetTexture(0); }},
      {"blend mode alone", [&] { plain.SetBlendMode(BlendMode::Additive); }},
      {"hidden", [&] { plain.Hide(); }},
      {"shown", [&] { plain.Show(); }},
      {"draw order", [&] {
         plain.Unregister();
         plain.SetDepth(200);
         plain.Register();
       }},
      {"new sprite in the list", [&] { Place(&extra, -1, 200, 200, 20, 10, 0xFF00FF00); }},
      {"sprite left the list", [&] { extra.Unregister(); }},
      {"texture contents", [&] {
         std::vector<uint32_t> texels(16 * 16, 0xFF102030);
         Device()->UpdateTexture(textures_[0].GetD3DTexture(), 16, 16, texels.data());
       }},
      {"texture made anew at its index", [&] {
         Device()->DeleteTexture(textures_[0].GetD3DTexture());
         testsupport::MakeTexture(Device(), &textures_[0], 16, 16, Gradient);
       }},
      {"text", [&] { g_hookText = "Abd"; }},
      {"text colour", [&] { g_hookColor = 0xFF00FFFF; }},
      {"FPS counter shown", [&] { testsupport::PressKeys({platform::DIK_F1}); }},
      {"FPS counter's text", [&] {
         testsupport::ReleaseAll();
         testsupport::AdvanceClock(2000);
       }},
  };
  for (const Change& change : changes) {
    testsupport::StillFrames(2);
    const int drawn = Device()->FramesDrawn();
    const int reused = Device()->FramesReused();
    testsupport::StillFrames(1);
    EXPECT_EQ(Device()->FramesDrawn(), drawn) << "an unchanged frame was drawn before: " << change.name;
    EXPECT_EQ(Device()->FramesReused(), reused + 1) << change.name;
    const std::vector<uint32_t> before = testsupport::ReadScreen();
    change.apply();
    testsupport::StillFrames(1);
    EXPECT_EQ(Device()->FramesDrawn(), drawn + 1) << change.name;
    EXPECT_NE(testsupport::ReadScreen(), before) << change.name;
    EXPECT_TRUE(testsupport::HeldFrameIsAFullRedraw()) << change.name;
  }
}

TEST_F(FrameReuseTest, LeftOutAndUnblendedQuadsGiveTheSamePixelsInEveryBlendMode) {
  g_FrameManager.TextHooks() = {};
  // Sources: transparent black, transparent white, opaque on an opaque texture, opaque on a
  // keyed texture, opaque plain colour, half transparent.
  const struct {
    int32_t texture;
    D3DCOLOR color;
  } sources[] = {{0, 0x00000000},  {-1, 0x00FFFFFF}, {0, 0xFFFFFFFF},
                 {1, 0xFFFFFFFF}, {-1, 0xFF808080}, {0, 0x80FFFFFF}};
  for (int mode = 0; mode < kBlendModeCount; ++mode) {
    for (const auto& source : sources) {
      Sprite under, over;
      // Destination alpha below 255, so the modes that read it show what they do.
      Place(&under, -1, 0, 0, 64, 10, 0x80406080, BlendMode::Opaque);
      Place(&over, source.texture, 8, 8, 32, 5, source.color, static_cast<BlendMode>(mode));
      testsupport::StillFrames(1);
      EXPECT_TRUE(testsupport::HeldFrameIsAFullRedraw()) << "mode " << mode << " colour " << std::hex << source.color;
      while (Sprite* head = g_FrameManager.GetHead()) head->Unregister();
    }
  }
  // A transparent quad is left out only where it adds nothing: under AddOneOne its colour adds.
  Sprite under, over;
  Place(&under, -1, 0, 0, 64, 10, 0xFF404040, BlendMode::Opaque);
  Place(&over, -1, 8, 8, 32, 5, 0x00202020, BlendMode::Alpha);
  const int before = Device()->QuadsDrawn();
  testsupport::StillFrames(1);
  EXPECT_EQ(Device()->QuadsDrawn() - before, 1);
  EXPECT_EQ(testsupport::PixelAt(16, 16), 0xFF404040u);
  over.SetBlendMode(BlendMode::AddOneOne);
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(16, 16), 0xFF606060u);
}

TEST_F(FrameReuseTest, WindowIsShownAFrameAgainOnlyWhenItChangedOrWasExposed) {
  Sprite sprite;
  Place(&sprite, 0, 10, 10, 16, 10, 0xFFFFFFFF);
  testsupport::StillFrames(2);
  const int presented = Device()->FramesPresented();
  testsupport::StillFrames(5);
  EXPECT_EQ(Device()->FramesPresented(), presented);
  sprite.SetPos(11, 10);
  testsupport::StillFrames(3);
  EXPECT_EQ(Device()->FramesPresented(), presented + 1);
  // Uncovered or resized, the window is given the frame again, once, through the message loop.
  int code = 0;
  platform::Event drained;
  while (platform::PeekEvent(&drained)) {
  }
  for (platform::EventType type : {platform::EventType::Expose, platform::EventType::Resize}) {
    platform::Event event;
    event.type = type;
    platform::PushEvent(event);
    ASSERT_FALSE(RunMessageLoopTurn(&code));
    for (int i = 0; i < 3; ++i) ASSERT_FALSE(RunMessageLoopTurn(&code));
  }
  EXPECT_EQ(Device()->FramesPresented(), presented + 3);
}

// The demo data played: every few frames the frame held is what a full redraw gives, and an
// idle scene is not drawn again.
class DemoFramesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::PlayDemoCopy();
    g_GameState.SetMode(GameMode::MainScript);
  }

  // Frames at 60 a second until done() or maxFrames, checking the pixels every fourth frame.
  static bool PlayCheckingUntil(const std::function<bool()>& done, int maxFrames = 1500) {
    for (int frame = 0; frame < maxFrames && !done(); ++frame) {
      testsupport::PlayFrames(1);
      if (frame % 4 != 3) continue;
      const ::testing::AssertionResult same = testsupport::HeldFrameIsAFullRedraw();
      if (!same) {
        ADD_FAILURE() << same.message() << " at frame " << frame;
        return false;
      }
    }
    return done();
  }
  void PlayTapChecked(int key) {
    testsupport::PressKeys({key});
    testsupport::PlayFrames(1);
    testsupport::ReleaseAll();
    testsupport::PlayFrames(1);
    ASSERT_TRUE(testsupport::HeldFrameIsAFullRedraw()) << "after key " << key;
  }
  // After a few frames to settle (the first after a check is always drawn), an idle second
  // draws no frame and shows the same pixels.
  void ExpectIdleFramesReused() {
    testsupport::StillFrames(5);
    const int drawn = Device()->FramesDrawn();
    for (int i = 0; i < 60; ++i) {
      testsupport::PlayFrames(1);
    }
    EXPECT_EQ(Device()->FramesDrawn(), drawn);
    EXPECT_TRUE(testsupport::HeldFrameIsAFullRedraw());
  }
  void ChooseOnTitle(int id) {
    ASSERT_TRUE(PlayCheckingUntil(demoplay::OnTitle));
    for (int moves = 0; moves < 8 && g_StartMenu.GetEntry(g_StartMenu.GetCursor())->id != id; ++moves) {
      PlayTapChecked(platform::DIK_DOWN);
    }
    ASSERT_EQ(g_StartMenu.GetEntry(g_StartMenu.GetCursor())->id, id);
    PlayTapChecked(platform::DIK_Z);
  }
};

TEST_F(DemoFramesTest, TitleAndKeyConfigurationShowFullRedraws) {
  ASSERT_TRUE(PlayCheckingUntil(demoplay::OnTitle));
  ExpectIdleFramesReused();
  ChooseOnTitle(demoplay::kKeyConfigEntry);
  ASSERT_TRUE(PlayCheckingUntil(demoplay::InKeyConfig));
  ExpectIdleFramesReused();
  PlayTapChecked(platform::DIK_DOWN);
  PlayTapChecked(platform::DIK_RIGHT);
  ExpectIdleFramesReused();
}

TEST_F(DemoFramesTest, FieldMapShowsFullRedraws) {
  ChooseOnTitle(demoplay::kFieldEntry);
  ASSERT_TRUE(PlayCheckingUntil(demoplay::FieldTakesAChoice));
  ExpectIdleFramesReused();
  PlayTapChecked(platform::DIK_RIGHT);
  PlayTapChecked(platform::DIK_DOWN);
  ExpectIdleFramesReused();
}

TEST_F(DemoFramesTest, StoryShowsFullRedrawsWhileItPlaysAndWaits) {
  ChooseOnTitle(demoplay::kStoryEntry);
  for (int page = 0; page < 3; ++page) {
    ASSERT_TRUE(PlayCheckingUntil(demoplay::AdvWaitsForAKey));
    ExpectIdleFramesReused();
    PlayTapChecked(platform::DIK_Z);
  }
}

// The action stage: hundreds of sprites, fading in, then the hero told to run.
TEST_F(DemoFramesTest, ActionStageShowsFullRedraws) {
  ChooseOnTitle(demoplay::kStartEntry);
  ASSERT_TRUE(PlayCheckingUntil(demoplay::StageRuns));
  testsupport::PressKeys({platform::DIK_RIGHT});
  PlayCheckingUntil([] { return false; }, 120);
  EXPECT_GT(g_ActionScene.GetFrameCount(), 120u);
}

}  // namespace
