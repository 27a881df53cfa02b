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
