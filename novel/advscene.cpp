// The ADV scene's script: loading and its header, the per-frame phases, the command reader and
// the command handlers, and the step to the next file.
#include "novel/advscene.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "gameflow/fileerror.h"
#include "gameflow/gamestate.h"
#include "librarysauce/fileio.h"
#include "librarysauce/inputmanager.h"
#include "librarysauce/mediaplayer.h"
#include "platform/clock.h"
#include "platform/cp932.h"

AdvScene g_AdvScene;

namespace {

constexpr int kKeyZ = 44;
constexpr int kKeyReturn = 28;
constexpr int kKeyLeftCtrl = 29;
constexpr int kKeyRightCtrl = 157;
constexpr int kHeaderStart = 8;  // the header search starts here; bytes 0 to 6 are never read

// A decimal integer as the runtime's atoi reads it: leading blanks, a sign, then digits up to
// the first other byte. Out-of-range values stop growing instead of overflowing.
int ParseInt(const char* bytes, int length) {
  int i = 0;
  while (i < length && std::isspace(static_cast<unsigned char>(bytes[i]))) ++i;
  bool negative = false;
  if (i < length && (bytes[i] == '-' || bytes[i] == '+')) negative = bytes[i++] == '-';
  long long value = 0;
  for (; i < length && bytes[i] >= '0' && bytes[i] <= '9'; ++i) {
    if (value < 0x80000000LL) value = value * 10 + (bytes[i] - '0');
  }
  if (negative) value = -value;
  if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;
  if (value < -0x7FFFFFFFLL - 1) value = -0x7FFFFFFFLL - 1;
  return static_cast<int>(value);
}

// How many of the first length bytes of text can be kept within limit bytes without cutting a
// two-byte Shift-JIS character in half.
int FitAtCharBoundary(const char* text, int length, int limit) {
  int kept = 0;
  while (kept < length) {
    const int size = platform::IsCp932LeadByte(static_cast<unsigned char>(text[kept])) && kept + 1 < length ? 2 : 1;
    if (kept + size > limit) break;
    kept += size;
  }
  return kept;
}

// True when word's bytes stand at position at of a text of length bytes.
bool WordAt(const char* text, int length, int at, const char* word) {
  const int n = static_cast<int>(std::strlen(word));
  return at + n <= length && std::memcmp(text + at, word, n) == 0;
}

// The value of a header line that starts at "#0x": one separator byte after the three-byte
// word, then the rest of the line less its line end. Stays on the line.
void HeaderValue(const char* text, int length, int at, int* valueStart, int* valueLength) {
  int lineEnd = at;
  while (lineEnd < length && text[lineEnd] != '\n') ++lineEnd;
  int start = at + 4;
  if (start > lineEnd) start = lineEnd;
  int end = lineEnd;
  if (end > start && text[end - 1] == '\r') --end;  // only a real CR is stripped
  *valueStart = start;
  *valueLength = end - start;
}

MediaPlayer* Player(int slot) {
  if (!g_MediaPlayers || slot < 0 || slot >= static_cast<int>(g_MediaPlayerPool.GetCount())) return nullptr;
  return &g_MediaPlayers[slot];
}

}  // namespace

AdvScene::AdvScene() { Reset(); }

AdvScene::~AdvScene() {
  Release();
  delete message_;
  message_ = nullptr;
}

void AdvScene::Reset() {
  seCount_ = 0;
  sceneNumber_ = 0;
  readPos_ = 6;
  upperWindowGrey_ = 128;
  lowerWindowGrey_ = 255;
  upperTextGrey_ = 0;
  lowerTextGrey_ = 0;
  overlayAlpha_ = 255;
  phase_ = AdvPhase::Idle;
  textTimerStart_ = 0;
  textTimerElapsed_ = 0;
  waitValue_ = 50;
  textTimerOn_ = 0;
  keyWait_ = 0;
  activeSide_ = 0;
  messageVisible_ = 0;
  if (!message_) message_ = new AdvMessage;
  std::memset(message_, 0, sizeof *message_);
}

HRESULT AdvScene::FreeBuffers() {
  delete[] scriptText_;
  scriptText_ = nullptr;
  delete[] scriptPath_;
  scriptPath_ = nullptr;
  delete[] nextFile_;
  nextFile_ = nullptr;
  scriptLength_ = 0;
  return S_OK;
}

HRESULT AdvScene::Release() {
  FreeBuffers();
  ReleaseGraphics();
  Reset();
  return S_OK;
}

HRESULT AdvScene::LoadScript(const char* path) {
  // A second load replaces the first one's buffers; the new ones start all 0, so the text
  // always ends in a 0 byte inside its block.
  FreeBuffers();
  scriptText_ = new char[kScriptSize]();
  scriptPath_ = new char[kScriptSize]();
  const size_t pathLength = std::strlen(path);
  if (pathLength >= static_cast<size_t>(kScriptSize)) {
    std::fprintf(stderr, "ADV script: path too long\n");
    return E_FAIL;
  }
  std::memcpy(scriptPath_, path, pathLength);

  uint32_t bytesRead = 0;
  if (Failed(g_FileIO.ReadWholeFile(scriptPath_, scriptText_, kScriptSize - 1, &bytesRead))) {
    std::fprintf(stderr, "ADV script: cannot read %s\n", scriptPath_);
    return E_FAIL;
  }
  // The text ends at its first 0 byte (bytesRead at the latest).
  scriptLength_ = static_cast<int>(::strnlen(scriptText_, bytesRead));
  const int length = scriptLength_;
  const char* text = scriptText_;

  // The scene number: the first "#01" line before the first "#end".
  for (int at = kHeaderStart;; ++at) {
    if (at >= length || WordAt(text, length, at, "#end")) {
      sceneNumber_ = kSceneNumberNoHeader;
      break;
    }
    if (WordAt(text, length, at, "#01")) {
      int start = 0, count = 0;
      HeaderValue(text, length, at, &start, &count);
      if (count > 63) {
        std::fprintf(stderr, "ADV script %s: the scene number line is too long\n", scriptPath_);
        sceneNumber_ = kSceneNumberNoHeader;
        return 1;
      }
      sceneNumber_ = ParseInt(text + start, count);
      break;
    }
  }

  // The next file: the first "#02" line before the first "#end".
  nextFile_ = new char[kNextFileSize]();
  for (int at = kHeaderStart;; ++at) {
    if (at >= length || WordAt(text, length, at, "#end")) {
      sceneNumber_ = kSceneNumberNoNextFile;
      break;
    }
    if (WordAt(text, length, at, "#02")) {
      int start = 0, count = 0;
      HeaderValue(text, length, at, &start, &count);
      if (count > kNextFileSize - 1) {
        std::fprintf(stderr, "ADV script %s: the next file's name is too long\n", scriptPath_);
        sceneNumber_ = kSceneNumberNoNextFile;
        return 1;
      }
      std::memcpy(nextFile_, text + start, count);
      break;
    }
  }

  if (sceneNumber_ >= kSceneNumberNoHeader) {
    std::fprintf(stderr, "ADV script %s: \"#01\" or \"#02\" missing before \"#end\"\n", scriptPath_);
    return 1;
  }
  return S_OK;
}

int AdvScene::TextLength() const { return scriptText_ ? scriptLength_ : 0; }

int AdvScene::LineEnd(int from) const {
  const int length = TextLength();
  int end = from;
  while (end < length && scriptText_[end] != '\n') ++end;
  return end;
}

void AdvScene::Update() {
  switch (phase_) {
    case AdvPhase::Idle:
      break;
    case AdvPhase::Run:
      if (textTimerOn_) UpdateTextTimer();
      if (!keyWait_ && !textTimerOn_) RunCommand();
      CheckSkipInput();
      break;
    case AdvPhase::FadeIn:
      FadeInStep();
      ApplyOverlayAlpha();
      break;
    case AdvPhase::FadeOut:
      FadeOutStep();
      ApplyOverlayAlpha();
      break;
  }
}

int AdvScene::ReadCommandNumber() {
  const int length = TextLength();
  // Step forward (before the first test too) to the next "#", then onto the number's bytes.
  do {
    ++readPos_;
  } while (readPos_ < length && scriptText_[readPos_] != '#');
  if (readPos_ + 2 >= length) {
    // The text ends before a whole command: the same as "#end".
    readPos_ = length;
    return static_cast<int>(AdvCommand::End);
  }
  ++readPos_;
  const char* digits = scriptText_ + readPos_;
  if (digits[0] == 'e' && digits[1] == 'n') return static_cast<int>(AdvCommand::End);
  char cn[16] = {};
  std::memcpy(cn, digits, 2);
  return ParseInt(cn, 2);
}

int AdvScene::ReadIntArg() {
  // The argument stands after the first "," of the command's own line.
  const int lineEnd = LineEnd(readPos_);
  int comma = readPos_ + 1;
  while (comma < lineEnd && scriptText_[comma] != ',') ++comma;
  if (comma >= lineEnd) return 0;
  readPos_ = comma + 1;
  char cn[16] = {};
  int count = lineEnd - readPos_;
  if (count > 15) count = 15;
  std::memcpy(cn, scriptText_ + readPos_, count);
  return ParseInt(cn, count);
}

void AdvScene::ReadStringArg(char* out, int capacity) {
  std::memset(out, 0, capacity);
  const int lineEnd = LineEnd(readPos_);
  int comma = readPos_ + 1;
  while (comma < lineEnd && scriptText_[comma] != ',') ++comma;
  if (comma >= lineEnd) return;
  readPos_ = comma + 1;
  int end = lineEnd;
  if (end > readPos_ && scriptText_[end - 1] == '\r') --end;
  const int count = FitAtCharBoundary(scriptText_ + readPos_, end - readPos_, capacity - 1);
  std::memcpy(out, scriptText_ + readPos_, count);
}

void AdvScene::StartTextTimer() {
  textTimerStart_ = platform::GetTimeMs();
  textTimerElapsed_ = 0;
  textTimerOn_ = 1;
}

void AdvScene::UpdateTextTimer() {
  // The unsigned difference also holds across the counter's wrap.
  textTimerElapsed_ = platform::GetTimeMs() - textTimerStart_;
  if (textTimerElapsed_ > kTextWaitMs) textTimerOn_ = 0;
}

void AdvScene::CheckSkipInput() {
  if (g_Input.IsMouseTriggered(0) || g_Input.IsKeyTriggered(kKeyZ) ||
      g_Input.IsKeyTriggered(kKeyReturn)) {
    keyWait_ = 0;
    textTimerOn_ = 0;
  }
  if (g_Input.IsKeyDown(kKeyLeftCtrl) || g_Input.IsKeyDown(kKeyRightCtrl)) {
    keyWait_ = 0;
    textTimerOn_ = 0;
  }
}

int AdvScene::RunCommand() {
  // Without a script (or past its end) the number read is that of "#end".
  const int number = ReadCommandNumber();
  switch (static_cast<AdvCommand>(number)) {
    case AdvCommand::Quit:
      g_GameState.SetMode(GameMode::Quit);
      break;
    case AdvCommand::SpeakerUpper:
      SelectSpeakerSide(1);
      break;
    case AdvCommand::SpeakerLower:
      SelectSpeakerSide(0);
      break;
    case AdvCommand::SetWait:
      SetWait();
      break;
    case AdvCommand::FadeIn:
      StartFade(1);
      break;
    case AdvCommand::FadeOut:
      StartFade(0);
      break;
    case AdvCommand::SkipInt:
      SkipIntArg();
      break;
    case AdvCommand::SetIcon:
      SetIcon();
      break;
    case AdvCommand::ShowIcon:
      ShowIcon();
      break;
    case AdvCommand::SpeakerName:
      SetSpeakerName();
      break;
    case AdvCommand::TextLine1:
    case AdvCommand::TextLine2:
    case AdvCommand::TextLine3:
      SetTextLine(number);
      break;
    case AdvCommand::WaitKey:
      WaitForKey();
      break;
    case AdvCommand::MessageVisible:
      SetMessageVisible();
      break;
    case AdvCommand::ShowWindow:
      ShowWindow();
      break;
    case AdvCommand::ClearText:
      ClearSpeakerText();
      break;
    case AdvCommand::HideWindow:
      HideWindow();
      break;
    case AdvCommand::LoadBgm:
      LoadBgm();
      break;
    case AdvCommand::PlayBgm:
      PlayBgm();
      break;
    case AdvCommand::StopBgm:
      StopBgm();
      break;
    case AdvCommand::LoadSe:
      LoadSoundEffect();
      break;
    case AdvCommand::PlaySe:
      PlaySoundEffect();
      break;
    case AdvCommand::StopSe:
      StopSoundEffect();
      break;
    case AdvCommand::CreateSaveFile:
      g_FileIO.CreateSaveFile();
      break;
    case AdvCommand::End:
      g_GameState.SetMode(GameMode::AdvEnd);
      break;
    default:
      // 1 and 2 (the header lines), 5, and every other number: nothing, no argument read.
      break;
  }
  return 0;
}

void AdvScene::WaitForKey() { keyWait_ = 1; }
void AdvScene::SetWait() { waitValue_ = ReadIntArg(); }
void AdvScene::SkipIntArg() { ReadIntArg(); }
void AdvScene::SetMessageVisible() { messageVisible_ = ReadIntArg() == 1 ? 1 : 0; }
void AdvScene::StartFade(int fadeIn) { phase_ = fadeIn ? AdvPhase::FadeIn : AdvPhase::FadeOut; }

void AdvScene::LoadBgm() {
  char buff[128];
  ReadStringArg(buff, sizeof buff);
  if (MediaPlayer* music = Player(0)) {
    music->Open(buff);
    music->SetVolume(255);
    music->SetBalance(0);
    music->SetLoop(1);
  }
}

void AdvScene::PlayBgm() {
  if (MediaPlayer* music = Player(0)) music->Play();
}

void AdvScene::StopBgm() {
  if (MediaPlayer* music = Player(0)) music->Stop();
}

void AdvScene::LoadSoundEffect() {
  char buff[128];
  ReadStringArg(buff, sizeof buff);
  if (seCount_ >= kMaxSoundEffects) return;  // a sixth effect is read and ignored
  // The path is taken from the argument's third byte on (".\Sound\..." style names); a shorter
  // argument names nothing and takes no slot.
  if (std::strlen(buff) < 2) {
    std::fprintf(stderr, "ADV script: effect path \"%s\" too short, ignored\n", buff);
    return;
  }
  if (MediaPlayer* effect = Player(5 + seCount_)) {
    effect->Open(buff + 2);
    effect->SetVolume(255);
    effect->SetBalance(0);
    effect->SetLoop(0);
  }
  ++seCount_;
}

void AdvScene::PlaySoundEffect() {
  const int n = ReadIntArg();
  if (n < 0 || n >= kMaxSoundEffects) return;  // only the five effect slots 5 to 9
  if (MediaPlayer* effect = Player(5 + n)) {
    effect->Stop();
    effect->Rewind();
    effect->Play();
  }
}

void AdvScene::StopSoundEffect() {
  const int n = ReadIntArg();
  if (n < 0 || n >= kMaxSoundEffects) return;
  if (MediaPlayer* effect = Player(5 + n)) effect->Stop();
}

void AdvScene::FadeInStep() {
  overlayAlpha_ -= kFadeStep;
  if (overlayAlpha_ < 1) {
    overlayAlpha_ = 0;
    phase_ = AdvPhase::Run;
  }
}

void AdvScene::FadeOutStep() {
  overlayAlpha_ += kFadeStep;
  if (overlayAlpha_ >= 255) {
    overlayAlpha_ = 255;
    phase_ = AdvPhase::Run;
  }
}

void AdvScene::GetNextFileExtension(char* out) {
  std::memset(out, 0, 4);
  if (!nextFile_) {
    g_GameState.QuitOnDataError();
    return;
  }
  const char* dot = std::strrchr(nextFile_, '.');
  if (!dot) return;
  std::strncpy(out, dot + 1, 3);
}

void AdvScene::RunNextFile() {
  if (!nextFile_) {
    // Nothing left to run (the scene was already left, and the next file did not change the
    // mode): the game ends, as the next file handed over to nothing.
    g_GameState.QuitOnDataError();
    return;
  }
  char extensionType[4];
  GetNextFileExtension(extensionType);

  char cn[64] = {};
  const char* prefix = nullptr;
  if (std::strcmp(extensionType, "map") == 0) prefix = ".\\Script\\map\\";
  else if (std::strcmp(extensionType, "cnn") == 0) prefix = ".\\Script\\";
  const size_t prefixLength = prefix ? std::strlen(prefix) : 0;
  const size_t nameLength = std::strlen(nextFile_);
  const bool fits = prefix && prefixLength + nameLength < sizeof cn;
  if (fits) {
    std::memcpy(cn, prefix, prefixLength);
    std::memcpy(cn + prefixLength, nextFile_, nameLength);
  }

  // The scene is left while the game is still in an ADV mode, so its graphics go with it.
  char name[kNextFileSize];
  std::memcpy(name, nextFile_, sizeof name);
  Release();
  g_MediaPlayerPool.CloseAll();
  g_MediaPlayerPool.FreeAll();

  if (!fits || Failed(g_MainScript.LoadFile(cn))) {
    // The message names the file that could not be run.
    ShowFileError(fits ? cn : name, 0, kFileOpenFailedText);
    g_GameState.QuitOnDataError();
    return;
  }
  g_MainScript.RunMainScript();
  phase_ = AdvPhase::Idle;
}
