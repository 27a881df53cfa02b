#pragma once
// Sound through SDL2_mixer: decoded WAV and MP3 sounds played on mixer channels, and the mixer's one
// music stream. Without a sound card the mixer runs on SDL's silent "dummy" driver, so everything
// keeps working, silently.
//
// Volumes and balances are in hundredths of a decibel, as the game gives them (-10000..0 for a
// volume; a balance attenuates the other side by that much). Positions are in 100-ns units.
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

constexpr int64_t kSoundUnitsPerSecond = 10000000;

// Opens the mixer once (later calls answer whether it is open); falls back to the dummy driver.
bool OpenAudio();
bool IsAudioOpen();
// The SDL audio driver in use ("dummy" when silent), empty when the mixer is not open.
std::string AudioDriverName();
// How many mixer channels are sounding now (any stream).
int PlayingSoundCount();
// Linear gain for an attenuation in hundredths of a decibel: 10^(db / 2000).
double HundredthsDbToGain(int hundredthsDb);

struct SoundClip;  // a decoded sound, cached by file path

// One sound file on a mixer channel of its own. The position is kept on the game's millisecond
// clock (platform::GetTimeMs), not read from the mixer, so it advances the same way whether the
// sound is heard or not, and tests can drive it with their own clock.
class SoundStream {
 public:
  SoundStream() = default;
  ~SoundStream();
  SoundStream(const SoundStream&) = delete;
  SoundStream& operator=(const SoundStream&) = delete;

  // Opens a file on disk (decoded sounds are kept, so opening it again is cheap). The stream starts
  // stopped at position 0.
  bool Open(const std::string& path, std::string* error);
  void Close();
  bool IsOpen() const { return clip_ != nullptr; }

  // Run plays from the current position; running already, it does nothing.
  void Run();
  // Pause and Stop both halt the sound and keep the position.
  void Pause();
  void Stop();
  bool IsRunning() const { return running_; }

  int64_t GetDuration() const;
  int64_t GetPosition() const;
  // Moves to a position (clamped to the sound); a running stream plays on from there.
  void SetPosition(int64_t position);
  // Running and at the end of the sound.
  bool IsComplete() const;

  void SetVolume(int hundredthsDb);
  void SetBalance(int hundredthsDb);
  // The mixer channel is playing this sound right now (the dummy driver plays in real time too).
  bool IsMixing() const;

 private:
  void StartChannel();
  void HaltChannel();

  SoundClip* clip_ = nullptr;
  int channel_ = -1;
  void* chunk_ = nullptr;  // the part of the clip being played, from the position on
  bool running_ = false;
  int64_t base_ = 0;         // position when the stream last started or moved
  uint32_t runStartMs_ = 0;  // clock time of that moment
  int volume_ = 0;
  int balance_ = 0;
};

// The mixer's one music stream (MIDI, MP3, Ogg and whatever else SDL2_mixer decodes).
struct MusicClip;
// Loads a music file; asMidi treats it as a standard MIDI file whatever its content looks like.
MusicClip* LoadMusic(const std::string& path, bool asMidi, std::string* error);
void FreeMusic(MusicClip* music);
// Plays music on the one stream, replacing what it played: loops < 0 for ever, else that many times.
bool PlayMusic(MusicClip* music, int loops, std::string* error);
// Halts the stream when it is playing this music (null: whatever it plays).
void HaltMusic(MusicClip* music);
bool IsMusicPlaying(const MusicClip* music);
void SetMusicVolume(int hundredthsDb);

}  // namespace platform
