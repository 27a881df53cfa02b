#include "act/attacks/actobject.h"

#include "act/actgraphics.h"
#include "act/actionscene.h"
#include "act/flagrule.h"
#include "act/framerule.h"
#include "act/mapmodel.h"
#include "act/mobs/mobmanager.h"
#include "act/player.h"
#include "act/velocityrule.h"
#include "act/worldbox.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/mediaplayer.h"
#include "librarysauce/sprite.h"

ActObject g_StaticActObject;

namespace {

// An object's hit box: its centre plus and minus the hit half-extents.
WorldBox CentredBox(D3DXVECTOR2 position, D3DXVECTOR2 size, D3DXVECTOR2 half) {
  const D3DXVECTOR2 centre = {position.x + size.x / 2, position.y + size.y / 2};
  return {centre.x - half.x, centre.y - half.y, centre.x + half.x, centre.y + half.y};
}

}  // namespace

ActObject::ActObject() = default;

ActObject::~ActObject() { FreeCells(); }

int ActObject::FreeCells() {
  cells_.reset();
  return 0;
}

void ActObject::Reserved() {}

Sprite* ActObject::GetSprite() const { return g_SceneArrays.SpriteAt(static_cast<int>(sprite_)); }

void ActObject::MakeCells(uint32_t count, float width, float row) {
  FreeCells();
  cellCount_ = count;
  cells_ = std::make_unique<D3DXVECTOR2[]>(count);
  for (uint32_t i = 0; i < count; ++i) cells_[i] = {static_cast<float>(i) * width, row};
}

void ActObject::PlaceAt(float x, float y) {
  position_ = {x, y};
  if (Sprite* sprite = GetSprite()) {
    const D3DXVECTOR2 scroll = g_MapModel.GetScroll();
    sprite->SetNoMirror(facing_);
    sprite->SetPos(x - scroll.x, y - scroll.y);
  }
}

void ActObject::ShowCell() {
  Sprite* sprite = GetSprite();
  if (sprite && cells_ && cell_ < cellCount_) sprite->SetSrcPos(cells_[cell_].x, cells_[cell_].y);
}

// --- the default slots ---

void ActObject::Init() {
  kind_ = 1;
  sprite_ = static_cast<uint32_t>(g_MapModel.GetEffectSpriteBase() + kind_);
  size_ = {64, 32};
  facing_ = 0;
  flags_ = 0;
  velocity_ = knockback_ = speedCaps_ = position_ = hitHalf_ = {0, 0};
  tick_ = cell_ = blinkCounter_ = 0;
  MakeCells(3, size_.x, 0);
  timerDuration_ = 24;
  if (Sprite* sprite = GetSprite()) sprite->SetSize(size_.x, size_.y);
}

void ActObject::Activate() {
  Place();
  SetFlags(ActObjectFlag::Visible | ActObjectFlag::CanHit, FlagOp::Replace);
}

void ActObject::Place() {
  const D3DXVECTOR2 hero = g_Player.GetPosition();
  const int facing = g_Player.GetFacing();
  const D3DXVECTOR2 frame = g_Player.GetFrameSize();
  position_.y = hero.y + 32 + frame.y / 2;
  position_.x = facing == 1 ? hero.x + 16 + frame.x / 2 : hero.x - 16 + frame.x / 2 - size_.x;
  if (Sprite* sprite = GetSprite()) {
    const D3DXVECTOR2 scroll = g_MapModel.GetScroll();
    sprite->SetNoMirror(facing);
    sprite->SetPos(position_.x - scroll.x, position_.y - scroll.y);
  }
}

void ActObject::Animate() {
  tick_ %= 4;
  if (tick_ != 0 && cell_ + 1 < cellCount_) cell_ += 1;
  tick_ += 1;
  ShowCell();
}

// --- shared operations ---

void ActObject::Move() {
  const D3DXVECTOR2 maxScroll = g_MapModel.GetMaxScroll();
  const D3DXVECTOR2 scroll = g_MapModel.GetScroll();
  position_.x += velocity_.x;
  position_.y += velocity_.y;
  if (position_.x < -size_.x) {
    position_.x = -size_.x;
    velocity_.x = 0;
  }
  if (position_.x > MapModel::kScreenWidth + maxScroll.x) {
    position_.x = MapModel::kScreenWidth + maxScroll.x;
    velocity_.x = 0;
  }
  if (position_.y > MapModel::kScreenHeight + maxScroll.y) {
    position_.y = MapModel::kScreenHeight + maxScroll.y;
    velocity_.y = 0;
  }
  if (Sprite* sprite = GetSprite()) sprite->SetPos(position_.x - scroll.x, position_.y - scroll.y);
}

void ActObject::SetFlags(uint32_t bits, int op) { flags_ = NextFlags(flags_, bits, op); }

void ActObject::SetVelocityX(float value, int mode) {
  velocity_.x = NextVelocityX(velocity_.x, value, mode, facing_, speedCaps_.x);
}

void ActObject::SetVelocityY(float value, int mode) {
  velocity_.y = NextVelocityY(velocity_.y, value, mode, speedCaps_.y);
}

void ActObject::StartTimer(int index) {
  if (index == 0) timerStart_ = g_ActionScene.GetFrameCount();
}

int ActObject::IsTimerDone(int index) const {
  if (index != 0) return 0;
  return TimerDone(timerStart_, timerDuration_, g_ActionScene.GetFrameCount()) ? 1 : 0;
}

void ActObject::SyncVisibility() {
  Sprite* sprite = GetSprite();
  if (!sprite) return;
  if (flags_ & ActObjectFlag::Visible)
    sprite->Show();
  else
    sprite->Hide();
}

void ActObject::SyncVisibility2() { SyncVisibility(); }

void ActObject::Blink() { BlinkStep(GetSprite(), &blinkCounter_, 2); }

int ActObject::HitPlayer() {
  const D3DXVECTOR2 hero = g_Player.GetPosition();
  D3DXVECTOR2 top = g_Player.GetDamageTopLeft();
  if (g_Player.GetFlags() & PlayerState::Crouch) top.y += 24;
  const WorldBox heroBox = BoxAt(hero.x, hero.y, top, g_Player.GetDamageBottomRight());
  if (!Overlaps(heroBox, CentredBox(position_, size_, hitHalf_)) || !(flags_ & ActObjectFlag::CanHit)) return 0;
  g_Player.TakeDamage(damage_, facing_, knockback_.x, knockback_.y, 0);
  return 1;
}

void ActObject::HitEnemies() {
  const WorldBox own = CentredBox(position_, size_, hitHalf_);
  const int count = g_MobManager.GetCount();
  for (int i = 0; i < count; ++i) {
    if (g_MobManager.GetKind(i) == 0) continue;
    const MobStatus mob = g_MobManager.GetStatus(i);
    if (!Overlaps(BoxAt(mob.x, mob.y, g_MobManager.GetBoxCorner2(i), g_MobManager.GetBoxCorner3(i)), own)) continue;
    g_MobManager.Hit(i, kind_);
    SetFlags(ActObjectFlag::CanHit, FlagOp::Clear);
  }
}

// --- steps the attack and effect kinds share ---

void ActObject::InitKind(const AttackKindData& data) {
  kind_ = data.kind;
  sprite_ = static_cast<uint32_t>(g_MapModel.GetEffectSpriteBase() + kind_);
  position_ = {0, 0};
  size_ = {data.width, data.height};
  hitHalf_ = {data.halfX, data.halfY};
  facing_ = g_Player.GetFacing();
  flags_ = 0;
  velocity_ = speedCaps_ = {0, 0};
  tick_ = cell_ = blinkCounter_ = 0;
  power_ = data.power;
  if (power_ == 0) damage_ = 0;
  knockback_ = {data.knockX, data.knockY};
  MakeCells(data.cellCount, data.width, data.cellRow);
  timerStart_ = 0;
  timerDuration_ = data.life;
  if (Sprite* sprite = GetSprite()) sprite->SetSize(size_.x, size_.y);
}

void ActObject::ActivateSlash(int sound, uint32_t flags) {
  facing_ = g_Player.GetFacing();
  // Every slash strikes with the dual swords' attack, whichever weapon the hero holds.
  const PlayerStats* stats = g_Player.GetStats();
  damage_ = power_ * (stats ? stats->weapon[0].attack : 0);
  Place();
  SetFlags(flags, FlagOp::Replace);
  StartTimer(0);
  tick_ = cell_ = 0;
  if (MediaPlayer* player = ActSoundPlayer(sound)) {
    player->Stop();
    player->Rewind();
  }
}

void ActObject::ActivateEffect() {
  facing_ = g_Player.GetFacing();
  Place();
  SetFlags(ActObjectFlag::Visible, FlagOp::Replace);
  StartTimer(0);
  tick_ = cell_ = 0;
}

void ActObject::AnimateSwing(int sound) {
  tick_ += 1;
  if (tick_ != 4) return;
  SetFlags(ActObjectFlag::CanHit, FlagOp::Set);
  if (MediaPlayer* player = ActSoundPlayer(sound)) player->Play();
}

void ActObject::AnimateCells(int sound) {
  if (tick_ % 4 == 0 && cell_ + 1 < cellCount_) cell_ += 1;
  tick_ += 1;
  if (cell_ == 2) {
    if (MediaPlayer* player = ActSoundPlayer(sound)) player->Play();
  }
  ShowCell();
}

void ActObject::AnimateOnce() {
  if (tick_ % 4 == 0 && cell_ < cellCount_) cell_ += 1;
  tick_ += 1;
  if (cell_ >= cellCount_) {
    cell_ = cellCount_ > 0 ? cellCount_ - 1 : 0;
    SetFlags(ActObjectFlag::Visible | ActObjectFlag::CanHit, FlagOp::Clear);
  }
  ShowCell();
}
