#pragma once
// The current scene's sprite and texture arrays, with one owner: it allocates and frees both
// arrays, keeps their counts (mirrored into the game state and g_TextureTableCount), and takes
// every sprite out of the draw list before the array goes. Each scene allocates its arrays
// here, and allocating first frees whatever arrays are current, so a scene entered straight
// from another never leaks the other's arrays nor leaves its sprites in the draw list.
// Only the arrays: a scene's own loaded data (lists, points, scripts) is not touched.
// The arrays are g_Sprites (librarysauce/sprite.h) and g_TextureTable (librarysauce/texture.h).
#include "librarysauce/sprite.h"
#include "librarysauce/texture.h"
#include "platform/types.h"

class SceneArrays {
 public:
  // Frees the current arrays, then makes spriteCount sprites and textureCount textures
  // (either may be 0: that array is then left null). Negative counts fail.
  HRESULT Allocate(int spriteCount, int textureCount);
  // Unregisters every sprite of the array, releases every texture, frees both arrays.
  void Release();
  // Registers sprite index of the current array in the draw list.
  HRESULT Register(int index);
  // Entry index of the current sprite array, or null when there is no such entry (no array, or
  // an index outside it).
  Sprite* SpriteAt(int index) const;
  int GetSpriteCount() const { return spriteCount_; }
  int GetTextureCount() const { return textureCount_; }

 private:
  void SetCounts(int spriteCount, int textureCount);

  int spriteCount_ = 0;
  int textureCount_ = 0;
};

extern SceneArrays g_SceneArrays;
