#include "act/actionscene.h"

#include <cstdio>
#include <string>

#include "act/attacks/attackeffectmanager.h"
#include "act/cnnfile.h"
#include "act/items/itemmanager.h"
#include "act/mapmodel.h"
#include "act/mobs/mobmanager.h"
#include "act/player.h"
#include "gameflow/fileerror.h"
#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/gamefont.h"
#include "librarysauce/gamerandom.h"
#include "librarysauce/mediaplayer.h"
#include "librarysauce/sprite.h"
#include "platform/clock.h"
#include "platform/cp932.h"

ActionScene g_ActionScene;

namespace {

constexpr const char* kSoundFiles[ActSound::Count] = {
    ".\\Data\\Sound\\Act\\1-1.mp3",       ".\\Data\\Sound\\Act\\swing25_c.wav", ".\\Data\\Sound\\Act\\swing25_c.wav",
    ".\\Data\\Sound\\Act\\swing27.wav",   ".\\Data\\Sound\\Act\\swing37_b.wav", ".\\Data\\Sound\\Act\\swing37_a.wav",
    ".\\Data\\Sound\\Act\\hit_s06.wav",   ".\\Data\\Sound\\Act\\hit09.wav",     ".\\Data\\Sound\\Act\\cursor12.wav",
};
constexpr uint32_t kMediaPlayerCount = 11;
constexpr int kMusicVolume = 255;
constexpr int kEffectVolume = 200;

// "現在のPlayer位置 = X %6.2f: Y %6.2f" and "現在のマップ位置 = X %6.2f: Y %6.2f"
const char kPlayerPositionFormat[] = "\x8c\xbb\x8d\xdd\x82\xcc" "Player" "\x88\xca\x92\x75" " = X %6.2f: Y %6.2f";
const char kMapPositionFormat[] =
    "\x8c\xbb\x8d\xdd\x82\xcc\x83\x7d\x83\x62\x83\x76\x88\xca\x92\x75" " = X %6.2f: Y %6.2f";
constexpr D3DCOLOR kTextColor = 0xFFFAFAFA;

}  // namespace

MediaPlayer* ActSoundPlayer(int slot) {
  if (!g_MediaPlayers || slot < 0 || static_cast<uint32_t>(slot) >= g_MediaPlayerPool.GetCount()) return nullptr;
  return &g_MediaPlayers[slot];
}

void PlayActSound(int slot) {
  MediaPlayer* sound = ActSoundPlayer(slot);
  if (!sound) return;
  sound->Stop();
  sound->Rewind();
  sound->Play();
}

ActionScene::ActionScene() = default;

ActionScene::~ActionScene() { Unload(); }

HRESULT ActionScene::Start() {
  if (ResetStage() < 0) {
    Abandon();
    return E_FAIL;
  }
  g_Player.Init();
  LoadSounds();
  Begin();
  return S_OK;
}

HRESULT ActionScene::Restart() {
  if (ResetStage() < 0) {
    Abandon();
    return E_FAIL;
  }
  g_Player.PlaceAtStart();
  Begin();
  return S_OK;
}

HRESULT ActionScene::ResetStage() {
  debugText_ = 0;
  // The map model names a map that cannot be used, or the missing stage list.
  if (g_MapModel.LoadMap() < 0) return E_FAIL;
  if (g_MapModel.LoadActionGraphics() < 0) {
    const char* stage = g_MapModel.GetStagePath(g_MapModel.GetStageIndex());
    const std::string map = std::string(stage ? stage : "") + ".cnn";
    ShowFileError(map.c_str(), 0, platform::Utf8ToCp932("ステージの絵を用意するメモリが足りません").c_str());
    return E_FAIL;
  }
  return S_OK;
}

void ActionScene::Abandon() {
  Unload();
  g_GameState.QuitOnDataError();
}

void ActionScene::Begin() {
  g_AttackEffectManager.CreateAll();
  g_MobManager.SpawnFromMap();
  g_ItemManager.SpawnFromMap();
  g_GameState.SetMode(GameMode::ActionRun);
  // During a stage the generator serves only the enemies' item drops.
  GameSrand(platform::GetTimeMs());
  mode_ = ActionSceneMode::FadeIn;
  fadeAlpha_ = 255;
  frameCounter_ = 0;
  stageEndLatch_ = 0;
}

HRESULT ActionScene::LoadSounds() {
  if (g_MediaPlayerPool.Allocate(kMediaPlayerCount) < 0 || !g_MediaPlayers) return E_FAIL;
  for (int slot = 0; slot < ActSound::Count; ++slot) g_MediaPlayers[slot].Open(kSoundFiles[slot]);
  MediaPlayer& music = g_MediaPlayers[ActSound::Bgm];
  music.SetVolume(kMusicVolume);
  music.SetBalance(0);
  music.SetLoop(1);
  for (int slot = ActSound::Bgm + 1; slot < ActSound::Count; ++slot) {
    g_MediaPlayers[slot].SetVolume(kEffectVolume);
    g_MediaPlayers[slot].SetBalance(0);
    g_MediaPlayers[slot].SetLoop(0);
  }
  return music.Play();
}

HRESULT ActionScene::Unload() {
  FreeBuffer();
  g_SceneArrays.Release();
  return S_OK;
}

void ActionScene::FreeBuffer() { fileBuffer_.reset(); }

HRESULT ActionScene::LoadCnn(const char* name) { return ReadCnnFile(name, kCnnBufferSize, &fileBuffer_); }

HRESULT ActionScene::Frame() {
  switch (mode_) {
    case ActionSceneMode::FadeIn:
      FadeIn();
      Update();
      break;
    case ActionSceneMode::Run:
      if (g_Input.IsButtonTriggered(LogicalButton::Pause))
        mode_ = ActionSceneMode::Pause;
      else
        Update();
      break;
    case ActionSceneMode::Pause:
      if (g_Input.IsButtonTriggered(LogicalButton::Pause)) mode_ = ActionSceneMode::Run;
      break;
    case ActionSceneMode::Leave:
      Leave();
      break;
    case ActionSceneMode::FadeOut: {
      const bool black = FadeOut();
      Update();
      // Once black, the next stage follows, unless the hero died in this very frame: then the
      // death wins and the same stage starts again with a new hero.
      if (black && mode_ != ActionSceneMode::Leave) {
        g_GameState.SetMode(GameMode::ActionRestart);
        g_MapModel.NextStage();
      }
      break;
    }
    default:
      break;
  }
  return S_OK;
}

void ActionScene::SetFadeColor() {
  if (Sprite* fade = g_SceneArrays.SpriteAt(ActSprite::Fade))
    fade->SetColor(static_cast<D3DCOLOR>(fadeAlpha_) << 24);
}

void ActionScene::StepFadeIn() {
  fadeAlpha_ -= kFadeStep;
  if (fadeAlpha_ < 1) fadeAlpha_ = 0;
  SetFadeColor();
}

void ActionScene::StepFadeOut() {
  fadeAlpha_ += kFadeStep;
  if (fadeAlpha_ >= 255) fadeAlpha_ = 255;
  SetFadeColor();
}

void ActionScene::FadeIn() {
  StepFadeIn();
  if (fadeAlpha_ == 0) mode_ = ActionSceneMode::Run;
}

bool ActionScene::FadeOut() {
  StepFadeOut();
  return fadeAlpha_ == 255;
}

void ActionScene::Leave() { g_GameState.SetMode(g_GameState.GetMode() + 1); }

void ActionScene::CheckPlayerDead() {
  if (g_Player.GetFlags() & PlayerState::Dead) mode_ = ActionSceneMode::Leave;
}

void ActionScene::RequestStageEnd() {
  if (stageEndLatch_ != 0) return;
  stageEndLatch_ = 1;
  mode_ = ActionSceneMode::FadeOut;
}

void ActionScene::DrawDebugPositions() {
  if (!debugText_) return;
  char cbuff[512];
  const D3DXVECTOR2 hero = g_Player.GetPosition();
  std::snprintf(cbuff, sizeof cbuff, kPlayerPositionFormat, hero.x, hero.y);
  g_Fonts[0].DrawText(cbuff, 10, 96, 256, 16, kTextColor);
  const D3DXVECTOR2 scroll = g_MapModel.GetScroll();
  std::snprintf(cbuff, sizeof cbuff, kMapPositionFormat, scroll.x, scroll.y);
  g_Fonts[0].DrawText(cbuff, 10, 128, 256, 16, kTextColor);
}
