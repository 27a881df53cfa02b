#pragma once
// The action mode's texture table and fixed sprites, by index, and the HUD's layout. The map
// model lays every sprite out at each stage start (MapModel::LoadActionGraphics, in
// act/actgraphics.cpp); every other part of the action mode finds its sprite or texture here by
// name. The HUD is laid out by HudLayout below, in one place: the set-up places its pictures by
// it, Player::DrawHud (act/playeranimation.cpp) fills the gauges, digits, icons and face by it,
// and ActionScene::AnimateWeaponIconSwap (act/actionframe.cpp) slides the weapon icons by it.

#include <cstdint>

#include "librarysauce/sprite.h"
#include "librarysauce/texture.h"

// Entries of the 48-entry action texture table (files under ".\Data\Graphic\Act\").
namespace ActTexture {
constexpr int BackgroundBack = 2;     // "BackGround_Back01.bmp", keyed with green 254
constexpr int BackgroundFront = 3;    // "BackGround_Front01.bmp"
constexpr int FadeOut = 4;            // "FadeOut.bmp"
constexpr int GaugeFrameHp = 5;
constexpr int GaugeHp = 6;
constexpr int GaugeFrameSp = 7;
constexpr int GaugeSp = 8;
constexpr int GaugeFrameMp = 9;
constexpr int GaugeMp = 10;
constexpr int TeleportCountIcon = 11;
constexpr int IconMain = 12;
constexpr int Count = 13;             // the HUD digits
constexpr int AttackModeIcon = 14;
constexpr int MobKedama = 15;
constexpr int MobHopper = 16;
constexpr int MobBomber = 17;
constexpr int HeroDualSword = 18;
constexpr int HeroGreatSword = 19;
constexpr int MapChips = 20;          // "TestChip.bmp", 16 chips per row
constexpr int ActItem = 21;           // 21 to 26: six loads of "ActItem.bmp"
constexpr int ActMapObject = 27;
constexpr int AttackEffectBase = 28;  // attack kind k draws with entry 28 + k (29 to 36)
constexpr int NormalBullet = 45;
constexpr int StampShockWave = 46;
constexpr int Burst = 47;
constexpr int TableSize = 48;

constexpr const char kDirectory[] = ".\\Data\\Graphic\\Act\\";
// The file each entry is loaded from; null for the entries left empty (0, 1, 28, 37 to 44).
constexpr const char* kFiles[TableSize] = {
    nullptr, nullptr, "BackGround_Back01.bmp", "BackGround_Front01.bmp", "FadeOut.bmp",
    "GaugeFrame_HP.bmp", "Gauge_HP.bmp", "GaugeFrame_SP.bmp", "Gauge_SP.bmp", "GaugeFrame_MP.bmp",
    "Gauge_MP.bmp", "TeleportCountIcon.bmp", "IconMain.bmp", "Count.bmp", "AttackModeIcon.bmp",
    "Mob_Kedama.bmp", "Mob_Hopper.bmp", "Mob_Bomber.bmp", "Kest_DualSword.bmp", "Kest_GreatSword.bmp",
    "TestChip.bmp", "ActItem.bmp", "ActItem.bmp", "ActItem.bmp", "ActItem.bmp",
    "ActItem.bmp", "ActItem.bmp", "ActMapObject.bmp", nullptr, "AttackEffect.bmp",
    "AttackEffect.bmp", "AttackEffect.bmp", "AttackEffect.bmp", "kemuri.bmp", "AttackEffect.bmp",
    "Guard.bmp", "Kest_DualSword.bmp", nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr,
    "ME_NormalBullet.bmp", "ME_StampShockWave.bmp", "ME_Burst.bmp"};
// Pure green (Texture::kKeyGreen) is transparent in every picture but the far background, which
// keys green 254 so that its pure green stays opaque.
constexpr uint32_t kKeyGreen254 = 0xFF00FE00;
constexpr uint32_t KeyOf(int index) { return index == BackgroundBack ? kKeyGreen254 : Texture::kKeyGreen; }
}  // namespace ActTexture

// The fixed sprites at the head of the action sprite array; the ranges that follow (chip
// window, mobs, effects, shots, items) start at the bases the map model records.
namespace ActSprite {
constexpr int BackgroundBack = 2;
constexpr int BackgroundFront = 3;
constexpr int Fade = 4;               // the fade curtain, in front of everything
constexpr int GaugeHp = 5;
constexpr int GaugeFrameHp = 6;
constexpr int GaugeSp = 7;
constexpr int GaugeFrameSp = 8;
constexpr int GaugeMp = 9;
constexpr int GaugeFrameMp = 10;
constexpr int TeleportIcon = 11;      // 11 to 13
constexpr int FaceIcon = 14;
constexpr int Digits = 15;            // 15 to 18 the HP, 19 the separator, 20 to 23 the HP maximum
constexpr int AttackModeIcon = 24;
constexpr int AttackModeIcon2 = 25;
constexpr int HeroDualSword = 26;
constexpr int HeroGreatSword = 27;
constexpr int ChipWindow = 29;        // 494 sprites: a 29 × 17 grid and one spare
constexpr int FixedCount = 29;
}  // namespace ActSprite

// The HUD, in screen pixels.
namespace HudLayout {
// The HP, SP and MP gauges: each gauge 1 pixel right of its frame, on the frame's row. A full
// gauge is this wide; every frame its sprite is sized to the share that is full.
constexpr float GaugeX = 111;
constexpr float GaugeFrameX = 110;
constexpr float HpY = 10;
constexpr float SpY = 26;
constexpr float MpY = 64;
constexpr float HpWidth = 400;
constexpr float SpWidth = 400;
constexpr float MpWidth = 198;
// The teleport charges: one icon per charge, left to right, each at its picture's size.
constexpr int TeleportIcons = 3;
constexpr float TeleportIconX = 320;
constexpr float TeleportIconPitch = 35;
constexpr float TeleportIconY = 32;
// The face: one square cell of its picture, (0, 0) well, (size, 0) hit, (0, size) exhausted.
constexpr float FaceX = 10;
constexpr float FaceY = 10;
constexpr float FaceSize = 96;
// The HP and its maximum: nine cells of the digits' picture in a row, four digits, the separator,
// four digits. Digit d is the cell at source (d × DigitWidth, DigitSrcY); the separator's cell is
// at (SeparatorSrcX, DigitSrcY).
constexpr int DigitSprites = 9;
constexpr int SeparatorSprite = 4;  // counted from ActSprite::Digits
constexpr int DigitsPerValue = 4;
constexpr float DigitsX = 120;
constexpr float DigitPitch = 17;
constexpr float DigitsY = 34;
constexpr float DigitWidth = 16;
constexpr float DigitHeight = 32;
constexpr float DigitSrcY = 16;
constexpr float SeparatorSrcX = 160;
// The two weapon icons, one on the other, each a quarter of its picture (half its width and
// height): the second shows the cell at (0, 0), the first (hidden) the cell at (Cell, Cell).
// Weapon w's icon is the cell at source x Cell × w.
constexpr float AttackModeIconX = 110;
constexpr float AttackModeIconY = 70;
constexpr float AttackModeIconCell = 64;
// The weapon icons' slide (ActionScene::AnimateWeaponIconSwap, which nothing starts in play): an
// icon with offset k stands at (2k + IconSlideOrigin, k + IconSlideOrigin); the icons' pictures
// swap at step IconSlideSwapStep.
constexpr float IconSlideOrigin = 128;
constexpr int IconSlideSwapStep = 15;
}  // namespace HudLayout

// One step of an actor's blinking: on every period-th count, starting at 0, the sprite's
// visibility flips; then the count grows by 1. No sprite, no flip.
inline void BlinkStep(Sprite* sprite, uint32_t* counter, uint32_t period) {
  if (sprite && *counter % period == 0) {
    SpriteState state;
    sprite->GetState(&state)->visible ? sprite->Hide() : sprite->Show();
  }
  *counter += 1;
}
