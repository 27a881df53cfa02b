// The twelve blend modes and the texture stage, checked by drawing a sprite over a known
// background in a real frame and reading the pixel back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/framemanager.h"
#include "librarysauce/graphicsdevice.h"
#include "librarysauce/sprite.h"
#include "librarysauce/texture.h"
#include "tests/testsupport.h"
#include "tests/textureaccess.h"

namespace {

class BlendModeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::StartGame();
    testsupport::UseManualClock();
    // Frames here draw these sprites alone: no scene steps (mode 13 has no step) and none left
    // its sprites in the draw list.
    g_GameState.SetMode(13);
    g_SceneArrays.Release();
    textures_ = std::make_unique<Texture[]>(2);
    g_TextureTable = textures_.get();
    g_TextureTableCount = 2;
    platform::GlDevice* device = g_GraphicsDevice.GetDevice();
    testsupport::MakeTexture(device, &textures_[0], 8, 8, [](int, int) { return 0xFFFFFFFFu; });
    testsupport::MakeTexture(device, &textures_[1], 8, 8, [](int, int) { return 0xFF80C0FFu; });
  }
  void TearDown() override {
    while (Sprite* head = g_FrameManager.GetHead()) head->Unregister();
    g_TextureTable = nullptr;
    g_TextureTableCount = 0;
  }

  static void Place(Sprite* sprite, float x, float w, D3DCOLOR color, uint32_t depth, BlendMode mode,
                    int32_t texture = -1) {
    testsupport::PlaceSprite(sprite, texture, x, 0, w, 16, depth, color, mode);
  }

  // Draws an opaque background of colour `under` (its alpha is written as it is), then the
  // sprite in `mode` over it, and returns the resulting pixel.
  static uint32_t DrawOver(D3DCOLOR under, D3DCOLOR color, BlendMode mode, int32_t texture = -1) {
    Sprite background, sprite;
    Place(&background, 0, 16, under, 10, BlendMode::Opaque);
    Place(&sprite, 0, 16, color, 0, mode, texture);
    testsupport::StillFrames(1);
    return testsupport::PixelAt(8, 8);
  }

  std::unique_ptr<Texture[]> textures_;
};

// Channel-wise comparison with one step of rounding slack.
::testing::AssertionResult Near(uint32_t actual, uint32_t expected) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = (actual >> shift) & 0xFF, e = (expected >> shift) & 0xFF;
    if (std::abs(a - e) > 1) {
      return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not near 0x" << expected;
    }
  }
  return ::testing::AssertionSuccess();
}

TEST_F(BlendModeTest, AlphaBlendsTexelTimesColourOverTheBackground) {
  // Half-transparent white over opaque black: half grey; the alpha blends the same way.
  EXPECT_TRUE(Near(DrawOver(0xFF000000, 0x80FFFFFF, BlendMode::Alpha, 0), 0xBF808080));
  // Opaque red tint: the texel's green and blue are multiplied away.
  EXPECT_TRUE(Near(DrawOver(0xFF0000FF, 0xFFFF0000, BlendMode::Alpha, 1), 0xFF800000));
  // A texel keyed to transparent black is not drawn at all.
  testsupport::MakeTexture(g_GraphicsDevice.GetDevice(), &textures_[0], 1, 1, [](int, int) { return 0u; });
  EXPECT_EQ(DrawOver(0xFF123456, 0xFFFFFFFF, BlendMode::Alpha, 0), 0xFF123456u);
}

TEST_F(BlendModeTest, UntexturedQuadShowsItsColourWhateverTextureIsBound) {
  Sprite background, textured, black;
  Place(&background, 0, 40, 0xFFFFFFFF, 10, BlendMode::Opaque);
  Place(&textured, 0, 8, 0xFFFFFFFF, 5, BlendMode::Alpha, 1);  // leaves a texture bound
  Place(&black, 20, 16, 0xFF000000, 0, BlendMode::Alpha);
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(4, 4), 0xFF80C0FFu);
  EXPECT_EQ(testsupport::PixelAt(28, 8), 0xFF000000u);
}

TEST_F(BlendModeTest, SubtractiveTakesTheSourceFromTheDestination) {
  // (C0,A0,80) − (40,20,10) = (80,80,70); alpha 1 − 1 = 0.
  EXPECT_TRUE(Near(DrawOver(0xFFC0A080, 0xFF402010, BlendMode::Subtractive), 0x00808070));
  // Half-transparent source: half of it is taken away.
  EXPECT_TRUE(Near(DrawOver(0xFFC0A080, 0x80804020, BlendMode::Subtractive), 0xBF808070));
}

TEST_F(BlendModeTest, InvertMultiplyAndDestAlphaMixGiveTheirNumbers) {
  // Invert: source × (1 − destination); white over (20,40,60) inverts it, alpha 1 × (1 − 1) = 0.
  EXPECT_TRUE(Near(DrawOver(0xFF204060, 0xFFFFFFFF, BlendMode::Invert), 0x00DFBF9F));
  // Multiply: destination × source colour.
  EXPECT_TRUE(Near(DrawOver(0xFF808080, 0xFF80FF40, BlendMode::Multiply), 0xFF408020));
  // DestAlphaMix: source × (1 − Ad) + destination × Ad with Ad = 0x40/255.
  EXPECT_TRUE(Near(DrawOver(0x40FF0000, 0xFF0000FF, BlendMode::DestAlphaMix), 0xCF4000BF));
}

TEST_F(BlendModeTest, EveryModeBlendsByItsFactors) {
  const uint32_t under = 0x80406080;
  const uint32_t over = 0x60C08040;
  auto channel = [](uint32_t c, int shift) { return ((c >> shift) & 0xFF) / 255.0; };
  for (int mode = 0; mode < kBlendModeCount; ++mode) {
    uint32_t expected = 0;
    const double as = channel(over, 24), ad = channel(under, 24);
    for (int shift = 0; shift < 32; shift += 8) {
      const double s = channel(over, shift), d = channel(under, shift);
      double r = 0;
      switch (mode) {
        case 0: r = s; break;
        case 1: r = s * as + d * (1 - as); break;
        case 2: r = d * as; break;
        case 3: r = s * (1 - ad) + d * ad; break;
        case 4: r = s * ad + d * (1 - as); break;
        case 5: r = s * as + d; break;
        case 6: r = d - s * as; break;
        case 7: r = d * s; break;
        case 8: r = d * d; break;
        case 9: r = s * (1 - d); break;
        case 10: r = s * d + d; break;
        case 11: r = s + d; break;
      }
      r = std::min(1.0, std::max(0.0, r));
      expected |= static_cast<uint32_t>(std::lround(r * 255)) << shift;
    }
    EXPECT_TRUE(Near(DrawOver(under, over, static_cast<BlendMode>(mode)), expected)) << "mode " << mode;
  }
}

TEST_F(BlendModeTest, OutOfRangeModesInheritThePreviousSpritesBlend) {
  for (int32_t odd : {12, -1}) {
    Sprite background, additive, inheriting, opaque, inheritingOpaque;
    Place(&background, 0, 80, 0xFF404040, 10, BlendMode::Opaque);
    Place(&additive, 0, 8, 0xFF202020, 5, BlendMode::Additive);
    Place(&inheriting, 20, 8, 0xFF202020, 5, static_cast<BlendMode>(odd));
    Place(&opaque, 40, 8, 0x00202020, 5, BlendMode::Opaque);
    Place(&inheritingOpaque, 60, 8, 0x00202020, 5, static_cast<BlendMode>(odd));
    testsupport::StillFrames(1);
    EXPECT_EQ(testsupport::PixelAt(24, 8), 0xFF606060u) << odd;
    EXPECT_EQ(testsupport::PixelAt(64, 8), 0x00202020u) << odd;
    while (Sprite* head = g_FrameManager.GetHead()) head->Unregister();
  }
}

}  // namespace
