#pragma once
// The start menu: the list of entries read from a ".stm" menu file, the title background, the
// comment window and the picture of the entry under the cursor. The player moves the cursor over
// the enabled entries; the decide button either opens the key-configuration screen (entry id 3)
// or fades to black and runs the entry's script through the main-script commands.
//
// Game modes: 1 builds the graphics and sounds (SetUp), 2 steps the menu (Update), 3 frees it
// (Release). The menu's drawing hook runs every frame and draws only in mode 2.
#include <cstdint>
#include <memory>
#include <string>

#include "gameflow/scriptreader.h"
#include "platform/types.h"

class Sprite;

// One line of the menu list.
struct StartMenuEntry {
  uint16_t id;  // 3 opens the key-configuration screen; any other id runs the script
  std::string title;
  std::string comment;
  std::string script;  // a file name in ".\Data\Script\stm\"
  std::string image;   // ".\Data\Graphic\" + the image field
  // Length + 1 of the title, the comment, the script and the image path (the bytes each takes
  // with its final 0).
  uint32_t titleSize;
  uint32_t commentSize;
  uint32_t scriptSize;
  uint32_t imageSize;
  // Screen position of the picture's top-left corner and its size, in pixels.
  float x;
  float y;
  float width;
  float height;
  uint8_t enabled;
};

// What a frame of the running menu does.
enum class StartMenuState : int {
  Cursor = 0,     // cursor step
  FadeIn = 1,     // fade-in step, overlay colour, then the cursor step
  FadeOut = 2,    // fade-out step, overlay colour
  Choose = 3,     // act on the chosen entry
  KeyConfig = 4,  // the key-configuration screen
  RunScript = 5,  // run the chosen entry's script
};

class StartMenu : public ScriptReader {
 public:
  // The menu text block: a list file holds at most kTextSize - 1 bytes.
  static constexpr int kTextSize = 65535;
  // Field limits of the list (bytes, without the final 0).
  static constexpr int kFieldMax = 127;
  static constexpr int kImageFieldMax = 112;   // ".\Data\Graphic\" + name fit 127 bytes
  static constexpr int kScriptFieldMax = 45;   // ".\Data\Script\stm\" + name fit 64 bytes
  static constexpr int kListPathMax = 127;     // the list's path with ".stm"
  static constexpr int kFieldCount = 10;
  // Scene arrays: sprites 0..N+5 and textures 0..N+4 (index 0 of each stays empty).
  static constexpr int kFixedSprites = 6;
  static constexpr int kFixedTextures = 5;
  static constexpr int kFirstEntrySprite = 5;
  static constexpr int kFirstEntryTexture = 4;
  static constexpr int kOverlaySprite = 2;
  static constexpr int kPanelSprite = 4;
  // Media-player slots of the two sounds.
  static constexpr int kSelectSlot = 5;
  static constexpr int kDecideSlot = 6;
  static constexpr int kSoundVolume = 192;
  // The overlay alpha moves this much a frame: a full fade takes 17 frames.
  static constexpr int kFadeStep = 15;
  static constexpr D3DCOLOR kTextColor = 0xFFFAFAFA;

  StartMenu();
  ~StartMenu();

  // Reads the menu list at path + ".stm". The list must hold a count of at least 1, exactly that
  // many well-formed entry lines and then a line beginning with "#end"; anything else fails the
  // load with a message naming the file and the line, and nothing is kept.
  HRESULT LoadMenu(const char* path);
  // Game mode 1: builds the sprites, textures and sounds, then mode 2 with a fade-in.
  HRESULT SetUp();
  // Game mode 2: one step of the current sub-state.
  HRESULT Update();
  // Game mode 3 and the destructor: frees the menu text, the entries and the scene arrays.
  HRESULT Release();
  // Text phase of every frame: the title and comment of the entry under the cursor.
  void Draw();

  void SetSubState(StartMenuState state) { subState_ = state; }

  HRESULT FreeText();
  HRESULT FreeEntries();
  void ClearEntries(int n);
  void LoadSounds();

  // The sub-states' steps.
  void UpdateCursor();
  void ChooseEntry(int index);
  HRESULT RunEntryScript(int index);
  void FadeInStep();
  void FadeOutStep();
  void ApplyOverlayAlpha();
  void PlaySound(int slot);

  // Probes that no step of the frame calls.
  int SaveFileExists(int flag);
  void ShowNoSaveMessage();

  // Read-only views for the key-configuration screen and the tests.
  StartMenuState GetSubState() const { return subState_; }
  int GetCursor() const { return cursor_; }
  int GetChosenEntry() const { return chosenEntry_; }
  int GetOverlayAlpha() const { return overlayAlpha_; }
  int GetEntryCount() const { return entryCount_; }
  bool HasEntries() const { return entries_ != nullptr; }
  bool HasText() const { return menuText_ != nullptr; }
  // Entry i, or null when there is no such entry.
  const StartMenuEntry* GetEntry(int index) const;
  // Sprite i of the menu's scene array, or null while the menu holds no graphics.
  Sprite* GetSprite(int index) const;

 private:
  // Moves the cursor one entry at a time in direction step (+1 or -1), wrapping at both ends,
  // until it rests on an enabled entry; at most one full turn, so a list without enabled entries
  // leaves the cursor where it was.
  void MoveCursor(int step);
  bool HoldsGraphics() const;

  std::unique_ptr<char[]> menuText_;
  std::unique_ptr<StartMenuEntry[]> entries_;
  int entryCount_ = 0;
  int overlayAlpha_ = 255;
  int chosenEntry_ = 0;
  StartMenuState subState_ = StartMenuState::Cursor;
  int cursor_ = 0;
};

extern StartMenu g_StartMenu;
