#include "gameflow/scenearrays.h"

#include <new>

#include "gameflow/gamestate.h"

SceneArrays g_SceneArrays;

HRESULT SceneArrays::Allocate(int spriteCount, int textureCount) {
  Release();
  if (spriteCount < 0 || textureCount < 0) return E_FAIL;
  if (spriteCount > 0) g_Sprites = new (std::nothrow) Sprite[static_cast<size_t>(spriteCount)];
  if (textureCount > 0) g_TextureTable = new (std::nothrow) Texture[static_cast<size_t>(textureCount)];
  if ((spriteCount > 0 && !g_Sprites) || (textureCount > 0 && !g_TextureTable)) {
    delete[] g_Sprites;
    delete[] g_TextureTable;
    g_Sprites = nullptr;
    g_TextureTable = nullptr;
    return E_FAIL;
  }
  SetCounts(spriteCount, textureCount);
  return S_OK;
}

void SceneArrays::Release() {
  if (g_Sprites) {
    for (int i = 0; i < spriteCount_; ++i) g_Sprites[i].Unregister();
    delete[] g_Sprites;
    g_Sprites = nullptr;
  }
  if (g_TextureTable) {
    for (int i = 0; i < textureCount_; ++i) g_TextureTable[i].Release();
    delete[] g_TextureTable;
    g_TextureTable = nullptr;
  }
  SetCounts(0, 0);
}

HRESULT SceneArrays::Register(int index) {
  if (!g_Sprites || index < 0 || index >= spriteCount_) return E_FAIL;
  return g_Sprites[index].Register();
}

Sprite* SceneArrays::SpriteAt(int index) const {
  return g_Sprites && index >= 0 && index < spriteCount_ ? &g_Sprites[index] : nullptr;
}

void SceneArrays::SetCounts(int spriteCount, int textureCount) {
  spriteCount_ = spriteCount;
  textureCount_ = textureCount;
  g_TextureTableCount = textureCount;
  g_GameState.SetSpriteCount(spriteCount);
  g_GameState.SetTextureCount(textureCount);
}
