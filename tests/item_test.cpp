// Items in play: drops that pop, fall, blink and expire; map items that wait for the hero; the
// table's free slots; switches, gates, the goal and traps; what the screen shows of them; and
// stage restarts with items alive. Every stage here is 40 × 20 cells of 32 pixels with ground at
// row 17; the hero starts at cell (5, 10) and stands at (160, 353.5), his body over x 224..288
// and y 449.5..543.5, with the camera at (0, 127).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "act/actgraphics.h"
#include "act/actionscene.h"
#include "act/items/itemhp.h"
#include "act/items/itemmanager.h"
#include "act/mapmodel.h"
#include "act/mobs/mobmanager.h"
#include "act/mobs/mobshotmanager.h"
#include "act/player.h"
#include "gameflow/gamestate.h"
#include "librarysauce/gamerandom.h"
#include "librarysauce/mediaplayer.h"
#include "tests/acttestkit.h"
#include "tests/testsupport.h"

namespace {

using namespace acttest;

constexpr float kStandX = 160, kStandY = 353.5f;
constexpr float kScrollY = 127;

class ItemTest : public ActTest {
 protected:
  void SetUp() override {
    ActTest::SetUp();
    WriteActPictures();
    WriteActSounds();
  }
  // Starts a stage of this text (40 × 20, ground at row 17, the hero at (5, 10)), then the
  // stages named after it, and runs the fade-in; the hero has landed.
  static void EnterItemStage(StageText stage, const std::string& after = "") {
    WriteStage("items", stage.Put(5, 10, "@").Floor(17).Text());
    StartStages(after.empty() ? "items" : "items," + after);
    StillFrames(20);
    ASSERT_EQ(Position().y, kStandY);
  }
  static StageText Stage() { return StageText(40, 20); }
  static Item& At(int slot) {
    Item* item = g_ItemManager.GetItem(slot);
    EXPECT_NE(item, nullptr) << "no item in slot " << slot;
    static ItemHp none;
    return item ? *item : none;
  }
  static SpriteState SpriteOf(int slot) { return SpriteAt(g_MapModel.GetItemSpriteBase() + slot); }
  // The colour on the screen at a world pixel.
  static uint32_t WorldPixel(float x, float y) {
    return testsupport::PixelAt(static_cast<int>(x - Scroll().x), static_cast<int>(y - Scroll().y)) & 0xFFFFFF;
  }
  // Puts the hero where he stands on the ground with his body's left edge at bodyLeft.
  static void StandAt(float bodyLeft) {
    SetPosition(bodyLeft - 64, kStandY);
    SetVelocity(0, 0);
  }
};

// A Kedama slashed to death in frame F drops an HP item (the roll after seed 1 is 1).
TEST_F(ItemTest, ADropWakesRisesFallsBlinksAndExpiresWhileAMapItemOutOfReachWaits) {
  EnterItemStage(Stage().Put(38, 16, "h").Put(20, 16, "k"));  // the map's item at x 1216: out of reach
  HoldMob(0, 290, 480);
  SetMobHp(0, 20);
  GameSrand(1);
  PressKeys({key::Attack});
  for (int i = 0; i < 20 && g_ItemManager.GetKind(1) == ItemKind::Free; ++i) StillFrames(1);
  ReleaseKeys({key::Attack});
  ASSERT_EQ(g_ItemManager.GetKind(1), ItemKind::Hp);
  const uint32_t f = FrameCount() - 1;
  Item& drop = At(1);
  const float y0 = drop.GetPosition().y;
  EXPECT_EQ(drop.GetPosition().x, 290 + 32 - 16.0f) << "at the enemy's middle";
  EXPECT_EQ(drop.GetSpriteIndex(), g_MapModel.GetItemSpriteBase() + 1);
  EXPECT_FALSE(drop.IsActive());
  // A second drop, between frames F and F + 1, lies far from the hero; a kind that is no item
  // places nothing.
  g_ItemManager.SpawnAt(ItemKind::Hp, 600, 400);
  g_ItemManager.SpawnAt(ItemKind::Goal + 1, 600, 400);
  ASSERT_EQ(g_ItemManager.GetKind(2), ItemKind::Hp);
  EXPECT_EQ(g_ItemManager.GetKind(3), ItemKind::Free);

  // Frame F + 1 only wakes it; from F + 2 it rises 22.5 pixels, shown where it is.
  StillFrames(1);
  EXPECT_TRUE(drop.IsActive());
  EXPECT_EQ(drop.GetPosition().y, y0);
  EXPECT_FALSE(SpriteOf(1).visible);
  StillFrames(1);
  EXPECT_EQ(drop.GetPosition().y, y0 - 4.5f);
  EXPECT_TRUE(SpriteOf(1).visible);
  EXPECT_EQ(SpriteOf(1).y, y0 - 4.5f - kScrollY);
  float top = y0;
  std::vector<bool> shownWhileFalling;
  for (int i = 0; i < 40; ++i) {
    StillFrames(1);
    top = std::min(top, drop.GetPosition().y);
    if (drop.GetVelocity().y > 0) shownWhileFalling.push_back(SpriteOf(1).visible);
  }
  EXPECT_EQ(top, y0 - 22.5f);
  // It flashes on the way down and lies on the ground, shown, once it lands.
  EXPECT_GT(std::count(shownWhileFalling.begin(), shownWhileFalling.end(), false), 2);
  EXPECT_GT(std::count(shownWhileFalling.begin(), shownWhileFalling.end(), true), 2);
  EXPECT_EQ(drop.GetPosition().y, 17 * 32 - 32.0f);
  EXPECT_TRUE(SpriteOf(1).visible);

  // From frame F + 300 it is hidden on one frame in three.
  StillFramesUntilFrame(f + 300);
  EXPECT_TRUE(SpriteOf(1).visible);
  int hidden = 0;
  for (int i = 0; i < 9; ++i) {
    StillFrames(1);
    hidden += !SpriteOf(1).visible;
  }
  EXPECT_EQ(hidden, 3);

  // The map's item never woke, never moved and never expires.
  StillFramesUntilFrame(f + 420);
  EXPECT_EQ(g_ItemManager.GetKind(0), ItemKind::Hp);
  EXPECT_FALSE(At(0).IsActive());
  EXPECT_EQ(At(0).GetPosition().y, 16 * 32.0f);
  // Frame F + 420 ends the drop's life; the hero steps onto it in that frame: it still heals.
  ASSERT_EQ(g_ItemManager.GetKind(1), ItemKind::Hp);
  SetHp(150);
  StandAt(300);
  EXPECT_FALSE(g_MediaPlayers[ActSound::ItemGet].IsPlaying());
  StillFrames(1);
  EXPECT_EQ(Hp(), 250);
  EXPECT_TRUE(g_MediaPlayers[ActSound::ItemGet].IsPlaying());
  EXPECT_EQ(g_ItemManager.GetKind(1), ItemKind::Free);
  EXPECT_FALSE(SpriteOf(1).visible);
  // The second drop goes untouched 420 frames after its own.
  EXPECT_EQ(g_ItemManager.GetKind(2), ItemKind::Hp);
  StillFrames(1);
  EXPECT_EQ(g_ItemManager.GetKind(2), ItemKind::Free);
  EXPECT_FALSE(SpriteOf(2).visible);
}

TEST_F(ItemTest, AnEleventhDropIsLostAndAFreedSlotIsReusedWithItsSprite) {
  EnterItemStage(Stage().Put(20, 16, "h"));  // slot 0; ten more for drops
  ASSERT_EQ(g_ItemManager.GetCount(), 11);
  for (int i = 0; i < 11; ++i) g_ItemManager.SpawnAt(ItemKind::Mp, 700, 300);
  for (int i = 0; i < 11; ++i) EXPECT_NE(g_ItemManager.GetKind(i), ItemKind::Free) << i;
  EXPECT_EQ(g_ItemManager.GetKind(0), ItemKind::Hp);
  StillFrames(40);
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(g_ItemManager.GetKind(i), ItemKind::Mp) << i;

  // The hero picks up the map's item; the next drop takes its slot and its sprite.
  StandAt(650);
  StillFrames(1);
  ASSERT_EQ(g_ItemManager.GetKind(0), ItemKind::Free);
  g_ItemManager.SpawnAt(ItemKind::Mp, 300, 200);
  ASSERT_EQ(g_ItemManager.GetKind(0), ItemKind::Mp);
  EXPECT_EQ(At(0).GetSpriteIndex(), g_MapModel.GetItemSpriteBase());
  StillFrames(2);
  const SpriteState sprite = SpriteOf(0);
  EXPECT_TRUE(sprite.visible);
  EXPECT_EQ(sprite.textureIndex, ActTexture::ActItem + 3);
  EXPECT_EQ(sprite.srcY, 96.0f);
  EXPECT_EQ(sprite.x, 300 - Scroll().x);
  EXPECT_EQ(sprite.y, At(0).GetPosition().y - Scroll().y);
}

TEST_F(ItemTest, ItemsWakeWithinAScreenOfTheHeroEdgesIncluded) {
  EnterItemStage(Stage());
  const struct {
    float dx, dy;
    bool wakes;
  } cases[] = {{-854, 480, true}, {-855, 480, false}, {854, -480, true}, {854, -481, false}, {0, 481, false}};
  for (const auto& c : cases) g_ItemManager.SpawnAt(ItemKind::Hp, kStandX + c.dx, kStandY + c.dy);
  StillFrames(1);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(At(i).IsActive(), cases[i].wakes) << cases[i].dx << "," << cases[i].dy;
}

TEST_F(ItemTest, AnItemOverAPitIsPutBackAtTheBottomOfTheViewAndFallsAgain) {
  EnterItemStage(Stage().Put(20, 17, "...").Put(20, 18, "...").Put(20, 19, "..."));
  g_ItemManager.SpawnAt(ItemKind::Hp, 660, 560);
  Item& item = At(0);
  int putBacks = 0;
  for (int i = 0; i < 80; ++i) {
    StillFrames(1);
    EXPECT_LT(item.GetPosition().y, 480 + kScrollY + 15);
    putBacks += item.GetPosition().y == 480 + kScrollY - 32 && item.GetVelocity().y == 0;
  }
  EXPECT_GE(putBacks, 3) << "it falls again from there";
}

// A drop on the ground steps through its cells every five frames; each change of its state (the
// fall that follows the rise, the landing) starts them again from the first. Blinking while it
// falls does not touch the cells.
TEST_F(ItemTest, ARecoveryItemStepsItsCellsEveryFiveFramesAndStartsThemAgainWhenItsStateChanges) {
  EnterItemStage(Stage());
  g_ItemManager.SpawnAt(ItemKind::Hp, 500, 512);
  std::vector<float> cells;
  for (int i = 0; i < 40; ++i) {
    StillFrames(1);
    cells.push_back(SpriteOf(0).srcX);
  }
  std::vector<float> expected;
  const auto show = [&expected](float srcX, int frames) { expected.insert(expected.end(), frames, srcX); };
  show(32, 5), show(64, 5), show(96, 1);                           // waking, rising
  show(32, 5), show(64, 3);                                        // falling
  show(32, 5), show(64, 5), show(96, 5), show(0, 5), show(32, 1);  // lying on the ground
  EXPECT_EQ(cells, expected);
  EXPECT_EQ(At(0).GetPosition().y, 512.0f);
}

// Dropped on the ground under a low ceiling, it pops up into the ceiling: each rising step is
// taken back until gravity turns it, so it never leaves the ground.
TEST_F(ItemTest, AnItemUnderACeilingStaysOnTheGround) {
  EnterItemStage(Stage().Put(19, 15, "###"));
  g_ItemManager.SpawnAt(ItemKind::Hp, 640, 512);
  for (int i = 0; i < 20; ++i) {
    StillFrames(1);
    ASSERT_EQ(At(0).GetPosition().y, 512.0f) << i;
  }
}

TEST_F(ItemTest, SwitchesCloseTheGatesTheGoalEndsTheStage) {
  // A switch under the hero on a map without gates is used up and changes nothing.
  EnterItemStage(Stage().Put(7, 16, "S"));
  EXPECT_EQ(g_ItemManager.GetKind(0), ItemKind::Free);
  EXPECT_EQ(g_MapModel.CodeAt(7, 16), ItemCell::Switch);

  // With gates: they are solid and drawn closed in the frame of the touch.
  EnterItemStage(Stage().Put(12, 14, "|").Put(12, 15, "|").Put(12, 16, "|").Put(20, 16, "S"));
  g_ItemManager.SpawnAt(ItemKind::Hp, 12 * 32, 300);  // slot 1, over the gates
  EXPECT_EQ(WorldPixel(12 * 32 + 16, 16 * 32 + 16), ChipColor(3));
  StandAt(20 * 32 - 40);
  StillFrames(1);
  EXPECT_EQ(g_ItemManager.GetKind(0), ItemKind::Free);
  for (int row = 14; row <= 16; ++row) EXPECT_EQ(g_MapModel.CodeAt(12, row), MapCell::Solid) << row;
  EXPECT_EQ(WorldPixel(12 * 32 + 16, 16 * 32 + 16), ChipColor(2));
  StillFrames(60);
  EXPECT_EQ(At(1).GetPosition().y, 14 * 32 - 32.0f) << "the drop lies on the closed gate";

  // Two goals under the hero: both used up in one frame, one fade-out, then the next stage.
  WriteStage("next", Stage().Put(5, 10, "@").Floor(17).Text());
  WriteStage("items", Stage().Put(7, 16, "GG").Put(5, 10, "@").Floor(17).Text());
  StartStages("items,next");
  for (int i = 0; i < 20 && SceneMode() != ActionSceneMode::FadeOut; ++i) StillFrames(1);
  ASSERT_EQ(SceneMode(), ActionSceneMode::FadeOut);
  EXPECT_EQ(g_ItemManager.GetKind(0), ItemKind::Free);
  EXPECT_EQ(g_ItemManager.GetKind(1), ItemKind::Free);
  StillFrames(18);
  EXPECT_EQ(g_MapModel.GetStageIndex(), 1);
  EXPECT_EQ(CurrentGameMode(), GameMode::ActionRun);
}

TEST_F(ItemTest, ATrapHurtsOnEveryFrameItsCornerIsInsideTheBodyAndNotOnItsEdge) {
  EnterItemStage(Stage().Put(20, 16, "^"));  // its corner: (640, 512)
  const struct {
    const char* name;
    float bodyLeft;
    uint32_t flags;
    int hpLost;
  } cases[] = {
      {"the body's left edge on the corner", 640, 0, 0},
      {"the body's right edge on the corner", 640 - 64, 0, 0},
      {"inside", 600, 0, 245},
      {"inside while invincible", 600, PlayerState::Invincible, 245},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetHp(1000);
    SetFlags(c.flags);
    StandAt(c.bodyLeft);
    StillFrames(1);
    EXPECT_EQ(Hp(), 1000 - c.hpLost);
  }
  // Knocked back but still over it, he is hurt again on each frame, in hit stun or not.
  StillFrames(2);
  EXPECT_EQ(Hp(), 1000 - 3 * 245);
  EXPECT_TRUE(Flags() & PlayerState::HitStun);
  EXPECT_EQ(g_ItemManager.GetKind(0), ItemKind::Trap);
}

TEST_F(ItemTest, TheScreenShowsRecoveryItemsDecorationsAndTrapsButNotSwitchesOrGoals) {
  EnterItemStage(Stage().Put(12, 16, "h.m.^.S.G").Put(24, 15, "d"));
  StillFrames(40);
  const uint32_t item = PictureColor("ActItem.bmp");
  const uint32_t object = PictureColor("ActMapObject.bmp");
  auto pixel = WorldPixel;
  const float row16 = 16 * 32;
  EXPECT_EQ(pixel(12 * 32 + 16, row16 + 16), item) << "HP";
  EXPECT_EQ(pixel(14 * 32 + 16, row16 + 16), item) << "MP";
  EXPECT_EQ(pixel(16 * 32 + 16, row16 + 16), object) << "trap";
  for (int col : {18, 20}) {
    EXPECT_NE(pixel(col * 32 + 16, row16 + 16), item) << col;
    EXPECT_NE(pixel(col * 32 + 16, row16 + 16), object) << col;
  }
  // The decoration stands 5 pixels below its cell's top.
  EXPECT_NE(pixel(24 * 32 + 32, 15 * 32 + 2), object);
  EXPECT_EQ(pixel(24 * 32 + 32, 15 * 32 + 6), object);
  EXPECT_EQ(pixel(24 * 32 + 32, 15 * 32 + 68), object);
}

// Half the restarts follow a death (the same stage with a new hero), half a goal (the next,
// here the same, keeping him); each leaves items, enemies and shots behind.
TEST_F(ItemTest, StagesRestartAHundredTimesWithItemsEnemiesAndShotsAlive) {
  EnterItemStage(Stage().Put(10, 16, "h.m.^.S").Put(16, 15, "d").Put(30, 16, "G").Put(12, 12, "k.p.b"));
  for (int i = 0; i < 100; ++i) {
    StillFrames(3);
    g_ItemManager.SpawnAt(ItemKind::Hp, 300, 300);
    g_ItemManager.SpawnAt(ItemKind::Mp, 400, 300);
    g_MobShotManager.Spawn(MobShotKind::NormalBullet, 0);
    g_MobShotManager.Spawn(MobShotKind::ShockWave, 1);
    StillFrames(2);
    ASSERT_EQ(g_MobManager.GetKind(2), MobKind::Bomber);
    ASSERT_NE(g_MobShotManager.GetKind(0), MobShotKind::Free);
    ASSERT_EQ(g_ItemManager.GetKind(7), ItemKind::Mp);
    g_GameState.SetMode(i % 2 ? GameMode::ActionRestart : GameMode::ActionLeave);
    StillFrames(1);
    ASSERT_EQ(CurrentGameMode(), i % 2 ? GameMode::ActionRun : GameMode::ActionStart) << i;
  }
  StillFrames(3);
  EXPECT_EQ(CurrentGameMode(), GameMode::ActionRun);
  EXPECT_EQ(g_ItemManager.GetKind(0), ItemKind::Hp);
  EXPECT_EQ(g_ItemManager.GetKind(7), ItemKind::Free) << "the drops are gone";
  EXPECT_TRUE(boxes_.messages.empty());
}

}  // namespace
