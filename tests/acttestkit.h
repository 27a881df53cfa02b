#pragma once
// What the action-mode tests share: a scratch game directory (with "Data/Temp" for the image
// loader), stage maps written from their readable form, and the action pictures as small flat
// colours so that a pixel read back tells which picture, chip or layer shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "librarysauce/d3dmath.h"
#include "librarysauce/sprite.h"
#include "platform/input.h"
#include "tests/testsupport.h"

class Mob;

namespace acttest {

// The colour (0xRRGGBB) of a test picture of the action texture table: each file has its own.
// The pictures are flat but for these: the chip sheet (chip n in ChipColor(n), chip 0 key green),
// the near background (key green but for a stripe of kFrontStripeColor over x kFrontStripeX to
// kFrontStripeX + 15, full height) and the gauge frames (a one-pixel border round key green).
uint32_t PictureColor(const std::string& file);
uint32_t ChipColor(int chip);
constexpr int kFrontStripeX = 700;
constexpr uint32_t kFrontStripeColor = 0xF0A0C0;
// Sizes of the test backgrounds: the far one is 100 pixels larger than the view each way, the
// near one just the view's size (it repeats beyond).
constexpr int kBackWidth = 954, kBackHeight = 580;
constexpr int kFrontWidth = 854, kFrontHeight = 480;

// Writes every file of the action texture table under ".\Data\Graphic\Act\".
void WriteActPictures();

// A stage's readable form, built cell by cell: width × height cells of '.', plus header lines.
class StageText {
 public:
  StageText(int width, int height, const std::string& headerLines = "");
  // Sets one cell's character; a row of cells from (col, row) for a longer text.
  StageText& Put(int col, int row, const std::string& cells);
  // A solid row of '#' across the whole map.
  StageText& Floor(int row);
  std::string Text() const;

 private:
  std::string header_;
  std::vector<std::string> rows_;
};

// Compiles a readable stage (the test fails on a compile error) and writes it where stage name
// is read: "Data/Script/act_stage/<name>.cnn", scrambled.
void WriteStage(const std::string& name, const std::string& source);
// Writes map bytes as they stand (for headers the compiler would not make).
void WriteMapBytes(const std::string& name, const std::string& bytes);
// The compiled bytes of a readable stage.
std::string CompileStage(const std::string& source);

// A fresh game directory per test (named after it), the map model, the action scene and the key
// configuration as the game starts with them (no stage list, stage 0, the view at the map's
// origin, no stage begun, the default keys), the manual clock, scripted input, and every message
// box answered and kept in boxes_.
class ActTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  testsupport::MessageBoxCapture boxes_;
};

// ---------------------------------------------------------------------------------------------
// Playing a stage. A test starts stages through the game's own road and steps whole frames:
//
//   WriteActPictures();  WriteActSounds();
//   WriteStage("stage01", StageText(40, 20).Put(5, 10, "@").Floor(17).Text());
//   StartStages("stage01");          // "#setaction stage01"; the stage has begun (mode 15)
//   StillFrames(17);                 // the fade-in
//   EXPECT_EQ(SceneMode(), ActionSceneMode::Run);
//
// or all of that at once: EnterStage(StageText(40, 20).Put(5, 10, "@").Floor(17).Text()).
// Control tests then put keys down and up (PressKeys, ReleaseKeys, StillTap, HoldStillFrames)
// and step whole frames with the clock still (StillFrames), all from testsupport. Movement
// tests set a position and velocities and step Player::MoveAndCollide themselves, so no control
// step stands between what they set and what they check.
// ---------------------------------------------------------------------------------------------

// Writes a small sound for every one of the stage's sound files; the music is a WAV of kMusicMs
// under its MP3 name (the mixer tells the formats apart by their content).
constexpr int kMusicMs = 10000;
void WriteActSounds();

// The keys of the action buttons (DirectInput codes).
namespace key {
constexpr int Attack = platform::DIK_Z;
constexpr int Jump = platform::DIK_X;
constexpr int Guard = platform::DIK_C;
constexpr int Teleport = platform::DIK_A;
constexpr int Pause = platform::DIK_SPACE;
constexpr int Up = platform::DIK_UP;
constexpr int Down = platform::DIK_DOWN;
constexpr int Left = platform::DIK_LEFT;
constexpr int Right = platform::DIK_RIGHT;
}  // namespace key

// Keys and frames, as testsupport steps them (the clock stands still unless a test moves it).
using testsupport::HoldStillFrames;
using testsupport::PressKeys;
using testsupport::ReleaseKeys;
using testsupport::StillFrames;
using testsupport::StillTap;
// Still frames until the scene's frame counter reads count.
void StillFramesUntilFrame(uint32_t count);

// Writes the main script "#setaction <stageList>" and runs still frames until the first stage has
// begun: game mode 15 with the scene fading in, no running frame yet. Fails the test otherwise.
void StartStages(const std::string& stageList);

// Writes the action pictures, the sounds and "stage01" from its readable source, starts it and
// runs the 17 still frames of its fade-in: the stage runs.
void EnterStage(const std::string& source);

// --- what a test reads ---
int CurrentGameMode();
int SceneMode();
uint32_t FrameCount();
D3DXVECTOR2 Position();
D3DXVECTOR2 Velocity();
uint32_t Flags();
int Facing();
int Weapon();
// Start frame and duration of a hero timer (PlayerTimer).
uint32_t TimerStart(int timer);
uint32_t TimerDuration(int timer);
D3DXVECTOR2 Scroll();
int Hp();
int Mp();
int Sp();
int Charges();
int Exhausted();
// The state of sprite index of the current sprite array (the test fails without one).
SpriteState SpriteAt(int index);

// --- what a test sets ---
void SetPosition(float x, float y);
void SetVelocity(float vx, float vy);
void SetFlags(uint32_t flags);  // the whole flag word
void SetFacing(int facing);
void SetWeapon(int weapon);
void SetHp(int hp);
void SetMp(int mp);
void SetSp(int sp);
void SetCharges(int charges);
void SetExhausted(int exhausted);
// Starts a hero timer now.
void StartTimer(int timer);
// The goal's request, and the switch's gates.
void RequestStageEnd();
void CloseGates();

// --- enemies ---
// The enemy of mob slot i (the test fails when the slot is empty).
Mob& MobAt(int i);
int MobHp(int i);
void SetMobHp(int i, int hp);
// Puts the enemy of slot i at (x, y), awake, still and unhurt with full hit points, with its
// rest timer ending far ahead: it stays where gravity leaves it until the test lets it go.
void HoldMob(int i, float x, float y);
// Sets the enemy's position and velocity.
void SetMobMotion(int i, D3DXVECTOR2 position, D3DXVECTOR2 velocity);

}  // namespace acttest
