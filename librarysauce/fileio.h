#pragma once
// Whole-file reading and writing through the data-file scrambler, and the save-file probes.
// Every path is a game path (".\SAVE\Config.ini"), resolved against the data directory. Only
// regular files are read or probed: a directory, a device or a pipe counts as missing.
#include <cstdint>
#include <cstdio>

#include "platform/types.h"

class FileIO {
 public:
  FileIO() = default;
  ~FileIO() { Close(); }
  FileIO(const FileIO&) = delete;
  FileIO& operator=(const FileIO&) = delete;

  // Reads the whole file at the game path into buffer (at most capacity bytes) and unscrambles
  // it in place. A missing file, or one larger than capacity, fails and leaves buffer untouched.
  // The number of bytes read goes to *bytesRead when given. No terminating 0 is added.
  HRESULT ReadWholeFile(const char* path, void* buffer, uint32_t capacity, uint32_t* bytesRead = nullptr);
  // Scrambles buffer in place and writes it as the whole file (atomically, creating the
  // directory when it is missing). The caller's buffer holds the scrambled bytes afterwards.
  // A failed write leaves any earlier file as it was.
  HRESULT WriteWholeFile(const char* path, void* buffer, uint32_t size);

  // ".\SAVE\TestSave.sav" made empty (the directory created when missing): 0, or 1 on failure.
  int CreateSaveFile();
  // 0 when the save file exists, 1 when it does not.
  int SaveFileExists();
  // 1 when the file at the game path exists, 0 when it does not.
  int FileExists(const char* path);
  int Noop() { return 0; }

  // Field operations on the open stream `file` (none open: they do nothing and report 0 bytes).
  // OpenForWrite and OpenForRead close any stream held, then open the game path: 0, or 1 on
  // failure. Fields are little-endian; a string is a u32 byte count and its bytes.
  int OpenForWrite(const char* path);
  int OpenForRead(const char* path);
  void Close();
  int WriteU32(uint32_t value);   // bytes written
  int WriteU16(uint16_t value);   // bytes written
  int WriteU16b(uint16_t value);  // the same as WriteU16
  int WriteString(const char* text);  // characters written after the count
  int ReadU32(uint32_t* out);     // bytes read
  int ReadU16(uint16_t* out);     // bytes read
  int ReadU16b(uint16_t* out);    // the same as ReadU16
  // Reads a string into out (at most capacity − 1 bytes and a terminating 0); the part of a longer
  // string that does not fit is skipped. Returns the number of bytes stored before the 0.
  int ReadString(char* out, uint32_t capacity);

 private:
  FILE* file_ = nullptr;
};

extern FileIO g_FileIO;
