#include "gameflow/gamestate.h"

#include <cstdarg>
#include <cstdio>

#include "act/actionscene.h"
#include "field/fieldscene.h"
#include "gameflow/fileerror.h"
#include "gameflow/scriptreader.h"
#include "librarysauce/fpscounter.h"
#include "librarysauce/frameclock.h"
#include "librarysauce/framemanager.h"
#include "librarysauce/gamefont.h"
#include "librarysauce/gamerandom.h"
#include "librarysauce/inputmanager.h"
#include "librarysauce/mediaplayer.h"
#include "librarysauce/musicsystem.h"
#include "librarysauce/textlog.h"
#include "novel/advscene.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "startmenu/startmenu.h"

GameState g_GameState;

namespace {

constexpr int kKeySpace = 57;

HRESULT CreateFont(int slot) { return g_Fonts[slot].Create(kFontSlotFace[slot], kFontSlotHeight[slot]); }

void ReleaseFonts() {
  for (GameFont& font : g_Fonts) font.Release();
}

// Updates every player of the pool; true when any is still playing or looping.
bool AnyMediaPlayerPlaying() {
  if (!g_MediaPlayers) return false;
  bool playing = false;
  for (uint32_t i = 0; i < g_MediaPlayerPool.GetCount(); ++i) {
    if (g_MediaPlayers[i].Update() >= 0) playing = true;
  }
  return playing;
}

}  // namespace

GameState::GameState() : mode_(0), nextMode_(0), spriteCount_(0), textureCount_(0), param_(0), flag_(0) {}

void GameState::FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(text_, sizeof text_, format, args);
  va_end(args);
}

HRESULT GameState::Dispatch() {
  g_Input.Poll();
  g_FrameClock.Update();
  g_FpsCounter.Update();
  g_FpsCounter.HandleToggleKey();
  g_MediaPlayerPool.UpdateAll(mode_);

  switch (mode_) {
    case GameMode::MainScript:
      RunMainScriptStep();
      break;
    case GameMode::StartMenuSetUp:
      g_StartMenu.SetUp();
      break;
    case GameMode::StartMenuRun:
      g_StartMenu.Update();
      break;
    case GameMode::StartMenuLeave:
      g_StartMenu.Release();
      SetMode(nextMode_);
      break;
    case GameMode::FieldSetUp:
      // A list that failed to load is reported here, and the game ends.
      g_FieldScene.SetUpGraphics();
      break;
    case GameMode::FieldRun:
      g_FieldScene.Update();
      break;
    case GameMode::FieldLeave:
      g_FieldScene.Release();
      SetMode(nextMode_);
      break;
    case GameMode::AdvSetUp:
      g_AdvScene.SetUpGraphics();
      break;
    case GameMode::AdvRun:
      g_AdvScene.Update();
      break;
    case GameMode::AdvEnd:
      // Releases the scene while still in this mode, then runs the next file, whose scene
      // command moves on to mode 10 (mode plus one) or sets its mode directly.
      g_AdvScene.RunNextFile();
      break;
    case GameMode::AdvNext:
      // The scene went in mode 9, and the next file may already have loaded the next ADV
      // script: only enter the mode it chose.
      SetMode(nextMode_);
      break;
    case GameMode::ActionStart:
      g_ActionScene.Start();
      break;
    case GameMode::ActionRun:
      g_ActionScene.Frame();
      break;
    case GameMode::ActionLeave:
      g_ActionScene.Unload();
      SetMode(nextMode_);
      break;
    case GameMode::ActionRestart:
      g_ActionScene.Unload();
      g_ActionScene.Restart();
      break;
    case GameMode::Quit:
      platform::PostQuit(quitCode_);
      break;
    default:
      break;  // 11, 12, 13, 18, 19 and any other value: no step
  }
  return S_OK;
}

void GameState::RunMainScriptStep() {
  if (g_MainScript.LoadFile(kMainScriptPath) < 0) {
    // Nothing to run: say so and end the game with an error code.
    ShowFileError(kMainScriptPath, 0, kFileOpenFailedText);
    QuitOnDataError();
    return;
  }
  g_MainScript.RunMainScript();
}

HRESULT GameState::Init() {
  GameSrand(platform::GetTimeMs());
  HRESULT result = S_OK;
  if (g_Input.Create() < 0) {
    std::fprintf(stderr, "Velunna: input devices could not be created; the game runs without them\n");
    result = E_FAIL;
  }
  if (g_MusicSystem.Init() < 0) {
    std::fprintf(stderr, "Velunna: the music system could not be started; the game runs without it\n");
    result = E_FAIL;
  }
  for (int slot : {0, 2, 3, 1}) {
    if (CreateFont(slot) < 0) {
      std::fprintf(stderr, "Velunna: font %d could not be created\n", slot);
      result = E_FAIL;
    }
  }
  return result;
}

HRESULT GameState::Release() {
  ReleaseFonts();
  g_Input.Release();
  g_MediaPlayerPool.CloseAll();
  g_MediaPlayerPool.FreeAll();
  for (MusicTrack& track : g_MusicTracks) track.Unload();
  g_MusicSystem.Shutdown();
  return S_OK;
}

HRESULT GameState::LostDevice() {
  ReleaseFonts();
  g_Input.Release();
  return S_OK;
}

HRESULT GameState::RestoreDevice() {
  HRESULT result = S_OK;
  if (g_Input.Create() < 0) result = E_FAIL;
  if (CreateFont(2) < 0) result = E_FAIL;
  if (CreateFont(3) < 0) result = E_FAIL;
  return result;
}

HRESULT GameState::OnSuspendedFrame() {
  g_Input.Poll();
  if (g_Input.IsKeyDown(kKeySpace)) {
    g_MediaPlayerPool.CloseAll();
    return S_OK;
  }
  return AnyMediaPlayerPlaying() ? E_FAIL : S_OK;
}

void InstallFrameHooks() {
  FrameManager::GameHooks hooks;
  hooks.update = [] { return g_GameState.Dispatch(); };
  hooks.deviceCreated = [] { return g_GameState.Init(); };
  hooks.deviceDestroyed = [] { return g_GameState.Release(); };
  hooks.deviceReset = [] { return g_GameState.RestoreDevice(); };
  hooks.deviceLost = [] { return g_GameState.LostDevice(); };
  hooks.suspendedFrame = [] { return g_GameState.OnSuspendedFrame(); };
  hooks.text = {
      [] { g_TextLog.Draw(); },
      [] { g_StartMenu.Draw(); },
      [] { g_FieldScene.Draw(); },
      [] { g_AdvScene.DrawMessage(); },
      [] { g_FpsCounter.Draw(); },
      [] { g_ActionScene.DrawDebugPositions(); },
  };
  g_FrameManager.InstallGameHooks(hooks);
}
