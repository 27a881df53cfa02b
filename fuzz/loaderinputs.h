#pragma once
// Damaged input for every loader of the game. Each feed puts one input where its loader reads
// it, in the current directory taken as the game's directory (scrambled as the game stores its
// data, under the game path the loader opens), and plays the frames that read and use it through
// the game's own frame step (GameState::Dispatch) with scripted keys and a clock stepped by
// hand; nothing is drawn. The list reader and the stage-map compiler take the input directly.
// Afterwards every scene is released, so inputs do not build on each other.
//
// The fuzz targets (fuzz/fuzztarget.cpp) run these, and the regression tests replay through them
// the inputs that once broke a loader (tests/fuzzfound/<loader name>/).
#include <cstddef>
#include <cstdint>

namespace loaderinput {

using Feed = void (*)(const uint8_t* data, size_t size);

struct Loader {
  const char* name;
  Feed feed;
};

// Once per process, before the first feed: scripted input with nothing pressed, the clock the
// feeds step, and file-error messages taken silently (a damaged file is the point here).
void PrepareProcess();

// The main script ".\Data\Script\main.cnn" from game mode 0, then the same text as the script
// of a start-menu entry (".\Data\Script\stm\", run from the menu's mode).
void MainScript(const uint8_t* data, size_t size);
// An ADV script opened by "#setnovel" and played with Ctrl held (one command a frame).
void AdvScript(const uint8_t* data, size_t size);
// A start-menu list opened by "#setstartmenu", the cursor moved and an entry chosen.
void StartMenuList(const uint8_t* data, size_t size);
// A field list opened by "#setfield", the selection moved and a point chosen.
void FieldList(const uint8_t* data, size_t size);
// A stage map named by "#setaction", its stage started and run with the hero's keys held.
void StageMap(const uint8_t* data, size_t size);
// The text form of a stage map, through the stage compiler.
void StageSource(const uint8_t* data, size_t size);
// A picture loaded as a texture (unscrambled, decoded, colour-keyed).
void Picture(const uint8_t* data, size_t size);
// The key-configuration file read by KeyConfig::Load.
void KeyConfiguration(const uint8_t* data, size_t size);
// A list's text handed to the list reader with the start menu's ten-field entry lines.
void ListText(const uint8_t* data, size_t size);

// Every loader by the name its fuzz target and its regression folder carry; null for a name
// that is none of them.
const Loader* FindLoader(const char* name);

}  // namespace loaderinput
