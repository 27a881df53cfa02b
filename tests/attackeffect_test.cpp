// The hero's attack and effect objects on a running stage: when a slash can hit and whom, how
// long each effect shows and which cells, where each kind stands beside the hero, what a hit
// enemy reads back, and the action-object base's own rules (motion limits, the hero hit test).
#include <gtest/gtest.h>

#include <vector>

#include "act/actionscene.h"
#include "act/attacks/actobject.h"
#include "act/attacks/attackeffectmanager.h"
#include "act/mapmodel.h"
#include "act/mobs/mobmanager.h"
#include "act/player.h"
#include "librarysauce/mediaplayer.h"
#include "tests/acttestkit.h"

namespace {

using namespace acttest;

constexpr uint32_t kVisible = ActObjectFlag::Visible;
constexpr uint32_t kCanHit = ActObjectFlag::CanHit;

// The hero stands on the floor at (160, 321.5), facing right; five Kedamas sleep out of his
// reach until a test holds one where it wants it.
class AttackTest : public ActTest {
 protected:
  void SetUp() override {
    ActTest::SetUp();
    EnterStage(StageText(40, 20).Put(5, 11, "@").Put(33, 1, "kkkkk").Floor(16).Text());
  }
  // One still frame with the key held, then the key released (no frame).
  static void StillPress(int key) {
    HoldStillFrames({key});
    ReleaseKeys({key});
  }
  static SpriteState EffectSprite(int kind) { return SpriteAt(g_MapModel.GetEffectSpriteBase() + kind); }
  // The Kedama of slot i held still with the top-left corner of its damage box at (x, y).
  static void PutEnemy(int i, float x, float y) { HoldMob(i, x - 6, y - 6); }
  // Kedamas hit so far, each hit once (a slash of the first combo takes 20 of its 50 points).
  static int HitCount() {
    int hits = 0;
    for (int i = 0; i < g_MobManager.GetCount(); ++i)
      if (g_MobManager.GetKind(i) != 0 && MobHp(i) < 50) hits += 1;
    return hits;
  }
};

// The first slash, fired facing right from (160, 321.5), covers x 284 to 352, y 452.5 to 480.5.
TEST_F(AttackTest, ComboSlashOneHitsOnceFromItsFifthFrameUntilTheAnimationEndsIt) {
  PutEnemy(0, 284, 452.5f);  // corner to corner with the slash's top-left
  PutEnemy(1, 300, 460);
  PutEnemy(2, 342, 470.5f);
  PutEnemy(3, 352, 460);  // touches the slash's right edge only
  const uint32_t fired = FrameCount();
  const MediaPlayer& swing = g_MediaPlayers[ActSound::SwingCombo1];
  for (int frame = 0; frame < 4; ++frame) {
    if (frame == 0)
      StillPress(key::Attack);
    else
      StillFrames(1);
    EXPECT_EQ(HitCount(), 0) << "frame F+" << frame;
    EXPECT_EQ(swing.IsPlaying(), frame == 3) << "the blade swings at F+3, not at F+" << frame;
  }
  EXPECT_TRUE(Flags() & PlayerState::Combo1);
  EXPECT_EQ(g_AttackEffectManager.GetFlags(AttackKind::ComboSlash1), kVisible | kCanHit);
  StillFrames(1);
  EXPECT_EQ(g_AttackEffectManager.GetFlags(AttackKind::ComboSlash1), kVisible);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(MobHp(i), i < 3 ? 30 : 50) << "all that overlap at F+4, the touching one not: " << i;

  PutEnemy(4, 320, 465);  // walks in later
  StillFramesUntilFrame(fired + 20);
  EXPECT_EQ(HitCount(), 3) << "one hit per firing";
  EXPECT_FALSE(Flags() & PlayerState::Combo1) << "the animation dropped it at F+19";
  EXPECT_EQ(g_AttackEffectManager.GetFlags(AttackKind::ComboSlash1), kVisible);
  EXPECT_TRUE(EffectSprite(AttackKind::ComboSlash1).visible);
  EXPECT_EQ(EffectSprite(AttackKind::ComboSlash1).color, 0x00FFFFFFu) << "drawn fully transparent";
  StillFrames(1);
  EXPECT_EQ(g_AttackEffectManager.GetFlags(AttackKind::ComboSlash1), 0u) << "ended at F+20, not by its timer";
  EXPECT_FALSE(EffectSprite(AttackKind::ComboSlash1).visible);
}

// The first slash's box is its half-extents 34 × 14 about its middle: an enemy half a pixel
// inside any side is hit, one touching it from outside is not.
TEST_F(AttackTest, TheFirstSlashHitsExactlyWithinItsBox) {
  const struct {
    const char* name;
    float x, y;  // top-left of the enemy's 52 × 56 damage box
    int hit;
  } cases[] = {
      {"half inside the left side", 284.5f - 52, 440, 1}, {"touching the left side", 284 - 52, 440, 0},
      {"half inside the right side", 351.5f, 440, 1},     {"touching the right side", 352, 440, 0},
      {"half inside the top", 300, 453 - 56, 1},          {"touching the top", 300, 452.5f - 56, 0},
      {"half inside the bottom", 300, 480, 1},            {"touching the bottom", 300, 480.5f, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetFlags(PlayerState::Combo1);
    g_AttackEffectManager.Fire(AttackKind::ComboSlash1);
    for (int step = 0; step < 4; ++step) g_AttackEffectManager.AnimateAll();  // the blade swings
    PutEnemy(0, c.x, c.y);
    g_AttackEffectManager.HitEnemies();
    EXPECT_EQ(MobHp(0), c.hit ? 30 : 50);
  }
}

// Jumping or crouching, the slash fired is the air or the crouch slash, and it hurts an enemy in
// its box when the blade swings.
TEST_F(AttackTest, TheAirAndCrouchSlashesHitAnEnemyInTheirBox) {
  const struct {
    const char* name;
    int key;  // pressed the frame before the attack
    int kind;
    int damage;
  } cases[] = {{"air", key::Jump, AttackKind::AirSlash, 30}, {"crouch", key::Down, AttackKind::CrouchSlash, 20}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HoldMob(0, 1000, 400);  // away
    HoldStillFrames({c.key});
    if (c.key == key::Jump) ReleaseKeys({key::Jump});
    StillPress(key::Attack);
    StillFrames(2);
    ASSERT_TRUE(g_AttackEffectManager.GetFlags(c.kind) & kVisible);
    // The enemy's damage box (52 × 56) centred on the slash's box, as it swings (F+3 to F+4).
    const D3DXVECTOR2 at = g_AttackEffectManager.GetPosition(c.kind), size = g_AttackEffectManager.GetSize(c.kind);
    PutEnemy(0, at.x + size.x / 2 - 26, at.y + size.y / 2 - 28);
    StillFrames(1);
    EXPECT_EQ(MobHp(0), 50) << "not before the swing";
    StillFrames(1);
    EXPECT_EQ(MobHp(0), 50 - c.damage);
    ReleaseKeys({c.key});
    StillFrames(60);  // back on the ground, standing
  }
}

// Each slash ends in the frame after the hero's animation drops its state (20 frames), not at
// its own 24-frame timer; the air slash ends in the very frame he lands.
TEST_F(AttackTest, TheAirAndCrouchSlashesEndWithTheHerosAttackState) {
  const struct {
    const char* name;
    int key;          // held: Jump to leave the ground, Down to crouch
    int framesAfter;  // frames after the key before the attack
    int kind;
    int lastShown;    // the last frame, counted from the firing, that shows the slash
    int onGround;     // the first frame that finds the hero on the ground
  } cases[] = {
      {"air slash, its animation over", key::Jump, 1, AttackKind::AirSlash, 19, -1},
      {"air slash, the hero landing", key::Jump, 32, AttackKind::AirSlash, 8, 9},
      {"crouch slash, its animation over", key::Down, 1, AttackKind::CrouchSlash, 19, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HoldStillFrames({c.key});
    if (c.key == key::Jump) ReleaseKeys({key::Jump});
    StillFrames(c.framesAfter - 1);
    StillPress(key::Attack);  // frame F
    int lastShown = -1, onGround = -1;
    for (int frame = 0; frame < 26; ++frame) {
      if (frame > 0) StillFrames(1);
      if (EffectSprite(c.kind).visible) lastShown = frame;
      if (onGround < 0 && !(Flags() & PlayerState::Airborne)) onGround = frame;
    }
    EXPECT_EQ(lastShown, c.lastShown);
    EXPECT_EQ(onGround, c.onGround);
    ReleaseKeys({c.key});
    StillFrames(60);
  }
}

TEST_F(AttackTest, AnEnemyArrivingInTheSlashIsHitOnlyWithinTheHittingFrames) {
  const struct {
    int arrival;   // frames after the firing
    int hitFrame;  // −1: never hit
  } cases[] = {{0, 4}, {3, 4}, {19, 19}, {20, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arrival);
    HoldMob(0, 1000, 400);  // away from the slash
    const uint32_t fired = FrameCount();
    int hitFrame = -1;
    for (int frame = 0; frame < 24; ++frame) {
      if (frame == c.arrival) PutEnemy(0, 300, 460);
      if (frame == 0)
        StillPress(key::Attack);
      else
        StillFrames(1);
      if (hitFrame < 0 && HitCount() > 0) hitFrame = static_cast<int>(FrameCount() - 1 - fired);
    }
    EXPECT_EQ(hitFrame, c.hitFrame);
  }
}

TEST_F(AttackTest, EachKindStandsBesideTheHeroMirroredByHisFacing) {
  const D3DXVECTOR2 p = Position();
  const struct {
    int kind;
    int facing;
    float dx, dy;  // from the hero's position
    int noMirror;
  } cases[] = {
      // Kinds 2 and 3, the second and third combo slashes, are unreachable in play (nothing
      // requests them); their places are pinned as built.
      {1, 1, 124, 131, 1}, {1, 0, 0, 131, 0},  {2, 1, 96, 96, 1},   {2, 0, 16, 96, 0},
      {3, 1, 80, 96, 1},   {3, 0, 48, 96, 0},  {4, 1, 95, 115, 1},  {4, 0, 1, 115, 0},
      {5, 1, -32, 64, 1},  {5, 0, 96, 64, 0},  {6, 1, 99, 168, 1},  {6, 0, 2, 168, 0},
      // The guard effect keeps the facing of the stage start.
      {7, 1, 32, 79, 1},   {7, 0, 32, 79, 1},  {8, 1, 0, 0, 1},     {8, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " facing " << c.facing);
    g_AttackEffectManager.EndFinished();  // the guard effect fires only when it is not showing
    SetFacing(c.facing);
    g_AttackEffectManager.Fire(c.kind);
    const D3DXVECTOR2 at = g_AttackEffectManager.GetPosition(c.kind);
    EXPECT_EQ(at.x, p.x + c.dx);
    EXPECT_EQ(at.y, p.y + c.dy);
    EXPECT_EQ(g_Sprites[g_MapModel.GetEffectSpriteBase() + c.kind].GetNoMirror(), c.noMirror);
    const SpriteState sprite = EffectSprite(c.kind);
    EXPECT_EQ(sprite.x, at.x - Scroll().x);
    EXPECT_EQ(sprite.y, at.y - Scroll().y);
  }
}

TEST_F(AttackTest, TheEnemiesReadTheDamageKnockbackAndFacingOfTheKindThatHitThem) {
  SetFacing(0);
  const struct {
    int kind;
    int damage;
    D3DXVECTOR2 knockback;
    int facing;
  } cases[] = {
      // Kinds 2 and 3 (the second and third combo slashes) are unreachable in play; pinned as built.
      {1, 20, {1, 0}, 0},    {2, 30, {2, -3.5f}, 0}, {3, 50, {5, -1}, 0}, {4, 30, {1, 0}, 0},
      {5, 0, {1, 0}, 0},     {6, 20, {3, 0}, 0},     {7, 0, {1, 0}, 1},   {8, 0, {0, 0}, 0},
      {0, 0, {0, 0}, 0},     {9, 0, {0, 0}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    g_AttackEffectManager.Fire(c.kind);
    EXPECT_EQ(g_AttackEffectManager.GetDamage(c.kind), c.damage) << "power × the hero's attack of 10";
    EXPECT_EQ(g_AttackEffectManager.GetKnockback(c.kind).x, c.knockback.x);
    EXPECT_EQ(g_AttackEffectManager.GetKnockback(c.kind).y, c.knockback.y);
    EXPECT_EQ(g_AttackEffectManager.GetFacing(c.kind), c.facing);
  }
  EXPECT_EQ(g_AttackEffectManager.GetFlags(0) | g_AttackEffectManager.GetFlags(9), 0u);
}

// Unreachable in play (nothing requests the second combo slash); pinned as built.
TEST_F(AttackTest, TheSecondComboSlashRunsItsCellsOnceAndDriftsUpAndForward) {
  SetFlags(PlayerState::Combo2);
  g_AttackEffectManager.Fire(AttackKind::ComboSlash2);
  const D3DXVECTOR2 start = g_AttackEffectManager.GetPosition(AttackKind::ComboSlash2);
  EXPECT_EQ(g_AttackEffectManager.GetFlags(AttackKind::ComboSlash2), kVisible | kCanHit) << "can hit at once";
  std::vector<float> cells;
  for (int frame = 0; frame < 24; ++frame) {
    StillFrames(1);
    cells.push_back(EffectSprite(AttackKind::ComboSlash2).srcX / 64);
    EXPECT_EQ(EffectSprite(AttackKind::ComboSlash2).srcY, 32.0f);
  }
  const std::vector<float> expected = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 5, 5, 5, 5};
  EXPECT_EQ(cells, expected);
  const D3DXVECTOR2 end = g_AttackEffectManager.GetPosition(AttackKind::ComboSlash2);
  EXPECT_EQ(end.x - start.x, 24.0f);
  EXPECT_EQ(end.y - start.y, -12.0f);
}

TEST_F(AttackTest, TheDashDustHidesAfterThirteenFramesAndStaysOnItsLastCell) {
  StillPress(key::Right);
  StillFrames(1);
  const D3DXVECTOR2 from = Position();
  std::vector<int> shown;
  for (int frame = 0; frame < 15; ++frame) {
    HoldStillFrames({key::Right});  // frame F: the second tap dashes
    shown.push_back(EffectSprite(AttackKind::DashDust).visible);
  }
  EXPECT_TRUE(Flags() & PlayerState::Dash);
  EXPECT_EQ(shown, std::vector<int>({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0}));
  EXPECT_EQ(EffectSprite(AttackKind::DashDust).srcX, 384.0f);
  EXPECT_EQ(g_AttackEffectManager.GetPosition(AttackKind::DashDust).x, from.x - 32) << "left behind";
}

TEST_F(AttackTest, ATeleportLeavesATintedAfterImageAtItsStartForTwelveFrames) {
  StillPress(key::Teleport);
  const D3DXVECTOR2 departure = Position();
  std::vector<int> shown;
  for (int frame = 0; frame < 14; ++frame) {
    HoldStillFrames({key::Right});  // frame F: away to the right
    shown.push_back(EffectSprite(AttackKind::TeleportAfterImage).visible);
  }
  EXPECT_EQ(shown, std::vector<int>({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0}));
  EXPECT_GT(Position().x, departure.x + 100);
  const D3DXVECTOR2 image = g_AttackEffectManager.GetPosition(AttackKind::TeleportAfterImage);
  EXPECT_EQ(image.x, departure.x);
  EXPECT_EQ(image.y, departure.y);
  const SpriteState after = EffectSprite(AttackKind::TeleportAfterImage);
  EXPECT_EQ(after.color, 0xC08080FFu);
  EXPECT_EQ(after.srcX, 0.0f) << "the first idle frame of the dual-sword sheet";
  EXPECT_EQ(after.srcY, 0.0f);
  EXPECT_EQ(after.width, 192.0f);
}

TEST_F(AttackTest, TheGuardEffectLoopsEverySeventeenFramesWhileTheGuardIsHeldAndEndsOnRelease) {
  HoldStillFrames({key::Guard}, 10);
  EXPECT_FALSE(EffectSprite(AttackKind::Guard).visible) << "not before the guard takes hold";
  std::vector<float> cells;
  for (int frame = 0; frame < 35; ++frame) {
    StillFrames(1);
    EXPECT_TRUE(EffectSprite(AttackKind::Guard).visible) << "frame " << frame;
    cells.push_back(EffectSprite(AttackKind::Guard).srcX / 128);
  }
  const std::vector<float> loop = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 4};
  std::vector<float> expected = loop;
  expected.insert(expected.end(), loop.begin(), loop.end());
  expected.push_back(1);
  EXPECT_EQ(cells, expected);

  ReleaseKeys({key::Guard});
  StillFrames(1);
  EXPECT_FALSE(EffectSprite(AttackKind::Guard).visible);
}

TEST_F(AttackTest, TheAirSlashFollowsAndTurnsWithTheHeroAndOtherKindsDoNotTurn) {
  StillPress(key::Jump);
  StillPress(key::Attack);
  EXPECT_TRUE(g_AttackEffectManager.GetFlags(AttackKind::AirSlash) & kVisible);
  HoldStillFrames({key::Left}, 3);
  EXPECT_EQ(Facing(), 0);
  EXPECT_EQ(g_AttackEffectManager.GetFacing(AttackKind::AirSlash), 0);
  const D3DXVECTOR2 slash = g_AttackEffectManager.GetPosition(AttackKind::AirSlash);
  EXPECT_EQ(slash.x, Position().x + 1);
  EXPECT_EQ(slash.y, Position().y + 115);
  EXPECT_EQ(g_Sprites[g_MapModel.GetEffectSpriteBase() + AttackKind::AirSlash].GetNoMirror(), 0);

  g_AttackEffectManager.SetFacing(AttackKind::ComboSlash1, 0);
  g_AttackEffectManager.SetFacing(AttackKind::Guard, 0);
  EXPECT_EQ(g_AttackEffectManager.GetFacing(AttackKind::ComboSlash1), 1);
  EXPECT_EQ(g_AttackEffectManager.GetFacing(AttackKind::Guard), 1);
}

TEST_F(AttackTest, EachSlashSwingsWithItsOwnSoundOnItsFourthFrame) {
  const struct {
    int kind;
    int sound;
  } cases[] = {{AttackKind::ComboSlash1, ActSound::SwingCombo1},
               {AttackKind::AirSlash, ActSound::SwingAir},
               {AttackKind::CrouchSlash, ActSound::SwingCrouch}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    for (int s = ActSound::SwingCombo1; s <= ActSound::SwingCrouch; ++s) g_MediaPlayers[s].Stop();
    g_AttackEffectManager.Fire(c.kind);
    std::vector<int> sounding;  // the swing slot playing after each animation step, 0 for none
    for (int step = 0; step < 5; ++step) {
      g_AttackEffectManager.AnimateAll();
      int slot = 0;
      for (int s = ActSound::SwingCombo1; s <= ActSound::SwingCrouch; ++s)
        if (g_MediaPlayers[s].IsPlaying()) slot = s;
      sounding.push_back(slot);
    }
    EXPECT_EQ(sounding, std::vector<int>({0, 0, 0, c.sound, c.sound}));
  }
}

TEST_F(AttackTest, FiringAgainRestartsTheSameSlash) {
  SetFlags(PlayerState::Combo1);
  g_AttackEffectManager.Fire(AttackKind::ComboSlash1);
  StillFrames(10);
  EXPECT_EQ(g_AttackEffectManager.GetFlags(AttackKind::ComboSlash1), kVisible | kCanHit);
  g_AttackEffectManager.Fire(AttackKind::ComboSlash1);
  EXPECT_EQ(g_AttackEffectManager.GetFlags(AttackKind::ComboSlash1), kVisible) << "can hit again from F+3";
  EXPECT_FALSE(g_MediaPlayers[ActSound::SwingCombo1].IsPlaying()) << "stopped and rewound";
  StillFrames(4);
  EXPECT_EQ(g_AttackEffectManager.GetFlags(AttackKind::ComboSlash1), kVisible | kCanHit);
  EXPECT_TRUE(g_MediaPlayers[ActSound::SwingCombo1].IsPlaying());
}

TEST_F(AttackTest, TheNextStageBringsFreshObjectsWithoutTheAttackThatWasRunning) {
  SetFlags(PlayerState::Combo1);
  g_AttackEffectManager.Fire(AttackKind::ComboSlash1);
  RequestStageEnd();
  StillFrames(18);  // the 17 frames of the fade-out (the slash lives 20), then the stage again
  ASSERT_EQ(SceneMode(), ActionSceneMode::FadeIn);
  for (int kind = AttackKind::First; kind <= AttackKind::Last; ++kind) {
    EXPECT_EQ(g_AttackEffectManager.GetFlags(kind), 0u) << kind;
    EXPECT_FALSE(EffectSprite(kind).visible) << kind;
  }
  StillFrames(17);
  StillPress(key::Attack);
  EXPECT_EQ(g_AttackEffectManager.GetFlags(AttackKind::ComboSlash1), kVisible);
}

// A bare object whose record the test sets.
class Probe : public ActObject {
 public:
  Probe(D3DXVECTOR2 position, D3DXVECTOR2 size, D3DXVECTOR2 velocity, D3DXVECTOR2 half) {
    sprite_ = static_cast<uint32_t>(g_MapModel.GetEffectSpriteBase());
    position_ = position;
    size_ = size;
    velocity_ = velocity;
    hitHalf_ = half;
  }
  D3DXVECTOR2 Velocity() const { return velocity_; }
};

TEST_F(AttackTest, AnObjectStopsAtTheMapsSidesAndBottomButMayRiseWithoutLimit) {
  const D3DXVECTOR2 maxScroll = g_MapModel.GetMaxScroll();
  const struct {
    D3DXVECTOR2 from, velocity, to, velocityAfter;
  } cases[] = {
      {{-30, 100}, {-5, 0}, {-32, 100}, {0, 0}},
      {{854 + maxScroll.x - 2, 100}, {5, 1}, {854 + maxScroll.x, 101}, {0, 1}},
      {{100, 480 + maxScroll.y - 1}, {1, 3}, {101, 480 + maxScroll.y}, {1, 0}},
      {{100, -1000}, {0, -50}, {100, -1050}, {0, -50}},
  };
  for (const auto& c : cases) {
    Probe probe(c.from, {32, 16}, c.velocity, {0, 0});
    probe.Move();
    EXPECT_EQ(probe.GetPosition().x, c.to.x);
    EXPECT_EQ(probe.GetPosition().y, c.to.y);
    EXPECT_EQ(probe.Velocity().x, c.velocityAfter.x);
    EXPECT_EQ(probe.Velocity().y, c.velocityAfter.y);
  }
}

}  // namespace

// The hero's damage box, from (160, 321.5): x 248 to 264, y 449.5 to 481.5; 24 lower at the top
// while he crouches.
TEST_F(AttackTest, AnObjectHitsTheHeroOnlyWhenItsBoxOverlapsHisDamageBoxAndItCanHit) {
  const struct {
    const char* name;
    D3DXVECTOR2 centre, half;
    uint32_t heroFlags, objectFlags;
    int hit;
  } cases[] = {
      {"inside", {256, 465}, {4, 4}, 0, kVisible | kCanHit, 1},
      {"touching his left side", {244, 465}, {4, 4}, 0, kVisible | kCanHit, 0},
      {"touching his feet", {256, 485.5f}, {4, 4}, 0, kVisible | kCanHit, 0},
      {"through the top while he stands", {256, 459.5f}, {10, 10}, 0, kVisible | kCanHit, 1},
      {"through the top while he crouches", {256, 459.5f}, {10, 10}, PlayerState::Crouch, kVisible | kCanHit, 0},
      {"unable to hit", {256, 465}, {4, 4}, 0, kVisible, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetFlags(c.heroFlags);
    Probe probe(c.centre, {0, 0}, {0, 0}, c.half);
    probe.SetFlags(c.objectFlags, 0);
    EXPECT_EQ(probe.HitPlayer(), c.hit);
    EXPECT_EQ(probe.GetFlags(), c.objectFlags);
  }
}
