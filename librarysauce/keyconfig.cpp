#include "librarysauce/keyconfig.h"

#include <cstdio>

#include "librarysauce/fileio.h"
#include "platform/input.h"
#include "platform/messagebox.h"

KeyConfig g_KeyConfig;

const char KeyConfig::kFilePath[] = ".\\SAVE\\Config.ini";

namespace {
constexpr int32_t kDefaultJoyButtons[KeyConfig::kButtonCount] = {3, 2, 8, 1, 5, 1, 2};
constexpr int32_t kDefaultKeys[KeyConfig::kButtonCount] = {
    platform::DIK_Z, platform::DIK_X, platform::DIK_SPACE, platform::DIK_C,
    platform::DIK_A, platform::DIK_Z, platform::DIK_X,
};

// "ファイルOpen失敗" in Shift-JIS.
const char kOpenFailed[] = "\x83\x74\x83\x40\x83\x43\x83\x8b" "Open" "\x8e\xb8\x94\x73";
const char kCaption[] = "Velunna ";
// The size of the buffer the file is read into: a file that does not fit is refused.
constexpr uint32_t kReadBufferSize = 128;
}  // namespace

KeyConfig::KeyConfig() { SetDefaults(); }

void KeyConfig::SetDefaults() {
  for (int i = 0; i < kButtonCount; ++i) {
    joyButton_[i] = kDefaultJoyButtons[i];
    key_[i] = kDefaultKeys[i];
  }
}

void KeyConfig::Load() {
  SetDefaults();
  uint8_t buff[kReadBufferSize] = {};
  uint32_t bytesRead = 0;
  if (g_FileIO.ReadWholeFile(kFilePath, buff, sizeof buff, &bytesRead) < 0) {
    char Err_Str[512];
    std::snprintf(Err_Str, sizeof Err_Str, "Err: File : %s Line : %d \n %s", "librarysauce\\joy", 82, kOpenFailed);
    platform::ShowMessageBox(Err_Str, kCaption, platform::MessageBoxKind::Warning);
    return;
  }
  // Numbers beyond the end of a short file keep their defaults, and so does a number no
  // controller button has (a damaged file); the file itself changes only when the player saves.
  for (uint32_t i = 0; i < kFileSize && i < bytesRead; ++i) {
    const int number = static_cast<int8_t>(buff[i]);
    if (number >= 0 && number < platform::kJoyButtonCount) joyButton_[i] = number;
  }
}

bool KeyConfig::IsValid(LogicalButton button) {
  const int index = static_cast<int>(button);
  return index >= 0 && index < kButtonCount;
}

int KeyConfig::GetJoyButton(LogicalButton button) const {
  return IsValid(button) ? joyButton_[static_cast<int>(button)] : -1;
}

void KeyConfig::SetJoyButton(LogicalButton button, int number) {
  if (IsValid(button)) joyButton_[static_cast<int>(button)] = number;
}

int KeyConfig::GetKey(LogicalButton button) const { return IsValid(button) ? key_[static_cast<int>(button)] : -1; }

void KeyConfig::SetKey(LogicalButton button, int code) {
  if (IsValid(button)) key_[static_cast<int>(button)] = code;
}

void KeyConfig::GetFileRecord(uint8_t record[kFileSize]) const {
  for (uint32_t i = 0; i < kFileSize; ++i) record[i] = static_cast<uint8_t>(joyButton_[i] & 0xFF);
}
