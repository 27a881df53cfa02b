#include "act/actionscene.h"

#include "gameflow/scenearrays.h"

ActionScene g_ActionScene;

HRESULT ActionScene::Start() { return E_FAIL; }
HRESULT ActionScene::Restart() { return E_FAIL; }

HRESULT ActionScene::Unload() {
  g_SceneArrays.Release();
  return S_OK;
}

HRESULT ActionScene::Frame() { return S_OK; }
void ActionScene::DrawDebugPositions() {}
