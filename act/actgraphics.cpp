// The action mode's sprite set-up at every stage start: the texture table loaded, then every
// sprite laid out with its texture, source, size, position, depth, colour and visibility: the
// backgrounds, the fade curtain, the HUD (by HudLayout), the hero and the ranges of the chip
// window, the enemies, the effects, the shots and the items, whose first indexes the map model
// records for the others.
#include <cstdint>
#include <string>

#include "act/actgraphics.h"
#include "act/mapmodel.h"
#include "act/player.h"
#include "gameflow/scenearrays.h"
#include "gameflow/scenesprite.h"
#include "librarysauce/sprite.h"
#include "librarysauce/texture.h"

namespace {

constexpr D3DCOLOR kWhite = 0xFFFFFFFF;
constexpr D3DCOLOR kOpaqueBlack = 0xFF000000;
// Larger depths are drawn further back; equal depths by index, a later index over an earlier one.
constexpr uint32_t kBackgroundDepth = 100000;
constexpr uint32_t kChipDepth = 90000;  // the items too
constexpr uint32_t kMobDepth = 70000;
constexpr uint32_t kHeroDepth = 60000;
constexpr uint32_t kEffectDepth = 50000;  // the shots too
constexpr uint32_t kHudDepth = 40000;
constexpr uint32_t kFadeDepth = 1000;
constexpr int kEffectSprites = 16;
// Where the hero's sprites stand until his first frame places them.
constexpr float kHeroStartX = 128, kHeroStartY = 128;
// The enemy sprites' first size and places (the k-th at (128 k + 128, 128)), until their
// enemies set their own.
constexpr float kMobSpriteSize = 32;
constexpr float kMobSpritePitch = 128;
constexpr float kMobSpriteY = 128;

void SetUpSprite(int index, int texture, float srcX, float srcY, float width, float height, float x, float y,
                 uint32_t depth, D3DCOLOR color = kWhite) {
  SetUpSceneSprite(g_Sprites[index], texture, srcX, srcY, width, height, x, y, depth, color);
}

// A HUD picture at its own size.
void SetUpHud(int index, int texture, float x, float y) {
  SetUpSprite(index, texture, 0, 0, TextureWidth(texture), TextureHeight(texture), x, y, kHudDepth);
}

// The HUD's pictures, placed by HudLayout.
void SetUpHudSprites() {
  using namespace HudLayout;
  SetUpHud(ActSprite::GaugeHp, ActTexture::GaugeHp, GaugeX, HpY);
  SetUpHud(ActSprite::GaugeFrameHp, ActTexture::GaugeFrameHp, GaugeFrameX, HpY);
  SetUpHud(ActSprite::GaugeSp, ActTexture::GaugeSp, GaugeX, SpY);
  SetUpHud(ActSprite::GaugeFrameSp, ActTexture::GaugeFrameSp, GaugeFrameX, SpY);
  SetUpHud(ActSprite::GaugeMp, ActTexture::GaugeMp, GaugeX, MpY);
  SetUpHud(ActSprite::GaugeFrameMp, ActTexture::GaugeFrameMp, GaugeFrameX, MpY);
  for (int i = 0; i < TeleportIcons; ++i)
    SetUpHud(ActSprite::TeleportIcon + i, ActTexture::TeleportCountIcon, TeleportIconX + TeleportIconPitch * i,
             TeleportIconY);
  SetUpSprite(ActSprite::FaceIcon, ActTexture::IconMain, 0, 0, FaceSize, FaceSize, FaceX, FaceY, kHudDepth);
  for (int i = 0; i < DigitSprites; ++i) {
    const float srcX = i == SeparatorSprite ? SeparatorSrcX : 0.0f;
    SetUpSprite(ActSprite::Digits + i, ActTexture::Count, srcX, DigitSrcY, DigitWidth, DigitHeight,
                DigitsX + DigitPitch * i, DigitsY, kHudDepth);
  }
  const float iconWidth = TextureWidth(ActTexture::AttackModeIcon) / 2;
  const float iconHeight = TextureHeight(ActTexture::AttackModeIcon) / 2;
  SetUpSprite(ActSprite::AttackModeIcon, ActTexture::AttackModeIcon, AttackModeIconCell, AttackModeIconCell,
              iconWidth, iconHeight, AttackModeIconX, AttackModeIconY, kHudDepth);
  SetUpSprite(ActSprite::AttackModeIcon2, ActTexture::AttackModeIcon, 0, 0, iconWidth, iconHeight,
              AttackModeIconX, AttackModeIconY, kHudDepth);
}

}  // namespace

HRESULT MapModel::LoadActionGraphics() {
  if (!codeRows_) return E_FAIL;
  const int64_t spriteCount =
      int64_t{chipSprites_} + mobSlots_ + ActSprite::FixedCount + effectShotSlots_ + itemSlots_;
  if (spriteCount > INT32_MAX ||
      Failed(g_SceneArrays.Allocate(static_cast<int>(spriteCount), ActTexture::TableSize))) {
    graphicsSprites_ = nullptr;
    return E_FAIL;
  }
  graphicsSprites_ = g_Sprites;
  for (int i = 0; i < ActTexture::TableSize; ++i) {
    if (!ActTexture::kFiles[i]) continue;
    const std::string path = std::string(ActTexture::kDirectory) + ActTexture::kFiles[i];
    g_TextureTable[i].LoadConverted(path.c_str(), ActTexture::KeyOf(i));
  }

  // The fixed sprites: backgrounds, fade curtain, HUD and the hero.
  SetUpSprite(ActSprite::BackgroundBack, ActTexture::BackgroundBack, 0, 0, TextureWidth(ActTexture::BackgroundBack),
              TextureHeight(ActTexture::BackgroundBack), 0, 0, kBackgroundDepth);
  SetUpSprite(ActSprite::BackgroundFront, ActTexture::BackgroundFront, 0, 0, kScreenWidth, kScreenHeight, 0, 0,
              kBackgroundDepth);
  SetUpSprite(ActSprite::Fade, ActTexture::FadeOut, 0, 0, kScreenWidth, kScreenHeight, 0, 0, kFadeDepth,
              kOpaqueBlack);
  SetUpHudSprites();
  SetUpSprite(ActSprite::HeroDualSword, ActTexture::HeroDualSword, 0, 0, Player::kFrameSize, Player::kFrameSize,
              kHeroStartX, kHeroStartY, kHeroDepth);
  SetUpSprite(ActSprite::HeroGreatSword, ActTexture::HeroGreatSword, 0, 0, Player::kFrameSize, Player::kFrameSize,
              kHeroStartX, kHeroStartY, kHeroDepth);

  // The ranges: chip window, mobs, effects, shots, items.
  const float cw = header_.chipWidth, ch = header_.chipHeight;
  const float halfChip = static_cast<float>(header_.chipWidth / 2);
  for (int i = 0; i < chipSprites_; ++i)
    SetUpSprite(ActSprite::ChipWindow + i, ActTexture::MapChips, 0, 0, cw, ch, cw * (i % kChipColumns) - halfChip,
                ch * (i / kChipColumns) - halfChip, kChipDepth);
  mobSpriteBase_ = ActSprite::ChipWindow + chipSprites_;
  for (int k = 0; k < mobSlots_; ++k)
    SetUpSprite(mobSpriteBase_ + k, ActTexture::MobKedama, 0, 0, kMobSpriteSize, kMobSpriteSize,
                kMobSpritePitch * k + kMobSpritePitch, kMobSpriteY, kMobDepth);
  effectSpriteBase_ = mobSpriteBase_ + mobSlots_;
  shotSpriteBase_ = effectSpriteBase_ + kEffectSprites;
  for (int k = 0; k < kEffectSprites; ++k) {
    const D3DCOLOR color = k == 5 ? 0xC0FFFFFF : k == 7 ? 0x80FFFFFF : 0x00FFFFFF;
    SetUpSprite(effectSpriteBase_ + k, ActTexture::AttackEffectBase + k, 0, 0, 0, 0, 0, 0, kEffectDepth, color);
  }
  for (int k = 0; k < effectShotSlots_ - kEffectSprites; ++k)
    SetUpSprite(shotSpriteBase_ + k, ActTexture::NormalBullet, 0, 0, 0, 0, 0, 0, kEffectDepth);
  itemSpriteBase_ = effectSpriteBase_ + effectShotSlots_;
  for (int k = 0; k < itemSlots_; ++k)
    SetUpSprite(itemSpriteBase_ + k, ActTexture::ActItem, 0, 0, 0, 0, 0, 0, kChipDepth);

  // Every property is set before registration: the draw list orders by depth as sprites join
  // it, equal depths by index.
  for (int i = 1; i < spriteCount; ++i) {
    SpriteState state;
    if (g_Sprites[i].GetState(&state)->textureIndex == 0) continue;
    g_SceneArrays.Register(i);
    g_Sprites[i].Show();
  }
  // Hidden until used: the second hero, the first attack-mode icon, the effects and the items;
  // the enemies until they are spawned; the chip window's spare sprite, which no cell uses.
  g_Sprites[ActSprite::HeroGreatSword].Hide();
  g_Sprites[ActSprite::AttackModeIcon].Hide();
  for (int k = 0; k < kEffectSprites; ++k) g_Sprites[effectSpriteBase_ + k].Hide();
  for (int k = 0; k < itemSlots_; ++k) g_Sprites[itemSpriteBase_ + k].Hide();
  for (int k = 0; k < mobSlots_; ++k) g_Sprites[mobSpriteBase_ + k].Hide();
  g_Sprites[ActSprite::ChipWindow + kChipColumns * kChipRows].Hide();
  // The new chip sprites show chip 0, laid out by the chip size, until the window places them and
  // points them at the map.
  chipWindowStale_ = true;
  chipGridPlaced_ = false;
  return S_OK;
}
