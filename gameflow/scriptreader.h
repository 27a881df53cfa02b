#pragma once
// The script reader: one script text in memory with its read position, the start of the line
// the next run begins at, 255 event flags and the state of the "#text" command. Every scripted
// object of the game derives from it; the plain instance g_MainScript reads the main script and
// the scripts that scenes run, and interprets their '#' commands (RunMainScript).
#include <string>

#include "platform/types.h"

class ScriptReader {
 public:
  // The text block; a script fills at most kTextSize - 1 bytes, so the text always ends in a 0.
  static constexpr int kTextSize = 65535;
  static constexpr int kEventFlagCount = 255;
  // File arguments are built in a buffer of this many bytes, prefix and final 0 included.
  static constexpr int kFileNameSize = 128;

  ScriptReader();
  virtual ~ScriptReader();
  ScriptReader(const ScriptReader&) = delete;
  ScriptReader& operator=(const ScriptReader&) = delete;

  // Reads a whole scrambled script file into a fresh, zeroed text block and starts it from its
  // first line. A missing or unreadable file, or one of more than kTextSize - 1 bytes, fails
  // with an all-0 text and no file name; the event flags stay as they were either way.
  HRESULT LoadFile(const char* path);
  // Frees the text, the file name and the nested reader.
  void Release();
  void ClearEventFlags();
  const char* GetFileName() const { return fileName_; }

  // Runs the script's commands from lineStart until one chooses what the game does next.
  // 0 after a scene command, 1 after "#end", 0x80004005 after "#Load"; 0x80004005 also when the
  // text ends before any of those (the file-error message is shown and the game quits).
  HRESULT RunMainScript();

  // The "#setfield" command (the field scene's list).
  virtual HRESULT SetField();

  // Ages the lines of the text log and steps over an 11-byte command word.
  HRESULT AgeTextLog();

  // Read-only views for the game's checks and tests.
  const char* GetText() const { return text_; }
  int GetPosition() const { return position_; }
  int GetLineStart() const { return lineStart_; }
  int GetTextState() const { return textState_; }
  int GetEventFlag(int index) const;
  void SetEventFlag(int index, int value);

 protected:
  // The command handlers; each leaves position and lineStart as the command table says.
  HRESULT SetNovel();
  HRESULT SetAction();
  HRESULT ResumeDungeon();
  HRESULT SetStartMenu();
  HRESULT Save();
  HRESULT Load();
  HRESULT RunText();

  // Length of the text: bytes before its first 0 (0 without a text).
  int TextEnd() const;
  // Index of the first byte after the line that holds pos (its "\r\n" or bare "\n" stepped
  // over), or the text's end when the line is the last one.
  int NextLineStart(int pos) const;
  // Index where the line that holds pos ends: its "\r\n", its bare "\n", or the text's end.
  int LineContentEnd(int pos) const;
  // True when the bytes at position begin with keyword (compared over the keyword's length).
  bool AtKeyword(const char* keyword) const;
  // The argument scan of the file commands: steps over keyword and one separator byte, skips
  // TABs, and builds prefix + the rest of the line in FileName. False when it does not fit.
  bool ScanFileArgument(const char* keyword, const char* prefix, char (&FileName)[kFileNameSize]);
  // 1-based number of the line that holds pos.
  int LineNumberAt(int pos);

  char* text_ = nullptr;
  char* fileName_ = nullptr;
  int position_ = 0;
  int lineStart_ = 0;
  int eventFlags_[kEventFlagCount] = {};
  int runFlag_ = 0;
  int textState_ = 0;
  ScriptReader* child_ = nullptr;

 private:
  // The run reached the end of its text without a command that returns.
  HRESULT FailAtEndOfText();
  void ReportUnknownCommand(int lineNumber);
  // Look-ahead of the "#text" command: scans the lines after the shown text up to the next
  // text, page or end command, on copies that are put back afterwards.
  void LookAheadText();

  // The path given to the last LoadFile, whatever came of it (for the messages).
  std::string lastPath_;
  // Length of the text during a run.
  int textEnd_ = 0;
  // Where line counting stopped last (LineNumberAt).
  int countedPos_ = 0;
  int countedLine_ = 1;
};

// The main script's reader.
extern ScriptReader g_MainScript;
