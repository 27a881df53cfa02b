#include "librarysauce/musicsystem.h"

#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/audio.h"
#include "platform/paths.h"

MusicSystem g_MusicSystem;
MusicTrack g_MusicTracks[kMusicTrackCount];

MusicSystem::~MusicSystem() { Shutdown(); }

HRESULT MusicSystem::Init() {
  // Without a sound device the mixer runs silently; without any mixer the tracks fail to load,
  // but the game must go on to make its fonts either way.
  if (!platform::OpenAudio()) std::fprintf(stderr, "MusicSystem: no sound output; music is off\n");
  initialized_ = true;
  return S_OK;
}

HRESULT MusicSystem::Shutdown() {
  if (initialized_) platform::HaltMusic(nullptr);
  initialized_ = false;
  return S_OK;
}

MusicTrack::~MusicTrack() { Unload(); }

HRESULT MusicTrack::Load(const char* fileName) {
  Unload();
  if (!fileName) return E_FAIL;
  std::snprintf(name_, sizeof name_, "%s", fileName);
  if (!g_MusicSystem.IsInitialized()) {
    std::fprintf(stderr, "MusicTrack: \"%s\": the music system is not initialised\n", fileName);
    return E_FAIL;
  }
  const size_t length = std::strlen(fileName);
  const bool midi = length >= 3 && strcasecmp(fileName + length - 3, "mid") == 0;
  std::string error;
  music_ = platform::LoadMusic(platform::ResolvePath(fileName), midi, &error);
  if (!music_) {
    std::fprintf(stderr, "MusicTrack: cannot load \"%s\": %s\n", fileName, error.c_str());
    return E_FAIL;
  }
  pathVolume_ = 0;
  return S_OK;
}

HRESULT MusicTrack::Play(int loop) {
  if (!music_) return E_FAIL;
  // One music stream: the track replaces what was playing instead of sounding over it.
  platform::SetMusicVolume(pathVolume_);
  std::string error;
  if (!platform::PlayMusic(music_, loop ? -1 : 2, &error)) {
    std::fprintf(stderr, "MusicTrack: cannot play \"%s\": %s\n", name_, error.c_str());
    return E_FAIL;
  }
  return S_OK;
}

HRESULT MusicTrack::Stop() {
  if (!music_) return E_FAIL;
  platform::HaltMusic(music_);
  return S_OK;
}

HRESULT MusicTrack::Unload() {
  platform::FreeMusic(music_);
  music_ = nullptr;
  std::memset(name_, 0, sizeof name_);
  return S_OK;
}

HRESULT MusicTrack::SetVolume(int volume, int durationMs) {
  (void)durationMs;
  volume_ = volume;
  if (!music_) return E_FAIL;
  // Worked in 64 bits and kept within silence..full, which is all the stream can play.
  const int64_t hundredthsDb = (static_cast<int64_t>(volume) - 255) * 9600 / 255;
  pathVolume_ = static_cast<int>(hundredthsDb < -10000 ? -10000 : (hundredthsDb > 0 ? 0 : hundredthsDb));
  if (platform::IsMusicPlaying(music_)) platform::SetMusicVolume(pathVolume_);
  return S_OK;
}

HRESULT MusicTrack::SetPan(int pan) {
  pan_ = pan;
  return music_ ? S_OK : E_FAIL;
}

MusicTrackInfo MusicTrack::GetInfo() const {
  MusicTrackInfo info;
  std::memcpy(info.name, name_, sizeof info.name);
  info.volume = volume_;
  info.pan = pan_;
  return info;
}
