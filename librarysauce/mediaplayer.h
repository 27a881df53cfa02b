#pragma once
// Stand-in until the media players land.
#include <cstdint>

#include "platform/types.h"

class MediaPlayer {
 public:
  HRESULT Open(const char*) { return E_FAIL; }
  HRESULT Close() { return S_OK; }
  HRESULT Play() { return E_FAIL; }
  HRESULT Stop() { return E_FAIL; }
  HRESULT Rewind() { return E_FAIL; }
  HRESULT SetVolume(int) { return E_FAIL; }
  HRESULT SetBalance(int) { return E_FAIL; }
  HRESULT SetLoop(int) { return S_OK; }
};

class MediaPlayerPool {
 public:
  HRESULT Allocate(uint32_t n);
  HRESULT FreeAll();
  HRESULT CloseAll() { return S_OK; }
  uint32_t GetCount() const { return count_; }

 private:
  uint32_t count_ = 11;
};

extern MediaPlayer* g_MediaPlayers;
extern MediaPlayerPool g_MediaPlayerPool;
