// The action graphics on a loaded stage: the sprite and texture set-up, the chip window that
// follows the scroll, the parallax backgrounds, the gates a switch closes, and what is drawn over
// what in play.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "act/attacks/actobject.h"
#include "act/mapmodel.h"
#include "act/mobs/mobshotmanager.h"
#include "gameflow/gamestate.h"
#include "librarysauce/sprite.h"
#include "librarysauce/texture.h"
#include "tests/acttestkit.h"
#include "tests/testsupport.h"

namespace {

using acttest::StageText;

SpriteState StateOf(int index) {
  SpriteState s;
  return *g_Sprites[index].GetState(&s);
}

class ActGraphicsTest : public acttest::ActTest {
 protected:
  void Build(const std::string& source) {
    acttest::WriteActPictures();
    acttest::WriteStage("stage", source);
    ASSERT_EQ(g_MapModel.SetStageList("stage"), S_OK);
    ASSERT_EQ(g_MapModel.LoadMap(), S_OK);
    ASSERT_EQ(g_MapModel.LoadActionGraphics(), S_OK);
  }
  void Scroll(float x, float y) {
    g_MapModel.SetScroll(x, y);
    g_MapModel.UpdateChipWindow();
    g_MapModel.UpdateBackgrounds();
  }
  // The source of the chip sprite at column c, row r of the window.
  static D3DXVECTOR2 ChipSource(int c, int r) {
    const SpriteState s = StateOf(ActSprite::ChipWindow + r * 29 + c);
    return {s.srcX, s.srcY};
  }
};

TEST_F(ActGraphicsTest, SetUpLaysOutTheSpritesAndTextures) {
  // Two mob cells (one of them the spare code) and two item cells.
  Build(StageText(40, 20).Floor(19).Put(2, 18, "kx").Put(6, 18, "hS").Text());
  const int mobs = 3, items = 12;
  EXPECT_EQ(g_GameState.GetSpriteCount(), 740 + mobs + items);
  EXPECT_EQ(g_GameState.GetTextureCount(), 48);
  EXPECT_EQ(g_MapModel.GetMobSpriteBase(), 523);
  EXPECT_EQ(g_MapModel.GetEffectSpriteBase(), 523 + mobs);
  EXPECT_EQ(g_MapModel.GetMobShotSpriteBase(), 523 + mobs + 16);
  EXPECT_EQ(g_MapModel.GetItemSpriteBase(), 523 + mobs + 217);

  // What shows right after set-up: backgrounds, fade, HUD, the dual-sword hero, the chip window
  // and the shots; hidden: the other hero, icon 24, the spare chip sprite, mobs (until spawned),
  // effects and items.
  const struct {
    int first, count;
    int visible;
  } ranges[] = {{2, 22, 1}, {24, 1, 0}, {25, 2, 1}, {27, 1, 0}, {29, 493, 1}, {522, 1, 0},
                {523, mobs, 0}, {523 + mobs, 16, 0}, {523 + mobs + 16, 201, 1}, {523 + mobs + 217, items, 0}};
  for (const auto& r : ranges)
    for (int i = r.first; i < r.first + r.count; ++i) EXPECT_EQ(StateOf(i).visible, r.visible) << "sprite " << i;

  // A few places and colours the other parts rely on.
  EXPECT_EQ(StateOf(ActSprite::Digits + 4).srcX, 160.0f);
  EXPECT_EQ(StateOf(ActSprite::GaugeHp).width, 400.0f);
  EXPECT_EQ(StateOf(ActSprite::AttackModeIcon).width, 64.0f);
  EXPECT_EQ(StateOf(ActSprite::ChipWindow + 30).x, 16.0f);
  EXPECT_EQ(StateOf(ActSprite::ChipWindow + 30).y, 16.0f);
  EXPECT_EQ(StateOf(523 + 2).x, 384.0f);
  EXPECT_EQ(StateOf(523 + mobs + 5).color, 0xC0FFFFFFu);
  EXPECT_EQ(StateOf(523 + mobs + 7).color, 0x80FFFFFFu);
  EXPECT_EQ(StateOf(523 + mobs + 8).textureIndex, 36);
  // The HUD's places on the screen: each gauge a pixel right of its frame.
  const struct {
    int sprite;
    float x, y;
  } hud[] = {{ActSprite::GaugeHp, 111, 10},      {ActSprite::GaugeFrameHp, 110, 10},
             {ActSprite::GaugeSp, 111, 26},      {ActSprite::GaugeFrameSp, 110, 26},
             {ActSprite::GaugeMp, 111, 64},      {ActSprite::GaugeFrameMp, 110, 64},
             {ActSprite::TeleportIcon, 320, 32}, {ActSprite::TeleportIcon + 1, 355, 32},
             {ActSprite::TeleportIcon + 2, 390, 32}, {ActSprite::FaceIcon, 10, 10},
             {ActSprite::AttackModeIcon, 110, 70}, {ActSprite::AttackModeIcon2, 110, 70}};
  for (const auto& h : hud) {
    EXPECT_EQ(StateOf(h.sprite).x, h.x) << "sprite " << h.sprite;
    EXPECT_EQ(StateOf(h.sprite).y, h.y) << "sprite " << h.sprite;
  }

  // The far background keys green 254; entry 36 is the hero sheet again; the gaps stay empty.
  for (int i = 0; i < 48; ++i) {
    TextureInfo info;
    g_TextureTable[i].GetInfo(&info);
    const bool empty = i <= 1 || i == 28 || (i >= 37 && i <= 44);
    EXPECT_EQ(g_TextureTable[i].GetD3DTexture() == 0, empty) << "texture " << i;
    if (!empty) {
      EXPECT_EQ(info.colorKey, i == 2 ? 0xFF00FE00u : 0xFF00FF00u) << "texture " << i;
    }
  }
  TextureInfo info;
  EXPECT_STREQ(g_TextureTable[36].GetInfo(&info)->name, ".\\Data\\Graphic\\Act\\Kest_DualSword.bmp");
}

TEST_F(ActGraphicsTest, TheChipWindowFollowsTheScrollAndRepointsOnlyOnANewOriginCell) {
  // Chip 5 at (0, 0) and (3, 1), chip 10 at (4, 2), chip 4 at (0, 1).
  Build(StageText(40, 20).Put(0, 0, "B").Put(3, 1, "B").Put(4, 2, "T").Put(0, 1, "%").Text());
  // The stored origin is already (0, 0): the new window is pointed at the map all the same.
  Scroll(0, 0);
  EXPECT_EQ(g_MapModel.GetOriginChanged(), 0u);
  EXPECT_EQ(ChipSource(0, 0).x, 160.0f);

  Scroll(100.7f, 40.2f);
  EXPECT_EQ(g_MapModel.GetOriginCol(), 3u);
  EXPECT_EQ(g_MapModel.GetOriginRow(), 1u);
  EXPECT_EQ(StateOf(29).x, -4.0f);
  EXPECT_EQ(StateOf(29).y, -8.0f);
  EXPECT_EQ(StateOf(59).x, 28.0f);
  EXPECT_EQ(StateOf(59).y, 24.0f);
  EXPECT_EQ(ChipSource(0, 0).x, 160.0f);
  EXPECT_EQ(ChipSource(1, 1).x, 320.0f);

  // Within the cell only the places move (a changed layer is not looked at again).
  g_MapModel.GetLayers().chipRows[1][3] = 0;
  Scroll(110.0f, 50.0f);
  EXPECT_EQ(g_MapModel.GetOriginChanged(), 0u);
  EXPECT_EQ(StateOf(29).x, -14.0f);
  EXPECT_EQ(ChipSource(0, 0).x, 160.0f);
  // Crossing a cell boundary re-points the window.
  Scroll(95.0f, 50.0f);
  EXPECT_EQ(g_MapModel.GetOriginChanged(), 1u);
  EXPECT_EQ(ChipSource(1, 0).x, 0.0f);

  // At the right limit the last column lies past the map: empty, not the next row's first chip.
  Scroll(394.0f, 0.0f);
  EXPECT_EQ(g_MapModel.GetOriginCol(), 12u);
  EXPECT_EQ(ChipSource(28, 0).x, 0.0f);
  EXPECT_EQ(ChipSource(28, 0).y, 0.0f);
  // Far outside the map the window shows nothing, and no scroll value breaks it.
  for (float far : {1e30f, -1e30f}) {
    Scroll(far, far);
    EXPECT_EQ(ChipSource(0, 0).x, 0.0f);
  }
  Scroll(std::nanf(""), std::nanf(""));
  // The spare sprite stays hidden where it was set up.
  EXPECT_EQ(StateOf(522).visible, 0);
  EXPECT_EQ(StateOf(522).y, 17 * 32 - 16.0f);
  // New graphics are placed anew, even at the shift the window had before them.
  ASSERT_EQ(g_MapModel.LoadActionGraphics(), S_OK);
  Scroll(0, 0);
  EXPECT_EQ(StateOf(29).x, 0.0f);
  EXPECT_EQ(StateOf(59).y, 32.0f);
}

TEST_F(ActGraphicsTest, BackgroundsMoveByTheScrollAndItsRatio) {
  Build(StageText(40, 20).Text());
  const float dx = acttest::kBackWidth - 854.0f, dy = acttest::kBackHeight - 480.0f;
  const struct {
    float x, y;  // scroll
    float backX, backY;
  } cases[] = {{0, 0, 0, 0}, {394, 127, dx, dy}, {197, 0, dx / 2, 0}, {-50, 500, 0, dy}};
  for (const auto& c : cases) {
    Scroll(c.x, c.y);
    EXPECT_EQ(StateOf(2).srcX, c.backX) << c.x;
    EXPECT_EQ(StateOf(2).srcY, c.backY) << c.y;
    EXPECT_EQ(StateOf(3).srcX, c.x);
    EXPECT_EQ(StateOf(3).srcY, c.y);
  }
  // No room to scroll: the far layer stays at its corner.
  Build(StageText(15, 14, "chip 61 37\n").Text());
  Scroll(10, 10);
  EXPECT_EQ(StateOf(2).srcX, 0.0f);
  EXPECT_EQ(StateOf(2).srcY, 0.0f);
}

TEST_F(ActGraphicsTest, ClosedGatesAreSolidAndDrawnAtOnce) {
  Build(StageText(40, 20).Floor(13).Put(4, 10, "|").Put(4, 11, "|").Put(4, 12, "|").Put(6, 12, "S").Text());
  Scroll(0, 0);
  EXPECT_EQ(g_MapModel.CodeAt(4, 11), MapCell::Gate);
  EXPECT_EQ(ChipSource(4, 11).x, 96.0f);
  for (int pass = 0; pass < 2; ++pass) {
    g_MapModel.CloseGates();
    for (int row : {10, 11, 12}) {
      EXPECT_EQ(g_MapModel.CodeAt(4, row), MapCell::Solid);
      EXPECT_EQ(g_MapModel.ChipAt(4, row), 2);
      EXPECT_EQ(ChipSource(4, row).x, 64.0f);
    }
    EXPECT_EQ(g_MapModel.CodeAt(6, 12), ItemCell::Switch);
    EXPECT_EQ(g_MapModel.ChipAt(5, 13), 1);
  }
}

// The demo stages on screen, drawn with the flat test pictures: every pixel outside the HUD and
// the hero shows the chip of the map cell under it, or where the chip is empty the near layer's
// stripe or the far layer.
TEST_F(ActGraphicsTest, TheDemoStagesShowTheirChipsOverBothBackgrounds) {
  acttest::WriteActPictures();
  g_GameState.SetMode(GameMode::ActionRun);  // frames run the stage's mode
  for (const char* stage : {"stage01", "stage02", "stage03"}) {
    const std::string map = std::string("Data/Script/act_stage/") + stage + ".cnn";
    std::filesystem::create_directories("Data/Script/act_stage");
    std::filesystem::copy_file(std::string(VELUNNA_GAME_DIR) + "/" + map, map,
                               std::filesystem::copy_options::overwrite_existing);
  }
  const struct {
    const char* stage;
    float x, y;
  } views[] = {{"stage01", 0, 0},      {"stage02", 0, 0},      {"stage01", 0, 127},
               {"stage02", 1000.5f, 191}, {"stage03", 0, 127}, {"stage03", 1162, 127}};
  for (const auto& view : views) {
    SCOPED_TRACE(std::string(view.stage) + " at " + std::to_string(view.x) + ", " + std::to_string(view.y));
    ASSERT_EQ(g_MapModel.SetStageList(view.stage), S_OK);
    ASSERT_EQ(g_MapModel.LoadMap(), S_OK);
    ASSERT_EQ(g_MapModel.LoadActionGraphics(), S_OK);
    Scroll(view.x, view.y);
    // The fade curtain starts opaque, over everything, the HUD included.
    testsupport::StillFrames(1);
    EXPECT_EQ(testsupport::PixelAt(300, 16), 0xFF000000u);
    EXPECT_EQ(testsupport::PixelAt(600, 300), 0xFF000000u);
    g_Sprites[ActSprite::Fade].SetColor(0x00000000);
    testsupport::StillFrames(1);
    EXPECT_EQ(testsupport::PixelAt(300, 16), 0xFF000000u | acttest::PictureColor("Gauge_HP.bmp"));

    const std::vector<uint32_t> screen = testsupport::ReadScreen();
    int chipsSeen = 0, wrong = 0;
    for (int y = 4; y < 480; y += 8) {
      for (int x = 4; x < 854; x += 8) {
        const bool hud = x < 520 && y < 140, hero = x >= 128 && x < 320 && y >= 128 && y < 320;
        if (hud || hero) continue;
        const int worldX = x + static_cast<int>(view.x), worldY = y + static_cast<int>(view.y);
        const int chip = g_MapModel.ChipAt(worldX / 32, worldY / 32);
        const float frontX = std::fmod(x + view.x, static_cast<float>(acttest::kFrontWidth));
        uint32_t expected = acttest::PictureColor("BackGround_Back01.bmp");
        if (frontX >= acttest::kFrontStripeX && frontX < acttest::kFrontStripeX + 16)
          expected = acttest::kFrontStripeColor;
        if (chip != 0) {
          expected = acttest::ChipColor(chip);
          ++chipsSeen;
        }
        const uint32_t got = screen[static_cast<size_t>(y) * 854 + x];
        if (got != (0xFF000000u | expected) && ++wrong <= 5)
          ADD_FAILURE() << "pixel (" << x << ", " << y << "): " << std::hex << got << ", not " << expected;
      }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(chipsSeen, 100);
    EXPECT_TRUE(boxes_.messages.empty());
  }
}

// Where they overlap on a running stage, a shot is drawn over the hero, the hero over an enemy and
// an enemy over an item. The hero's frame covers the screen from (64, 226.5) to (256, 418.5).
TEST_F(ActGraphicsTest, ShotsShowOverTheHeroTheHeroOverEnemiesAndEnemiesOverItems) {
  acttest::EnterStage(StageText(40, 20).Put(2, 10, "@").Put(9, 16, "h").Put(30, 5, "kk").Floor(17).Text());
  acttest::StillFrames(25);  // the map's item pops up and lands
  const float scrollY = acttest::Scroll().y;
  acttest::HoldMob(0, 230, 482);  // on the floor, right of the hero's body: screen x 230 to 294
  acttest::HoldMob(1, 80, 360);   // in the air in his frame, clear of his body
  g_MobShotManager.Spawn(MobShotKind::NormalBullet, 1);  // from its middle
  testsupport::StillFrames(1);
  ASSERT_EQ(scrollY, 127.0f);
  const D3DXVECTOR2 bullet = g_MobShotManager.GetShot(0)->GetPosition();
  const struct {
    const char* what;
    float x, y;  // on the screen
    const char* picture;
  } points[] = {
      {"the shot over the hero", bullet.x + 8, bullet.y + 8 - scrollY, "ME_NormalBullet.bmp"},
      {"the hero over the enemy in the air", 90, 360 + 10 - scrollY, "Kest_DualSword.bmp"},
      {"the hero over the enemy on the floor", 240, 400, "Kest_DualSword.bmp"},
      {"the enemy over the item (screen x 288 to 320)", 291, 400, "Mob_Kedama.bmp"},
      {"the item alone", 310, 400, "ActItem.bmp"},
  };
  for (const auto& p : points)
    EXPECT_EQ(testsupport::PixelAt(static_cast<int>(p.x), static_cast<int>(p.y)),
              0xFF000000u | acttest::PictureColor(p.picture))
        << p.what;
  EXPECT_EQ(acttest::Hp(), 250) << "nothing touched the hero";
}

}  // namespace
