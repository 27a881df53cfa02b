#include "librarysauce/mediaplayer.h"

MediaPlayer* g_MediaPlayers = nullptr;
MediaPlayerPool g_MediaPlayerPool;

HRESULT MediaPlayerPool::Allocate(uint32_t n) {
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
