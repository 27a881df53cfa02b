#pragma once
// How every scene sets up a sprite of its array before registering it: texture, source, size,
// place, depth and colour, at scale 1 with the alpha blend. Also the size of a texture of the
// current table, which sprites shown at their picture's size take.
#include <cstdint>

#include "librarysauce/sprite.h"
#include "platform/types.h"

void SetUpSceneSprite(Sprite& sprite, int texture, float srcX, float srcY, float width, float height, float x,
                      float y, uint32_t depth, D3DCOLOR color);

// Width and height of entry index of g_TextureTable, in texels (0 when nothing is loaded).
float TextureWidth(int index);
float TextureHeight(int index);
