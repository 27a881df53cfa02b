// The hero's body: placement at the start cell, the camera, velocities, and movement against
// the map's solid cells. Movement is stepped through Player::MoveAndCollide with velocities the
// test sets, so nothing but the movement itself acts between setting and checking.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "act/actgraphics.h"
#include "act/actionscene.h"
#include "act/cnnfile.h"
#include "act/player.h"
#include "tests/acttestkit.h"
#include "tests/testsupport.h"

namespace {

using namespace acttest;

constexpr uint32_t kAirborne = PlayerState::Airborne;

class PlayerTest : public ActTest {
 protected:
  void SetUp() override {
    ActTest::SetUp();
    WriteActPictures();
    WriteActSounds();
  }
  static D3DXVECTOR2 SpritePosition() {
    const SpriteState s = SpriteAt(ActSprite::HeroDualSword);
    return {s.x, s.y};
  }
  // Sets the hero moving and steps his movement once.
  static void Step(float x, float y, float vx, float vy, uint32_t flags = 0) {
    SetPosition(x, y);
    SetVelocity(vx, vy);
    SetFlags(flags);
    g_Player.MoveAndCollide();
  }
};

void ExpectVector(D3DXVECTOR2 actual, float x, float y, const char* what) {
  EXPECT_EQ(actual.x, x) << what;
  EXPECT_EQ(actual.y, y) << what;
}

// Every map here is 40 × 20 cells of 32 pixels: the camera ranges over 0..394 and 0..127.
TEST_F(PlayerTest, TheHeroStartsAtTheStartCellAndTheCameraFollowsWithinItsLimits) {
  const struct {
    const char* name;
    int col, row;  // the start cell, or -1 for none
    D3DXVECTOR2 start, startScroll;   // right after the stage start
    D3DXVECTOR2 moved, scroll, sprite;  // after one running frame (gravity 0.5)
  } cases[] = {
      {"middle", 20, 5, {640, 160}, {213, 64}, {640, 160.5f}, {309, 64.5f}, {331, 96}},
      {"top left", 2, 1, {64, 32}, {0, 0}, {64, 32.5f}, {0, 0}, {64, 32.5f}},
      // Placed, the camera is kept from below 0 only; the first frame clamps it and the right
      // edge of the screen holds the hero.
      {"right", 38, 12, {1216, 384}, {789, 288}, {1120, 384.5f}, {394, 127}, {726, 257.5f}},
      {"no start cell", -1, -1, {128, 128}, {0, 0}, {128, 128.5f}, {0, 32.5f}, {128, 96}},
      // No floor: the bottom edge of the screen at the lowest scroll holds him.
      {"bottom", 10, 16, {320, 512}, {0, 416}, {320, 415}, {0, 127}, {320, 288}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StageText stage(40, 20);
    if (c.col >= 0) stage.Put(c.col, c.row, "@");
    WriteStage("place", stage.Text());
    StartStages("place");
    ExpectVector(Position(), c.start.x, c.start.y, "placed");
    ExpectVector(Scroll(), c.startScroll.x, c.startScroll.y, "scroll when placed");
    EXPECT_EQ(Flags(), 0u);
    EXPECT_EQ(Facing(), 1);
    StillFrames(1);
    ExpectVector(Position(), c.moved.x, c.moved.y, "after a frame");
    ExpectVector(Scroll(), c.scroll.x, c.scroll.y, "scroll after a frame");
    ExpectVector(SpritePosition(), c.sprite.x, c.sprite.y, "sprite after a frame");
  }
  EXPECT_EQ(Velocity().y, 0.0f) << "held by the bottom edge";
  EXPECT_TRUE(Flags() & kAirborne);
}

TEST_F(PlayerTest, AFallLandsOnTheFloorAndLeavingItMakesTheHeroAirborne) {
  WriteStage("floor", StageText(40, 20).Put(5, 2, "@").Floor(15).Text());
  StartStages("floor");
  SetPosition(200, 100);
  SetVelocity(12, 0);
  SetFlags(kAirborne | PlayerState::DoubleJump | PlayerState::AirAttack | PlayerState::Backstep);
  int frames = 0;
  while ((Flags() & kAirborne) && frames < 100) {
    g_Player.SetVelocityY(0.5f, 1);
    g_Player.MoveAndCollide();
    ++frames;
  }
  EXPECT_EQ(Position().y, 15 * 32 - 190.5f) << "snapped half a pixel above the floor";
  EXPECT_EQ(Velocity().y, 0.0f);
  EXPECT_EQ(Flags(), 0u) << "landing ends the air states and the backstep";
  EXPECT_EQ(Velocity().x, 2.0f) << "the backstep's landing brakes by the friction (-10)";

  // A frame without any downward speed meets no floor.
  SetFlags(PlayerState::Guard | PlayerState::Dash | PlayerState::Combo1 | PlayerState::Moving);
  SetVelocity(0, 0);
  g_Player.MoveAndCollide();
  EXPECT_EQ(Flags(), kAirborne | PlayerState::Moving);
}

TEST_F(PlayerTest, SolidCellsStopTheBodyWhereTheyMeetIt) {
  // Standing on the floor (row 15) the body spans rows 12 to 14; walls test row 13 only.
  const std::string map = StageText(40, 20)
                              .Put(10, 9, "@")
                              .Floor(15)
                              .Put(0, 10, "#").Put(0, 11, "#").Put(0, 12, "#").Put(0, 13, "#").Put(0, 14, "#")
                              .Put(3, 13, "#")    // a wall on the left
                              .Put(20, 13, "#")   // a wall on the right
                              .Put(20, 0, "#")    // the same wall at the top of the map
                              .Put(15, 12, "#")   // level with the head
                              .Put(25, 11, "#")   // a ceiling
                              .Put(12, 8, "#######")  // a ledge one cell thick
                              .Floor(16)              // the ground two cells thick
                              .Text();
  WriteStage("walls", map);
  StartStages("walls");
  const float stand = 15 * 32 - 190.5f;  // 289.5
  const struct {
    const char* name;
    float x, y, vx, vy;
    uint32_t flags;
    float endX, endY, endVx, endVy;
  } cases[] = {
      {"right wall", 505, stand, 8, 0.5f, 0, 20 * 32 - 129, stand, 8, 0},
      {"left wall", 70, stand, -8, 0.5f, 0, 4 * 32 - 64, stand, -8, 0},
      {"a cell at head height lets the body pass", 400, stand, 8, 0.5f, 0, 408, stand, 8, 0},
      {"a head above the map's top passes walls", 505, -140, 8, 0, kAirborne, 513, -140, 8, 0},
      {"ceiling", 720, stand, 0, -5, kAirborne, 720, 12 * 32 - 96, 0, 0},
      {"a teleport keeps its speed at a ceiling", 720, stand, 0, -5, PlayerState::Teleporting, 720, 12 * 32 - 96, 0,
       -5},
      // A diagonal teleport down takes the body's bottom more than a cell into what it comes
      // down on: the ground lands him where he meets it, and a thin ledge is passed as a
      // straight teleport passes it; neither throws him along it.
      {"a diagonal teleport lands on thick ground", 400, stand - 2, 35, 35, PlayerState::Teleporting | kAirborne, 435,
       stand, 35, 0},
      {"a diagonal teleport passes a thin ledge", 400, 65, 35, 35, PlayerState::Teleporting | kAirborne, 435, 100, 35,
       35},
      // Pushed into the ground beside the solid left border: the correction at column 0 only
      // undoes itself; the passes end and the screen's left edge holds the hero.
      {"wedged at column 0", -100, stand, 1, 0.5f, 0, -64, stand + 0.5f, 0, 0.5f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Step(c.x, c.y, c.vx, c.vy, c.flags);
    ExpectVector(Position(), c.endX, c.endY, "position");
    ExpectVector(Velocity(), c.endVx, c.endVy, "velocity");
  }
  // Pressing on into the right wall, frame after frame, he stays where it stopped him.
  Step(505, stand, 8, 0.5f);
  g_Player.MoveAndCollide();
  EXPECT_EQ(Position().x, 511.0f);
  EXPECT_EQ(Velocity().x, 8.0f);
}

TEST(PlayerVelocityTest, SpeedsAreSetAcceleratedBrakedAndClamped) {
  const struct {
    int weapon, facing;
    uint32_t flags;
    float vx, vy;
    bool horizontal;
    float value;
    int mode;
    float expected;
  } cases[] = {
      {0, 1, 0, 0, 14.8f, false, 0.5f, 1, 15.0f},  // the fall speed limit
      {1, 1, 0, 0, 0, false, -20, 1, -7.5f},       // no faster rise than the jump (great sword)
      {0, 1, 0, 0, 0, false, -20, 1, -10},         // (dual swords)
      {0, 1, 0, -3, 0, true, -10, 3, 0},           // friction stops at 0
      {0, 1, 0, -12, 0, true, -10, 3, -2},         // and keeps the sign
      {0, 1, 0, 3, 0, true, 4.5f, 1, 4.5f},        // walking: capped at 4.5
      {0, 0, 0, -3, 0, true, 4.5f, 1, -4.5f},      // facing left
      {0, 1, PlayerState::Dash, 3, 0, true, 4.5f, 1, 7.5f},  // dashing: capped at 12
      {1, 1, PlayerState::Backstep, 9, 0, true, 4.5f, 1, 10},
      {0, 1, 0, 3, 0, true, 4.5f, 2, 7.5f},        // pushed without a cap
      {0, 0, 0, 3, 0, true, 12, 2, -9},
  };
  g_Player.Init();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.vx) + "/" + std::to_string(c.vy) + " + " + std::to_string(c.value) + " mode " +
                 std::to_string(c.mode));
    SetWeapon(c.weapon);
    SetFacing(c.facing);
    SetFlags(c.flags);
    SetVelocity(c.vx, c.vy);
    if (c.horizontal)
      g_Player.SetVelocityX(c.value, c.mode);
    else
      g_Player.SetVelocityY(c.value, c.mode);
    EXPECT_EQ(c.horizontal ? Velocity().x : Velocity().y, c.expected);
  }
}

TEST(CnnFileTest, AScriptIsReadWholeWithRoomForItsEndAndNamesMustFitThePath) {
  testsupport::EnterScratchDirectory("cnnfile");
  testsupport::WriteScrambled("Data/hero.cnn", "#text hello");
  std::unique_ptr<char[]> buffer;
  ASSERT_EQ(ReadCnnFile(".\\Data\\hero", 12, &buffer), S_OK);
  EXPECT_STREQ(buffer.get(), "#text hello");
  EXPECT_EQ(ReadCnnFile(".\\Data\\hero", 11, &buffer), E_FAIL) << "no room for the final 0";
  EXPECT_EQ(ReadCnnFile(std::string(60, 'n').c_str(), 12, &buffer), E_FAIL) << "60 + \".cnn\" + 0 > 64";
  EXPECT_EQ(g_Player.LoadCnn(".\\Data\\missing"), E_FAIL);
}

}  // namespace
