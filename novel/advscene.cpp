#include "novel/advscene.h"

#include "gameflow/gamestate.h"

AdvScene g_AdvScene;

HRESULT AdvScene::LoadScript(const char*) { return E_FAIL; }
HRESULT AdvScene::SetUpGraphics() { return E_FAIL; }
HRESULT AdvScene::Update() { return S_OK; }
void AdvScene::RunNextFile() { g_GameState.SetMode(GameMode::Quit); }
HRESULT AdvScene::Release() { return S_OK; }
void AdvScene::DrawMessage() {}
