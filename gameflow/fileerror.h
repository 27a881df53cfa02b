#pragma once
// The file-error message every part of the game shows when a file it needs cannot be used:
// "Err: File : <file> Line : <line> \n <what happened>" under the caption "Velunna ", in an OK
// box with the warning icon.

// "ファイルOpen失敗": the file could not be opened or read.
extern const char kFileOpenFailedText[];

// Formats the message (bounded to 512 bytes, like the game's other error texts) and shows it.
void ShowFileError(const char* file, int line, const char* text);
