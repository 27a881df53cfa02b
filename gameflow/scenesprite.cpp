#include "gameflow/scenesprite.h"

#include "librarysauce/texture.h"

void SetUpSceneSprite(Sprite& sprite, int texture, float srcX, float srcY, float width, float height, float x,
                      float y, uint32_t depth, D3DCOLOR color) {
  sprite.SetTexture(texture);
  sprite.SetSrcPos(srcX, srcY);
  sprite.SetSize(width, height);
  sprite.SetPos(x, y);
  sprite.SetDepth(depth);
  sprite.SetColor(color);
  sprite.SetScale(1.0f, 1.0f);
  sprite.SetBlendMode(BlendMode::Alpha);
}

float TextureWidth(int index) { return static_cast<float>(g_TextureTable[index].GetWidth()); }
float TextureHeight(int index) { return static_cast<float>(g_TextureTable[index].GetHeight()); }
