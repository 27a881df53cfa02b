#include "gameflow/fileerror.h"

#include <cstdio>

#include "platform/messagebox.h"

// "ファイルOpen失敗"
const char kFileOpenFailedText[] = "\x83\x74\x83\x40\x83\x43\x83\x8b" "Open" "\x8e\xb8\x94\x73";

void ShowFileError(const char* file, int line, const char* text) {
  char Err_Str[512];
  std::snprintf(Err_Str, sizeof Err_Str, "Err: File : %s Line : %d \n %s", file ? file : "", line, text ? text : "");
  platform::ShowMessageBox(Err_Str, "Velunna ", platform::MessageBoxKind::Warning);
}
