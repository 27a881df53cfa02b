// The hero's animation and the HUD as a player sees them: which cell of the sheet his sprite
// shows frame by frame in each state, and what the gauges, digits, charge icons and face show.
#include <gtest/gtest.h>

#include <vector>

#include "act/actgraphics.h"
#include "act/actionscene.h"
#include "act/player.h"
#include "tests/acttestkit.h"

namespace {

using namespace acttest;

// The hero stands on the floor at (160, 321.5), facing right.
class PlayerAnimationTest : public ActTest {
 protected:
  void SetUp() override {
    ActTest::SetUp();
    EnterStage(StageText(40, 20).Put(5, 11, "@").Floor(16).Text());
  }
  // The sheet cell (column + 10 × row) the hero's sprite shows.
  static int ShownCell() {
    const SpriteState s = SpriteAt(g_ActionScene.GetPlayerSpriteSlot());
    return static_cast<int>(s.srcX / 192) + 10 * static_cast<int>(s.srcY / 192);
  }
  // The cells shown over n still frames.
  static std::vector<int> StillCells(int n) {
    std::vector<int> cells;
    for (int i = 0; i < n; ++i) {
      StillFrames(1);
      cells.push_back(ShownCell());
    }
    return cells;
  }
  // Every cell repeated n times.
  static std::vector<int> Each(std::initializer_list<int> cells, int n) {
    std::vector<int> out;
    for (int c : cells) out.insert(out.end(), static_cast<size_t>(n), c);
    return out;
  }
};

TEST_F(PlayerAnimationTest, IdleChangesEveryFifteenFramesAndWalkingEveryFiveAndATurnRestartsTheTick) {
  StillCells(45 - static_cast<int>(FrameCount() % 15));  // on the first idle cell
  EXPECT_EQ(StillCells(10), Each({0}, 10));
  SetFacing(0);  // the turn starts the 15 frames afresh
  std::vector<int> expected = Each({0, 1, 2, 3, 0}, 15);
  expected.erase(expected.begin());
  expected.resize(60);
  EXPECT_EQ(StillCells(60), expected);
  EXPECT_EQ(g_Sprites[ActSprite::HeroDualSword].GetNoMirror(), 0) << "mirrored to face left";

  PressKeys({key::Right});
  expected = Each({10, 11, 12, 13, 14, 15, 10}, 5);  // sheet row 1: cells 8 to 13
  expected.erase(expected.begin());
  expected.resize(30);
  EXPECT_EQ(StillCells(30), expected);
}

TEST_F(PlayerAnimationTest, EachStateShowsItsCellsAtItsRateAndTheEndsOfItsMoves) {
  using namespace PlayerState;
  // Every cell shown n times from the state's first update (which already counts one tick).
  const auto paced = [](std::initializer_list<int> cells, int n) {
    std::vector<int> out = Each(cells, n);
    out.erase(out.begin());
    return out;
  };
  const struct {
    const char* name;
    uint32_t flags;
    std::vector<int> cells;  // sheet cells of successive animation updates
    uint32_t flagsAfter;
  } cases[] = {
      {"crouch", Crouch, Each({30}, 6), Crouch},
      {"dash", Dash | DashAux, paced({31, 32, 31}, 5), Dash | DashAux},
      {"backstep", Backstep | Airborne, paced({8, 9, 8}, 5), Backstep | Airborne},
      {"teleport aim", TeleportAim, Each({49}, 6), TeleportAim},
      // The aim's cell, chosen before the air cells, gives way to them in the same update: at the
      // top of a jump the first falling cell, for 4 updates (its count began with the aim's).
      {"teleport aim in the air", TeleportAim | Airborne, {28, 28, 28, 28, 29, 29}, TeleportAim | Airborne},
      {"guard", Guard, Each({48}, 6), Guard},
      {"hit in the air", HitStun | Airborne, Each({19}, 6), HitStun | Airborne},
      {"crouch slash, then crouching", CrouchAttack | Crouch, paced({50, 51, 52, 53, 30}, 5), Crouch},
      {"first combo slash, then idle", Combo1, paced({20, 21, 22, 23, 24, 0}, 4), 0},
      // Unreachable in play (nothing sets WeaponChange); pinned as built.
      {"weapon change, then the other sheet idle", WeaponChange, paced({0, 37, 38, 39, 0}, 5), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetFlags(c.flags);
    std::vector<int> cells;
    for (size_t i = 0; i < c.cells.size(); ++i) {
      g_Player.UpdateAnimation(0);
      cells.push_back(ShownCell());
    }
    EXPECT_EQ(cells, c.cells);
    EXPECT_EQ(Flags(), c.flagsAfter);
  }
  // The weapon change (the last case) left the other weapon in hand.
  EXPECT_EQ(Weapon(), 1);
  EXPECT_TRUE(SpriteAt(ActSprite::HeroGreatSword).visible);
  EXPECT_FALSE(SpriteAt(ActSprite::HeroDualSword).visible);
  g_ActionScene.SetPlayerSpriteSlot(ActSprite::HeroDualSword);  // the scene keeps it past the stage
}

TEST_F(PlayerAnimationTest, TheAirCellsRiseInTurnsAndSwitchToFallingAtTheApex) {
  PressKeys({key::Jump});
  std::vector<int> cells = StillCells(1);
  ReleaseKeys({key::Jump});
  const std::vector<int> rest = StillCells(25);
  cells.insert(cells.end(), rest.begin(), rest.end());
  // Rising cells 20 and 21 (sheet 26 and 27) every 5 frames; at the apex (the 21st frame) the
  // first falling cell at once, its 5 frames counted afresh, then the second.
  std::vector<int> expected = Each({26, 27, 26, 27}, 5);
  expected.erase(expected.begin());
  expected.insert(expected.end(), {26, 28, 28, 28, 28, 28, 29});
  EXPECT_EQ(cells, expected);
}

TEST_F(PlayerAnimationTest, AnAirSlashKeepsItsTimeWhenTheHeroTurnsAndEndsInTheAirAnimation) {
  HoldStillFrames({key::Jump});
  ReleaseKeys({key::Jump});
  HoldStillFrames({key::Right});
  PressKeys({key::Attack});
  std::vector<int> cells = StillCells(8);
  // Turning from right to left keeps the flags as they were (moving, a side tapped): only the
  // turn acts.
  ReleaseKeys({key::Attack, key::Right});
  PressKeys({key::Left});
  const std::vector<int> more = StillCells(12);
  cells.insert(cells.end(), more.begin(), more.end());
  std::vector<int> expected = Each({54, 55, 56, 57}, 5);  // sheet row 5, columns 4 to 7
  expected.erase(expected.begin());
  expected.push_back(28);  // back in the air, falling by now
  EXPECT_EQ(cells, expected);
  EXPECT_EQ(Facing(), 0);
  EXPECT_EQ(Flags() & (PlayerState::AirAttack | PlayerState::Airborne), PlayerState::Airborne);
}

TEST_F(PlayerAnimationTest, AHitShowsTheHitCellAndFaceAndTheHeroBlinksEveryThirdFrame) {
  SetExhausted(1);
  g_Player.TakeDamage(30, 1, 0, 0, 0);  // doubled without the defence: 60
  std::vector<int> shown;
  for (int frame = 0; frame < 60; ++frame) {
    StillFrames(1);
    if (frame == 0) {
      EXPECT_EQ(ShownCell(), 18) << "hit on the ground";
      EXPECT_EQ(SpriteAt(ActSprite::FaceIcon).srcX, 96.0f) << "the hit face, though exhausted";
      EXPECT_EQ(SpriteAt(ActSprite::FaceIcon).srcY, 0.0f);
      EXPECT_EQ(SpriteAt(ActSprite::GaugeHp).width, 304.0f);
      EXPECT_EQ(SpriteAt(ActSprite::Digits + 2).srcX, 144.0f) << "190";
    }
    shown.push_back(SpriteAt(ActSprite::HeroDualSword).visible);
  }
  // Hidden, shown, hidden … three frames each, through the hit stun and the invincibility
  // after it (whose first frame blinks twice).
  std::vector<int> flips;
  for (int frame = 1; frame < 60; ++frame)
    if (shown[frame] != shown[frame - 1]) flips.push_back(frame);
  EXPECT_EQ(shown[0], 0);
  ASSERT_GE(flips.size(), 15u);
  for (size_t i = 1; i < flips.size(); ++i) {
    if (flips[i - 1] < 18 || flips[i - 1] > 21) {
      EXPECT_EQ(flips[i] - flips[i - 1], 3) << "flip at " << flips[i];
    }
  }
  EXPECT_EQ(SpriteAt(ActSprite::FaceIcon).srcY, 96.0f) << "the hit stun is over: exhausted";

  // The next hit, once he is safe no more, blinks afresh: hidden in the next frame, then every
  // third frame.
  StillFrames(30);
  ASSERT_FALSE(Flags() & PlayerState::Invincible);
  g_Player.TakeDamage(30, 1, 0, 0, 0);
  shown.clear();
  for (int frame = 0; frame < 7; ++frame) {
    StillFrames(1);
    shown.push_back(SpriteAt(ActSprite::HeroDualSword).visible);
  }
  EXPECT_EQ(shown, std::vector<int>({0, 0, 0, 1, 1, 1, 0}));
}

TEST_F(PlayerAnimationTest, TheGaugesShowTheShareLeftAndNeverANegativeWidth) {
  const struct {
    int hp;
    float width;
  } cases[] = {{250, 400}, {125, 200}, {0, 0}, {-40, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hp);
    SetHp(c.hp);
    SetSp(5000 - 8);         // a frame's refill
    SetMp(35000 / 4 + 3);    // and drain
    StillFrames(1);
    EXPECT_EQ(SpriteAt(ActSprite::GaugeHp).width, c.width);
    EXPECT_EQ(SpriteAt(ActSprite::GaugeHp).height, 12.0f) << "the gauge picture's height";
    EXPECT_EQ(SpriteAt(ActSprite::GaugeSp).width, 200.0f);
    EXPECT_EQ(SpriteAt(ActSprite::GaugeMp).width, 49.5f);
  }
}

TEST_F(PlayerAnimationTest, TheDigitsShowTheHpAndItsMaximumWithoutLeadingZeros) {
  const struct {
    int hp;
    std::vector<int> shown;   // sprites 15 to 18
    std::vector<float> srcX;  // of the shown ones
  } cases[] = {
      {250, {0, 1, 1, 1}, {32, 80, 0}},
      {5, {0, 0, 0, 1}, {80}},
      {1203, {1, 1, 1, 1}, {16, 32, 0, 48}},
      {0, {0, 0, 0, 0}, {}},
      {-7, {0, 0, 0, 0}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hp);
    SetHp(c.hp);
    StillFrames(1);
    std::vector<int> shown;
    std::vector<float> srcX;
    for (int i = 0; i < 4; ++i) {
      const SpriteState digit = SpriteAt(ActSprite::Digits + i);
      shown.push_back(digit.visible);
      if (digit.visible) srcX.push_back(digit.srcX);
    }
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(srcX, c.srcX);
    // The maximum, 250, past the separator, which keeps its own glyph.
    EXPECT_FALSE(SpriteAt(ActSprite::Digits + 5).visible);
    EXPECT_EQ(SpriteAt(ActSprite::Digits + 6).srcX, 32.0f);
    EXPECT_EQ(SpriteAt(ActSprite::Digits + 8).srcX, 0.0f);
    EXPECT_TRUE(SpriteAt(ActSprite::Digits + 4).visible);
    EXPECT_EQ(SpriteAt(ActSprite::Digits + 4).srcX, 160.0f);
  }
}

TEST_F(PlayerAnimationTest, TheChargeIconsAndTheFaceFollowTheHero) {
  const struct {
    int charges;
    int exhausted;
    std::vector<int> icons;
    float faceY;
  } cases[] = {
      {3, 0, {1, 1, 1}, 0},
      {2, 1, {1, 1, 0}, 96},
      {0, 1, {0, 0, 0}, 96},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.charges);
    SetCharges(c.charges);
    SetExhausted(c.exhausted);
    StillFrames(1);
    std::vector<int> icons;
    for (int i = 0; i < 3; ++i) icons.push_back(SpriteAt(ActSprite::TeleportIcon + i).visible);
    EXPECT_EQ(icons, c.icons);
    EXPECT_EQ(SpriteAt(ActSprite::FaceIcon).srcX, 0.0f);
    EXPECT_EQ(SpriteAt(ActSprite::FaceIcon).srcY, c.faceY);
  }
}

}  // namespace
