// Frames that cost what they show: a frame that repeats the last one is not drawn again, quads
// that cannot change a pixel are left out, and every frame still shows exactly the pixels a
// full redraw gives. Checked against the draw phase run again with every quad sent.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "act/actionscene.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
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
    g_SceneArrays.Release();  // no scene's sprites left in the draw list by a test before
    textures_ = std::make_unique<Texture[]>(2);
    g_TextureTable = textures_.get();
    g_TextureTableCount = 2;
    testsupport::MakeTexture(Device(), &textures_[0], 16, 16, Gradient);
    // Keyed corners: transparent texels, so this one is never drawn as opaque.
    testsupport::MakeTexture(Device(), &textures_[1], 16, 16,
                             [](int x, int y) { return (x < 4 && y < 4) ? 0u : 0xFFC08040u; });
    g_FrameManager.TextHooks() = {nullptr, nullptr, nullptr, nullptr, &DrawFpsHook, &DrawHookText};
    g_hookText = "Abc";  // as a test before may have changed them
    g_hookColor = 0xFFFFFFFF;
  }
  void TearDown() override {
    while (Sprite* head = g_FrameManager.GetHead()) head->Unregister();
    g_FrameManager.TextHooks() = FrameManager::DefaultTextHooks();
    g_TextureTable = nullptr;
    g_TextureTableCount = 0;
    g_FpsCounter = FpsCounter();  // hidden again, as F1 may have left it
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

// A quad whose texels are all wholly transparent adds nothing under a blend that keeps the
// destination: it is left out, and a large quad that maps texels one to one is drawn only in its
// tiles that hold a visible one. Either way the pixels are those of drawing everything.
TEST_F(FrameReuseTest, QuadsOverWhollyTransparentTexelsAreLeftOut) {
  g_FrameManager.TextHooks() = {};
  // 128 × 64 texels, transparent but for one opaque texel at (95, 32): the last column and the
  // first row of a 32 × 32 tile.
  textures_[1].Release();
  testsupport::MakeTexture(Device(), &textures_[1], 128, 64,
                           [](int x, int y) { return x == 95 && y == 32 ? 0xFF20C040u : 0u; });
  const struct {
    const char* name;
    float srcX, srcY, width, height, x, y, scale, turn;
    bool mirrored;
    BlendMode mode;
    bool drawn;
  } cases[] = {
      {"transparent half", 0, 0, 64, 64, 10, 10, 1, 0, false, BlendMode::Alpha, false},
      {"half with the texel", 64, 0, 64, 64, 10, 10, 1, 0, false, BlendMode::Alpha, true},
      {"sheet twice over, cut to its tiles", 0, 0, 256, 64, 10, 10, 1, 0, false, BlendMode::Alpha, true},
      {"sheet twice over, mirrored", 0, 0, 256, 64, 10, 10, 1, 0, true, BlendMode::Alpha, true},
      {"up to the texel", 0, 0, 96, 32, 10, 10, 1, 0, false, BlendMode::Alpha, false},
      {"just over the texel", 0, 0, 96, 33, 10, 10, 1, 0, false, BlendMode::Alpha, true},
      {"texel half a source pixel in", 0.5f, 0, 96, 33, 10, 10, 1, 0, false, BlendMode::Alpha, true},
      {"transparent, between pixels", 0, 0, 64, 64, 10.5f, 10.25f, 1, 0, false, BlendMode::Alpha, false},
      {"texel, between pixels", 64, 0, 64, 64, 10.5f, 10.25f, 1, 0, false, BlendMode::Alpha, true},
      {"texel, scaled", 64, 0, 64, 64, 10, 10, 1.5f, 0, false, BlendMode::Alpha, true},
      // The bottom edge a hair above the centre of the row that samples the texel: the
      // rasteriser rounds it onto the centre and fills that row.
      {"texel in a rounded-in row", 64, -1, 64, 33, 10, 9.499f, 1, 0, false, BlendMode::Alpha, true},
      {"texel reached by wrapping", -48, 0, 64, 64, 10, 10, 1, 0, false, BlendMode::Alpha, true},
      {"transparent, turned", 0, 0, 64, 64, 10, 10, 1, 0.3f, false, BlendMode::Alpha, true},
      {"transparent, added", 0, 0, 64, 64, 10, 10, 1, 0, false, BlendMode::Additive, false},
      {"transparent, subtracted", 0, 0, 64, 64, 10, 10, 1, 0, false, BlendMode::Subtractive, false},
      {"transparent, unblended", 0, 0, 64, 64, 10, 10, 1, 0, false, BlendMode::Opaque, true},
      {"transparent, over destination alpha", 0, 0, 64, 64, 10, 10, 1, 0, false, BlendMode::DestAlphaOver, true},
  };
  for (const auto& c : cases) {
    Sprite under, over;
    Place(&under, -1, 0, 0, 300, 10, 0x80406080, BlendMode::Opaque);
    testsupport::PlaceSprite(&over, 1, c.x, c.y, c.width, c.height, 5, 0xFFFFFFFF, c.mode);
    over.SetSrcPos(c.srcX, c.srcY);
    over.SetScale(c.scale, c.scale);
    over.SetRotZ(c.turn);
    over.SetNoMirror(c.mirrored ? 0 : 1);
    const int before = Device()->QuadsDrawn();
    testsupport::StillFrames(1);
    EXPECT_EQ(Device()->QuadsDrawn() - before, c.drawn ? 2 : 1) << c.name;
    EXPECT_TRUE(testsupport::HeldFrameIsAFullRedraw()) << c.name;
    while (Sprite* head = g_FrameManager.GetHead()) head->Unregister();
  }
  Sprite sheet;
  testsupport::PlaceSprite(&sheet, 1, 10, 10, 128, 64, 5, 0xFFFFFFFF, BlendMode::Alpha);
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(105, 42), 0xFF20C040u);
}

// Random quads over sparse textures, a third of them mapping texels one to one from whole pixels
// (those are cut into tiles), the rest anywhere, at any scale, mirrored or turned: every frame
// shows the pixels of drawing everything.
TEST_F(FrameReuseTest, RandomQuadsOverSparseTexturesGiveThePixelsOfDrawingEverything) {
  g_FrameManager.TextHooks() = {};
  std::mt19937 random(7);
  const auto below = [&random](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
  // Small patches of visible texels, some half transparent, on wholly transparent ground.
  const int sizes[2][2] = {{256, 128}, {37, 53}};
  for (int t = 0; t < 2; ++t) {
    std::vector<int> patches;
    for (int i = 0; i < 4 * 5; ++i) patches.push_back(below(i % 4 < 2 ? sizes[t][i % 2] : 24));
    textures_[t].Release();
    testsupport::MakeTexture(Device(), &textures_[t], sizes[t][0], sizes[t][1], [&patches](int x, int y) {
      for (size_t p = 0; p < patches.size(); p += 4) {
        if (x >= patches[p] && x <= patches[p] + patches[p + 2] && y >= patches[p + 1] &&
            y <= patches[p + 1] + patches[p + 3])
          return ((x + y) % 3 ? 0xFF000000u : 0x80000000u) | static_cast<uint32_t>(x * 40503 + y * 101);
      }
      return 0u;
    });
  }
  const float fractions[] = {0, 0, 0.5f, 0.25f, 0.001f, 0.999f, 0.499f};
  const float scales[] = {1, 1, -1, 0.5f, 1.5f, 2};
  const BlendMode modes[] = {BlendMode::Alpha, BlendMode::Alpha, BlendMode::Additive, BlendMode::Subtractive,
                             BlendMode::Opaque, BlendMode::DestAlphaOver};
  for (int frame = 0; frame < 100; ++frame) {
    Sprite under;
    Place(&under, -1, 0, 0, 854, 1000, 0x80406080, BlendMode::Opaque);
    const auto sprites = std::make_unique<Sprite[]>(40);
    for (int i = 0; i < 40; ++i) {
      Sprite& sprite = sprites[i];
      const bool oneToOne = below(3) == 0;
      const float x = below(900) - 40 + (oneToOne ? 0 : fractions[below(7)]);
      const float y = below(520) - 40 + (oneToOne ? 0 : fractions[below(7)]);
      const float width = 1 + below(300), height = 1 + below(200);
      const D3DCOLOR color = below(4) ? 0xFFFFFFFF : 0x80FFFFFF;
      testsupport::PlaceSprite(&sprite, below(2), x, y, width, height, 10 + i, color, modes[below(6)]);
      const float srcX = below(600) - 300 + fractions[below(7)];
      sprite.SetSrcPos(srcX, below(600) - 300 + fractions[below(7)]);
      sprite.SetNoMirror(below(3) ? 1 : 0);
      if (oneToOne) continue;
      const float scaleX = scales[below(6)];
      sprite.SetScale(scaleX, scales[below(6)]);
      if (below(8) == 0) sprite.SetRotZ(0.2f);
    }
    testsupport::StillFrames(1);
    ASSERT_TRUE(testsupport::HeldFrameIsAFullRedraw()) << "frame " << frame;
    while (Sprite* head = g_FrameManager.GetHead()) head->Unregister();
  }
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
  // Most of the stage's quads are left out (the empty chip cells, the sprites of no size, the
  // clear tiles of the near background); the frame above was still a full redraw's pixels.
  const int before = Device()->QuadsDrawn();
  testsupport::StillFrames(1);
  const int kept = Device()->QuadsDrawn() - before;
  EXPECT_TRUE(testsupport::HeldFrameIsAFullRedraw());
  const int all = Device()->QuadsDrawn() - before - kept;
  EXPECT_LT(kept, all / 2);
}

}  // namespace
