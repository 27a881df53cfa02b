// The stage's enemies on real frames: the Kedama's walks, rests, bullets and turns, the Hopper's
// jumps, slams and waves, the Bomber's hover, dive and single burst, sleep and waking, the cells
// each kind shows, a fall into a pit, the slots filled from the map, the drops of a defeated
// enemy, and an enemy's body against the hero.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "act/actionscene.h"
#include "act/attacks/actobject.h"
#include "act/attacks/attackeffectmanager.h"
#include "act/items/itemmanager.h"
#include "act/mapmodel.h"
#include "act/mobs/mob.h"
#include "act/mobs/mobmanager.h"
#include "act/mobs/mobshotmanager.h"
#include "act/player.h"
#include "librarysauce/gamerandom.h"
#include "librarysauce/mediaplayer.h"
#include "tests/acttestkit.h"
#include "tests/testsupport.h"

namespace {

using namespace acttest;

// 40 × 20 cells of 32 pixels, the floor on row 17 (y 544); the hero starts at column 2 (x 64)
// and stands at y 353.5.
StageText Arena() { return StageText(40, 20).Put(2, 10, "@").Floor(17); }

class MobTest : public ActTest {
 protected:
  static SpriteState MobSprite(int i) { return SpriteAt(g_MapModel.GetMobSpriteBase() + i); }
  // Runs frames until the enemy's flags hold bits (or frames run out); the frame in which they
  // appeared, or 0.
  static uint32_t FrameWhen(int i, uint32_t bits, int frames) {
    for (int n = 0; n < frames; ++n) {
      StillFrames(1);
      if (g_MobManager.GetFlags(i) & bits) return FrameCount() - 1;
    }
    return 0;
  }
  static int ShotsOfKind(int kind) {
    int shots = 0;
    for (int s = 0; s < g_MobShotManager.GetCount(); ++s) shots += g_MobShotManager.GetKind(s) == kind;
    return shots;
  }
};

TEST_F(MobTest, AKedamaRestsWalksToTheHeroTurnsAtAWallAndFiresWhenEachWalkEnds) {
  EnterStage(Arena().Put(10, 16, "#").Put(14, 15, "k").Text());
  const uint32_t walk = FrameWhen(0, MobFlag::Moving, 30);
  EXPECT_EQ(walk, 30u) << "awake from frame 0, it rests until frame 30";
  EXPECT_EQ(MobAt(0).GetFacing(), 0) << "the hero is to its left";
  EXPECT_EQ(MobSprite(0).srcX, 0.0f);
  // On screen where it stands: the world (448, 482) less the camera (0, 127).
  const D3DXVECTOR2 at = MobAt(0).GetPosition();
  EXPECT_EQ(at.y, 482.0f);
  EXPECT_EQ(testsupport::PixelAt(static_cast<int>(at.x) + 32, 355 + 32), 0xFF000000u | PictureColor("Mob_Kedama.bmp"));
  // Faster by 0.05 a frame up to 2, the walk cells changing every fifth frame.
  const struct {
    uint32_t frame;
    float vx, srcX;
  } steps[] = {{walk + 4, -0.25f, 64}, {walk + 9, -0.5f, 128}, {walk + 14, -0.75f, 192}, {walk + 19, -1.0f, 0}};
  for (const auto& step : steps) {
    StillFramesUntilFrame(step.frame + 1);
    EXPECT_FLOAT_EQ(MobAt(0).GetVelocity().x, step.vx) << step.frame;
    EXPECT_EQ(MobSprite(0).srcX, step.srcX) << step.frame;
    EXPECT_EQ(MobSprite(0).textureIndex, ActTexture::MobKedama);
  }
  // The wall at column 10 turns it round at the same speed.
  float lowest = 1e9f;
  while (MobAt(0).GetFacing() == 0 && FrameCount() < walk + 120) {
    lowest = std::min(lowest, MobAt(0).GetPosition().x);
    StillFrames(1);
  }
  EXPECT_GE(lowest + 6, 352.0f) << "its box never entered the wall";
  EXPECT_EQ(MobAt(0).GetVelocity().x, 2.0f);

  StillFramesUntilFrame(walk + 180);
  EXPECT_EQ(ShotsOfKind(MobShotKind::NormalBullet), 0);
  EXPECT_EQ(g_MobManager.GetFlags(0) & MobFlag::Moving, MobFlag::Moving);
  StillFrames(1);
  EXPECT_EQ(g_MobManager.GetFlags(0) & MobFlag::Moving, 0u) << "the walk ends after 180 frames";
  EXPECT_EQ(MobAt(0).GetVelocity().x, 0.0f);
  EXPECT_EQ(ShotsOfKind(MobShotKind::NormalBullet), 1) << "with a bullet";
  EXPECT_EQ(FrameWhen(0, MobFlag::Moving, 40), walk + 210) << "after a rest of 30 frames";
}

TEST_F(MobTest, ASleepingEnemyStaysPutUntilTheHeroComesNearAndWalksTheFrameAfter) {
  // The Kedama hangs in the air beyond a screen's width of the hero.
  EnterStage(Arena().Put(34, 5, "k").Text());
  StillFramesUntilFrame(40);
  EXPECT_EQ(MobAt(0).GetPosition().y, 160.0f) << "no gravity while asleep";
  EXPECT_FALSE(MobAt(0).IsActive());
  EXPECT_FALSE(MobSprite(0).visible) << "out of view";
  SetPosition(900, Position().y);  // within 854 pixels of it
  StillFrames(1);
  EXPECT_TRUE(MobAt(0).IsActive());
  EXPECT_EQ(MobAt(0).GetFlags(), 0u) << "waking is all it does that frame";
  StillFrames(1);
  EXPECT_EQ(MobAt(0).GetFlags() & MobFlag::Moving, MobFlag::Moving) << "its rest ran out long ago";
  EXPECT_GT(MobAt(0).GetVelocity().y, 0.0f);
}

// Enemies asleep off the screen doze: the frame leaves them untouched until they wake or come
// into view. The hero walks a long stage past sleeping enemies of each kind and back; the same
// walk with every enemy handed out before each frame (which keeps any from dozing) must show and
// do exactly the same, frame by frame. Only the hidden sprites of dozing enemies keep their old
// places, which shows that they dozed.
TEST_F(MobTest, DozingEnemiesOffTheScreenWakeAndShowExactlyAsIfSteppedEveryFrame) {
  const std::string stage =
      StageText(100, 20).Put(2, 10, "@").Floor(17).Put(40, 16, "k").Put(55, 16, "p").Put(70, 9, "b").Put(95, 16, "k").Text();
  struct Trace {
    std::vector<float> shown;  // what a player sees and what the enemies do
    int hiddenMoved = 0;       // frames in which a hidden sprite stood where a full step puts it
  };
  auto walk = [&](bool keepAwake) {
    testsupport::ReleaseAll();
    EnterStage(stage);
    Trace trace;
    for (int frame = 0; frame < 700; ++frame) {
      if (keepAwake)
        for (int i = 0; i < g_MobManager.GetCount(); ++i) g_MobManager.GetMob(i);
      testsupport::ReleaseAll();
      testsupport::PressKeys({frame < 450 ? key::Right : key::Left});
      SetHp(250);
      StillFrames(1);
      trace.shown.insert(trace.shown.end(), {Position().x, Position().y, Scroll().x});
      for (int i = 0; i < g_MobManager.GetCount(); ++i) {
        const MobStatus mob = g_MobManager.GetStatus(i);
        const SpriteState sprite = MobSprite(i);
        trace.shown.insert(trace.shown.end(), {mob.x, mob.y, static_cast<float>(mob.flags),
                                               static_cast<float>(g_MobManager.IsActive(i)),
                                               static_cast<float>(sprite.visible)});
        if (sprite.visible) {
          trace.shown.insert(trace.shown.end(), {sprite.x, sprite.y, sprite.srcX, sprite.srcY, sprite.rotZ});
        } else if (sprite.x == mob.x - Scroll().x) {
          trace.hiddenMoved += 1;
        }
      }
    }
    return trace;
  };
  const Trace stepped = walk(true);
  const Trace dozing = walk(false);
  ASSERT_EQ(dozing.shown.size(), stepped.shown.size());
  for (size_t n = 0; n < stepped.shown.size(); ++n) ASSERT_EQ(dozing.shown[n], stepped.shown[n]) << "value " << n;
  EXPECT_LT(dozing.hiddenMoved, stepped.hiddenMoved) << "the enemies off the screen dozed";
}

// The screen can show an enemy still asleep: with the hero far above the map's top, the view
// rests at the top while he is more than 480 pixels above the enemy. A dozing enemy that comes
// into view so is shown where it sleeps.
TEST_F(MobTest, ADozingEnemyThatComesIntoViewStillAsleepIsShownWhereItSleeps) {
  EnterStage(StageText(60, 20).Put(2, 6, "@").Floor(12).Put(50, 10, "k").Text());
  StillFrames(20);  // off the screen and out of reach: it dozes
  ASSERT_FALSE(MobSprite(0).visible);
  SetPosition(1200, -700);
  StillFrames(1);
  EXPECT_FALSE(g_MobManager.IsActive(0)) << "more than 480 pixels below the hero";
  EXPECT_TRUE(MobSprite(0).visible) << "but on the screen";
  EXPECT_EQ(MobSprite(0).x, 50 * 32 - Scroll().x);
  EXPECT_EQ(MobSprite(0).y, 10 * 32 - Scroll().y);
}

TEST_F(MobTest, TheMoveStepTurnsAKedamaAtWallsAndAtBothEdgesOfTheMap) {
  EnterStage(Arena().Put(10, 16, "#").Put(20, 16, "#").Put(14, 15, "k").Text());
  const struct {
    const char* name;
    float x, vx;
    float xAfter;
  } cases[] = {
      {"left wall", 347, -2, 347},        // box left 351 would enter column 10
      {"map's left edge", -5, -2, -6},    // box left kept at 0
      {"right wall", 580, 2, 580},        // box right 640 would enter column 20
      {"map's right edge", 1221, 2, 1222},  // box right kept at the map's 1280
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Mob& kedama = MobAt(0);
    SetMobMotion(0, {c.x, 482}, {c.vx, 0});
    kedama.SetFacing(c.vx > 0 ? 1 : 0);
    kedama.Move();
    EXPECT_EQ(kedama.GetPosition().x, c.xAfter);
    EXPECT_EQ(kedama.GetVelocity().x, -c.vx) << "turned, at the same speed";
    EXPECT_EQ(kedama.GetFacing(), c.vx > 0 ? 0 : 1);
  }
}

TEST_F(MobTest, AHopperRestsJumpsSpinningSlamsAndSendsWavesOnlyAfterAJump) {
  EnterStage(Arena().Put(14, 15, "p").Text());
  Mob& hopper = MobAt(0);
  // It falls to the floor and rests: that landing sends no waves.
  StillFramesUntilFrame(40);
  EXPECT_EQ(hopper.GetPosition().y, 502.0f) << "the box's bottom (42) on the floor";
  EXPECT_EQ(hopper.GetFlags(), MobFlag::Grounded);
  EXPECT_EQ(ShotsOfKind(MobShotKind::ShockWave), 0);

  const uint32_t jump = FrameWhen(0, MobFlag::Airborne, 40);
  EXPECT_EQ(hopper.GetFacing(), 1) << "the first jump goes right";
  EXPECT_FLOAT_EQ(hopper.GetVelocity().y, -5.0f);
  EXPECT_FLOAT_EQ(hopper.GetVelocity().x, 1.0f);
  StillFrames(1);
  EXPECT_FLOAT_EQ(hopper.GetVelocity().y, -4.88f) << "0.12 slower each frame";
  EXPECT_FLOAT_EQ(MobSprite(0).rotZ, 0.26f) << "spinning forward";
  EXPECT_EQ(MobSprite(0).srcX, 0.0f);
  const uint32_t slam = FrameWhen(0, MobFlag::Slam, 60);
  EXPECT_EQ(slam - jump, 46u);
  EXPECT_EQ(MobSprite(0).srcX, 128.0f) << "the slam cell";
  EXPECT_EQ(hopper.GetVelocity().y, 25.0f);
  EXPECT_EQ(hopper.GetVelocity().x, 0.0f);
  EXPECT_EQ(MobSprite(0).rotZ, 0.0f);

  while (hopper.GetFlags() & MobFlag::Slam) StillFrames(1);
  ASSERT_EQ(ShotsOfKind(MobShotKind::ShockWave), 2) << "a wave to each side on landing";
  EXPECT_EQ(g_MobShotManager.GetShot(0)->GetFacing(), 1);
  EXPECT_EQ(g_MobShotManager.GetShot(1)->GetFacing(), 0);
  const uint32_t landed = FrameCount() - 1;
  EXPECT_EQ(FrameWhen(0, MobFlag::Airborne, 40), landed + 30);
  EXPECT_EQ(hopper.GetFacing(), 0) << "the next jump goes the other way";
  EXPECT_FLOAT_EQ(hopper.GetVelocity().x, -1.0f);
}

TEST_F(MobTest, AHopperHitInTheAirStaysHurtUntilItLandsAndThatLandingSendsNoWaves) {
  EnterStage(Arena().Put(14, 15, "p").Text());
  Mob& hopper = MobAt(0);
  FrameWhen(0, MobFlag::Airborne, 80);
  StillFrames(10);
  hopper.TakeDamage(5, 1, 0, -3);
  const uint32_t hit = FrameCount();
  EXPECT_EQ(hopper.GetFlags(), MobFlag::Hurt);
  while (!(hopper.GetFlags() & MobFlag::Grounded)) {
    EXPECT_EQ(hopper.GetFlags(), MobFlag::Hurt) << "still hurt " << FrameCount() - hit << " frames after";
    if (FrameCount() > hit) {
      EXPECT_EQ(MobSprite(0).srcX, 192.0f) << "the hurt cell";
    }
    StillFrames(1);
  }
  EXPECT_GT(FrameCount() - hit, 25u);
  EXPECT_EQ(hopper.GetFlags(), MobFlag::Grounded) << "the hurt ends on landing";
  EXPECT_EQ(ShotsOfKind(MobShotKind::ShockWave), 0);
}

class BomberTest : public MobTest {
 protected:
  // The Bomber starts at column 10, row 4: its middle at x 344, over nothing.
  void SetUp() override {
    MobTest::SetUp();
    EnterStage(Arena().Put(10, 4, "b").Text());
  }
};

TEST_F(BomberTest, ItHoversInACircleOfAbout39PixelsAroundTheOneHundredthFrame) {
  const uint32_t hover = FrameWhen(0, MobFlag::Moving, 40);
  EXPECT_EQ(hover, 30u);
  float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
  std::vector<float> flap;
  for (int n = 0; n < 99; ++n) {
    const D3DXVECTOR2 p = MobAt(0).GetPosition();
    left = std::min(left, p.x), right = std::max(right, p.x);
    top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    if (n < 15) flap.push_back(MobSprite(0).srcX);
    StillFrames(1);
  }
  // Five frames a cell; its first turn to the right, a frame after it sets off, restarts the count.
  EXPECT_EQ(flap, (std::vector<float>{48, 48, 48, 48, 48, 0, 0, 0, 0, 0, 48, 48, 48, 48, 48}));
  EXPECT_NEAR(right - left, 78.5f, 1.5f);
  EXPECT_NEAR(bottom - top, 78.5f, 1.5f);
  EXPECT_NEAR(MobAt(0).GetPosition().x, 320.0f, 2.0f) << "round again";
  EXPECT_EQ(MobAt(0).GetFlags(), MobFlag::Moving);
}

TEST_F(BomberTest, ItDivesOverTheHeroAtAnyHeightUnlessHeIsSparedAndBurstsOnceInHisMiddle) {
  FrameWhen(0, MobFlag::Moving, 40);
  // Over a stunned, teleporting or invincible hero it keeps hovering.
  for (const uint32_t spared : {PlayerState::HitStun, PlayerState::Teleporting, PlayerState::Invincible}) {
    SetFlags(spared);
    SetPosition(250, 600);  // below and around its middle
    g_MobManager.UpdateAll();
    EXPECT_EQ(MobAt(0).GetFlags(), MobFlag::Moving) << spared;
  }
  SetFlags(0);
  // From above or below the same: first up at 20 pixels a frame.
  g_MobManager.UpdateAll();
  EXPECT_EQ(MobAt(0).GetFlags(), MobFlag::Dive);
  EXPECT_EQ(MobAt(0).GetVelocity().y, -20.0f);
  g_MobManager.UpdateAll();
  EXPECT_FLOAT_EQ(MobAt(0).GetVelocity().y, -18.8f);

  // Its middle in the middle third of the hero's frame: no burst on a spared hero; on any other,
  // the burst, and the Bomber is dead.
  const auto meetHero = [] {
    const D3DXVECTOR2 centre = {MobAt(0).GetPosition().x + 24, MobAt(0).GetPosition().y + 24};
    SetPosition(centre.x - 96, centre.y - 96 - 20);
    g_MobManager.UpdateAll();
  };
  SetFlags(PlayerState::Invincible);
  meetHero();
  EXPECT_EQ(MobAt(0).GetFlags(), MobFlag::Dive);
  EXPECT_EQ(ShotsOfKind(MobShotKind::Burst), 0);
  SetFlags(0);
  meetHero();
  EXPECT_EQ(MobAt(0).GetFlags() & MobFlag::Dead, MobFlag::Dead);
  ASSERT_EQ(ShotsOfKind(MobShotKind::Burst), 1);
  EXPECT_FALSE(MobSprite(0).visible);
  // A slash in the same frame neither revives it nor makes it burst again.
  g_AttackEffectManager.Fire(AttackKind::ComboSlash1);
  g_MobManager.Hit(0, AttackKind::ComboSlash1);
  EXPECT_EQ(MobAt(0).GetFlags() & MobFlag::Dead, MobFlag::Dead);
  for (int slot = 0; slot < g_ItemManager.GetCount(); ++slot)
    EXPECT_EQ(g_ItemManager.GetKind(slot), ItemKind::Free) << "a Bomber that bursts drops nothing";
  g_MobManager.RemoveDead();
  EXPECT_EQ(g_MobManager.GetKind(0), MobKind::Empty);
  EXPECT_EQ(ShotsOfKind(MobShotKind::Burst), 1);
}

TEST_F(BomberTest, ADiveThatMissesTheHeroBurstsOnTheFloorAndADeadBomberNoLongerMoves) {
  FrameWhen(0, MobFlag::Moving, 40);
  const float middle = MobAt(0).GetPosition().x + 24;
  SetPosition(middle - 20, 353.5f);  // its middle over the hero's frame, not his middle third
  const uint32_t dive = FrameWhen(0, MobFlag::Dive, 2);
  ASSERT_NE(dive, 0u);
  while (g_MobManager.GetKind(0) != MobKind::Empty && FrameCount() < dive + 120) {
    StillFrames(1);
    ASSERT_EQ(ShotsOfKind(MobShotKind::Burst), g_MobManager.GetKind(0) == MobKind::Empty ? 1 : 0);
  }
  EXPECT_EQ(g_MobManager.GetKind(0), MobKind::Empty) << "burst on the floor and removed";
  const ActObject* burst = g_MobShotManager.GetShot(0);
  EXPECT_EQ(burst->GetPosition().y + 78, 544.0f - 48 + 27) << "centred on the Bomber's box, on the floor";
}

// Bursting on the hero in its think step, the Bomber stays in its slot, dead and hidden, until the
// frame's dead are removed after the body check: its body must not hurt him besides the burst.
TEST_F(BomberTest, ABurstOnTheHeroHurtsHimByTheBurstAloneAndNotByTheDeadBombersBody) {
  const D3DXVECTOR2 hero = Position();
  SetFlags(0);
  // Its middle in the middle third of his frame, its box over his body, diving at full speed.
  HoldMob(0, hero.x + 72, hero.y + 90);
  SetMobMotion(0, MobAt(0).GetPosition(), {0, 14});
  MobAt(0).SetFlags(MobFlag::Dive, 0);
  StillFrames(1);
  ASSERT_EQ(ShotsOfKind(MobShotKind::Burst), 1);
  EXPECT_EQ(Hp(), 250 - (40 - 10)) << "the burst's 40 less the defence, and nothing more";
  EXPECT_EQ(g_MobManager.GetKind(0), MobKind::Empty);
}

TEST_F(MobTest, ABomberDeadOfItsBurstInItsThinkStepDoesNotMove) {
  EnterStage(Arena().Put(10, 16, "b").Text());
  Mob& bomber = MobAt(0);
  SetMobMotion(0, {320, 490}, {0, 15});
  bomber.SetFlags(MobFlag::Dive | MobFlag::Dead, 0);
  bomber.Move();
  EXPECT_EQ(bomber.GetPosition().y, 490.0f);
  EXPECT_EQ(ShotsOfKind(MobShotKind::Burst), 0) << "no second burst on landing";
}

// Falling past the lowest line the view can show, an enemy is put back with its bottom on the
// view's bottom edge and lands there: the Kedama stands at the foot of the screen, a diving Bomber
// bursts.
TEST_F(MobTest, AnEnemyFallingIntoAPitIsPutBackAtTheBottomOfTheViewWhereADivingBomberBursts) {
  const struct {
    const char* cell;
    float height;
    bool bursts;
  } cases[] = {{"k", 64, false}, {"b", 48, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell);
    EnterStage(Arena().Put(20, 17, "...").Put(21, 14, c.cell).Text());  // a pit three cells wide
    HoldMob(0, 650, 560);
    SetMobMotion(0, {650, 560}, {0, 10});
    if (c.bursts) MobAt(0).SetFlags(MobFlag::Dive, 0);
    for (int n = 0; n < 20 && g_MobManager.GetKind(0) != MobKind::Empty && MobAt(0).GetVelocity().y != 0; ++n)
      StillFrames(1);
    const float putBack = 480 + Scroll().y - c.height;
    if (c.bursts) {
      EXPECT_EQ(g_MobManager.GetKind(0), MobKind::Empty);
      ASSERT_EQ(ShotsOfKind(MobShotKind::Burst), 1);
      EXPECT_EQ(g_MobShotManager.GetShot(0)->GetPosition().y + 78, putBack + 27) << "on the Bomber's box";
      continue;
    }
    EXPECT_EQ(MobAt(0).GetPosition().y, putBack);
    const int x = 650 + 32 - static_cast<int>(Scroll().x);
    EXPECT_EQ(testsupport::PixelAt(x, 479), 0xFF000000u | PictureColor("Mob_Kedama.bmp")) << "at the foot";
    EXPECT_NE(testsupport::PixelAt(x, 479 - 64), 0xFF000000u | PictureColor("Mob_Kedama.bmp"));
  }
}

// A hit stops what the enemy was doing for 25 frames, in which it blinks (three frames hidden,
// three shown) and brakes, the Bomber drifting up a pixel a frame; then it takes up its way again:
// the Kedama walks off toward the hero at once, the Bomber hovers.
TEST_F(MobTest, AHitEnemyBlinksWhileHurtThenTakesUpItsWayAgain) {
  const struct {
    const char* name;
    StageText stage;
    float hurtVy;
    float hurtSrcY;  // the hurt cell, at x 0
  } cases[] = {{"Kedama", Arena().Put(14, 15, "k"), 0, 64}, {"Bomber", Arena().Put(10, 8, "b"), -1, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EnterStage(c.stage.Text());
    StillFramesUntilFrame(50);
    Mob& mob = MobAt(0);
    ASSERT_EQ(mob.GetFlags(), MobFlag::Moving);
    mob.TakeDamage(5, 0, 3, 0);  // from its right
    EXPECT_EQ(mob.GetFacing(), 1) << "turned toward the attacker at once";
    std::vector<int> shown;
    for (int n = 0; n < 25; ++n) {
      StillFrames(1);
      ASSERT_EQ(mob.GetFlags(), MobFlag::Hurt) << n;
      EXPECT_EQ(mob.GetVelocity().y, c.hurtVy) << n;
      EXPECT_EQ(g_Sprites[g_MapModel.GetMobSpriteBase()].GetNoMirror(), 1) << "facing the attacker " << n;
      EXPECT_EQ(MobSprite(0).srcX, 0.0f) << n;
      EXPECT_EQ(MobSprite(0).srcY, c.hurtSrcY) << n;
      shown.push_back(MobSprite(0).visible);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0}));
    EXPECT_EQ(mob.GetVelocity().x, 0.0f) << "braked to a stop";
    StillFrames(2);
    EXPECT_EQ(mob.GetFlags(), MobFlag::Moving);
    EXPECT_TRUE(MobSprite(0).visible);
    if (c.hurtVy == 0) {
      EXPECT_EQ(mob.GetFacing(), 0) << "back toward the hero";
    }
  }
}

TEST_F(MobTest, TheMapsEnemyCellsFillSlotsColumnByColumnAndEmptySlotsAnswerZero) {
  EnterStage(Arena().Put(3, 5, "k").Put(3, 6, "p").Put(3, 7, "b").Put(2, 9, "x").Put(1, 12, "k").Text());
  EXPECT_EQ(g_MobManager.GetCount(), 6) << "one slot per enemy cell, spare ones too, and one more";
  const int kinds[] = {MobKind::Kedama, MobKind::Kedama, MobKind::Hopper, MobKind::Bomber, 0, 0};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(g_MobManager.GetKind(i), kinds[i]);
    if (i < 4) {
      EXPECT_EQ(g_MobManager.GetStatus(i).index, i);
      EXPECT_EQ(g_MobManager.GetStatus(i).GetAttack(), 10);
      continue;
    }
    const MobStatus empty = g_MobManager.GetStatus(i);
    EXPECT_EQ(empty.stats, nullptr);
    EXPECT_EQ(empty.x + empty.y + g_MobManager.GetCenter(i).x + g_MobManager.GetSize(i).y, 0.0f);
    EXPECT_EQ(g_MobManager.GetFlags(i) + g_MobManager.IsActive(i), 0u);
  }
  EXPECT_EQ(g_MobManager.GetSize(3).x, 48.0f);
  EXPECT_EQ(g_MobManager.GetParam(3, 0), 2.0f) << "2.5 truncated";
  EXPECT_EQ(g_MobManager.GetParam(0, 4), -1.0f);
}

TEST_F(MobTest, ADefeatedEnemyDropsByTheRollAtItsMiddleAndIsGoneBeforeTheFrameIsDrawn) {
  EnterStage(Arena().Put(14, 15, "k").Text());
  HoldMob(0, 400, 482);
  g_AttackEffectManager.Fire(AttackKind::ComboSlash1);  // 20 damage
  using K = std::vector<int>;
  const struct {
    uint32_t seed;
    int hits;  // in the frame of its death
    K drops;
  } cases[] = {
      {19, 1, K{ItemKind::Mp, ItemKind::Hp}},  // a roll of 0 drops two
      {1, 1, K{ItemKind::Hp}},                  // 1
      {20, 1, K{ItemKind::Mp}},                 // 3
      {2, 1, K{}},                              // 5
      {38, 2, K{ItemKind::Hp, ItemKind::Hp}},   // 2, then 2 for a second hit on the dead one
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.seed);
    g_ItemManager.Allocate(10);  // empties the item table
    SetMobHp(0, 20);
    GameSrand(c.seed);
    for (int n = 0; n < c.hits; ++n) g_MobManager.Hit(0, AttackKind::ComboSlash1);
    K drops;
    for (int slot = 0; slot < g_ItemManager.GetCount(); ++slot) {
      const Item* item = g_ItemManager.GetItem(slot);
      if (!item) continue;
      drops.push_back(g_ItemManager.GetKind(slot));
      EXPECT_EQ(item->GetPosition().x, 400.0f + 32 - 16);
      EXPECT_EQ(item->GetPosition().y, 482.0f + 32 - 16);
    }
    EXPECT_EQ(drops, c.drops);
    EXPECT_FALSE(MobSprite(0).visible);
    EXPECT_TRUE(g_MediaPlayers[ActSound::MobHit].IsPlaying());
    SetMobHp(0, 50);
    MobAt(0).SetFlags(0, 0);
  }
  SetMobHp(0, 20);
  g_MobManager.Hit(0, AttackKind::ComboSlash1);
  StillFrames(1);
  EXPECT_EQ(g_MobManager.GetKind(0), MobKind::Empty);
  EXPECT_FALSE(MobSprite(0).visible);
}

// The Kedama's body meets the hero: the damage of the speed at which they meet, at least 5, pushes
// him away by half of it. Shots hitting in the same frame come first, every one of the pass.
TEST_F(MobTest, TheBodyHurtsTheHeroAfterEveryShotOfThePass) {
  const struct {
    int exhausted, bullets;
    int hp;
    float vx;
    uint32_t flags;
  } cases[] = {
      {1, 0, 250 - 10, -2, PlayerState::HitStun},                             // 5, doubled
      {0, 2, 250 - 6 - 6, -1, PlayerState::HitStun | PlayerState::Invincible},  // the body's 5 absorbed
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bullets);
    EnterStage(Arena().Put(14, 15, "k").Text());
    SetExhausted(c.exhausted);
    HoldMob(0, 140, 482);  // overlapping the hero's body, its middle right of his
    for (int n = 0; n < c.bullets; ++n) g_MobShotManager.Spawn(MobShotKind::NormalBullet, 0);
    StillFrames(1);
    EXPECT_EQ(Hp(), c.hp);
    EXPECT_EQ(Velocity().x, c.vx);
    EXPECT_EQ(Flags() & (PlayerState::HitStun | PlayerState::Invincible), c.flags);
    EXPECT_EQ(ShotsOfKind(MobShotKind::NormalBullet), 0) << "bullets that hit are gone";
  }
}

}  // namespace
