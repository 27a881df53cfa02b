// The demo played from the title menu as a player plays it: the built data tree, the start entry
// chosen with Z, the meadow run through to its goal by keys held and tapped through the real
// input poll, and the ruins begun; on the way the screen is checked against the built pictures:
// the HUD, the ground, an enemy. The field map's tower leads to the tower stage. A second scenario, run only when VELUNNA_SCREENSHOT_DIR names a
// directory, saves the README's screenshots there (tools/screenshots.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

#include "act/actgraphics.h"
#include "act/actionscene.h"
#include "act/mapmodel.h"
#include "act/mobs/mobmanager.h"
#include "act/player.h"
#include "field/fieldscene.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/sprite.h"
#include "platform/input.h"
#include "tests/demoplay.h"
#include "tests/testsupport.h"

namespace {

using platform::DIK_DOWN;
using platform::DIK_RIGHT;
using platform::DIK_X;
using platform::DIK_Z;
using testsupport::PlayFrames;
using testsupport::PlayTap;
using testsupport::PlayUntil;

const std::string kArt = std::string(VELUNNA_GENERATED_DATA_DIR) + "/Data/Graphic/Act/";
constexpr uint32_t kKeyGreen = 0x00FF00;

class DemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::PlayDemoCopy();
    g_GameState.SetMode(GameMode::MainScript);
  }

  // From the title menu, the entry of this id.
  static void ChooseOnTitle(int id) {
    ASSERT_TRUE(PlayUntil(demoplay::OnTitle));
    ASSERT_TRUE(demoplay::ChooseOnTitle(id, PlayTap)) << "no title entry " << id;
  }

  testsupport::MessageBoxCapture boxes_;
};

// True when the sprite is shown and its whole quad lies on the screen.
bool WhollyShown(int spriteIndex) {
  const Sprite* sprite = g_SceneArrays.SpriteAt(spriteIndex);
  SpriteState s;
  return sprite && sprite->GetState(&s)->visible && s.x >= 0 && s.y >= 0 && s.x + s.width <= 854 &&
         s.y + s.height <= 480;
}

// How many pixels of a wholly shown sprite's quad differ from its picture (the texels it
// samples, mirrored when the sprite is), leaving out the picture's transparent texels; -1 for
// a sprite not wholly shown. The quad covers the pixels whose centres lie inside it, and each
// shows the texel under its centre.
int PixelsUnlikeThePicture(int spriteIndex, const std::string& picture) {
  if (!WhollyShown(spriteIndex)) return -1;
  const Sprite* sprite = g_SceneArrays.SpriteAt(spriteIndex);
  SpriteState s;
  sprite->GetState(&s);
  const int left = static_cast<int>(std::ceil(s.x - 0.5f)), top = static_cast<int>(std::ceil(s.y - 0.5f));
  const int width = std::min(static_cast<int>(s.width), 854 - left);
  const int height = std::min(static_cast<int>(s.height), 480 - top);
  const std::vector<uint32_t> screen = testsupport::ReadScreen(left, top, width, height);
  const testsupport::BmpFile bmp(picture);
  int unlike = 0;
  for (int j = 0; j < height; ++j) {
    for (int i = 0; i < width; ++i) {
      const float across = left + i + 0.5f - s.x;
      const float u = sprite->GetNoMirror() ? s.srcX + across : s.srcX + s.width - across;
      const float v = s.srcY + (top + j + 0.5f - s.y);
      const uint32_t texel = bmp.Pixel(static_cast<int>(u), static_cast<int>(v));
      if (texel == kKeyGreen) continue;
      unlike += (screen[static_cast<size_t>(j * width + i)] & 0xFFFFFF) != texel;
    }
  }
  return unlike;
}

// The HP gauge's visible length: the pixels of its middle row, from its left end, that show the
// gauge picture where the frame over it is open.
int HpGaugeLength() {
  SpriteState gauge;
  g_SceneArrays.SpriteAt(ActSprite::GaugeHp)->GetState(&gauge);
  const int row = static_cast<int>(gauge.height) / 2;
  const std::vector<uint32_t> line = testsupport::ReadScreen(111, 10 + row, 400, 1);
  const testsupport::BmpFile frame(kArt + "GaugeFrame_HP.bmp"), fill(kArt + "Gauge_HP.bmp");
  int length = 0;
  for (int x = 0; x < 400; ++x) {
    if (frame.Pixel(x + 1, row) != kKeyGreen) continue;  // the frame
    if ((line[static_cast<size_t>(x)] & 0xFFFFFF) != fill.Pixel(x, row)) break;
    length = x + 1;
  }
  return length;
}

// The HUD says what the hero's HP is: the gauge's length and the shown digits of the HP and its
// maximum, each digit the cell of the digit picture.
void ExpectHudShowsHp(int hp, int hpMax) {
  EXPECT_NEAR(HpGaugeLength(), 400.0 * hp / hpMax, 1.0);
  for (int i = 0; i < 9; ++i) {
    if (i == 4) continue;  // the separator
    const int value = i < 4 ? hp : hpMax;
    const int power = i < 4 ? 3 - i : 8 - i;
    SpriteState digit;
    g_SceneArrays.SpriteAt(ActSprite::Digits + i)->GetState(&digit);
    const bool shown = value / static_cast<int>(std::pow(10, power)) >= 1;
    EXPECT_EQ(digit.visible, shown) << "digit " << i;
    if (!shown) continue;
    EXPECT_EQ(digit.srcX, 16.0f * (value / static_cast<int>(std::pow(10, power)) % 10)) << "digit " << i;
    EXPECT_EQ(PixelsUnlikeThePicture(ActSprite::Digits + i, kArt + "Count.bmp"), 0) << "digit " << i;
  }
}

// Across the lowest band of the screen, every sample shows the chip of the map cell under it.
void ExpectGroundShowsItsChips() {
  const D3DXVECTOR2 scroll = g_MapModel.GetScroll();
  const std::vector<uint32_t> band = testsupport::ReadScreen(0, 452, 854, 28);
  const testsupport::BmpFile chipSheet(kArt + "TestChip.bmp");
  int chips = 0, unlike = 0;
  for (int y = 0; y < 28; y += 3) {
    for (int x = 0; x < 854; x += 7) {
      const int worldX = x + static_cast<int>(scroll.x), worldY = 452 + y + static_cast<int>(scroll.y);
      const int chip = g_MapModel.ChipAt(worldX / 32, worldY / 32);
      if (chip == 0) continue;
      const uint32_t texel = chipSheet.Pixel(chip % 16 * 32 + worldX % 32, chip / 16 * 32 + worldY % 32);
      ++chips;
      unlike += (band[static_cast<size_t>(y * 854 + x)] & 0xFFFFFF) != texel;
    }
  }
  EXPECT_GT(chips, 300);
  EXPECT_EQ(unlike, 0);
}

// The keys of the meadow by the stage's frame counter: Right is held from the end of the fade-in
// on; Jump (X) and Attack (Z) are pressed for the one frame given. Up the first step, over both
// pits (a double jump over the second), past the Kedama and the Hopper, over the switch's gate
// on its ledge, slashing at the Bomber and the Hopper on the way to the goal.
const std::map<uint32_t, int> kMeadowKeys = {
    {69, DIK_X},  {138, DIK_X}, {159, DIK_X}, {306, DIK_X}, {364, DIK_X}, {380, DIK_Z},
    {385, DIK_X}, {400, DIK_Z}, {443, DIK_X}, {536, DIK_Z}, {539, DIK_X},
};

// One frame of the meadow played by its keys.
void PlayMeadowFrame() {
  testsupport::ReleaseKeys({DIK_X, DIK_Z});
  testsupport::PressKeys({DIK_RIGHT});
  const auto key = kMeadowKeys.find(g_ActionScene.GetFrameCount());
  if (key != kMeadowKeys.end()) testsupport::PressKeys({key->second});
  PlayFrames(1);
}

TEST_F(DemoTest, TheTitlesStartEntryLeadsThroughTheMeadowToItsGoalAndIntoTheRuins) {
  ChooseOnTitle(demoplay::kStartEntry);
  ASSERT_TRUE(PlayUntil(demoplay::StageRuns));
  ASSERT_EQ(g_ActionScene.GetFrameCount(), 17u);
  ASSERT_EQ(g_MapModel.GetStageIndex(), 0);
  PlayFrames(1);
  ExpectHudShowsHp(250, 250);
  ExpectGroundShowsItsChips();

  // The meadow, played by its keys until the goal's fade-out.
  bool kedamaSeen = false;
  while (g_ActionScene.GetMode() != ActionSceneMode::FadeOut && g_ActionScene.GetFrameCount() < 700) {
    PlayMeadowFrame();
    ASSERT_EQ(g_GameState.GetMode(), GameMode::ActionRun) << "the hero fell at frame " << g_ActionScene.GetFrameCount();
    // The first Kedama, once on the screen, shows its picture.
    const int kedama = g_MapModel.GetMobSpriteBase();
    if (!kedamaSeen && g_MobManager.GetKind(0) == MobKind::Kedama && WhollyShown(kedama)) {
      kedamaSeen = true;
      EXPECT_LT(PixelsUnlikeThePicture(kedama, kArt + "Mob_Kedama.bmp"), 10);
    }
  }
  ASSERT_EQ(g_ActionScene.GetMode(), ActionSceneMode::FadeOut) << "no goal by frame 700";
  EXPECT_TRUE(kedamaSeen);
  const int hp = g_Player.GetStats()->hp;
  EXPECT_LT(hp, 250) << "the meadow's enemies hurt him on the way";
  ExpectHudShowsHp(hp, 250);

  // The fade-out to black, then the ruins with the hero's stats kept.
  testsupport::ReleaseKeys({DIK_RIGHT});
  ASSERT_TRUE(PlayUntil([] { return g_GameState.GetMode() == GameMode::ActionRestart; }, 20));
  EXPECT_EQ(testsupport::PixelAt(427, 240), 0xFF000000u);
  ASSERT_TRUE(PlayUntil(demoplay::StageRuns, 40));
  EXPECT_STREQ(g_MapModel.GetStagePath(g_MapModel.GetStageIndex()), ".\\Data\\Script\\act_stage\\stage02");
  PlayFrames(1);
  ExpectHudShowsHp(hp, 250);
  ExpectGroundShowsItsChips();
  EXPECT_TRUE(boxes_.messages.empty());
}

TEST_F(DemoTest, TheFieldMapsTowerLeadsToTheTowerStage) {
  ChooseOnTitle(demoplay::kFieldEntry);
  ASSERT_TRUE(PlayUntil(demoplay::FieldTakesAChoice));
  auto selected = [] { return std::string(g_FieldScene.GetPoint(g_FieldScene.GetSelectedPoint())->script); };
  for (int moves = 0; moves < 4 && selected() != "tower.cnn"; ++moves) PlayTap(DIK_DOWN);
  ASSERT_EQ(selected(), "tower.cnn");
  PlayTap(DIK_Z);
  ASSERT_TRUE(PlayUntil(demoplay::StageRuns));
  EXPECT_EQ(g_MapModel.GetStageCount(), 1);
  EXPECT_STREQ(g_MapModel.GetStagePath(0), ".\\Data\\Script\\act_stage\\stage03");
  EXPECT_TRUE(boxes_.messages.empty());
}

// The README's screenshots: the title menu, the story's second page and the meadow with the HUD
// and an enemy, saved as BMPs in VELUNNA_SCREENSHOT_DIR.
TEST_F(DemoTest, Screenshots) {
  const char* dir = std::getenv("VELUNNA_SCREENSHOT_DIR");
  if (!dir) GTEST_SKIP() << "VELUNNA_SCREENSHOT_DIR is not set";
  const std::string out = dir;
  ASSERT_TRUE(PlayUntil(demoplay::OnTitle));
  ASSERT_TRUE(testsupport::SaveScreen(out + "/title.bmp"));

  ChooseOnTitle(demoplay::kStoryEntry);
  ASSERT_TRUE(PlayUntil(demoplay::AdvWaitsForAKey));
  PlayTap(DIK_Z);
  ASSERT_TRUE(PlayUntil(demoplay::AdvWaitsForAKey));
  ASSERT_TRUE(testsupport::SaveScreen(out + "/story.bmp"));

  // The story's end leads into the meadow; there the hero runs past the closed gate and leaps
  // at the Bomber over the spike pit.
  for (int page = 0; page < 60 && !demoplay::StageRuns(); ++page) {
    PlayTap(DIK_Z);
    PlayUntil([] { return demoplay::AdvWaitsForAKey() || demoplay::StageRuns(); });
  }
  ASSERT_TRUE(demoplay::StageRuns());
  while (g_ActionScene.GetFrameCount() < 383) PlayMeadowFrame();
  testsupport::ReleaseAll();
  ASSERT_TRUE(testsupport::SaveScreen(out + "/stage.bmp"));
}

}  // namespace
