#include "field/fieldscene.h"

#include <cstdio>

FieldScene g_FieldScene;

HRESULT FieldScene::LoadMap(const char* path) {
  char listPath[sizeof failedListPath_];
  std::snprintf(listPath, sizeof listPath, "%s.map", path ? path : "");
  MarkLoadFailed(listPath);
  return E_FAIL;
}

HRESULT FieldScene::SetUpGraphics() { return E_FAIL; }
HRESULT FieldScene::Update() { return S_OK; }
HRESULT FieldScene::Release() { return S_OK; }
void FieldScene::Draw() {}

void FieldScene::MarkLoadFailed(const char* listPath) {
  loadFailed_ = 1;
  std::snprintf(failedListPath_, sizeof failedListPath_, "%s", listPath ? listPath : "");
}
