// One running frame of a stage, in its fixed order: the hero's control and movement first, so
// that everything after it (enemies, items, the camera's chip window, objects, contacts,
// gauges and the sprites) sees where he is now; the death check and the frame counter last.
#include <utility>

#include "act/actgraphics.h"
#include "act/actionscene.h"
#include "act/attacks/attackeffectmanager.h"
#include "act/items/itemmanager.h"
#include "act/mapmodel.h"
#include "act/mobs/mobmanager.h"
#include "act/mobs/mobshotmanager.h"
#include "act/player.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/sprite.h"

void ActionScene::Update() {
  ControlPlayer();
  g_Player.MoveAndCollide();
  g_MobManager.UpdateAll();
  g_ItemManager.UpdateAll();
  g_MapModel.UpdateChipWindow();
  MoveObjects();
  UpdateObjects();
  UpdateItemTimers();
  UpdateItems();
  CheckEnemyContact();
  CheckAttackHits();
  DrainPlayerMp();
  RefillPlayerSp();
  Draw();
  CheckPlayerDead();
  frameCounter_ += 1;
}

void ActionScene::MoveObjects() {
  g_AttackEffectManager.MoveAll();
  g_MobShotManager.MoveAll();
}

void ActionScene::UpdateObjects() {
  g_AttackEffectManager.EndFinished();
  g_MobShotManager.ExpireAll(0);
}

void ActionScene::UpdateItemTimers() { g_ItemManager.UpdateTimersAll(); }

void ActionScene::UpdateItems() {
  g_ItemManager.CheckTouchAll();
  g_ItemManager.RemoveDeadAll();
}

void ActionScene::CheckEnemyContact() { g_Player.CheckEnemyContact(); }

void ActionScene::CheckAttackHits() {
  g_AttackEffectManager.HitEnemies();
  g_MobManager.RemoveDead();
}

void ActionScene::DrainPlayerMp() { g_Player.DrainMp(); }

void ActionScene::RefillPlayerSp() { g_Player.RefillSp(); }

// Brings the sprite states up to date; the frame cycle draws them afterwards.
void ActionScene::Draw() {
  g_MapModel.UpdateBackgrounds();
  g_Player.UpdateAnimation(0);
  g_MobManager.AnimateAll();
  g_AttackEffectManager.SyncVisibility();
  g_AttackEffectManager.AnimateAll();
  g_MobShotManager.DrawAll();
  g_ItemManager.DrawAll();
  g_Player.DrawHud();
  AnimateWeaponIconSwap();
}

// Slides the two weapon icons past each other (HudLayout), swapping their pictures halfway,
// while a slide is pending.
void ActionScene::AnimateWeaponIconSwap() {
  if (iconSlideCount_ <= 0) return;
  iconSlideStep_ += 1;
  iconOffsetA_ += 1;
  iconOffsetB_ -= 1;
  Sprite* icon = g_SceneArrays.SpriteAt(ActSprite::AttackModeIcon);
  Sprite* icon2 = g_SceneArrays.SpriteAt(ActSprite::AttackModeIcon2);
  const bool sprites = icon && icon2;
  if (iconSlideStep_ == HudLayout::IconSlideSwapStep) {
    std::swap(iconOffsetA_, iconOffsetB_);
    const int weapon = g_Player.GetWeapon();
    if (sprites) {
      icon2->SetSrcX(weapon == 0 ? HudLayout::AttackModeIconCell : 0.0f);
      icon->SetSrcX(HudLayout::AttackModeIconCell * static_cast<float>(weapon));
    }
  }
  if (sprites) {
    const auto a = static_cast<float>(iconOffsetA_);
    const auto b = static_cast<float>(iconOffsetB_);
    icon2->SetPos(2 * a + HudLayout::IconSlideOrigin, a + HudLayout::IconSlideOrigin);
    icon->SetPos(2 * b + HudLayout::IconSlideOrigin, b + HudLayout::IconSlideOrigin);
  }
  if (iconOffsetA_ == 0) {
    iconSlideCount_ -= 1;
    iconSlideStep_ = 0;
  }
}
