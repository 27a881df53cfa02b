#pragma once
// The stress stage: a map far larger and fuller than the demo's, made for the benchmarks (never
// stored): 2000 × 60 cells of 32 pixels on four floors, 2000 enemies (Kedama, Hopper and Bomber
// in turn) and 500 items (HP, MP, decorations and traps in turn, a goal at the far end).
#include <string>

namespace stressstage {

constexpr int kWidth = 2000;
constexpr int kHeight = 60;
constexpr int kEnemies = 2000;
constexpr int kItems = 500;

// The map in its readable text form (tools/stagesource.h).
std::string Source();

// Writes the compiled map as the stage name under ".\Data\Script\act_stage\" of the current
// game directory, stored as the game stores maps. False when it cannot be made.
bool Write(const char* name);

// A crowded stage: side × side cells, every one a Kedama but for the ground along the bottom
// row and the hero's start above it (the start of a map that is nearly all enemies).
std::string CrowdedSource(int side);
bool WriteCrowded(const char* name, int side);

}  // namespace stressstage
