#pragma once
// Where the demo's scenes stand, for the tests and benchmarks that play the built demo data.
#include "act/actionscene.h"
#include "field/fieldscene.h"
#include "gameflow/gamestate.h"
#include "novel/advscene.h"
#include "platform/input.h"
#include "startmenu/startmenu.h"

namespace demoplay {

// The title menu has faded in and takes the cursor.
inline bool OnTitle() {
  return g_GameState.GetMode() == GameMode::StartMenuRun && g_StartMenu.GetSubState() == StartMenuState::Cursor;
}
inline bool InKeyConfig() {
  return g_GameState.GetMode() == GameMode::StartMenuRun && g_StartMenu.GetSubState() == StartMenuState::KeyConfig;
}
// The field map has faded in and takes a choice.
inline bool FieldTakesAChoice() {
  return g_GameState.GetMode() == GameMode::FieldRun && g_FieldScene.GetPhase() == FieldPhase::Select;
}
inline bool AdvWaitsForAKey() { return g_GameState.GetMode() == GameMode::AdvRun && g_AdvScene.IsKeyWaitOn(); }
inline bool StageRuns() {
  return g_GameState.GetMode() == GameMode::ActionRun && g_ActionScene.GetMode() == ActionSceneMode::Run;
}

// The title's entries by their list ids.
constexpr int kStartEntry = 1;
constexpr int kStoryEntry = 2;
constexpr int kKeyConfigEntry = 3;
constexpr int kFieldEntry = 6;

// On the title, the entry of this id chosen: the cursor moved with Down, then Z, each key given
// to tap(key), which presses it for a frame and releases it for the next. False, with nothing
// chosen, when no entry of the menu has the id.
template <typename Tap>
bool ChooseOnTitle(int id, Tap tap) {
  for (int moves = 0; moves < g_StartMenu.GetEntryCount(); ++moves) {
    const StartMenuEntry* entry = g_StartMenu.GetEntry(g_StartMenu.GetCursor());
    if (entry && entry->id == id) {
      tap(platform::DIK_Z);
      return true;
    }
    tap(platform::DIK_DOWN);
  }
  return false;
}

}  // namespace demoplay
