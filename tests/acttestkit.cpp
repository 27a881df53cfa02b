#include "tests/acttestkit.h"

#include <filesystem>
#include <map>

#include "act/actgraphics.h"
#include "act/actionscene.h"
#include "act/mapmodel.h"
#include "act/mobs/mob.h"
#include "act/mobs/mobkedama.h"
#include "act/mobs/mobmanager.h"
#include "act/player.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/keyconfig.h"
#include "librarysauce/textlog.h"
#include "novel/advscene.h"
#include "startmenu/startmenu.h"
#include "tests/testsupport.h"
#include "tools/artkit.h"
#include "tools/stagesource.h"

namespace acttest {

namespace {

constexpr artkit::Rgb kKeyGreen{0, 255, 0};

artkit::Rgb Rgb(uint32_t rgb) {
  return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)};
}

struct Size {
  int width, height;
};

// Sizes that the sprite set-up reads from the texture; any other picture is 64 × 64.
const std::map<std::string, Size> kSizes = {
    {"BackGround_Back01.bmp", {kBackWidth, kBackHeight}},
    {"BackGround_Front01.bmp", {kFrontWidth, kFrontHeight}},
    {"GaugeFrame_HP.bmp", {402, 13}},
    {"Gauge_HP.bmp", {400, 12}},
    {"GaugeFrame_SP.bmp", {402, 7}},
    {"Gauge_SP.bmp", {400, 6}},
    {"GaugeFrame_MP.bmp", {200, 11}},
    {"Gauge_MP.bmp", {198, 10}},
    {"TeleportCountIcon.bmp", {32, 32}},
    {"IconMain.bmp", {192, 192}},
    {"Count.bmp", {176, 48}},
    {"AttackModeIcon.bmp", {128, 128}},
    {"Kest_DualSword.bmp", {384, 192}},
    {"Kest_GreatSword.bmp", {384, 192}},
    {"TestChip.bmp", {512, 64}},
};

}  // namespace

uint32_t PictureColor(const std::string& file) {
  // The first table entry that loads the file numbers its colour.
  for (int i = 0; i < ActTexture::TableSize; ++i) {
    if (ActTexture::kFiles[i] && file == ActTexture::kFiles[i])
      return 0x800000u + static_cast<uint32_t>(i) * 0x020509u;
  }
  return 0;
}

uint32_t ChipColor(int chip) {
  return 0xC80000u | static_cast<uint32_t>(8 * chip) << 8 | static_cast<uint32_t>(255 - 8 * chip);
}

void WriteActPictures() {
  for (int i = 0; i < ActTexture::TableSize; ++i) {
    const char* file = ActTexture::kFiles[i];
    if (!file) continue;
    const std::string name = file;
    const auto sized = kSizes.find(name);
    const Size size = sized == kSizes.end() ? Size{64, 64} : sized->second;
    artkit::Canvas picture(size.width, size.height, Rgb(PictureColor(name)));
    if (name == "TestChip.bmp") {
      for (int chip = 0; chip < 32; ++chip)
        picture.FillRect(chip % 16 * 32, chip / 16 * 32, 32, 32, chip == 0 ? kKeyGreen : Rgb(ChipColor(chip)));
    } else if (name == "BackGround_Front01.bmp") {
      picture = artkit::Canvas(size.width, size.height, kKeyGreen);
      picture.FillRect(kFrontStripeX, 0, 16, size.height, Rgb(kFrontStripeColor));
    } else if (name.compare(0, 10, "GaugeFrame") == 0) {
      picture = artkit::Canvas(size.width, size.height, kKeyGreen);
      picture.FrameRect(0, 0, size.width, size.height, 1, Rgb(PictureColor(name)));
    }
    testsupport::WriteGameImage("Data/Graphic/Act/" + name, picture);
  }
}

StageText::StageText(int width, int height, const std::string& headerLines)
    : header_("size " + std::to_string(width) + " " + std::to_string(height) + "\n" + headerLines),
      rows_(static_cast<size_t>(height), std::string(static_cast<size_t>(width), '.')) {}

StageText& StageText::Put(int col, int row, const std::string& cells) {
  rows_.at(static_cast<size_t>(row)).replace(static_cast<size_t>(col), cells.size(), cells);
  return *this;
}

StageText& StageText::Floor(int row) {
  std::string& cells = rows_.at(static_cast<size_t>(row));
  cells.assign(cells.size(), '#');
  return *this;
}

std::string StageText::Text() const {
  std::string text = header_ + "grid\n";
  for (const std::string& row : rows_) text += row + "\n";
  return text;
}

std::string CompileStage(const std::string& source) {
  std::string bytes, error;
  EXPECT_TRUE(stagesource::Compile(source, &bytes, &error)) << error;
  return bytes;
}

void WriteMapBytes(const std::string& name, const std::string& bytes) {
  testsupport::WriteScrambled("Data/Script/act_stage/" + name + ".cnn", bytes);
}

void WriteStage(const std::string& name, const std::string& source) {
  std::string bytes, error;
  ASSERT_TRUE(stagesource::Compile(source, &bytes, &error)) << name << ": " << error;
  WriteMapBytes(name, bytes);
}

void ActTest::SetUp() {
  testsupport::StartGame();
  testsupport::EnterScratchDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::create_directories("Data/Temp");
  testsupport::UseManualClock();
  testsupport::UseScriptedInput();
  testsupport::Renew(&g_ActionScene);
  testsupport::Renew(&g_MapModel);
  g_KeyConfig = KeyConfig();
  // No menu list left by a test before: "#setaction" in the main script goes straight on to the
  // stage, as when the game starts.
  testsupport::Renew(&g_StartMenu);
  // Nothing drawn over the stage from what a test before left: no text-log line, no ADV message.
  g_TextLog.Reset();
  g_AdvScene.Release();
}

void ActTest::TearDown() { g_SceneArrays.Release(); }

}  // namespace acttest

// --- playing a stage ---

// The hero's fields that no game operation sets from outside.
struct PlayerTestAccess {
  static PlayerStatus& Status() { return g_Player.status_; }
  static D3DXVECTOR2& Velocity() { return g_Player.velocity_; }
  static uint32_t& TimerWord(int index) { return g_Player.timers_[index]; }
  static int& Exhausted() { return g_Player.exhausted_; }
};

// The enemy's fields that no game operation sets from outside.
struct MobTestAccess {
  static D3DXVECTOR2& Position(Mob& mob) { return mob.position_; }
  static D3DXVECTOR2& Velocity(Mob& mob) { return mob.velocity_; }
  static MobStats* Stats(Mob& mob) { return mob.stats_.get(); }
  static int& Active(Mob& mob) { return mob.active_; }
};

namespace acttest {

namespace {

PlayerStats& Stats() {
  static PlayerStats none{};
  PlayerStats* stats = g_Player.GetStats();
  EXPECT_NE(stats, nullptr) << "no hero yet: start a stage first";
  return stats ? *stats : none;
}

uint32_t& TimerWord(int index) {
  static uint32_t none = 0;
  EXPECT_TRUE(index >= 0 && index < PlayerTimer::WordCount) << index;
  return index >= 0 && index < PlayerTimer::WordCount ? PlayerTestAccess::TimerWord(index) : none;
}

}  // namespace

void WriteActSounds() {
  const char* const effects[] = {"swing25_c.wav", "swing27.wav", "swing37_b.wav", "swing37_a.wav",
                                 "hit_s06.wav",   "hit09.wav",   "cursor12.wav"};
  for (const char* name : effects) testsupport::WriteFile(std::string("Data/Sound/Act/") + name, testsupport::MakeWav(100));
  testsupport::WriteFile("Data/Sound/Act/1-1.mp3", testsupport::MakeWav(kMusicMs));
}

void StillFramesUntilFrame(uint32_t count) { StillFrames(static_cast<int>(count - g_ActionScene.GetFrameCount())); }

void StartStages(const std::string& stageList) {
  testsupport::WriteScrambled("Data/Script/main.cnn", "#setaction " + stageList + "\r\n");
  g_GameState.SetMode(GameMode::MainScript);
  // The main script, the start menu's hand-over (there is no menu), the stage start.
  for (int i = 0; i < 3 && g_GameState.GetMode() != GameMode::ActionRun; ++i) StillFrames(1);
  ASSERT_EQ(g_GameState.GetMode(), GameMode::ActionRun);
  ASSERT_EQ(g_ActionScene.GetMode(), ActionSceneMode::FadeIn);
}

void EnterStage(const std::string& source) {
  WriteActPictures();
  WriteActSounds();
  WriteStage("stage01", source);
  StartStages("stage01");
  StillFrames(17);
  EXPECT_EQ(g_ActionScene.GetMode(), ActionSceneMode::Run);
}

int CurrentGameMode() { return g_GameState.GetMode(); }
int SceneMode() { return g_ActionScene.GetMode(); }
uint32_t FrameCount() { return g_ActionScene.GetFrameCount(); }
D3DXVECTOR2 Position() { return {PlayerTestAccess::Status().x, PlayerTestAccess::Status().y}; }
D3DXVECTOR2 Velocity() { return g_Player.GetVelocity(); }
uint32_t Flags() { return g_Player.GetFlags(); }
int Facing() { return g_Player.GetFacing(); }
int Weapon() { return g_Player.GetWeapon(); }
uint32_t TimerStart(int timer) { return TimerWord(timer); }
uint32_t TimerDuration(int timer) { return TimerWord(timer + 1); }
D3DXVECTOR2 Scroll() { return g_MapModel.GetScroll(); }
int Hp() { return Stats().hp; }
int Mp() { return Stats().mp; }
int Sp() { return Stats().sp; }
int Charges() { return PlayerTestAccess::Status().charges; }
int Exhausted() { return PlayerTestAccess::Exhausted(); }

SpriteState SpriteAt(int index) {
  SpriteState state{};
  const bool exists = g_Sprites && index >= 0 && index < g_SceneArrays.GetSpriteCount();
  EXPECT_TRUE(exists) << "no sprite " << index;
  if (exists) g_Sprites[index].GetState(&state);
  return state;
}

void SetPosition(float x, float y) {
  PlayerTestAccess::Status().x = x;
  PlayerTestAccess::Status().y = y;
}
void SetVelocity(float vx, float vy) { PlayerTestAccess::Velocity() = {vx, vy}; }
void SetFlags(uint32_t flags) { g_Player.SetFlags(flags, 0); }
void SetFacing(int facing) { g_Player.SetFacing(facing); }
void SetWeapon(int weapon) { g_Player.SetWeapon(weapon); }
void SetHp(int hp) { Stats().hp = hp; }
void SetMp(int mp) { Stats().mp = mp; }
void SetSp(int sp) { Stats().sp = sp; }
void SetCharges(int charges) { PlayerTestAccess::Status().charges = charges; }
void SetExhausted(int exhausted) { PlayerTestAccess::Exhausted() = exhausted; }
void StartTimer(int timer) { g_Player.StartTimer(timer, 0); }
void RequestStageEnd() { g_ActionScene.RequestStageEnd(); }
void CloseGates() { g_MapModel.CloseGates(); }

Mob& MobAt(int i) {
  Mob* mob = g_MobManager.GetMob(i);
  if (!mob) {
    ADD_FAILURE() << "no enemy in slot " << i;
    static MobKedama none;  // answers for the missing one
    return none;
  }
  return *mob;
}

int MobHp(int i) {
  const MobStats* stats = MobTestAccess::Stats(MobAt(i));
  return stats ? stats->hp : 0;
}

void SetMobHp(int i, int hp) {
  if (MobStats* stats = MobTestAccess::Stats(MobAt(i))) stats->hp = hp;
}

void HoldMob(int i, float x, float y) {
  Mob& mob = MobAt(i);
  SetMobMotion(i, {x, y}, {0, 0});
  MobTestAccess::Active(mob) = 1;
  mob.SetFlags(0, 0);
  SetMobHp(i, 50);
  mob.SetTimer(MobTimer::Rest, FrameCount() + 100000);
}

void SetMobMotion(int i, D3DXVECTOR2 position, D3DXVECTOR2 velocity) {
  Mob& mob = MobAt(i);
  MobTestAccess::Position(mob) = position;
  MobTestAccess::Velocity(mob) = velocity;
}

}  // namespace acttest
