#pragma once
// The action scene: starts a stage (game mode 14), runs it frame by frame (mode 15) and tears it
// down after the hero's death (mode 16) or the goal (mode 17). It owns the small state machine
// that fades a stage in, runs it, pauses it and fades it out or leaves it; the stage-end latch
// that makes the goal act once; the action mode's sounds; and the frame counter, the time base
// of every timer of the action mode.
//
// Files: start, restart, the state machine and the fades in act/actionscene.cpp; the running
// frame (Update) in act/actionframe.cpp; the control steps in act/actioncontrol.cpp.
#include <cstdint>
#include <memory>

#include "act/actgraphics.h"
#include "gameflow/scriptreader.h"
#include "librarysauce/inputmanager.h"
#include "platform/types.h"

// What one call of ActionScene::Frame does.
namespace ActionSceneMode {
constexpr int FadeIn = 1;   // a fade-in step (Run once clear), then a running frame
constexpr int Run = 2;      // Pause pressed: Pause; otherwise a running frame
constexpr int Pause = 3;    // Pause pressed: Run; nothing else
constexpr int Leave = 4;    // the hero is dead: the game mode moves on to 16
constexpr int FadeOut = 5;  // a fade-out step, then a running frame; once black, the next stage
}  // namespace ActionSceneMode

// The action mode's media-player slots (files under ".\Data\Sound\Act\").
namespace ActSound {
constexpr int Bgm = 0;          // the stage music, looping
constexpr int SwingCombo1 = 1;
constexpr int SwingCombo2 = 2;
constexpr int SwingCombo3 = 3;
constexpr int SwingAir = 4;
constexpr int SwingCrouch = 5;
constexpr int MobHit = 6;
constexpr int PlayerHit = 7;
constexpr int ItemGet = 8;
constexpr int Count = 9;
}  // namespace ActSound

class MediaPlayer;

// The media player of an action sound slot, or null when the pool has none there.
MediaPlayer* ActSoundPlayer(int slot);
// Plays the sound of a slot from its start, cutting off the same sound still playing.
void PlayActSound(int slot);

class ActionScene : public ScriptReader {
 public:
  static constexpr int kFadeStep = 15;  // 17 frames from black to clear
  static constexpr uint32_t kCnnBufferSize = 0xFFFFF;

  ActionScene();
  ~ActionScene() override;

  // --- start, restart and the state machine (act/actionscene.cpp) ---
  // Game mode 14: the current stage with a new hero, fresh sounds and the music from its start.
  // A stage that cannot be started shows its message and ends the game (mode 20, exit code 1).
  HRESULT Start();
  // Game mode 17, after Unload: the current stage again, the hero's stats kept, the music
  // playing on. Fails like Start.
  HRESULT Restart();
  // Game modes 16 and 17, and the destructor: frees the file buffer and the stage's sprite and
  // texture arrays (the sprites leave the draw list).
  HRESULT Unload();
  // Game mode 15: one step of the state machine.
  HRESULT Frame();
  // The goal: starts the fade-out, once per stage.
  void RequestStageEnd();
  // Running frames since the stage began; stands still while paused.
  uint32_t GetFrameCount() const { return frameCounter_; }
  // After the sprites of every frame: the hero's and the camera's positions, when asked for.
  void DrawDebugPositions();
  // Reads name + ".cnn" into the scene's file buffer; nothing in the game calls it.
  HRESULT LoadCnn(const char* name);

  int GetMode() const { return mode_; }
  // Index in g_Sprites of the sprite that shows the hero: 26 + weapon.
  int GetPlayerSpriteSlot() const { return playerSpriteSlot_; }
  void SetPlayerSpriteSlot(int slot) { playerSpriteSlot_ = slot; }

  // Steps of a stage start.
  HRESULT ResetStage();
  void Begin();
  HRESULT LoadSounds();
  // Fade steps: the fade sprite is black with the fade alpha in its alpha byte.
  void StepFadeIn();
  void StepFadeOut();
  void FadeIn();
  // True when this step made the screen black.
  bool FadeOut();
  void Leave();
  void CheckPlayerDead();
  void FreeBuffer();

  // --- the running frame (act/actionframe.cpp) ---
  void Update();

  // --- the frame's combined steps, the control and the drawing steps ---
  void Draw();
  void MoveObjects();
  void UpdateObjects();
  void UpdateItemTimers();
  void UpdateItems();
  void CheckEnemyContact();
  void CheckAttackHits();
  void DrainPlayerMp();
  void RefillPlayerSp();
  void ControlPlayer();
  void HandleDirectionKeys();
  void WalkStep(JoyDirection direction);
  // True when a direction was held.
  bool Teleport();
  void HandleActionButtons();
  void ExpireDashReady();
  void ExpireTeleportAim();
  void EndTeleport();
  void EndDash();
  void AnimateWeaponIconSwap();

 private:
  // Stops a stage start that cannot go on: the game ends with exit code 1.
  void Abandon();
  void SetFadeColor();

  std::unique_ptr<char[]> fileBuffer_;
  int fadeAlpha_ = 0;
  int mode_ = 0;
  uint32_t frameCounter_ = 0;
  // The weapon icons' slide, moved by the last drawing step while iconSlideCount_ is above 0.
  // Not reached in play: nothing raises iconSlideCount_.
  int iconSlideCount_ = 0;
  int iconSlideStep_ = 0;
  int iconOffsetA_ = 0;
  int iconOffsetB_ = 0;
  int stageEndLatch_ = 0;
  int playerSpriteSlot_ = ActSprite::HeroDualSword;
  // Turns on DrawDebugPositions; not reached in play: every stage start clears it, nothing sets it.
  uint8_t debugText_ = 0;
};

extern ActionScene g_ActionScene;
