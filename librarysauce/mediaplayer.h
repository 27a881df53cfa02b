#pragma once
// Media players: one WAV or MP3 file each, with play, pause, stop, rewind, loop, volume and
// balance, polled once a frame for the end of the sound. The game keeps eleven of them in one
// array; by the scenes' convention slot 0 holds the looping music and the others effects.
#include <cstdint>

#include "platform/audio.h"
#include "platform/types.h"

class MediaPlayer {
 public:
  MediaPlayer() = default;
  ~MediaPlayer();
  MediaPlayer(const MediaPlayer&) = delete;
  MediaPlayer& operator=(const MediaPlayer&) = delete;

  // Opens a sound file by its game path; 1 on success, 0x80004005 when it cannot be played
  // (the player then stays closed and every operation fails quietly).
  HRESULT Open(const char* path);
  HRESULT Close();
  HRESULT Play();
  HRESULT Pause();
  // Stops where the sound is; the next Play goes on from there.
  HRESULT Stop();
  // Back to the start of the sound.
  HRESULT Rewind();
  // Volume 0 (quietest) to 255 (full), and balance -128 (left only) to 128 (right only).
  HRESULT SetVolume(int volume);
  HRESULT SetBalance(int balance);
  HRESULT SetLoop(int flag);
  // Once a frame: at the end of the sound a looping player starts again from the start; a
  // non-looping one answers 0x80004005 until it is rewound.
  HRESULT Update();
  // Moves by delta (100-ns units) within the sound. Past the end a looping player goes back to the
  // start and a non-looping one is closed.
  HRESULT SeekBy(int64_t delta);
  // Sound files carry no video: there is never a video window to fit.
  HRESULT FitVideoToWindow();

  bool IsOpen() const { return stream_.IsOpen(); }
  // The position (100-ns units) and the volume and balance last set (hundredths of a decibel),
  // as the player reports them.
  int64_t GetPosition() const { return stream_.GetPosition(); }
  int64_t GetDuration() const { return stream_.GetDuration(); }
  bool IsPlaying() const { return stream_.IsRunning(); }
  int GetVolume() const { return volume_; }
  int GetBalance() const { return balance_; }
  const platform::SoundStream& GetStream() const { return stream_; }

 private:
  platform::SoundStream stream_;
  int loop_ = 0;
  int volume_ = 0;
  int balance_ = 0;
};

class MediaPlayerPool {
 public:
  // Closes and frees the players, then makes n fresh closed players in g_MediaPlayers.
  HRESULT Allocate(uint32_t n);
  // Frees the players; the count stays.
  HRESULT FreeAll();
  HRESULT CloseAll();
  // Polls every player once (the game mode is passed along but not used).
  void UpdateAll(int mode);
  uint32_t GetCount() const { return count_; }

 private:
  uint32_t count_ = 11;
};

extern MediaPlayer* g_MediaPlayers;
extern MediaPlayerPool g_MediaPlayerPool;
