// The hero's gauges in play: the MP drain and exhaustion, SP into teleport charges, the damage
// rule with defence, guard and exhaustion, an enemy body's blow, the hit stun that follows, and
// recovery.
#include <gtest/gtest.h>

#include "act/actionscene.h"
#include "act/mobs/mob.h"
#include "act/player.h"
#include "librarysauce/mediaplayer.h"
#include "tests/acttestkit.h"

namespace {

using namespace acttest;
namespace PS = PlayerState;

class HeroGaugeTest : public ActTest {
 protected:
  void SetUp() override {
    ActTest::SetUp();
    EnterStage(StageText(40, 20).Put(5, 10, "@").Floor(17).Text());
  }
};

TEST_F(HeroGaugeTest, DamageAfterDefenceGuardAndExhaustion) {
  const struct {
    const char* name;
    int exhausted;
    uint32_t flags;
    int damage, nonLethal, hp;
    int hpAfter, mpAfter;  // MP from 1000
    float vx;              // knocked at 5 pixels a frame toward facing 1
    uint32_t flagsAfter;
  } cases[] = {
      {"plain", 0, 0, 16, 0, 250, 244, 1000, 1, PS::HitStun},
      {"guarded", 0, PS::Guard, 16, 0, 250, 249, 999, 0.5f, PS::Guard | PS::HitStun},
      {"exhausted", 1, 0, 16, 0, 250, 218, 1000, 5, PS::HitStun},
      {"guarded below the defence", 0, PS::Guard, 3, 0, 250, 250, 1001, 0, PS::Guard | PS::Invincible},
      {"absorbed", 0, 0, 5, 0, 250, 250, 1000, 0, PS::Invincible},
      {"absorbed while exhausted", 1, PS::Guard, 4, 0, 250, 250, 1000, 0, PS::Guard},
      {"non-lethal", 0, 0, 100, 1, 50, 1, 1000, 1, PS::HitStun},
      {"lethal", 0, 0, 100, 0, 50, -40, 1000, 1, PS::HitStun | PS::Dead},
  };
  MediaPlayer& hitSound = g_MediaPlayers[ActSound::PlayerHit];
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetFlags(c.flags);
    SetExhausted(c.exhausted);
    SetHp(c.hp);
    SetMp(1000);
    SetVelocity(0, 0);
    hitSound.Stop();
    g_Player.TakeDamage(c.damage, 1, 5, 0, c.nonLethal);
    EXPECT_EQ(Hp(), c.hpAfter);
    EXPECT_EQ(Mp(), c.mpAfter);
    EXPECT_EQ(Velocity().x, c.vx);
    EXPECT_EQ(Flags(), c.flagsAfter);
    EXPECT_TRUE(hitSound.IsPlaying());
  }
}

TEST_F(HeroGaugeTest, AHitStunsBlinksThenTurnsTheHeroAndProtectsHim) {
  g_Player.TakeDamage(16, 0, 5, 0, 0);
  const uint32_t hit = FrameCount();
  EXPECT_EQ(Velocity().x, -1.0f);
  StillFrames(1);
  EXPECT_FALSE(SpriteAt(ActSprite::HeroDualSword).visible);
  EXPECT_NEAR(Velocity().x, -1 + 10.0f / 15, 1e-6);
  StillFramesUntilFrame(hit + 20);
  EXPECT_TRUE(Flags() & PS::HitStun);
  StillFrames(1);
  EXPECT_EQ(Flags() & (PS::HitStun | PS::Invincible), PS::Invincible);
  EXPECT_EQ(Facing(), 1);
  EXPECT_EQ(Velocity().x, 0.0f);
}

// An enemy's body (a Kedama, attack 10, its middle right of the hero's) hurts by a quarter of
// attack × the speed at which they meet, across and down, and knocks him away by half of that;
// two bodies at once hurt him once.
TEST_F(HeroGaugeTest, AnEnemysBodyHurtsByTheSpeedTheyMeetAt) {
  const struct {
    int exhausted;
    D3DXVECTOR2 hero, mob;  // velocities
    int hp;
    float vx;
    int bodies;  // Kedamas in the same place
  } cases[] = {
      {0, {12, 0}, {0, 0}, 250 - (30 - 10), -3, 1},  // dashing into it: 120 / 4
      {0, {-4, 6}, {-2, 0}, 250 - (20 - 10), -2, 1},  // falling, it chasing him: (20 + 60) / 4
      {1, {10, 0}, {0, 0}, 250 - 2 * 25, -12, 1},    // no defence, twice the damage; 25 / 2 knocks 12
      {1, {10, 0}, {0, 0}, 250 - 2 * 25, -12, 2},    // one blow: a second at his knocked-back speed would take 60
  };
  EnterStage(StageText(40, 20).Put(2, 10, "@").Put(14, 15, "kk").Floor(17).Text());
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.hp << ", bodies " << c.bodies);
    SetFlags(0);
    SetHp(250);
    SetExhausted(c.exhausted);
    for (int i = 0; i < 2; ++i) {
      HoldMob(i, Position().x + (i < c.bodies ? 76 : 1000), Position().y + 128);
      SetMobMotion(i, MobAt(i).GetPosition(), c.mob);
    }
    SetVelocity(c.hero.x, c.hero.y);
    g_Player.CheckEnemyContact();
    EXPECT_EQ(Hp(), c.hp);
    EXPECT_EQ(Velocity().x, c.vx);
  }
}

TEST_F(HeroGaugeTest, MpDrainsToExhaustionAndSpFillsTheCharges) {
  SetMp(5);
  StillFrames(1);
  EXPECT_EQ(Mp(), 2);
  EXPECT_EQ(Exhausted(), 0);
  StillFrames(1);
  EXPECT_EQ(Mp(), 0);
  EXPECT_EQ(Exhausted(), 1);
  SetWeapon(1);
  g_Player.Recover(2000, RecoverKind::Mp);
  EXPECT_EQ(Exhausted(), 0);
  StillFrames(1);
  EXPECT_EQ(Mp(), 1995);  // the great sword drains 5

  // 10000 SP make a charge: 1250 frames at 8, 625 crouching; none past three charges.
  SetWeapon(0);
  SetSp(10000 - 80);
  StillFrames(9);
  EXPECT_EQ(Charges(), 2);
  StillFrames(2);
  EXPECT_EQ(Charges(), 3);
  EXPECT_EQ(Sp(), 0);
  SetCharges(1);
  SetSp(10000 - 80);
  HoldStillFrames({key::Down}, 4);
  EXPECT_EQ(Sp(), 10000 - 16);
  StillFrames(1);
  EXPECT_EQ(Charges(), 2);
}

TEST_F(HeroGaugeTest, ATeleportWithoutAChargeCostsGaugesInsteadOfMoving) {
  SetCharges(0);
  StillTap(key::Teleport);
  SetHp(200);
  SetMp(1000);
  SetSp(500);
  const float x = Position().x;
  HoldStillFrames({key::Right});
  EXPECT_EQ(Hp(), 200 - (100 - 10));
  EXPECT_EQ(Mp(), 500 - 3);
  EXPECT_EQ(Sp(), 8);  // emptied, then this frame's refill
  EXPECT_EQ(Flags() & (PS::HitStun | PS::TeleportAim | PS::Teleporting), PS::HitStun);
  EXPECT_EQ(Position().x, x);
}

TEST_F(HeroGaugeTest, RecoveryByKind) {
  const struct {
    const char* name;
    int amount, kind;
    int hp, mp, sp;  // after, from HP 200, MP 1000, SP 500
  } cases[] = {
      {"HP up to its maximum", 100, RecoverKind::Hp, 250, 1000, 500},
      {"SP up to its maximum", 20000, RecoverKind::Sp, 200, 1000, 10000},
      {"everything", 0, RecoverKind::All, 250, 35000, 10000},
      {"an unknown kind", 100, 8, 200, 1000, 500},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetHp(200);
    SetMp(1000);
    SetSp(500);
    g_Player.Recover(c.amount, c.kind);
    EXPECT_EQ(Hp(), c.hp);
    EXPECT_EQ(Mp(), c.mp);
    EXPECT_EQ(Sp(), c.sp);
  }
}

}  // namespace
