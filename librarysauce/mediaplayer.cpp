#include "librarysauce/mediaplayer.h"

#include <cstdio>
#include <string>

#include "platform/paths.h"

MediaPlayer* g_MediaPlayers = nullptr;
MediaPlayerPool g_MediaPlayerPool;

namespace {

// The result a sound device gives for a volume or balance outside its range.
constexpr HRESULT kInvalidArgument = static_cast<HRESULT>(0x80070057u);
constexpr int kSilence = -10000;  // hundredths of a decibel

}  // namespace

MediaPlayer::~MediaPlayer() { Close(); }

HRESULT MediaPlayer::Open(const char* path) {
  if (IsOpen()) Close();
  if (!path) return E_FAIL;
  std::string error;
  if (!stream_.Open(platform::ResolvePath(path), &error)) {
    std::fprintf(stderr, "MediaPlayer: cannot open \"%s\": %s\n", path, error.c_str());
    return E_FAIL;
  }
  volume_ = 0;
  balance_ = 0;
  return 1;
}

HRESULT MediaPlayer::Close() {
  stream_.Close();
  return S_OK;
}

HRESULT MediaPlayer::Play() {
  if (!IsOpen()) return E_FAIL;
  stream_.Run();
  return S_OK;
}

HRESULT MediaPlayer::Pause() {
  if (!IsOpen()) return E_FAIL;
  stream_.Pause();
  return S_OK;
}

HRESULT MediaPlayer::Stop() {
  if (!IsOpen()) return E_FAIL;
  stream_.Stop();
  return S_OK;
}

HRESULT MediaPlayer::Rewind() {
  if (!IsOpen()) return E_FAIL;
  stream_.SetPosition(0);
  return S_OK;
}

HRESULT MediaPlayer::SetVolume(int volume) {
  if (!IsOpen()) return E_FAIL;
  // Worked in 64 bits: a volume far out of range is refused, never overflowed.
  const int64_t hundredthsDb = (static_cast<int64_t>(volume) - 255) * 9600 / 255;
  if (hundredthsDb < kSilence || hundredthsDb > 0) return kInvalidArgument;
  volume_ = static_cast<int>(hundredthsDb);
  stream_.SetVolume(volume_);
  return S_OK;
}

HRESULT MediaPlayer::SetBalance(int balance) {
  if (!IsOpen()) return E_FAIL;
  const int64_t hundredthsDb = static_cast<int64_t>(balance) * 10000 / 128;
  if (hundredthsDb < kSilence || hundredthsDb > -kSilence) return kInvalidArgument;
  balance_ = static_cast<int>(hundredthsDb);
  stream_.SetBalance(balance_);
  return S_OK;
}

HRESULT MediaPlayer::SetLoop(int flag) {
  loop_ = flag;
  return S_OK;
}

HRESULT MediaPlayer::Update() {
  if (!IsOpen()) return E_FAIL;
  if (!stream_.IsComplete()) return S_OK;
  if (!loop_) return E_FAIL;
  stream_.SetPosition(0);  // the player keeps running, so the sound plays again from its start
  return S_OK;
}

HRESULT MediaPlayer::SeekBy(int64_t delta) {
  if (!IsOpen()) return E_FAIL;
  const int64_t latest = stream_.GetDuration();
  const int64_t current = stream_.GetPosition();
  // The delta is compared with the room on either side before it is added, so no delta overflows.
  int64_t position = 0;
  if (delta < -current) {
    position = 0;
  } else if (delta > latest - current) {
    if (!loop_) return Close();
    position = 0;
  } else {
    position = current + delta;
  }
  stream_.SetPosition(position);
  return S_OK;
}

HRESULT MediaPlayer::FitVideoToWindow() { return E_FAIL; }

HRESULT MediaPlayerPool::Allocate(uint32_t n) {
  CloseAll();
  FreeAll();
  count_ = n;
  g_MediaPlayers = new MediaPlayer[n];
  return S_OK;
}

HRESULT MediaPlayerPool::FreeAll() {
  delete[] g_MediaPlayers;
  g_MediaPlayers = nullptr;
  return S_OK;
}

HRESULT MediaPlayerPool::CloseAll() {
  if (!g_MediaPlayers) return S_OK;
  for (uint32_t i = 0; i < count_; ++i) g_MediaPlayers[i].Close();
  return S_OK;
}

void MediaPlayerPool::UpdateAll(int mode) {
  (void)mode;
  if (!g_MediaPlayers) return;
  for (uint32_t i = 0; i < count_; ++i) g_MediaPlayers[i].Update();
}
