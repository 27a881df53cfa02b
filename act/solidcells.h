#pragma once
// The searches of the move steps of the hero, the enemies and the items for solid cells of the
// stage map's layer 1. Only MapCell::Solid blocks; a cell outside the map is not solid, and a
// search given a negative row or column finds nothing.
#include "act/mapmodel.h"

inline bool IsSolidCell(int col, int row) { return g_MapModel.CodeAt(col, row) == MapCell::Solid; }

// A wall in column col beside a box whose top and bottom lie in rows rowT and rowB: a solid cell
// in the rows strictly between them, so that floors and ceilings never count as walls.
inline bool WallInColumn(int col, int rowT, int rowB) {
  if (col < 0 || rowT < 0 || rowB < 0) return false;
  for (int row = rowT + 1; row < rowB; ++row)
    if (IsSolidCell(col, row)) return true;
  return false;
}

// A solid cell in row row, columns colL to colR: a ceiling or a floor under the box.
inline bool SolidInRow(int row, int colL, int colR) {
  if (row < 0 || colL < 0 || colR < 0) return false;
  for (int col = colL; col <= colR; ++col)
    if (IsSolidCell(col, row)) return true;
  return false;
}

// The move step of an enemy or an item: the velocity applied, then the box (offsets from pos)
// kept off the solid cells and within the map. A wall takes the horizontal step back; the map's
// left and right edges hold the box like walls; either calls stopX, which may change vel. A
// ceiling takes the rise back (the speed stays for gravity to turn). A downward step calls
// onDescent, then a fall past the lowest line the view can show puts the frame (of size) back
// with its bottom on the view's bottom edge, and a floor stops it on top. True when a downward
// step came to rest (vel.y 0).
template <typename Box, typename StopX, typename OnDescent>
bool MoveAgainstMap(D3DXVECTOR2& pos, D3DXVECTOR2& vel, const Box& box, D3DXVECTOR2 size, StopX stopX,
                    OnDescent onDescent) {
  const MapHeader header = g_MapModel.GetHeader();
  const int cw = header.chipWidth;
  const int ch = header.chipHeight;
  float& x = pos.x;
  float& y = pos.y;
  x += vel.x;
  y += vel.y;
  int colL = MapModel::CellOf(x + box.left, cw);
  int colR = MapModel::CellOf(x + box.right, cw);
  const int rowT = MapModel::CellOf(y + box.top, ch);
  const int rowB = MapModel::CellOf(y + box.bottom, ch);

  if (vel.x < 0) {
    if (x + box.left < 0) {
      x = -box.left;
      stopX();
    }
    if (WallInColumn(colL, rowT, rowB)) {
      x -= vel.x;
      stopX();
    }
  }
  if (vel.x > 0) {
    const float mapRight = static_cast<float>(header.width) * static_cast<float>(cw);
    if (x + box.right > mapRight) {
      x = mapRight - box.right;
      stopX();
    }
    if (WallInColumn(colR, rowT, rowB)) {
      x -= vel.x;
      stopX();
    }
  }
  colL = MapModel::CellOf(x + box.left, cw);
  colR = MapModel::CellOf(x + box.right, cw);

  if (vel.y < 0 && SolidInRow(rowT, colL, colR)) y -= vel.y;
  if (!(vel.y > 0)) return false;
  onDescent();
  if (y >= MapModel::kScreenHeight + g_MapModel.GetMaxScroll().y) {
    y = MapModel::kScreenHeight + g_MapModel.GetScroll().y - size.y;
    vel.y = 0;
  }
  if (SolidInRow(rowB, colL, colR)) {
    y = static_cast<float>(rowB) * static_cast<float>(ch) - box.bottom;
    vel.y = 0;
  }
  return vel.y == 0;
}
