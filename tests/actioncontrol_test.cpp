// The hero under the keys: walking, jumping, dashing, crouching, guarding, attacking and
// teleporting against the solid cells, and the running frame's order as the sprites show it.
#include <gtest/gtest.h>

#include <cmath>

#include "act/actionscene.h"
#include "act/attackeffectmanager.h"
#include "act/player.h"
#include "gameflow/scenearrays.h"
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

bool Shown(int kind) { return (g_AttackEffectManager.GetFlags(kind) & AttackEffectManager::kVisible) != 0; }
bool HeroShown() { return SpriteAt(ActSprite::HeroDualSword).visible != 0; }
// Runs frames until the frame counter reads count.
void FramesUntil(uint32_t count) { Frames(static_cast<int>(count - FrameCount())); }

class HeroControlTest : public ActTest {
 protected:
  void SetUp() override {
    ActTest::SetUp();
    StageText stage(80, 20);
    for (int row = 10; row < 17; ++row) stage.Put(kWallCol, row, "#");
    PlayStage(stage.Put(20, 10, "@").Floor(17).Text());
    ASSERT_EQ(Position().y, kFloorY);
  }
  // Standing still at x with nothing held.
  void Reset(float x = kStartX) {
    testsupport::ReleaseAll();
    Frames(30);
    SetPosition(x, kFloorY);
    SetVelocity(0, 0);
    Frames(1);  // the camera catches up
  }
  // Steps one frame and says how far the hero moved across.
  float StepX() {
    const float x = Position().x;
    Frames(1);
    return Position().x - x;
  }
};

TEST_F(HeroControlTest, WalkingStopsAtOnceAndAJumpRises105PixelsToItsApex) {
  Hold({key::Right});
  EXPECT_EQ(StepX(), 4.5f);
  Release({key::Right});
  EXPECT_EQ(StepX(), 0.0f);

  const float floorY = Position().y;
  Hold({key::Jump});
  Frames(1);
  Release({key::Jump});
  Frames(19);
  EXPECT_EQ(floorY - Position().y, 105.0f);
  EXPECT_LT(Velocity().y, 0.0f);
  Frames(1);
  EXPECT_EQ(Velocity().y, 0.0f);
  EXPECT_TRUE(Flags() & PS::Airborne);

  // One more jump in the air, and no third.
  Hold({key::Jump});
  Frames(1);
  EXPECT_EQ(Velocity().y, -10.0f);
  EXPECT_TRUE(Flags() & PS::DoubleJump);
  Release({key::Jump});
  Frames(1);
  Hold({key::Jump});
  Frames(1);
  EXPECT_EQ(Velocity().y, -9.0f);
}

TEST_F(HeroControlTest, DashesKeepTheirSpeedForTheirTime) {
  const struct {
    const char* name;
    int weapon;
    bool crouching;
    float speed;
    int frames;
  } cases[] = {
      {"double tap", 0, false, 12, 25},
      {"double tap, great sword", 1, false, 10, 25},
      {"crouch dash", 0, true, 12, 15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Reset();
    SetWeapon(c.weapon);
    if (c.crouching) {
      Hold({key::Down, key::Right});
      Frames(2);
      EXPECT_EQ(Flags() & (PS::Crouch | PS::Moving), PS::Crouch);
      Hold({key::Jump});
    } else {
      Tap(key::Right);
      EXPECT_EQ(Velocity().x, 0.0f);  // the release frame's friction
      Hold({key::Right});
    }
    ASSERT_EQ(StepX(), c.speed);
    EXPECT_TRUE(Shown(AttackKind::DashDust));
    int frames = 1;
    while (frames < 40 && StepX() == c.speed) ++frames;
    EXPECT_EQ(frames, c.frames);
    EXPECT_FALSE(Flags() & PS::Dash);
    // The walk (or the crouch) takes over.
    EXPECT_EQ(Velocity().x, c.crouching ? 0.0f : g_Player.GetMoveParam(PlayerMoveParam::MaxWalk));
  }
}

TEST_F(HeroControlTest, CrouchJumpsBackstepAndAttacksTakeTheJumpPress) {
  // Crouching with no side held, Jump hops backward; no jump follows in the air.
  Hold({key::Down});
  Frames(1);
  Hold({key::Jump});
  Frames(1);
  EXPECT_EQ(Flags() & (PS::Backstep | PS::Airborne), PS::Backstep | PS::Airborne);
  EXPECT_EQ(Velocity().x, -10.0f);
  EXPECT_EQ(Velocity().y, -3.0f);
  Release({key::Down, key::Jump});
  Frames(1);
  Hold({key::Jump});
  Frames(1);
  EXPECT_EQ(Velocity().y, -2.0f);
  EXPECT_FALSE(Flags() & PS::DoubleJump);

  // Attack and Jump in one frame: the slash, and no jump while Jump stays held.
  Reset();
  Hold({key::Attack, key::Jump});
  Frames(1);
  EXPECT_TRUE(Flags() & PS::Combo1);
  EXPECT_TRUE(Shown(AttackKind::ComboSlash1));
  Release({key::Attack});
  Frames(3);
  EXPECT_FALSE(Flags() & PS::Airborne);
  EXPECT_EQ(Position().y, kFloorY);
}

TEST_F(HeroControlTest, GuardAttacksAndTheirEffects) {
  // The guard needs 10 frames of holding; a ground slash ends it and every state but safety.
  Hold({key::Guard});
  Frames(1);
  EXPECT_EQ(Flags() & (PS::GuardStart | PS::Guard), PS::GuardStart);
  Frames(9);
  EXPECT_EQ(Flags() & (PS::GuardStart | PS::Guard), PS::GuardStart);
  Frames(1);
  EXPECT_EQ(Flags() & (PS::GuardStart | PS::Guard), PS::Guard);
  EXPECT_TRUE(Shown(AttackKind::Guard));
  g_Player.SetFlags(PS::Invincible, 1);
  StartTimer(PlayerTimer::Invincible);
  Hold({key::Attack});
  Frames(1);
  EXPECT_EQ(Flags(), PS::Combo1 | PS::Invincible);
  EXPECT_FALSE(Shown(AttackKind::Guard));

  // In the air the slash is the air slash, and it turns with the hero.
  Reset();
  Tap(key::Jump);
  Hold({key::Attack});
  Frames(1);
  EXPECT_TRUE(Flags() & PS::AirAttack);
  EXPECT_TRUE(Shown(AttackKind::AirSlash));
  EXPECT_EQ(g_AttackEffectManager.GetFacing(AttackKind::AirSlash), 1);
  Hold({key::Left});
  Frames(1);
  EXPECT_EQ(g_AttackEffectManager.GetFacing(AttackKind::AirSlash), 0);

  // Crouching, the crouch slash; holding Guard does nothing there.
  Reset();
  Hold({key::Down, key::Guard});
  Frames(1);
  Hold({key::Attack});
  Frames(1);
  EXPECT_EQ(Flags() & (PS::CrouchAttack | PS::Crouch | PS::GuardStart), PS::CrouchAttack | PS::Crouch);
  EXPECT_TRUE(Shown(AttackKind::CrouchSlash));
}

TEST_F(HeroControlTest, ATeleportCrossesAWallHiddenAndEndsInSight) {
  Reset(kWallCol * 32 - 200);
  Hold({key::Right});
  Frames(1);
  Hold({key::Teleport});
  Frames(1);
  EXPECT_TRUE(Flags() & PS::TeleportAim);
  const float startX = Position().x;
  const float expected[] = {40, 40, 40, 40, 40, 40, 40 - 10.0f / 3, 4.5f};
  for (float vx : expected) {
    Frames(1);
    EXPECT_NEAR(Velocity().x, vx, 1e-4);
    if (vx == 40) {
      EXPECT_TRUE(Flags() & PS::Teleporting);
      EXPECT_FALSE(HeroShown());
    }
  }
  EXPECT_TRUE(Shown(AttackKind::TeleportAfterImage));
  EXPECT_TRUE(HeroShown());
  EXPECT_EQ(Charges(), 1);
  EXPECT_LT(startX + 128, kWallCol * 32);       // started left of the wall
  EXPECT_GT(Position().x + 64, kWallCol * 32 + 32);  // and ended right of it

  // Aimed to the last frame of the aim: the teleport still runs its course.
  Reset();
  Hold({key::Teleport});
  Frames(1);
  const uint32_t aimed = TimerStart(PlayerTimer::TeleportAim);
  Release({key::Teleport});
  FramesUntil(aimed + 30);
  ASSERT_TRUE(Flags() & PS::TeleportAim);
  Hold({key::Left});
  Frames(1);
  EXPECT_TRUE(Flags() & PS::Teleporting);
  Frames(6);
  EXPECT_FALSE(Flags() & (PS::Teleporting | PS::TeleportAim));
  EXPECT_TRUE(HeroShown());
  EXPECT_NEAR(Position().x, kStartX - 6 * 40 - (40 - 10.0f / 3), 1e-3);
}

TEST_F(HeroControlTest, PauseFreezesTheDashWindowAndTheInvincibility) {
  Tap(key::Right);
  Tap(key::Pause);
  EXPECT_EQ(SceneMode(), ActionSceneMode::Pause);
  Frames(50);
  Tap(key::Pause);
  Hold({key::Right});
  Frames(1);
  EXPECT_TRUE(Flags() & PS::Dash);

  Reset();
  g_Player.TakeDamage(5, 1, 0, 0, 0);  // absorbed: safety only
  const uint32_t hit = FrameCount();
  EXPECT_TRUE(Flags() & PS::Invincible);
  Frames(30);
  Tap(key::Pause);
  Frames(100);
  Tap(key::Pause);
  FramesUntil(hit + 60);
  EXPECT_TRUE(Flags() & PS::Invincible);
  Frames(1);
  EXPECT_FALSE(Flags() & PS::Invincible);
  EXPECT_TRUE(HeroShown());
}

TEST_F(HeroControlTest, TheSpritesOfAFrameShowWhereTheHeroMovedInIt) {
  Hold({key::Left});
  Frames(1);
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
