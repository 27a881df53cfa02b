// The running frame of a stage: gravity, the hero's movement, the chip window, the backgrounds,
// the death check and the frame counter. The hero moves by the velocities he is given; the keys
// do not steer him yet.
#include "act/actionscene.h"
#include "act/itemmanager.h"
#include "act/mapmodel.h"
#include "act/player.h"
#include "librarysauce/inputmanager.h"

void ActionScene::Update() {
  const uint32_t flags = g_Player.GetFlags();
  const bool teleporting = flags & PlayerState::Teleporting;
  const bool changingWeapon = (flags & PlayerState::WeaponChange) && !(flags & PlayerState::HitStun);
  if (!teleporting && !changingWeapon) g_Player.SetVelocityY(0.5f, 1);
  // A free hero's control polls the Pause press and drops it: a press made while the stage
  // fades in is not taken as a pause once it runs.
  const uint32_t busy =
      PlayerState::TeleportAim | PlayerState::Teleporting | PlayerState::WeaponChange | PlayerState::HitStun;
  if (!(flags & busy)) g_Input.IsButtonTriggered(LogicalButton::Pause);

  g_Player.MoveAndCollide();
  g_ItemManager.UpdateAll();
  g_MapModel.UpdateChipWindow();
  g_ItemManager.UpdateTimersAll();
  g_ItemManager.CheckTouchAll();
  g_ItemManager.RemoveDeadAll();
  g_MapModel.UpdateBackgrounds();
  g_ItemManager.DrawAll();
  CheckPlayerDead();
  frameCounter_ += 1;
}
