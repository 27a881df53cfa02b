#pragma once
// Whole-file reading and writing through the data-file scrambler, and the save-file probes.
#include <cstdint>
#include <cstdio>

#include "platform/types.h"

class FileIO {
 public:
  // Reads the whole file at the game path into buffer (at most capacity bytes) and unscrambles
  // it in place. A missing file, or one larger than capacity, fails and leaves buffer untouched.
  // The number of bytes read goes to *bytesRead when given. No terminating 0 is added.
  HRESULT ReadWholeFile(const char* path, void* buffer, uint32_t capacity, uint32_t* bytesRead = nullptr);
  // Scrambles buffer in place and writes it as the whole file (atomically, creating the
  // directory when it is missing). The caller's buffer holds the scrambled bytes afterwards.
  HRESULT WriteWholeFile(const char* path, void* buffer, uint32_t size);

  int CreateSaveFile();
  int SaveFileExists();
  int FileExists(const char* path);
  int Noop() { return 0; }

  // Field operations on the open stream `file` (none open: they do nothing and report 0 bytes).
  int OpenForWrite(const char* path);
  int OpenForRead(const char* path);
  void Close();
  int WriteU32(uint32_t value);
  int WriteU16(uint16_t value);
  int WriteU16b(uint16_t value);
  int WriteString(const char* text);
  int ReadU32(uint32_t* out);
  int ReadU16(uint16_t* out);
  int ReadU16b(uint16_t* out);
  int ReadString(char* out, uint32_t capacity);

 private:
  FILE* file_ = nullptr;
};

extern FileIO g_FileIO;
