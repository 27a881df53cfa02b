#pragma once
// The hero's two sprite sheets, drawn for the action stages: a swordsman in a blue coat with a
// red scarf and headband, facing right. "Kest_DualSword.bmp" shows him with two short blades,
// "Kest_GreatSword.bmp" with one great sword held in both hands.
//
// Each sheet is 1920 × 1152: 10 columns × 6 rows of 192 × 192 cells, every pixel around the
// figure pure green (0, 255, 0), the key colour. The body stands inside (64, 96)-(128, 190) of
// its cell with the feet at about y 190; blades and swooshes may reach further out. The cells:
//   row 0: 0-7 idle (breathing), 8-9 backstep
//   row 1: 0-5 walking, 6-7 idle, 8 hit on the ground, 9 hit in the air
//   row 2: 0-5 combo slash 1 (a level cut), 6-7 rising, 8-9 falling
//   row 3: 0 crouching, 1-2 dash, 3-6 idle, 7-9 weapon change (blades spun overhead)
//   row 4: 0-3 combo slash 2 (a rising cut), 4-7 combo slash 3 (a double downward cut),
//          8 guard, 9 teleport aim
//   row 5: 0-3 crouch slash, 4-7 air slash, 8-9 idle
// The top-left cell (idle) doubles as the teleport after-image.
#include "tools/artkit.h"

namespace artact {

// Draws one whole sheet: the dual blades, or the great sword.
artkit::Canvas DrawHeroSheet(bool greatSword);

}  // namespace artact
