// The enemies' shots on real frames: how long each kind lives and what it shows, which slots a
// shot takes, the bullet's aim and its view rule, what each kind does to the hero, and a stage
// restarted again and again with enemies and shots alive.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "act/actionscene.h"
#include "act/attacks/actobject.h"
#include "act/mapmodel.h"
#include "act/mobs/mob.h"
#include "act/mobs/mobmanager.h"
#include "act/mobs/mobshotmanager.h"
#include "act/player.h"
#include "gameflow/gamestate.h"
#include "librarysauce/framemanager.h"
#include "tests/acttestkit.h"

namespace {

using namespace acttest;

// The hero stands at (64, 353.5), the camera at (0, 127); the Kedama of slot 0 fires the shots.
class MobShotTest : public ActTest {
 protected:
  void SetUp() override {
    ActTest::SetUp();
    EnterStage(StageText(40, 20).Put(2, 10, "@").Floor(17).Put(14, 15, "k").Text());
  }
  static int ShotSprite(int slot) { return g_MapModel.GetMobShotSpriteBase() + slot; }
  // Where sprite index stands in the draw list (drawn later = higher).
  static int DrawPlace(int index) {
    int place = 0;
    for (const Sprite* s = g_FrameManager.GetHead(); s; s = s->GetNext(), ++place)
      if (s == &g_Sprites[index]) return place;
    return -1;
  }
};

TEST_F(MobShotTest, EachKindLivesItsTimeShowingItsCells) {
  using V = std::vector<float>;
  const struct {
    int kind;
    float ownerX;  // 1000: the bullet's corner starts outside the view
    uint32_t life;
    int noMirror;
    V visible, srcX, srcY;  // the first frames
  } cases[] = {
      {MobShotKind::NormalBullet, 1000, 600, 1, V{0, 0, 0, 0, 0, 0}, V{0, 0, 0, 0, 0, 0}, V{0, 0, 0, 0, 0, 0}},
      {MobShotKind::ShockWaveLeft, 500, 8, 0, V{1, 1, 1, 1, 1, 1, 1, 1}, V{0, 0, 0, 0, 64, 64, 64, 64}, V(8, 0)},
      // Seven cells of 3 frames each, four a row, flickering: 2 frames shown, 2 hidden; always
      // mirrored.
      {MobShotKind::Burst, 500, 60, 0, V{1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1},
       V{0, 0, 0, 156, 156, 156, 312, 312, 312, 468, 468, 468, 0, 0, 0, 156, 156, 156, 312, 312, 312},
       V{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 156, 156, 156, 156, 156, 156, 156, 156, 156}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    HoldMob(0, c.ownerX, 482);
    const uint32_t fired = FrameCount();
    g_MobShotManager.Spawn(c.kind, 0);
    ActObject* shot = g_MobShotManager.GetShot(0);
    ASSERT_NE(shot, nullptr);
    const float startX = shot->GetPosition().x;
    V visible, srcX, srcY;
    for (size_t n = 0; n < c.visible.size(); ++n) {
      StillFrames(1);
      const SpriteState sprite = SpriteAt(ShotSprite(0));
      visible.push_back(static_cast<float>(sprite.visible));
      srcX.push_back(sprite.srcX);
      srcY.push_back(sprite.srcY);
    }
    EXPECT_EQ(visible, c.visible);
    EXPECT_EQ(srcX, c.srcX);
    EXPECT_EQ(srcY, c.srcY);
    EXPECT_EQ(g_Sprites[ShotSprite(0)].GetNoMirror(), c.noMirror);
    const float travel = c.kind == MobShotKind::ShockWaveLeft ? -80.0f : 0.0f;  // 10 pixels a frame, or none
    if (c.kind != MobShotKind::NormalBullet) {
      EXPECT_EQ(shot->GetPosition().x, startX + travel);
    }
    StillFramesUntilFrame(fired + c.life);
    EXPECT_EQ(g_MobShotManager.GetKind(0), c.kind == MobShotKind::ShockWaveLeft ? MobShotKind::ShockWave : c.kind);
    StillFrames(1);
    EXPECT_EQ(g_MobShotManager.GetKind(0), MobShotKind::Free) << "removed in frame " << fired + c.life;
    EXPECT_FALSE(SpriteAt(ShotSprite(0)).visible);
  }
  EXPECT_EQ(Hp(), 250) << "an inert bullet never hits";
}

TEST_F(MobShotTest, ShotsTakeTheLowestFreeSlotsAndAFullTableTakesNoMore) {
  HoldMob(0, 1000, 482);  // out of view: its bullets are inert
  g_MobShotManager.Allocate(6);
  g_MobShotManager.Spawn(7, 0);
  EXPECT_EQ(g_MobShotManager.GetShot(0), nullptr) << "no such kind";
  for (const int kind : {1, 1, 3, 1, 1, 3}) g_MobShotManager.Spawn(kind, 0);
  StillFrames(9);  // the two left waves (slots 2 and 5) are gone
  EXPECT_EQ(g_MobShotManager.GetKind(2) + g_MobShotManager.GetKind(5), 0);
  g_MobShotManager.Spawn(MobShotKind::ShockWave, 0);
  EXPECT_EQ(g_MobShotManager.GetKind(2), MobShotKind::ShockWave);
  EXPECT_EQ(g_MobShotManager.GetKind(5), MobShotKind::ShockWave);
  EXPECT_EQ(g_MobShotManager.GetShot(2)->GetFacing(), 1) << "the right wave first";
  EXPECT_EQ(g_MobShotManager.GetShot(5)->GetFacing(), 0);
  EXPECT_EQ(g_Sprites[ShotSprite(2)].GetNoMirror(), 1) << "each wave drawn the way it runs";
  EXPECT_EQ(g_Sprites[ShotSprite(5)].GetNoMirror(), 0);
  EXPECT_GT(DrawPlace(ShotSprite(2)), DrawPlace(ShotSprite(4))) << "the newest shot draws over the older ones";

  const ActObject* before[6];
  for (int s = 0; s < 6; ++s) before[s] = g_MobShotManager.GetShot(s);
  g_MobShotManager.Spawn(MobShotKind::Burst, 0);
  for (int s = 0; s < 6; ++s) EXPECT_EQ(g_MobShotManager.GetShot(s), before[s]) << "a full table takes nothing";
}

TEST_F(MobShotTest, ABulletAimsAtTheHeroOnceAndIsInertWhenFiredFromBeyondTheView) {
  const D3DXVECTOR2 body = g_Player.GetBodyCenter();
  const struct {
    float ownerX;
    uint32_t flags;
    int facing;
  } cases[] = {
      {830, ActObjectFlag::Visible | ActObjectFlag::CanHit, 0},  // its corner on the view's right edge
      {831, 0, 0},                                               // one pixel beyond
      {-20, ActObjectFlag::Visible | ActObjectFlag::CanHit, 1},  // left of the hero: flying right
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ownerX);
    HoldMob(0, c.ownerX, 482);
    g_MobShotManager.Allocate(MobShotManager::kStageSlots);
    g_MobShotManager.Spawn(MobShotKind::NormalBullet, 0);
    const ActObject* bullet = g_MobShotManager.GetShot(0);
    EXPECT_EQ(bullet->GetPosition().x, c.ownerX + 32 - 8);
    EXPECT_EQ(bullet->GetFlags(), c.flags);
    EXPECT_EQ(bullet->GetFacing(), c.facing) << "the side it pushes the hero to";
    EXPECT_EQ(bullet->GetDamage(), 16) << "15 and a tenth of the attack of 10";
    EXPECT_EQ(g_Sprites[ShotSprite(0)].GetNoMirror(), 1) << "never mirrored";
    StillFrames(1);
    const D3DXVECTOR2 moved = bullet->GetPosition();
    const D3DXVECTOR2 centre = {moved.x + 8, moved.y + 8};
    const D3DXVECTOR2 from = {c.ownerX + 32, 482 + 34};
    EXPECT_NEAR(std::hypot(centre.x - from.x, centre.y - from.y), 3.5f, 1e-3f);
    EXPECT_NEAR((centre.x - from.x) * (body.y - from.y) - (centre.y - from.y) * (body.x - from.x), 0.0f, 0.5f)
        << "straight at the middle of the hero's body";
  }
}

TEST_F(MobShotTest, ABulletThatHitsIsGoneAWaveFliesOnHarmlessAndABurstHitsAgain) {
  const struct {
    int kind;
    int damage;           // after the defence of 10
    float vx;             // the knockback, divided by 5
    int kindAfter;        // what the slot holds after the hit
    int secondDamage;     // on the next frame, the hero hittable again
  } cases[] = {
      {MobShotKind::NormalBullet, 6, -1, MobShotKind::Free, 0},
      {MobShotKind::ShockWaveLeft, 15, -2, MobShotKind::ShockWave, 0},
      {MobShotKind::Burst, 30, -2, MobShotKind::Burst, 30},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    SetFlags(0);
    SetHp(250);
    SetVelocity(0, 0);
    HoldMob(0, 140, 482);  // fires from the hero's side, then goes away
    g_MobShotManager.Allocate(MobShotManager::kStageSlots);
    g_MobShotManager.Spawn(c.kind, 0);
    HoldMob(0, 1000, 482);
    StillFrames(1);
    EXPECT_EQ(Hp(), 250 - c.damage);
    EXPECT_EQ(Velocity().x, c.vx) << "knocked to the left";
    EXPECT_EQ(g_MobShotManager.GetKind(0), c.kindAfter);
    SetFlags(0);
    StillFrames(1);
    EXPECT_EQ(Hp(), 250 - c.damage - c.secondDamage);
    if (c.kind == MobShotKind::ShockWaveLeft) {
      EXPECT_EQ(g_MobShotManager.GetShot(0)->GetFlags(), ActObjectFlag::Visible);
      EXPECT_TRUE(SpriteAt(ShotSprite(0)).visible);
    }
  }
}

// Restarts after the goal and after deaths, each with enemies awake and hurt and shots of every
// kind in flight: the tables are rebuilt from the map each time and nothing of the last run
// stays behind (the sanitizer build checks that no memory leaks or is used after it is freed).
TEST_F(MobShotTest, AStageRestartedAHundredTimesWithEnemiesAndShotsAliveStartsClean) {
  for (int run = 0; run < 100; ++run) {
    HoldMob(0, 400, 482);
    MobAt(0).TakeDamage(5, 1, 2, -3);
    for (const int kind : {1, 2, 4}) g_MobShotManager.Spawn(kind, 0);
    StillFrames(1);
    if (run % 2 == 0)
      g_GameState.SetMode(GameMode::ActionRestart);
    else
      SetFlags(PlayerState::Dead);
    for (int n = 0; n < 6 && !(FrameCount() == 0 && CurrentGameMode() == GameMode::ActionRun); ++n) StillFrames(1);
    ASSERT_EQ(FrameCount(), 0u) << run;
    ASSERT_EQ(CurrentGameMode(), GameMode::ActionRun);
    ASSERT_EQ(g_MobManager.GetKind(0), MobKind::Kedama);
    ASSERT_EQ(MobHp(0), 50);
    ASSERT_EQ(MobAt(0).GetFlags(), 0u);
    for (int s = 0; s < g_MobShotManager.GetCount(); ++s) ASSERT_EQ(g_MobShotManager.GetKind(s), 0) << s;
    StillFrames(1);
  }
}

}  // namespace
