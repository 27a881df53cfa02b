#include "platform/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "platform/clock.h"
#include "platform/paths.h"

namespace platform {

struct SoundClip {
  Mix_Chunk* chunk = nullptr;
  int64_t duration = 0;
};

struct MusicClip {
  Mix_Music* music = nullptr;
};

namespace {

bool g_audioOpen = false;
bool g_audioFailed = false;
int g_frequency = 44100;
int g_frameBytes = 4;
std::vector<bool> g_channelsInUse;
MusicClip* g_musicPlaying = nullptr;

// Decoded sounds by path. Never destroyed: players may still be closed by destructors at exit.
std::map<std::string, SoundClip*>& Clips() {
  static auto* clips = new std::map<std::string, SoundClip*>();
  return *clips;
}

bool TryOpenMixer(std::string* error) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    *error = SDL_GetError();
    return false;
  }
  Mix_Init(MIX_INIT_MP3 | MIX_INIT_MID);
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    *error = Mix_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  return true;
}

int AllocateChannel() {
  for (size_t i = 0; i < g_channelsInUse.size(); ++i) {
    if (!g_channelsInUse[i]) {
      g_channelsInUse[i] = true;
      return static_cast<int>(i);
    }
  }
  const int channel = static_cast<int>(g_channelsInUse.size());
  const int count = channel < 16 ? 16 : channel * 2;
  Mix_AllocateChannels(count);
  g_channelsInUse.resize(static_cast<size_t>(count), false);
  g_channelsInUse[static_cast<size_t>(channel)] = true;
  return channel;
}

void FreeChannel(int channel) {
  if (channel < 0 || static_cast<size_t>(channel) >= g_channelsInUse.size()) return;
  Mix_HaltChannel(channel);
  Mix_UnregisterAllEffects(channel);
  Mix_Volume(channel, MIX_MAX_VOLUME);
  g_channelsInUse[static_cast<size_t>(channel)] = false;
}

// Sound and music files are read whole by the mixer: only a regular file within this budget is
// opened; anything else fails as a missing file does.
constexpr uint64_t kSoundFileBudget = uint64_t{64} * 1024 * 1024;

SDL_RWops* OpenSoundFile(const std::string& path, std::string* error) {
  FILE* file = OpenRegularFile(path, kSoundFileBudget);
  SDL_RWops* stream = file ? SDL_RWFromFP(file, SDL_TRUE) : nullptr;
  if (!stream) {
    if (file) std::fclose(file);
    if (error) *error = "not a regular file of at most " + std::to_string(kSoundFileBudget) + " bytes";
  }
  return stream;
}

int ToSteps(double gain, int full) {
  const long steps = std::lround(gain * full);
  return steps < 0 ? 0 : (steps > full ? full : static_cast<int>(steps));
}

}  // namespace

bool OpenAudio() {
  if (g_audioOpen) return true;
  if (g_audioFailed) return false;
  std::string error;
  if (!TryOpenMixer(&error)) {
    std::fprintf(stderr, "Audio: no sound device (%s); playing silently\n", error.c_str());
    // The dummy driver takes the sound and discards it in real time: every player keeps working.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (!TryOpenMixer(&error)) {
      std::fprintf(stderr, "Audio: cannot open even the silent driver: %s\n", error.c_str());
      g_audioFailed = true;
      return false;
    }
  }
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&frequency, &format, &channels);
  g_frequency = frequency > 0 ? frequency : 44100;
  g_frameBytes = (channels > 0 ? channels : 2) * (SDL_AUDIO_BITSIZE(format) / 8 > 0 ? SDL_AUDIO_BITSIZE(format) / 8 : 2);
  g_channelsInUse.assign(16, false);
  Mix_AllocateChannels(16);
  g_audioOpen = true;
  return true;
}

bool IsAudioOpen() { return g_audioOpen; }

std::string AudioDriverName() {
  const char* name = g_audioOpen ? SDL_GetCurrentAudioDriver() : nullptr;
  return name ? name : "";
}

int PlayingSoundCount() { return g_audioOpen ? Mix_Playing(-1) : 0; }

double HundredthsDbToGain(int hundredthsDb) { return std::pow(10.0, hundredthsDb / 2000.0); }

// ---- SoundStream ----

SoundStream::~SoundStream() { Close(); }

bool SoundStream::Open(const std::string& path, std::string* error) {
  Close();
  if (!OpenAudio()) {
    if (error) *error = "no audio";
    return false;
  }
  auto& clips = Clips();
  auto found = clips.find(path);
  if (found == clips.end()) {
    SDL_RWops* file = OpenSoundFile(path, error);
    if (!file) return false;
    // WAV, MP3 and the other formats the mixer decodes, told apart by their content.
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file, 1);
    if (!chunk) {
      if (error) *error = Mix_GetError();
      return false;
    }
    SoundClip* clip = new SoundClip;
    clip->chunk = chunk;
    clip->duration = static_cast<int64_t>(chunk->alen / g_frameBytes) * kSoundUnitsPerSecond / g_frequency;
    found = clips.emplace(path, clip).first;
  }
  clip_ = found->second;
  channel_ = AllocateChannel();
  running_ = false;
  base_ = 0;
  volume_ = 0;
  balance_ = 0;
  return true;
}

void SoundStream::Close() {
  if (!clip_) return;
  HaltChannel();
  FreeChannel(channel_);
  channel_ = -1;
  clip_ = nullptr;
  running_ = false;
  base_ = 0;
}

void SoundStream::HaltChannel() {
  if (channel_ >= 0) Mix_HaltChannel(channel_);
  if (chunk_) Mix_FreeChunk(static_cast<Mix_Chunk*>(chunk_));  // frees the wrapper, not the clip's sound
  chunk_ = nullptr;
}

void SoundStream::StartChannel() {
  HaltChannel();
  if (!clip_ || channel_ < 0) return;
  const int64_t frames = base_ * g_frequency / kSoundUnitsPerSecond;
  const Uint32 offset = static_cast<Uint32>(frames) * static_cast<Uint32>(g_frameBytes);
  if (offset >= clip_->chunk->alen) return;
  Mix_Chunk* chunk = Mix_QuickLoad_RAW(clip_->chunk->abuf + offset, clip_->chunk->alen - offset);
  if (!chunk) return;
  chunk_ = chunk;
  SetVolume(volume_);
  SetBalance(balance_);
  Mix_PlayChannel(channel_, chunk, 0);
}

void SoundStream::Run() {
  if (!clip_ || running_) return;
  running_ = true;
  runStartMs_ = GetTimeMs();
  StartChannel();
}

void SoundStream::Pause() { Stop(); }

void SoundStream::Stop() {
  if (!clip_ || !running_) return;
  base_ = GetPosition();
  running_ = false;
  HaltChannel();
}

int64_t SoundStream::GetDuration() const { return clip_ ? clip_->duration : 0; }

int64_t SoundStream::GetPosition() const {
  if (!clip_) return 0;
  int64_t position = base_;
  if (running_) position += static_cast<int64_t>(static_cast<uint32_t>(GetTimeMs() - runStartMs_)) * 10000;
  return position < clip_->duration ? position : clip_->duration;
}

void SoundStream::SetPosition(int64_t position) {
  if (!clip_) return;
  base_ = position < 0 ? 0 : (position > clip_->duration ? clip_->duration : position);
  if (running_) {
    runStartMs_ = GetTimeMs();
    StartChannel();
  }
}

bool SoundStream::IsComplete() const { return clip_ && running_ && GetPosition() >= clip_->duration; }

void SoundStream::SetVolume(int hundredthsDb) {
  volume_ = hundredthsDb;
  if (channel_ >= 0) Mix_Volume(channel_, ToSteps(HundredthsDbToGain(hundredthsDb), MIX_MAX_VOLUME));
}

void SoundStream::SetBalance(int hundredthsDb) {
  balance_ = hundredthsDb;
  if (channel_ < 0) return;
  // A balance to one side attenuates the other side.
  const double left = hundredthsDb > 0 ? HundredthsDbToGain(-hundredthsDb) : 1.0;
  const double right = hundredthsDb < 0 ? HundredthsDbToGain(hundredthsDb) : 1.0;
  Mix_SetPanning(channel_, static_cast<Uint8>(ToSteps(left, 255)), static_cast<Uint8>(ToSteps(right, 255)));
}

bool SoundStream::IsMixing() const {
  return chunk_ && channel_ >= 0 && Mix_Playing(channel_) && Mix_GetChunk(channel_) == chunk_;
}

// ---- Music ----

MusicClip* LoadMusic(const std::string& path, bool asMidi, std::string* error) {
  if (!OpenAudio()) {
    if (error) *error = "no audio";
    return nullptr;
  }
  SDL_RWops* file = OpenSoundFile(path, error);
  if (!file) return nullptr;
  Mix_Music* music = nullptr;
  if (asMidi) {
    music = Mix_LoadMUSType_RW(file, MUS_MID, 1);
  } else {
    // The mixer tells the kind by the file's name, then by its content: it opens the file by its
    // name again, now that it is known to be a regular file within the budget.
    SDL_RWclose(file);
    music = Mix_LoadMUS(path.c_str());
  }
  if (!music) {
    if (error) *error = Mix_GetError();
    return nullptr;
  }
  MusicClip* clip = new MusicClip;
  clip->music = music;
  return clip;
}

void FreeMusic(MusicClip* music) {
  if (!music) return;
  HaltMusic(music);
  Mix_FreeMusic(music->music);
  delete music;
}

bool PlayMusic(MusicClip* music, int loops, std::string* error) {
  if (!music) return false;
  if (Mix_PlayMusic(music->music, loops < 0 ? -1 : loops) != 0) {
    if (error) *error = Mix_GetError();
    g_musicPlaying = nullptr;
    return false;
  }
  g_musicPlaying = music;
  return true;
}

void HaltMusic(MusicClip* music) {
  if (!g_audioOpen || !g_musicPlaying) return;
  if (music && music != g_musicPlaying) return;
  Mix_HaltMusic();
  g_musicPlaying = nullptr;
}

bool IsMusicPlaying(const MusicClip* music) {
  return g_audioOpen && music && music == g_musicPlaying && Mix_PlayingMusic();
}

void SetMusicVolume(int hundredthsDb) {
  if (g_audioOpen) Mix_VolumeMusic(ToSteps(HundredthsDbToGain(hundredthsDb), MIX_MAX_VOLUME));
}

}  // namespace platform
