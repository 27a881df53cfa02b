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

class PlayerAnimationTest : public ActTest {
 protected:
  void SetUp() override {
    ActTest::SetUp();
    WriteActPictures();
    WriteActSounds();
    WriteStage("arena", StageText(40, 20).Put(5, 11, "@").Floor(16).Text());
    StartStages("arena");
    Frames(17);
  }
  // One running frame with the animation and HUD steps.
  static void Frame() {
    g_Player.UpdateAnimation(0);
    g_Player.DrawHud();
    Frames(1);
  }
  // The sheet cell (column + 10 × row) the hero's sprite shows.
  static int ShownCell() {
    const SpriteState s = SpriteAt(ActSprite::HeroDualSword);
    return static_cast<int>(s.srcX / 192) + 10 * static_cast<int>(s.srcY / 192);
  }
  // The cells shown over n frames.
  static std::vector<int> Run(int n) {
    std::vector<int> cells;
    for (int i = 0; i < n; ++i) {
      Frame();
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
  EXPECT_EQ(Run(10), Each({0}, 10));
  SetFacing(0);  // the turn starts the 15 frames afresh
  std::vector<int> expected = Each({0, 1, 2, 3, 0}, 15);
  expected.erase(expected.begin());
  expected.resize(60);
  EXPECT_EQ(Run(60), expected);
  EXPECT_EQ(g_Sprites[ActSprite::HeroDualSword].GetNoMirror(), 0) << "mirrored to face left";

  SetFlags(PlayerState::Moving);
  expected = Each({10, 11, 12, 13, 14, 15, 10}, 5);  // sheet row 1: cells 8 to 13
  expected.erase(expected.begin());
  expected.resize(30);
  EXPECT_EQ(Run(30), expected);
}

TEST_F(PlayerAnimationTest, TheAirCellsRiseInTurnsAndSwitchToFallingAtTheApex) {
  SetFlags(PlayerState::Airborne);
  SetVelocity(0, -20);  // the interim frame adds gravity; a rise stays a rise for a while
  const std::vector<int> rising = Run(12);
  EXPECT_EQ(rising, std::vector<int>({26, 26, 26, 26, 27, 27, 27, 27, 27, 26, 26, 26}));
  SetVelocity(0, 0);
  g_Player.UpdateAnimation(0);
  EXPECT_EQ(ShownCell(), 28) << "the first falling cell at once";
  SetVelocity(0, 0);
  EXPECT_EQ(Run(1)[0], 28);
}

TEST_F(PlayerAnimationTest, AnAirSlashKeepsItsTimeWhenTheHeroTurnsAndEndsInTheAirAnimation) {
  SetVelocity(0, -20);
  SetFlags(PlayerState::Airborne | PlayerState::AirAttack);
  std::vector<int> cells = Run(8);
  SetFacing(0);
  const std::vector<int> more = Run(12);
  cells.insert(cells.end(), more.begin(), more.end());
  std::vector<int> expected = Each({54, 55, 56, 57}, 5);  // sheet row 5, columns 4 to 7
  expected.erase(expected.begin());
  expected.push_back(26);
  EXPECT_EQ(cells, expected);
  EXPECT_EQ(Flags() & PlayerState::AirAttack, 0u);
  EXPECT_TRUE(Flags() & PlayerState::Airborne);
}

TEST_F(PlayerAnimationTest, TheGaugesShowTheShareLeftAndNeverANegativeWidth) {
  const struct {
    int hp;
    float width;
  } cases[] = {{250, 400}, {125, 200}, {0, 0}, {-40, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hp);
    SetHp(c.hp);
    SetSp(5000);
    SetMp(35000 / 4);
    Frame();
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
    Frame();
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
    uint32_t flags;
    int exhausted;
    std::vector<int> icons;
    float faceX, faceY;
  } cases[] = {
      {3, 0, 0, {1, 1, 1}, 0, 0},
      {2, 0, 1, {1, 1, 0}, 0, 96},
      {0, PlayerState::HitStun, 1, {0, 0, 0}, 96, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.charges);
    SetCharges(c.charges);
    SetFlags(c.flags);
    SetExhausted(c.exhausted);
    Frame();
    std::vector<int> icons;
    for (int i = 0; i < 3; ++i) icons.push_back(SpriteAt(ActSprite::TeleportIcon + i).visible);
    EXPECT_EQ(icons, c.icons);
    EXPECT_EQ(SpriteAt(ActSprite::FaceIcon).srcX, c.faceX);
    EXPECT_EQ(SpriteAt(ActSprite::FaceIcon).srcY, c.faceY);
  }
}

}  // namespace
