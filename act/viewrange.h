#pragma once
// The two reaches of the screen that the enemies and the items test: a sleeping one wakes once it
// lies within a screen of the hero, and its sprite shows only while its frame is on the screen.
#include "act/mapmodel.h"
#include "act/player.h"
#include "librarysauce/d3dmath.h"

// True while pos lies within 854 pixels across and 480 up or down of the hero's position (edges
// included).
inline bool WithinScreenOfHero(D3DXVECTOR2 pos) {
  const D3DXVECTOR2 hero = g_Player.GetPosition();
  return hero.x - MapModel::kScreenWidth <= pos.x && pos.x <= hero.x + MapModel::kScreenWidth &&
         hero.y - MapModel::kScreenHeight <= pos.y && pos.y <= hero.y + MapModel::kScreenHeight;
}

// True while a frame of size with its top-left at world pos overlaps the screen at the current
// scroll (a frame that only touches an edge is off it).
inline bool FrameInView(D3DXVECTOR2 pos, D3DXVECTOR2 size) {
  const D3DXVECTOR2 scroll = g_MapModel.GetScroll();
  return scroll.x - size.x < pos.x && pos.x < scroll.x + MapModel::kScreenWidth && scroll.y - size.y < pos.y &&
         pos.y < scroll.y + MapModel::kScreenHeight;
}
