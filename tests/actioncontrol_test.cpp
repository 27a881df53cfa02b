// The hero under the keys: walking, jumping, dashing, crouching, guarding, attacking and
// teleporting against the solid cells, and the running frame's order as the sprites show it.
#include <gtest/gtest.h>

#include "act/actionscene.h"
#include "act/attacks/actobject.h"
#include "act/attacks/attackeffectmanager.h"
#include "act/player.h"
#include "tests/acttestkit.h"
#include "tests/testsupport.h"

namespace {

using namespace acttest;
namespace PS = PlayerState;

// The hero stands on the floor (row 17) at x 640, the camera following him; a one-cell wall
// high enough to stop a walk stands at column 50.
constexpr float kStartX = 640;
constexpr int kWallCol = 50;
constexpr float kFloorY = 17 * 32 - 190.5f;

bool Shown(int kind) { return (g_AttackEffectManager.GetFlags(kind) & ActObjectFlag::Visible) != 0; }
bool HeroShown() { return SpriteAt(ActSprite::HeroDualSword).visible != 0; }

class HeroControlTest : public ActTest {
 protected:
  void SetUp() override {
    ActTest::SetUp();
    StageText stage(80, 20);
    for (int row = 10; row < 17; ++row) stage.Put(kWallCol, row, "#");
    EnterStage(stage.Put(20, 10, "@").Floor(17).Text());
    ASSERT_EQ(Position().y, kFloorY);
  }
  // Standing still at x with nothing held, the camera on him.
  void Reset(float x = kStartX) {
    testsupport::ReleaseAll();
    StillFrames(30);
    SetPosition(x, kFloorY);
    SetVelocity(0, 0);
    StillFrames(1);
  }
  // Steps one frame and says how far the hero moved across.
  float StepX() {
    const float x = Position().x;
    StillFrames(1);
    return Position().x - x;
  }
};

TEST_F(HeroControlTest, WalkingStopsAtOnceAndAJumpRises105PixelsToItsApex) {
  PressKeys({key::Right});
  EXPECT_EQ(StepX(), 4.5f);
  ReleaseKeys({key::Right});
  EXPECT_EQ(StepX(), 0.0f);

  HoldStillFrames({key::Jump});
  ReleaseKeys({key::Jump});
  StillFrames(19);
  EXPECT_EQ(kFloorY - Position().y, 105.0f);
  StillFrames(1);
  EXPECT_EQ(Velocity().y, 0.0f);
  EXPECT_TRUE(Flags() & PS::Airborne);

  // One more jump in the air, and no third.
  HoldStillFrames({key::Jump});
  EXPECT_EQ(Velocity().y, -10.0f);
  ReleaseKeys({key::Jump});
  StillFrames(1);
  HoldStillFrames({key::Jump});
  EXPECT_EQ(Velocity().y, -9.0f);
}

TEST_F(HeroControlTest, DashesKeepTheirSpeedForTheirTime) {
  const struct {
    int weapon;
    bool crouching;
    float speed;
    int frames;
  } cases[] = {{0, false, 12, 25}, {1, false, 10, 25}, {0, true, 12, 15}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.weapon * 10 + c.crouching);
    Reset();
    SetWeapon(c.weapon);
    if (c.crouching) {
      HoldStillFrames({key::Down, key::Right}, 2);  // crouched, not walking
      PressKeys({key::Jump});
    } else {
      StillTap(key::Right);
      EXPECT_EQ(Velocity().x, 0.0f);  // stopped by the release frame's friction
      PressKeys({key::Right});
    }
    ASSERT_EQ(StepX(), c.speed);
    EXPECT_TRUE(Shown(AttackKind::DashDust));
    int frames = 1;
    while (frames < 40 && StepX() == c.speed) ++frames;
    EXPECT_EQ(frames, c.frames);
    // The walk (or the crouch) takes over.
    EXPECT_EQ(Velocity().x, c.crouching ? 0.0f : g_Player.GetMoveParam(PlayerMoveParam::MaxWalk));
  }
}

// A second press of the same side dashes when it comes at most 12 frames after the first.
TEST_F(HeroControlTest, ADoubleTapDashesWithinTwelveFrames) {
  for (int gap : {2, 12, 13}) {
    SCOPED_TRACE(gap);
    Reset();
    HoldStillFrames({key::Right});
    ReleaseKeys({key::Right});
    StillFrames(gap - 1);
    HoldStillFrames({key::Right});
    EXPECT_EQ((Flags() & PS::Dash) != 0, gap <= 12);
    EXPECT_EQ(Shown(AttackKind::DashDust), gap <= 12);
  }
}

TEST_F(HeroControlTest, CrouchJumpsBackstepAndAttacksTakeTheJumpPress) {
  // Crouching with no side held, Jump hops backward; no jump follows in the air.
  HoldStillFrames({key::Down});
  HoldStillFrames({key::Jump});
  EXPECT_EQ(Flags() & (PS::Backstep | PS::Airborne), PS::Backstep | PS::Airborne);
  EXPECT_EQ(Velocity().x, -10.0f);
  EXPECT_EQ(Velocity().y, -3.0f);
  ReleaseKeys({key::Down, key::Jump});
  StillFrames(1);
  HoldStillFrames({key::Jump});
  EXPECT_EQ(Velocity().y, -2.0f);

  // Attack and Jump in one frame: the slash, and no jump while Jump stays held.
  Reset();
  HoldStillFrames({key::Attack, key::Jump});
  EXPECT_TRUE(Flags() & PS::Combo1);
  EXPECT_TRUE(Shown(AttackKind::ComboSlash1));
  ReleaseKeys({key::Attack});
  StillFrames(3);
  EXPECT_EQ(Position().y, kFloorY);
}

TEST_F(HeroControlTest, GuardAttacksAndTheirEffects) {
  // The guard needs 10 frames of holding; a ground slash ends it and every state but safety.
  const uint32_t guards = PS::GuardStart | PS::Guard;
  HoldStillFrames({key::Guard}, 10);
  EXPECT_EQ(Flags() & guards, PS::GuardStart);
  StillFrames(1);
  EXPECT_EQ(Flags() & guards, PS::Guard);
  EXPECT_TRUE(Shown(AttackKind::Guard));
  g_Player.SetFlags(PS::Invincible, 1);
  StartTimer(PlayerTimer::Invincible);
  HoldStillFrames({key::Attack});
  EXPECT_EQ(Flags(), PS::Combo1 | PS::Invincible);
  EXPECT_FALSE(Shown(AttackKind::Guard));

  // In the air the slash is the air slash, and it turns with the hero.
  Reset();
  StillTap(key::Jump);
  HoldStillFrames({key::Attack});
  EXPECT_TRUE(Flags() & PS::AirAttack);
  EXPECT_TRUE(Shown(AttackKind::AirSlash));
  HoldStillFrames({key::Left});
  EXPECT_EQ(g_AttackEffectManager.GetFacing(AttackKind::AirSlash), 0);

  // Crouching, the crouch slash; Guard does nothing there.
  Reset();
  HoldStillFrames({key::Down, key::Guard});
  HoldStillFrames({key::Attack});
  EXPECT_EQ(Flags() & (PS::CrouchAttack | PS::Crouch | PS::GuardStart), PS::CrouchAttack | PS::Crouch);
  EXPECT_TRUE(Shown(AttackKind::CrouchSlash));
}

TEST_F(HeroControlTest, ATeleportCrossesAWallHiddenAndEndsInSight) {
  Reset(kWallCol * 32 - 200);
  HoldStillFrames({key::Right});
  HoldStillFrames({key::Teleport});
  const float startX = Position().x;
  // 50 less the ground friction while he teleports, a third of it as he lands, then the walk.
  for (float vx : {40.f, 40.f, 40.f, 40.f, 40.f, 40.f, 40 - 10.f / 3, 4.5f}) {
    StillFrames(1);
    EXPECT_NEAR(Velocity().x, vx, 1e-4);
    EXPECT_EQ(HeroShown(), vx != 40);
  }
  EXPECT_TRUE(Shown(AttackKind::TeleportAfterImage));
  EXPECT_EQ(Charges(), 1);
  EXPECT_LT(startX + 128, kWallCol * 32);
  EXPECT_GT(Position().x + 64, kWallCol * 32 + 32);

  // Aimed to the last frame of the aim: the teleport still runs its course.
  Reset();
  HoldStillFrames({key::Teleport});
  ReleaseKeys({key::Teleport});
  StillFramesUntilFrame(TimerStart(PlayerTimer::TeleportAim) + 30);
  ASSERT_TRUE(Flags() & PS::TeleportAim);
  HoldStillFrames({key::Left});
  EXPECT_TRUE(Flags() & PS::Teleporting);
  StillFrames(6);
  EXPECT_FALSE(Flags() & (PS::Teleporting | PS::TeleportAim));
  EXPECT_TRUE(HeroShown());
  EXPECT_NEAR(Position().x, kStartX - 6 * 40 - (40 - 10.0f / 3), 1e-3);
}

TEST_F(HeroControlTest, TheDirectionHeldAfterAimingGivesTheTeleportsStep) {
  constexpr float kDiagonal = 50 * 0.7071068f;
  const struct {
    std::initializer_list<int> keys;
    // After the teleport's frame: a straight step across loses the ground friction (10), a
    // diagonal one leaves the ground and loses a third of it.
    float vx, vy;
  } cases[] = {
      {{key::Left}, -40, 0},
      {{key::Up}, 0, -50},
      {{key::Down}, 0, 50},
      {{key::Up, key::Right}, kDiagonal - 10.0f / 3, -kDiagonal},
      {{key::Up, key::Left}, -(kDiagonal - 10.0f / 3), -kDiagonal},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.vx * 100 + c.vy);
    Reset();
    SetCharges(3);
    HoldStillFrames({key::Teleport});
    ReleaseKeys({key::Teleport});
    HoldStillFrames(c.keys);
    EXPECT_NEAR(Velocity().x, c.vx, 1e-4);
    EXPECT_NEAR(Velocity().y, c.vy, 1e-4);
    EXPECT_EQ(Flags() & (PS::Teleporting | PS::TeleportAim), PS::Teleporting);
    EXPECT_EQ(Charges(), 2);
  }
}

TEST_F(HeroControlTest, PauseFreezesTheDashWindowAndTheInvincibility) {
  StillTap(key::Right);
  StillTap(key::Pause);
  StillFrames(50);
  StillTap(key::Pause);
  HoldStillFrames({key::Right});
  EXPECT_TRUE(Flags() & PS::Dash);

  Reset();
  g_Player.TakeDamage(5, 1, 0, 0, 0);  // absorbed: safety only
  const uint32_t hit = FrameCount();
  StillFrames(30);
  StillTap(key::Pause);
  StillFrames(100);
  StillTap(key::Pause);
  StillFramesUntilFrame(hit + 60);
  EXPECT_TRUE(Flags() & PS::Invincible);
  StillFrames(1);
  EXPECT_FALSE(Flags() & PS::Invincible);
  EXPECT_TRUE(HeroShown());
}

TEST_F(HeroControlTest, TheSpritesOfAFrameShowWhereTheHeroMovedInIt) {
  HoldStillFrames({key::Left});
  const D3DXVECTOR2 pos = Position();
  const D3DXVECTOR2 scroll = Scroll();
  ASSERT_EQ(scroll.x, pos.x - 331);
  const SpriteState hero = SpriteAt(ActSprite::HeroDualSword);
  EXPECT_EQ(hero.x, pos.x - scroll.x);
  EXPECT_EQ(hero.y, pos.y - scroll.y);
  EXPECT_EQ(g_Sprites[ActSprite::HeroDualSword].GetNoMirror(), 0);  // turned in this frame
  EXPECT_EQ(SpriteAt(ActSprite::BackgroundFront).srcX, scroll.x);
  EXPECT_EQ(SpriteAt(ActSprite::ChipWindow).x, -static_cast<float>(static_cast<int>(scroll.x) % 32));
}

}  // namespace
