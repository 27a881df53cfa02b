#include "gameflow/scriptreader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>

#include "act/mapmodel.h"
#include "field/fieldscene.h"
#include "gameflow/fileerror.h"
#include "gameflow/gamestate.h"
#include "librarysauce/fileio.h"
#include "librarysauce/inputmanager.h"
#include "librarysauce/textlog.h"
#include "novel/advscene.h"
#include "platform/cp932.h"
#include "startmenu/startmenu.h"

ScriptReader g_MainScript;

namespace {

const char kNovelDirectory[] = ".\\Script\\adv\\";
const char kStartMenuDirectory[] = ".\\Data\\Script\\stm\\";
const char kFieldDirectory[] = ".\\Data\\Script\\map\\";

// "スクリプトが終わりました（#end がありません）": the text ended before any command that
// chooses what the game does next.
const char kScriptEndedText[] =
    "\x83\x58\x83\x4e\x83\x8a\x83\x76\x83\x67\x82\xaa\x8f\x49\x82\xed\x82\xe8\x82\xdc\x82\xb5\x82\xbd\x81\x69"
    "#end "
    "\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x6a";
// "ファイル名が長すぎます": a file name that does not fit its buffer.
const char kNameTooLongText[] = "\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC\x82\xAA\x92\xB7\x82\xB7\x82\xAC\x82\xDC\x82\xB7";
// "ファイルの中身が正しくありません": the file was read but is not what its command needs.
const char kBadContentText[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x92\x86\x90\x67\x82\xAA\x90\xB3\x82\xB5\x82\xAD\x82\xA0\x82\xE8"
    "\x82\xDC\x82\xB9\x82\xF1";

// Mouse button 0 or Enter (28, keypad 156) newly pressed, or a Ctrl key (29, 157) held.
bool IsGoOnInput() {
  return g_Input.IsMouseTriggered(0) || g_Input.IsKeyTriggered(28) ||
         g_Input.IsKeyTriggered(156) || g_Input.IsKeyDown(29) || g_Input.IsKeyDown(157);
}

}  // namespace

ScriptReader::ScriptReader() = default;

ScriptReader::~ScriptReader() { Release(); }

HRESULT ScriptReader::LoadFile(const char* path) {
  delete[] text_;
  text_ = nullptr;
  delete[] fileName_;
  fileName_ = nullptr;
  lastPath_ = path ? path : "";
  countedPos_ = 0;
  countedLine_ = 1;
  textEnd_ = 0;

  text_ = new char[kTextSize]();
  // One byte of the block stays 0, so the text always ends inside it; a longer file is refused.
  if (!path || g_FileIO.ReadWholeFile(path, text_, kTextSize - 1) < 0) return E_FAIL;
  text_[kTextSize - 1] = 0;
  textEnd_ = TextEnd();

  const size_t length = std::strlen(path);
  fileName_ = new char[length + 1];
  std::memcpy(fileName_, path, length + 1);
  position_ = 0;
  lineStart_ = 0;
  textState_ = 0;
  return S_OK;
}

void ScriptReader::Release() {
  delete[] text_;
  text_ = nullptr;
  delete[] fileName_;
  fileName_ = nullptr;
  delete child_;
  child_ = nullptr;
  lastPath_.clear();
}

void ScriptReader::ClearEventFlags() { std::fill(std::begin(eventFlags_), std::end(eventFlags_), 0); }

int ScriptReader::GetEventFlag(int index) const {
  return index >= 0 && index < kEventFlagCount ? eventFlags_[index] : 0;
}

void ScriptReader::SetEventFlag(int index, int value) {
  if (index >= 0 && index < kEventFlagCount) eventFlags_[index] = value;
}

int ScriptReader::TextEnd() const { return text_ ? static_cast<int>(strnlen(text_, kTextSize)) : 0; }

int ScriptReader::NextLineStart(int pos) const {
  int i = pos;
  while (i < textEnd_ && text_[i] != '\n') ++i;
  return i < textEnd_ ? i + 1 : textEnd_;
}

int ScriptReader::LineContentEnd(int pos) const {
  int i = pos;
  while (i < textEnd_ && text_[i] != '\n') ++i;
  if (i > pos && text_[i - 1] == '\r') --i;
  return i;
}

bool ScriptReader::AtKeyword(const char* keyword) const {
  const int length = static_cast<int>(std::strlen(keyword));
  return position_ + length <= textEnd_ && std::memcmp(text_ + position_, keyword, static_cast<size_t>(length)) == 0;
}

int ScriptReader::LineNumberAt(int pos) {
  // Counting goes on from the last count, so a run that reports many lines stays linear.
  if (pos < countedPos_) {
    countedPos_ = 0;
    countedLine_ = 1;
  }
  const int end = std::min(pos, textEnd_);
  for (; countedPos_ < end; ++countedPos_) {
    if (text_[countedPos_] == '\n') ++countedLine_;
  }
  return countedLine_;
}

bool ScriptReader::ScanFileArgument(const char* keyword, const char* prefix, char (&FileName)[kFileNameSize]) {
  int pos = position_ + static_cast<int>(std::strlen(keyword));
  // One separator byte, whatever it is, unless the line ends right after the keyword.
  if (pos < textEnd_ && text_[pos] != '\n') ++pos;
  while (pos < textEnd_ && text_[pos] == '\t') ++pos;
  position_ = std::min(pos, textEnd_);

  const size_t prefixLength = std::strlen(prefix);
  const size_t argumentLength = static_cast<size_t>(LineContentEnd(position_) - position_);
  std::memset(FileName, 0, sizeof FileName);
  // Whatever fits is kept (for messages); an argument that does not fit fails the command.
  const size_t room = sizeof FileName - 1;
  const size_t prefixCopied = std::min(prefixLength, room);
  std::memcpy(FileName, prefix, prefixCopied);
  const size_t argumentCopied = std::min(argumentLength, room - prefixCopied);
  std::memcpy(FileName + prefixCopied, text_ + position_, argumentCopied);
  if (prefixLength + argumentLength > room) {
    std::fprintf(stderr, "Velunna: %s line %d: the file name after %s is too long\n", lastPath_.c_str(),
                 LineNumberAt(position_), keyword);
    return false;
  }
  return true;
}

HRESULT ScriptReader::RunMainScript() {
  textEnd_ = TextEnd();
  position_ = std::min(std::max(lineStart_, 0), textEnd_);
  for (;;) {
    if (position_ >= textEnd_) return FailAtEndOfText();
    if (text_[position_] != '#') {
      position_ = NextLineStart(position_);
      lineStart_ = position_;
      continue;
    }
    if (AtKeyword("#text")) {
      RunText();
      continue;
    }
    if (AtKeyword("#setnovel")) return SetNovel();
    if (AtKeyword("#setaction")) return SetAction();
    if (AtKeyword("#resumedungeon")) return ResumeDungeon();
    if (AtKeyword("#setstartmenu")) return SetStartMenu();
    if (AtKeyword("#setfield")) return SetField();
    if (AtKeyword("#save")) {
      Save();
      continue;
    }
    if (AtKeyword("#Load")) {
      Load();
      return E_FAIL;
    }
    if (AtKeyword("#end")) {
      g_GameState.SetMode(GameMode::Quit);
      return 1;
    }
    // A word that is no command: skip its line.
    ReportUnknownCommand(LineNumberAt(position_));
    position_ = NextLineStart(position_);
    lineStart_ = position_;
  }
}

HRESULT ScriptReader::FailAtEndOfText() {
  if (fileName_) {
    ShowFileError(fileName_, LineNumberAt(textEnd_), kScriptEndedText);
  } else {
    ShowFileError(lastPath_.c_str(), 0, kFileOpenFailedText);
  }
  g_GameState.QuitOnDataError();
  return E_FAIL;
}

void ScriptReader::ReportUnknownCommand(int lineNumber) {
  // Once per script line, however often the script runs.
  static std::set<std::pair<std::string, int>> reported;
  if (!reported.insert({lastPath_, lineNumber}).second) return;
  int wordEnd = position_;
  while (wordEnd < textEnd_ && wordEnd - position_ < 32 && text_[wordEnd] != ' ' && text_[wordEnd] != '\t' &&
         text_[wordEnd] != '\r' && text_[wordEnd] != '\n') {
    ++wordEnd;
  }
  const std::string word = platform::Cp932ToUtf8(text_ + position_, static_cast<size_t>(wordEnd - position_));
  std::fprintf(stderr, "Velunna: %s line %d: unknown command %s skipped\n", lastPath_.c_str(), lineNumber,
               word.c_str());
}

HRESULT ScriptReader::SetNovel() {
  char FileName[kFileNameSize];
  if (!ScanFileArgument("#setnovel", kNovelDirectory, FileName)) {
    ShowFileError(lastPath_.c_str(), LineNumberAt(position_), kNameTooLongText);
    g_GameState.QuitOnDataError();
    return S_OK;
  }
  const HRESULT loaded = g_AdvScene.LoadScript(FileName);
  if (loaded != 0) {
    // The game ends here: say which story could not be used rather than close without a word.
    ShowFileError(FileName, 0, loaded < 0 ? kFileOpenFailedText : kBadContentText);
    g_GameState.QuitOnDataError();
    return S_OK;
  }
  g_GameState.SetMode(g_GameState.GetMode() + 1);
  g_GameState.SetNextMode(GameMode::AdvSetUp);
  return S_OK;
}

HRESULT ScriptReader::SetAction() {
  char FileName[kFileNameSize];
  const bool fits = ScanFileArgument("#setaction", "", FileName);
  lineStart_ = position_;
  if (!fits || g_MapModel.SetStageList(FileName) != 0) {
    // Only a name too long for its path fails the list.
    ShowFileError(lastPath_.c_str(), LineNumberAt(position_), kNameTooLongText);
    g_GameState.QuitOnDataError();
    return S_OK;
  }
  g_GameState.SetMode(g_GameState.GetMode() + 1);
  g_GameState.SetNextMode(GameMode::ActionStart);
  return S_OK;
}

HRESULT ScriptReader::ResumeDungeon() {
  position_ = std::min(position_ + static_cast<int>(sizeof "#resumedungeon"), textEnd_);
  lineStart_ = position_;
  g_GameState.SetMode(GameMode::ActionStart);
  return S_OK;
}

HRESULT ScriptReader::SetStartMenu() {
  char FileName[kFileNameSize];
  if (!ScanFileArgument("#setstartmenu", kStartMenuDirectory, FileName)) {
    ShowFileError(lastPath_.c_str(), LineNumberAt(position_), kNameTooLongText);
    g_GameState.QuitOnDataError();
    return S_OK;
  }
  // The menu reports a list it cannot use itself.
  if (g_StartMenu.LoadMenu(FileName) != 0) {
    g_GameState.QuitOnDataError();
    return S_OK;
  }
  g_GameState.SetMode(GameMode::StartMenuSetUp);
  return S_OK;
}

HRESULT ScriptReader::SetField() {
  char FileName[kFileNameSize];
  if (ScanFileArgument("#setfield", kFieldDirectory, FileName)) {
    // A list that cannot be read is recorded by the scene; its set-up reports it.
    g_FieldScene.LoadMap(FileName);
  } else {
    g_FieldScene.MarkLoadFailed(lastPath_.c_str(), LineNumberAt(position_), kNameTooLongText);
  }
  g_GameState.SetMode(GameMode::FieldSetUp);
  return S_OK;
}

HRESULT ScriptReader::Save() {
  g_FileIO.CreateSaveFile();
  position_ = std::min(position_ + static_cast<int>(std::strlen("#save")), textEnd_);
  lineStart_ = position_;
  return S_OK;
}

HRESULT ScriptReader::Load() {
  g_FileIO.SaveFileExists();
  position_ = std::min(position_ + static_cast<int>(std::strlen("#Load")), textEnd_);
  lineStart_ = position_;
  return S_OK;
}

// Each "#text" line is shown once per run and reading always goes on with the next line, so a
// run never waits inside a frame: the states only record how far the text has got.
//   0 show: the line goes to the text log (state 1).
//   1 wait for the log: once the log reports the line shown, state 2.
//   2 look ahead over the following lines (state 3).
//   3 wait for the reader: a click, Enter or a held Ctrl brings the state back to 0.
// A new "#text" line ends whatever wait the text before it was in.
HRESULT ScriptReader::RunText() {
  const int nextLine = NextLineStart(position_);

  int pos = position_ + static_cast<int>(std::strlen("#text"));
  if (pos < textEnd_ && text_[pos] != '\n') ++pos;
  while (pos < textEnd_ && text_[pos] == '\t') ++pos;
  pos = std::min(pos, textEnd_);
  // The log cuts a line too long for it (never inside a two-byte character).
  g_TextLog.AddLine(text_ + pos, LineContentEnd(pos) - pos);
  textState_ = 1;

  if (g_TextLog.IsDone()) {
    textState_ = 2;
    LookAheadText();
  }
  if (textState_ == 3 && IsGoOnInput()) textState_ = 0;

  position_ = nextLine;
  lineStart_ = position_;
  return S_OK;
}

void ScriptReader::LookAheadText() {
  const int savedPosition = position_;
  const int savedLineStart = lineStart_;
  const std::unique_ptr<char[]> savedText(new char[kTextSize]);
  std::memcpy(savedText.get(), text_, kTextSize);
  int savedEventFlags[kEventFlagCount];
  std::memcpy(savedEventFlags, eventFlags_, sizeof savedEventFlags);

  position_ = NextLineStart(position_);
  lineStart_ = position_;
  textState_ = 0;
  // Up to the next text, end, title or page command. "#jump", "#flag_set", "#flag_if",
  // "#script_file" and "#file_jump" are known words without an action yet: they are passed
  // over like every other line.
  while (position_ < textEnd_) {
    if (AtKeyword("#text") || AtKeyword("#end") || AtKeyword("#title") || AtKeyword("#change_page")) break;
    position_ = NextLineStart(position_);
    lineStart_ = position_;
  }

  position_ = savedPosition;
  lineStart_ = savedLineStart;
  std::memcpy(text_, savedText.get(), kTextSize);
  std::memcpy(eventFlags_, savedEventFlags, sizeof savedEventFlags);
  textState_ = 3;
}

HRESULT ScriptReader::AgeTextLog() {
  g_TextLog.AgeLines();
  textEnd_ = TextEnd();
  position_ = std::min(position_ + 11, textEnd_);
  lineStart_ = position_;
  return S_OK;
}
