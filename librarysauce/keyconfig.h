#pragma once
// The seven logical buttons, each with one keyboard key and one controller button. Only the
// controller numbers are configurable; they live in ".\SAVE\Config.ini", seven scrambled bytes,
// one signed byte per logical button.
#include <cstdint>

enum class LogicalButton : int {
  Attack = 0,
  Jump = 1,
  Pause = 2,
  Guard = 3,
  Teleport = 4,
  Decide = 5,
  Cancel = 6,
};

class KeyConfig {
 public:
  static constexpr int kButtonCount = 7;
  // The key-configuration file and the size of its record.
  static const char kFilePath[];
  static constexpr uint32_t kFileSize = 7;

  // Sets the defaults. The file is read by Load, once the game's directory is in place.
  KeyConfig();
  ~KeyConfig() = default;

  // Sets the defaults, then reads the controller numbers from the file. A missing or unreadable
  // file is reported in a message box and the defaults stay; a short file sets only the numbers
  // it holds, and a number outside 0..31 leaves its button on the default.
  void Load();

  // A logical button outside 0..6 has no assignment: the getters answer -1, which no input test
  // takes as pressed, and the setters change nothing.
  int GetJoyButton(LogicalButton button) const;
  void SetJoyButton(LogicalButton button, int number);
  int GetKey(LogicalButton button) const;
  void SetKey(LogicalButton button, int code);

  // The file's record: the low byte of each controller number, in logical-button order (written
  // scrambled with FileIO::WriteWholeFile by the key-configuration screen).
  void GetFileRecord(uint8_t record[kFileSize]) const;

 private:
  static bool IsValid(LogicalButton button);
  void SetDefaults();

  int32_t joyButton_[kButtonCount];
  int32_t key_[kButtonCount];
};

extern KeyConfig g_KeyConfig;
