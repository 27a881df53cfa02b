#pragma once
// The music system: ten music tracks, each loading one music file (standard MIDI files and
// whatever else the mixer's music stream decodes), played once or looping, with a volume and a
// pan. Initialised and shut down with the graphics device. The mixer has one music stream, so
// a track that plays replaces whatever another track was playing.
#include "platform/types.h"

namespace platform {
struct MusicClip;
}

class MusicSystem {
 public:
  MusicSystem() = default;
  ~MusicSystem();
  // Opens the sound output; succeeds on a machine without a sound device (music is then silent).
  HRESULT Init();
  // Halts the music; harmless when called again.
  HRESULT Shutdown();
  bool IsInitialized() const { return initialized_; }

 private:
  bool initialized_ = false;
};

struct MusicTrackInfo {
  char name[256];
  int volume;
  int pan;
};

class MusicTrack {
 public:
  MusicTrack() = default;
  ~MusicTrack();
  MusicTrack(const MusicTrack&) = delete;
  MusicTrack& operator=(const MusicTrack&) = delete;

  // Loads a music file by its game path; names ending in "mid" (any case) are read as standard
  // MIDI files.
  HRESULT Load(const char* fileName);
  // Looping, or played twice through when loop is 0.
  HRESULT Play(int loop);
  HRESULT Stop();
  HRESULT Unload();
  // Volume 0 to 255 (as for the media players); the change is immediate whatever the duration.
  HRESULT SetVolume(int volume, int durationMs);
  // Pan -128 to 128: kept and reported, not heard (the mixer cannot pan its music stream).
  HRESULT SetPan(int pan);
  MusicTrackInfo GetInfo() const;

 private:
  platform::MusicClip* music_ = nullptr;
  char name_[256] = {};
  int volume_ = 0;
  int pan_ = 0;
  int pathVolume_ = 0;  // hundredths of a decibel; a loaded track starts at full volume
};

constexpr int kMusicTrackCount = 10;
extern MusicSystem g_MusicSystem;
extern MusicTrack g_MusicTracks[kMusicTrackCount];
