// Sprites: the depth-ordered draw list, the vertex mathematics and the life cycle of the
// vertices, checked through the list links, the vertices and pixels read back from real frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/framemanager.h"
#include "librarysauce/graphicsdevice.h"
#include "librarysauce/sprite.h"
#include "librarysauce/texture.h"
#include "tests/testsupport.h"
#include "tests/textureaccess.h"

namespace {

constexpr float kPi = 3.14159265358979f;

class SpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::StartGame();
    testsupport::UseManualClock();
    // Frames here draw these sprites alone: no scene steps (mode 13 has no step) and none left
    // its sprites in the draw list.
    g_GameState.SetMode(13);
    g_SceneArrays.Release();
    g_FrameManager.TextHooks() = {};  // nor any text drawn over them
    device_ = g_GraphicsDevice.GetDevice();
    ASSERT_EQ(g_FrameManager.GetHead(), nullptr);
  }
  void TearDown() override {
    g_FrameManager.TextHooks() = FrameManager::DefaultTextHooks();
    while (Sprite* head = g_FrameManager.GetHead()) head->Unregister();
    g_TextureTable = nullptr;
    g_TextureTableCount = 0;
  }

  // Sets a sprite up the way the scenes do and registers it.
  static void Place(Sprite* sprite, float x, float y, float w, float h, D3DCOLOR color, uint32_t depth,
                    int32_t texture = -1) {
    testsupport::PlaceSprite(sprite, texture, x, y, w, h, depth, color, BlendMode::Alpha);
  }

  static std::vector<Sprite*> ListOrder() {
    std::vector<Sprite*> order;
    for (Sprite* s = g_FrameManager.GetHead(); s; s = s->GetNext()) order.push_back(s);
    return order;
  }

  // Each sprite's prev link points at the one before it.
  static void ExpectLinksConsistent() {
    Sprite* prev = nullptr;
    for (Sprite* s = g_FrameManager.GetHead(); s; s = s->GetNext()) {
      EXPECT_EQ(s->GetPrev(), prev);
      prev = s;
    }
  }

  void UseTextures(int count) {
    textures_ = std::make_unique<Texture[]>(count);
    g_TextureTable = textures_.get();
    g_TextureTableCount = count;
  }

  platform::GlDevice* device_ = nullptr;
  std::unique_ptr<Texture[]> textures_;
};

TEST_F(SpriteTest, ListIsInDescendingUnsignedDepthWithEqualDepthsInRegistrationOrder) {
  Sprite d100, d300, d200, second200, back, front, high, low;
  ASSERT_EQ(d100.SetDepth(100), S_OK);
  d300.SetDepth(300);
  d200.SetDepth(200);
  second200.SetDepth(200);
  front.SetDepth(0);
  high.SetDepth(0x80000000u);  // deeper than 0x7FFFFFFF when compared unsigned
  low.SetDepth(0x7FFFFFFFu);
  // back keeps the constructor's depth 0xFFFFFFFF.
  for (Sprite* s : {&d100, &d300, &d200, &second200, &front, &low, &high, &back}) EXPECT_EQ(s->Register(), S_OK);
  EXPECT_EQ(ListOrder(), (std::vector<Sprite*>{&back, &high, &low, &d300, &d200, &second200, &d100, &front}));
  ExpectLinksConsistent();

  // Registering again fails and changes nothing, wherever the sprite is.
  for (Sprite* s : {&back, &d200, &front}) EXPECT_EQ(s->Register(), E_FAIL);
  EXPECT_EQ(ListOrder(), (std::vector<Sprite*>{&back, &high, &low, &d300, &d200, &second200, &d100, &front}));

  // A depth change after registering only changes z, not the place in the list.
  front.SetDepth(500);
  EXPECT_EQ(ListOrder().back(), &front);

  EXPECT_EQ(back.Unregister(), S_OK);  // the head: its successor takes over
  EXPECT_EQ(g_FrameManager.GetHead(), &high);
  EXPECT_EQ(high.GetPrev(), nullptr);
  EXPECT_EQ(back.GetNext(), nullptr);
  d200.Unregister();  // from the middle
  front.Unregister();  // the tail
  EXPECT_EQ(ListOrder(), (std::vector<Sprite*>{&high, &low, &d300, &second200, &d100}));
  ExpectLinksConsistent();
  EXPECT_EQ(front.Unregister(), S_OK);  // not listed: nothing to unlink
  EXPECT_EQ(front.Register(), S_OK);    // and comes back where its new depth puts it
  EXPECT_EQ(ListOrder(), (std::vector<Sprite*>{&high, &low, &front, &d300, &second200, &d100}));
  ExpectLinksConsistent();
}

// Registrations, removals and depth changes of listed sprites in a random mix land every sprite
// where a walk from the head puts it: before the first sprite shallower than it.
TEST_F(SpriteTest, EveryRegistrationLandsWhereAWalkFromTheHeadPutsIt) {
  constexpr int kSprites = 40;
  std::vector<Sprite> sprites(kSprites);
  std::vector<uint32_t> depth(kSprites, 0xFFFFFFFFu);
  std::vector<Sprite*> model;  // the expected list
  auto listed = [&](Sprite* s) { return std::find(model.begin(), model.end(), s) != model.end(); };
  uint32_t seed = 12345;
  auto next = [&seed](uint32_t n) {
    seed = seed * 214013u + 2531011u;
    return (seed >> 16) % n;
  };
  for (int step = 0; step < 3000; ++step) {
    const int i = static_cast<int>(next(kSprites));
    Sprite* s = &sprites[i];
    switch (next(4)) {
      case 0:
      case 1:  // registered at a depth from a few, so that equal depths meet often
        if (listed(s)) break;
        depth[i] = 100 * next(6);
        s->SetDepth(depth[i]);
        ASSERT_EQ(s->Register(), S_OK);
        model.insert(std::find_if(model.begin(), model.end(),
                                  [&](Sprite* m) { return depth[m - sprites.data()] < depth[i]; }),
                     s);
        break;
      case 2:
        s->Unregister();
        if (listed(s)) model.erase(std::find(model.begin(), model.end(), s));
        break;
      default:  // a listed sprite changes depth and stays where it is
        depth[i] = 100 * next(6);
        s->SetDepth(depth[i]);
        break;
    }
    ASSERT_EQ(ListOrder(), model) << "step " << step;
  }
  ExpectLinksConsistent();
}

TEST_F(SpriteTest, DeeperSpritesAreDrawnFirstAndCoveredByShallowerOnes) {
  // A staircase of overlapping quads: each one covers the left part of the next deeper one.
  Sprite d300, d200, second200, d100;
  Place(&d300, 0, 0, 30, 10, 0xFFFF0000, 300);
  Place(&d200, 10, 0, 30, 10, 0xFF00FF00, 200);
  Place(&d100, 20, 0, 30, 10, 0xFF0000FF, 100);
  Place(&second200, 5, 0, 30, 10, 0xFFFFFF00, 200);
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(2, 5), 0xFFFF0000u);   // 300 alone
  EXPECT_EQ(testsupport::PixelAt(7, 5), 0xFFFFFF00u);   // second 200 over 300
  EXPECT_EQ(testsupport::PixelAt(15, 5), 0xFFFFFF00u);  // second 200 drawn right after the first
  EXPECT_EQ(testsupport::PixelAt(25, 5), 0xFF0000FFu);  // 100 over both 200s
  EXPECT_EQ(testsupport::PixelAt(37, 5), 0xFF0000FFu);
  EXPECT_EQ(testsupport::PixelAt(52, 5), 0x00000000u);
}

TEST_F(SpriteTest, DestroyingAListedSpriteUnlinksIt) {
  Sprite first, last;
  Place(&first, 0, 0, 4, 4, 0xFFFFFFFF, 30);
  Place(&last, 0, 0, 4, 4, 0xFFFFFFFF, 10);
  {
    auto middle = std::make_unique<Sprite>();
    Place(middle.get(), 0, 0, 4, 4, 0xFFFFFFFF, 20);
    auto head = std::make_unique<Sprite>();
    Place(head.get(), 0, 0, 4, 4, 0xFFFFFFFF, 40);
    EXPECT_EQ(ListOrder().size(), 4u);
  }
  EXPECT_EQ(ListOrder(), (std::vector<Sprite*>{&first, &last}));
  ExpectLinksConsistent();
  testsupport::StillFrames(1);  // the walk meets no destroyed sprite
}

// Registers static sprites and leaves through exit(): they are destroyed after this returns,
// in whatever order the runtime picks, and must unlink themselves without touching freed memory.
void ExitWithStaticSpritesListed() {
  g_SceneArrays.Release();  // no scene's sprites listed before these
  static Sprite a, b, c;
  a.SetDepth(3);
  b.SetDepth(2);
  c.SetDepth(1);
  a.Register();
  c.Register();
  b.Register();
  std::exit(g_FrameManager.GetHead() == &a ? 0 : 1);
}

TEST(SpriteExitTest, SpritesStillListedAtExitLeaveCleanly) {
  EXPECT_EXIT(ExitWithStaticSpritesListed(), ::testing::ExitedWithCode(0), "");
}

TEST_F(SpriteTest, ScaledQuadFillsExactlyItsBoxAndCarriesDepthAsZ) {
  Sprite sprite;
  Place(&sprite, 10, 20, 32, 16, 0xFFFFFFFF, 65535);
  sprite.SetScale(2, 2);
  testsupport::StillFrames(1);
  const std::vector<uint32_t> screen = testsupport::ReadScreen(0, 0, 100, 80);
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 100; ++x) {
      const bool inside = x >= 10 && x <= 73 && y >= 20 && y <= 51;
      ASSERT_EQ(screen[y * 100 + x], inside ? 0xFFFFFFFFu : 0u) << x << "," << y;
    }
  }
  const SprVertex* v = sprite.GetVertexBuffer();
  ASSERT_NE(v, nullptr);
  const float corners[4][2] = {{10, 20}, {74, 20}, {10, 52}, {74, 52}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(v[i].x, corners[i][0]);
    EXPECT_EQ(v[i].y, corners[i][1]);
    EXPECT_EQ(v[i].z, 1.0f);
    EXPECT_EQ(v[i].rhw, 1.0f);
    EXPECT_EQ(v[i].diffuse, 0xFFFFFFFFu);
  }

  // The deepest sprites have z far above 1 and still draw.
  sprite.SetDepth(0xFFFFFFFFu);
  testsupport::StillFrames(1);
  EXPECT_NEAR(sprite.GetVertexBuffer()[0].z, 65537.0f, 1.0f);
  EXPECT_EQ(testsupport::PixelAt(10, 20), 0xFFFFFFFFu);
  EXPECT_EQ(testsupport::PixelAt(73, 51), 0xFFFFFFFFu);
}

TEST_F(SpriteTest, RotationTurnsTheUnitSquareBeforeTheNonUniformScale) {
  Sprite sprite;
  Place(&sprite, 100, 100, 40, 20, 0xFFFFFFFF, 0);
  sprite.SetRotZ(kPi / 2);  // clockwise on screen: the top-left corner goes to the top-right
  testsupport::StillFrames(1);
  const SprVertex* v = sprite.GetVertexBuffer();
  // Turned first and scaled after, the 40×20 quad keeps its box: it is sheared, not turned rigidly.
  EXPECT_NEAR(v[0].x, 140, 1e-4);
  EXPECT_NEAR(v[0].y, 100, 1e-4);
  EXPECT_NEAR(v[1].x, 140, 1e-4);
  EXPECT_NEAR(v[1].y, 120, 1e-4);
  EXPECT_NEAR(v[2].x, 100, 1e-4);
  EXPECT_NEAR(v[2].y, 100, 1e-4);
  EXPECT_NEAR(v[3].x, 100, 1e-4);
  EXPECT_NEAR(v[3].y, 120, 1e-4);

  // The axis-angle mode with an unnormalised z axis turns the same way.
  sprite.SetRotZ(0);
  sprite.SetRotationMode(1);
  sprite.SetAxis(0, 0, 2);
  sprite.SetAxisAngle(kPi / 2);
  testsupport::StillFrames(1);
  EXPECT_NEAR(v[0].x, 140, 1e-4);
  EXPECT_NEAR(v[0].y, 100, 1e-4);
  EXPECT_NEAR(v[3].x, 100, 1e-4);
  EXPECT_NEAR(v[3].y, 120, 1e-4);

  // Tilting about X shortens the quad on screen; z stays depth / 65535 exactly.
  sprite.SetRotationMode(0);
  sprite.SetRotX(kPi / 3);
  sprite.SetDepth(300);
  testsupport::StillFrames(1);
  EXPECT_NEAR(v[0].y, 110 - 5, 1e-4);
  EXPECT_NEAR(v[3].y, 110 + 5, 1e-4);
  EXPECT_NEAR(v[0].x, 100, 1e-4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(v[i].z, 300.0f / 65535.0f);

  // A null axis turns nothing and produces no NaN.
  sprite.SetRotX(0);
  sprite.SetRotationMode(1);
  sprite.SetAxis(0, 0, 0);
  testsupport::StillFrames(1);
  EXPECT_EQ(v[0].x, 100.0f);
  EXPECT_EQ(v[3].y, 120.0f);
}

TEST_F(SpriteTest, TextureCoordinatesComeFromTheStoredSizeAndMirrorInPlace) {
  UseTextures(1);
  // Left half of the source rectangle red, right half blue.
  testsupport::MakeTexture(device_, &textures_[0], 64, 64,
                           [](int x, int) { return x < 32 ? 0xFFFF0000u : 0xFF0000FFu; });
  Sprite sprite;
  Place(&sprite, 50, 50, 32, 32, 0xFFFFFFFF, 0, 0);
  sprite.SetSrcPos(16, 0);
  testsupport::StillFrames(1);
  const SprVertex* v = sprite.GetVertexBuffer();
  EXPECT_EQ(v[0].u, 0.25f);
  EXPECT_EQ(v[1].u, 0.75f);
  EXPECT_EQ(v[2].u, 0.25f);
  EXPECT_EQ(v[0].v, 0.0f);
  EXPECT_EQ(v[3].v, 0.5f);
  EXPECT_EQ(testsupport::PixelAt(50, 60), 0xFFFF0000u);
  EXPECT_EQ(testsupport::PixelAt(81, 60), 0xFF0000FFu);

  ASSERT_EQ(sprite.SetNoMirror(0), S_OK);
  EXPECT_EQ(sprite.GetNoMirror(), 0);
  testsupport::StillFrames(1);
  EXPECT_EQ(v[0].u, 0.75f);
  EXPECT_EQ(v[1].u, 0.25f);
  EXPECT_EQ(v[0].x, 50.0f);  // same place, mirrored picture
  EXPECT_EQ(testsupport::PixelAt(50, 60), 0xFF0000FFu);
  EXPECT_EQ(testsupport::PixelAt(81, 60), 0xFFFF0000u);
  EXPECT_EQ(testsupport::PixelAt(49, 60), 0u);
  EXPECT_EQ(testsupport::PixelAt(82, 60), 0u);

  // Coordinates outside 0..1 wrap around, as the game's scrolling backgrounds expect.
  sprite.SetNoMirror(1);
  sprite.SetSrcPos(48, 0);
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(50, 60), 0xFF0000FFu);  // texels 48..63
  EXPECT_EQ(testsupport::PixelAt(81, 60), 0xFFFF0000u);  // texels 0..15 of the next repeat
}

TEST_F(SpriteTest, UnusableTextureEntryDrawsAPlainColouredQuad) {
  UseTextures(2);
  testsupport::MakeTexture(device_, &textures_[0], 8, 8, [](int, int) { return 0xFF00FF00u; });
  // Entry 1 holds nothing: its image is missing.
  testsupport::EnterScratchDirectory("sprite-missing-image");
  EXPECT_LT(textures_[1].LoadConverted(".\\Data\\Graphic\\Missing.bmp", 0xFF00FF00), 0);
  ASSERT_EQ(textures_[1].GetD3DTexture(), 0u);
  Sprite good, outOfRange, negative, empty;
  Place(&good, 0, 0, 8, 8, 0xFFFFFFFF, 0, 0);
  Place(&outOfRange, 10, 0, 8, 8, 0xFFFF0000, 0, 2);
  Place(&negative, 20, 0, 8, 8, 0xFF0000FF, 0, -5);
  Place(&empty, 30, 0, 8, 8, 0xFFFFFF00, 0, 1);
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(4, 4), 0xFF00FF00u);
  EXPECT_EQ(testsupport::PixelAt(14, 4), 0xFFFF0000u);
  EXPECT_EQ(testsupport::PixelAt(24, 4), 0xFF0000FFu);
  EXPECT_EQ(testsupport::PixelAt(34, 4), 0xFFFFFF00u);

  // The entry loads later: the sprite picks the picture up without being touched.
  testsupport::MakeTexture(device_, &textures_[1], 4, 4, [](int, int) { return 0xFF808080u; });
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(34, 4), 0xFF808000u);  // grey texel tinted yellow

  // The array is freed while the sprites still point into it.
  g_TextureTable = nullptr;
  g_TextureTableCount = 0;
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(4, 4), 0xFFFFFFFFu);
  EXPECT_EQ(testsupport::PixelAt(34, 4), 0xFFFFFF00u);
}

TEST_F(SpriteTest, VerticesAreRebuiltOnlyWhenDirtyAndDroppedOnUnregister) {
  UseTextures(1);
  testsupport::MakeTexture(device_, &textures_[0], 16, 16, [](int, int) { return 0xFFFFFFFFu; });
  Sprite sprite;
  Place(&sprite, 0, 0, 16, 16, 0xFFFFFFFF, 0, 0);
  EXPECT_EQ(sprite.IsDirty(), 1);
  testsupport::StillFrames(1);
  EXPECT_EQ(sprite.IsDirty(), 0);
  EXPECT_EQ(sprite.GetVertexBuffer()[3].u, 1.0f);

  // The texture's stored size changes behind the sprite's back: only a rebuild sees it.
  TextureTestAccess::Set(&textures_[0], textures_[0].GetD3DTexture(), 32, 32);
  sprite.SetBlendMode(BlendMode::Additive);
  EXPECT_EQ(sprite.IsDirty(), 0);
  testsupport::StillFrames(1);
  EXPECT_EQ(sprite.GetVertexBuffer()[3].u, 1.0f);

  sprite.SetPos(1, 1);
  EXPECT_EQ(sprite.Hide(), S_OK);  // hiding forgets the pending rebuild
  EXPECT_EQ(sprite.IsDirty(), 0);
  EXPECT_EQ(sprite.Draw(device_), E_FAIL);
  EXPECT_EQ(sprite.Show(), S_OK);
  EXPECT_EQ(sprite.IsDirty(), 1);
  testsupport::StillFrames(1);
  EXPECT_EQ(sprite.GetVertexBuffer()[3].u, 0.5f);
  EXPECT_EQ(sprite.GetVertexBuffer()[0].x, 1.0f);

  // Registered again after unregistering, it draws nothing until something marks it dirty.
  sprite.Unregister();
  EXPECT_EQ(sprite.GetVertexBuffer(), nullptr);
  sprite.Register();
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(5, 5), 0u);
  EXPECT_EQ(sprite.MarkDirty(), &sprite);
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(5, 5), 0xFFFFFFFFu);
  sprite.ReleaseVertexBuffer();
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(5, 5), 0u);
}

TEST_F(SpriteTest, MirroredQuadsAreCulledAndTheNormalFaceDraws) {
  // The same quad three times: as it stands, mirrored by a scale of -1, and half turned about Y.
  Sprite normal, mirrored, turned;
  Place(&normal, 0, 0, 8, 8, 0xFF00FF00, 0);
  Place(&mirrored, 20, 0, 8, 8, 0xFF00FF00, 0);
  mirrored.SetScale(-1, 1);
  Place(&turned, 40, 0, 8, 8, 0xFF00FF00, 0);
  turned.SetRotY(kPi);
  testsupport::StillFrames(1);
  EXPECT_EQ(testsupport::PixelAt(4, 4), 0xFF00FF00u);
  EXPECT_EQ(testsupport::ReadScreen(8, 0, 52, 8), std::vector<uint32_t>(52 * 8, 0u));
}

TEST_F(SpriteTest, HiddenSpritesDrawNothing) {
  Sprite hidden, shown;
  Place(&hidden, 0, 0, 8, 8, 0xFFFF0000, 10);
  Place(&shown, 20, 0, 8, 8, 0xFF00FF00, 5);
  hidden.Hide();
  const int before = device_->QuadsDrawn();
  testsupport::StillFrames(1);
  EXPECT_EQ(device_->QuadsDrawn() - before, 1);
  EXPECT_EQ(testsupport::PixelAt(4, 4), 0u);
  EXPECT_EQ(testsupport::PixelAt(24, 4), 0xFF00FF00u);
}

TEST_F(SpriteTest, MoveTowardStepsAlongTheDirectionAndNotAtAllWithoutOne) {
  Sprite sprite;
  sprite.SetPos(10, 20);
  sprite.Move(1, -2);
  sprite.MoveToward(3, 4, 10);  // a step of length 10 along (3, 4)
  SpriteState s;
  sprite.GetState(&s);
  EXPECT_FLOAT_EQ(s.x, 17);
  EXPECT_FLOAT_EQ(s.y, 26);
  sprite.MoveToward(0, 0, 5);
  sprite.GetState(&s);
  EXPECT_FLOAT_EQ(s.x, 17);
  EXPECT_FLOAT_EQ(s.y, 26);
}

}  // namespace
