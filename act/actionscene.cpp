#include "act/actionscene.h"

#include <string>

#include "act/mapmodel.h"
#include "gameflow/fileerror.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"

ActionScene g_ActionScene;

// Stages cannot be played in this build yet. Rather than leave the player on a black screen,
// name the stage map that was asked for, as a missing map is reported, and end the game.
HRESULT ActionScene::Start() {
  const char* stage = g_MapModel.GetStagePath(g_MapModel.GetStageIndex());
  const std::string path = std::string(stage ? stage : ".\\Data\\Script\\act_stage\\") + ".cnn";
  ShowFileError(path.c_str(), 0, kFileOpenFailedText);
  g_GameState.SetMode(GameMode::Quit);
  return E_FAIL;
}
HRESULT ActionScene::Restart() { return E_FAIL; }

HRESULT ActionScene::Unload() {
  g_SceneArrays.Release();
  return S_OK;
}

HRESULT ActionScene::Frame() { return S_OK; }
void ActionScene::DrawDebugPositions() {}
