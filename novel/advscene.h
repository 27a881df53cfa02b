#pragma once
// The ADV (novel) scene: plays a story script one command a frame over a background, with a
// message window for each of two speakers (the lower one, side 0, and the upper one, side 1),
// fades through a black overlay, music and sound effects. When the script ends, the scene runs
// the file its header names through the main-script commands.
//
// Script shape (Shift-JIS, CR LF, stored scrambled): bytes 0 to 6 are never looked at; the
// header lines "#01,<scene number>" and "#02,<next file>" must stand before the first "#end";
// then command lines "#nn" or "#nn,<argument>", ended by "#end".
#include <cstdint>

#include "gameflow/scriptreader.h"
#include "platform/types.h"

enum class AdvPhase : int {
  Idle = 0,     // nothing happens
  Run = 1,      // the text timer, at most one command, the skip input
  FadeIn = 2,   // the overlay clears by 17 a frame; no command runs
  FadeOut = 3,  // the overlay darkens by 17 a frame; no command runs
};

enum class AdvCommand : int {
  Quit = 0,  // also any two bytes that read as 0, such as letters other than "en"
  SpeakerUpper = 3,
  SpeakerLower = 4,
  SetWait = 6,
  FadeIn = 7,
  FadeOut = 8,
  SkipInt = 9,
  SetIcon = 10,
  ShowIcon = 11,
  SpeakerName = 12,
  TextLine1 = 13,
  TextLine2 = 14,
  TextLine3 = 15,
  WaitKey = 16,
  MessageVisible = 17,
  ShowWindow = 18,
  ClearText = 19,
  HideWindow = 20,
  LoadBgm = 21,
  PlayBgm = 22,
  StopBgm = 23,
  LoadSe = 24,
  PlaySe = 25,
  StopSe = 26,
  CreateSaveFile = 27,
  End = 10000,  // "#end"
};

// One speaker's texts: a name and three lines, each ending in a 0 byte.
struct AdvSpeaker {
  char name[20];
  char line[3][128];
};

// The upper speaker's half first, then the lower one's.
struct AdvMessage {
  AdvSpeaker speaker[2];
};

class AdvScene : public ScriptReader {
 public:
  static constexpr int kScriptSize = 65535;    // the script text, ending in a 0 byte inside it
  static constexpr int kNextFileSize = 128;    // the "#02" name and its 0 byte
  static constexpr int kSpriteCount = 19;      // index 0 stays empty
  static constexpr int kTextureCount = 11;     // index 0 stays empty
  static constexpr int kMediaPlayerCount = 11; // slot 0 music, 5 to 9 the script's effects
  static constexpr int kMaxSoundEffects = 5;
  static constexpr int kSceneNumberNoHeader = 10000;   // no "#01" before the first "#end"
  static constexpr int kSceneNumberNoNextFile = 10001; // no "#02" before the first "#end"
  static constexpr int kFadeStep = 17;
  static constexpr uint32_t kTextWaitMs = 100;  // a text line holds the next command this long

  AdvScene();
  ~AdvScene();
  AdvScene(const AdvScene&) = delete;
  AdvScene& operator=(const AdvScene&) = delete;

  // Reads the script at path and its header. 0: ready; 1: "#01" or "#02" missing before the
  // first "#end", or a header value that does not fit; 0x80004005: the file cannot be read.
  HRESULT LoadScript(const char* path);
  void Reset();
  HRESULT FreeBuffers();
  HRESULT Release();

  // One frame of the scene (game mode 8).
  void Update();
  int RunCommand();
  int ReadCommandNumber();
  int ReadIntArg();
  // Reads the current command's text argument into out (capacity bytes with its 0 byte).
  void ReadStringArg(char* out, int capacity);
  void CheckSkipInput();
  void StartTextTimer();
  void UpdateTextTimer();

  // Command handlers.
  void WaitForKey();
  void SetWait();
  void SkipIntArg();
  void SetMessageVisible();
  void StartFade(int fadeIn);
  void LoadBgm();
  void PlayBgm();
  void StopBgm();
  void LoadSoundEffect();
  void PlaySoundEffect();
  void StopSoundEffect();

  void FadeInStep();
  void FadeOutStep();
  void ApplyOverlayAlpha();

  // Game mode 9: releases the scene and runs the header's next file.
  void RunNextFile();
  // The bytes after the last "." of the next file (at most 3), into a 4-byte buffer.
  void GetNextFileExtension(char* out);
  const char* GetFileName() const { return scriptPath_; }
  int GetOverlayAlpha() const { return overlayAlpha_; }

  // Graphics: the background, the overlay and the two message windows.
  // Game mode 7: builds the textures and sprites, the media players, and enters mode 8.
  HRESULT SetUpGraphics();
  HRESULT ReleaseGraphics();
  void SelectSpeakerSide(uint8_t side);
  void ShowWindow();
  void HideWindow();
  void SetIcon();
  void ShowIcon();
  void SetSpeakerName();
  void SetTextLine(int command);
  void ClearSpeakerText();
  // Drawn once a frame after the sprites: the names and lines of both speakers.
  void DrawMessage();

  // Read-only views for the frame's observers and the tests.
  const char* GetScriptText() const { return scriptText_; }
  const char* GetNextFile() const { return nextFile_; }
  int GetSceneNumber() const { return sceneNumber_; }
  int GetReadPosition() const { return readPos_; }
  AdvPhase GetPhase() const { return phase_; }
  int GetSoundEffectCount() const { return seCount_; }
  int GetWaitValue() const { return waitValue_; }
  bool IsTextTimerOn() const { return textTimerOn_ != 0; }
  bool IsKeyWaitOn() const { return keyWait_ != 0; }
  bool IsMessageVisible() const { return messageVisible_ != 0; }
  int GetActiveSide() const { return activeSide_; }
  int GetWindowGrey(int side) const { return side ? upperWindowGrey_ : lowerWindowGrey_; }
  int GetTextGrey(int side) const { return side ? upperTextGrey_ : lowerTextGrey_; }
  const AdvSpeaker* GetSpeaker(int side) const;

  // Sprite indices of a side's window parts (lower side 3 to 10, upper side 11 to 18).
  enum WindowPart { kWindow, kFrame, kCommentSign, kEndSign, kNameBox, kNameFrame, kIcon, kIconFrame };
  static int SpriteIndex(int side, WindowPart part) { return (side ? 11 : 3) + part; }

 private:
  // The bounds of the current line and of the text, for argument reads.
  int TextLength() const;
  int LineEnd(int from) const;
  AdvSpeaker& ActiveSpeaker();
  void SetSideColors(int side);

  char* scriptText_ = nullptr;  // 65535 bytes: the whole script
  char* scriptPath_ = nullptr;  // 65535 bytes: the script's path
  char* nextFile_ = nullptr;    // 128 bytes: the "#02" name
  int scriptLength_ = 0;        // bytes read into scriptText_
  int seCount_ = 0;
  int sceneNumber_ = 0;
  int readPos_ = 6;
  int upperWindowGrey_ = 128;
  int lowerWindowGrey_ = 255;
  int upperTextGrey_ = 0;
  int lowerTextGrey_ = 0;
  int overlayAlpha_ = 255;
  AdvPhase phase_ = AdvPhase::Idle;
  uint32_t textTimerStart_ = 0;
  uint32_t textTimerElapsed_ = 0;
  int waitValue_ = 50;
  uint8_t textTimerOn_ = 0;
  uint8_t keyWait_ = 0;
  uint8_t activeSide_ = 0;
  uint8_t messageVisible_ = 0;
  AdvMessage* message_ = nullptr;
};

extern AdvScene g_AdvScene;
