#pragma once
// The field scene: a map screen with destination points. "#setfield" loads a field list, which
// names the points with their positions, texts and scripts, and starts the field music; the
// scene then shows the map picked by the list's map number, an icon on every enabled point and
// the player-point sign over the selected one. The player selects a point with the mouse, the
// arrow keys or the stick; Z or a click on the point fades to black and runs the point's script
// through the main-script commands.
#include <cstdint>
#include <memory>
#include <string>

#include "gameflow/scriptreader.h"
#include "platform/types.h"

// One destination of the field list.
struct FieldPoint {
  uint16_t id;
  std::string name;
  std::string comment;
  std::string script;  // a file name in ".\Script\map\"
  // Length + 1 of the name, the comment and the script (the bytes each takes with its final 0).
  uint32_t nameSize;
  uint32_t commentSize;
  uint32_t scriptSize;
  float x, y;           // top-left corner of the point's icon on the screen
  uint8_t enabled;      // 1: shown and selectable
  uint8_t highlighted;  // 1 for the selected point
};

// What a frame of the running scene does.
enum class FieldPhase : int {
  Select = 0,   // mouse, keys and stick move the selection; Z or a click decides
  FadeIn = 1,   // the black overlay clears
  FadeOut = 2,  // the black overlay closes
  Go = 3,       // the chosen point's script runs
};

class FieldScene : public ScriptReader {
 public:
  // The list file's text block; the file must be smaller than this.
  static constexpr int kMapTextSize = 65535;
  // Every field of the list and its count line hold at most this many bytes.
  static constexpr int kMaxFieldBytes = 63;
  // A point's script is joined to ".\Script\map\" in a 64-byte path.
  static constexpr int kMaxScriptBytes = 50;
  // The list's path with ".map" and the point script's path are built in buffers of this size.
  static constexpr int kPathSize = 64;
  // Sprites beyond the points, and textures of the scene.
  static constexpr int kExtraSprites = 6;
  static constexpr int kTextureCount = 6;
  // Sprite roles.
  static constexpr int kBackgroundSprite = 1;
  static constexpr int kOverlaySprite = 2;
  static constexpr int kCommentSprite = 3;
  static constexpr int kPlayerPointSprite = 4;
  static constexpr int kFirstIconSprite = 5;
  // Media-player slots.
  static constexpr int kMusicSlot = 0;
  static constexpr int kSelectSlot = 5;
  static constexpr int kDecideSlot = 6;

  FieldScene();
  ~FieldScene();

  // Reads the field list at path + ".map", works out the map number, sets up the sounds and
  // starts the music. A list that cannot be read or breaks the format is recorded as failed
  // (the set-up then reports it and quits) and leaves no points. Either way the previous points
  // and the current scene arrays go first.
  HRESULT LoadMap(const char* path);
  // Game mode 4: builds the sprites and textures, selects the first enabled point and starts
  // the fade-in in game mode 5.
  HRESULT SetUpGraphics();
  // Game mode 5: one step of the current phase.
  HRESULT Update();
  // After the sprites of every frame: the selected point's name and comment, in game mode 5.
  void Draw();
  // Game mode 6 and the destructor: the list text, the points and the scene arrays go.
  HRESULT Release();
  HRESULT FreeText();
  HRESULT FreeEntries();
  void ClearEntries(int n);
  void LoadSounds();

  void UpdateSelection();
  HRESULT RunEntryScript(int index);
  void FadeInStep();
  void FadeOutStep();
  void ApplyOverlayAlpha();
  void PlaySound(int slot);

  // The outcome of the last list load: a failed one is recorded with the file, the line and what
  // is wrong (Shift-JIS), so that the set-up can show them in the file-error message and quit.
  void MarkLoadFailed(const char* file, int line, const char* reason);
  int HasLoadFailed() const { return loadFailed_; }
  const char* GetFailedListPath() const { return failedListPath_; }
  int GetFailedLine() const { return failedLine_; }
  const std::string& GetFailedReason() const { return failedReason_; }

  // The map number of a list path (with ".map"): the decimal value of the two characters just
  // before the first '.' at or after the path's fourth character.
  static int MapNumberFromPath(const char* listPath);
  // The background picture for a map number.
  static const char* BackgroundForMapNumber(int mapNumber);

  int GetPointCount() const { return pointCount_; }
  const FieldPoint* GetPoint(int index) const;
  int GetMapNumber() const { return mapNumber_; }
  int GetOverlayAlpha() const { return overlayAlpha_; }
  int GetChosenPoint() const { return chosenPoint_; }
  int GetSelectedPoint() const { return selectedPoint_; }
  FieldPhase GetPhase() const { return phase_; }

 private:
  // Moves the selection by step (+1 or -1) to the next enabled point, wrapping around; stays
  // put when no point is enabled.
  void StepSelection(int step);
  void HighlightSelected();
  int HighlightedPoint() const;

  std::unique_ptr<char[]> mapText_;
  std::unique_ptr<FieldPoint[]> points_;
  int pointCount_ = 0;
  int mapNumber_ = 0;
  int overlayAlpha_ = 255;
  int chosenPoint_ = 0;
  int selectedPoint_ = 0;
  FieldPhase phase_ = FieldPhase::Select;

  int loadFailed_ = 0;
  char failedListPath_[ScriptReader::kFileNameSize + 4] = {};
  int failedLine_ = 0;
  std::string failedReason_;
};

extern FieldScene g_FieldScene;
