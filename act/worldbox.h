#pragma once
// Boxes in world pixels and the one overlap test that every contact of an action stage uses: the
// hero's body against the enemies and the items, his damage box against the enemies' shots, the
// attacks against the enemies' damage boxes.
#include "librarysauce/d3dmath.h"

struct WorldBox {
  float left, top, right, bottom;
};

// Strict on all four sides: boxes that only touch do not overlap.
inline bool Overlaps(const WorldBox& a, const WorldBox& b) {
  return a.right > b.left && a.left < b.right && a.bottom > b.top && a.top < b.bottom;
}

// A box given as corners relative to an origin.
inline WorldBox BoxAt(float x, float y, D3DXVECTOR2 topLeft, D3DXVECTOR2 bottomRight) {
  return {x + topLeft.x, y + topLeft.y, x + bottomRight.x, y + bottomRight.y};
}
