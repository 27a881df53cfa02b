#include "act/mobs/mobkedama.h"

#include "act/actgraphics.h"
#include "act/mobs/mobshotmanager.h"

MobKedama::MobKedama() {
  // idle; walk 1-4; hurt
  frameTable_ = {{0, 0}, {0, 0}, {64, 0}, {128, 0}, {192, 0}, {0, 64}};
}

void MobKedama::Init(int index, int cellX, int cellY) {
  InitAt(index, cellX, cellY, ActTexture::MobKedama, {64, 64}, {6, 6, 58, 62});
}

void MobKedama::Think() {
  if (ThinkWalk()) g_MobShotManager.Spawn(MobShotKind::NormalBullet, index_);
}

void MobKedama::ChooseAnimation() { PickFrame(5, MobFlag::Moving, 1); }

void MobKedama::ApplyFrame() { CycleFrames(1, 4); }

void MobKedama::StopHorizontal() {
  velocity_.x = -velocity_.x;
  facing_ = 1 - facing_;
}
