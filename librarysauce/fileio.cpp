#include "librarysauce/fileio.h"

// Placeholder until the file road lands: every operation fails or reports nothing.
FileIO g_FileIO;

HRESULT FileIO::ReadWholeFile(const char*, void*, uint32_t, uint32_t*) { return E_FAIL; }
HRESULT FileIO::WriteWholeFile(const char*, void*, uint32_t) { return E_FAIL; }
int FileIO::CreateSaveFile() { return 1; }
int FileIO::SaveFileExists() { return 1; }
int FileIO::FileExists(const char*) { return 0; }
int FileIO::OpenForWrite(const char*) { return 0; }
int FileIO::OpenForRead(const char*) { return 0; }
void FileIO::Close() {}
int FileIO::WriteU32(uint32_t) { return 0; }
int FileIO::WriteU16(uint16_t) { return 0; }
int FileIO::WriteU16b(uint16_t) { return 0; }
int FileIO::WriteString(const char*) { return 0; }
int FileIO::ReadU32(uint32_t*) { return 0; }
int FileIO::ReadU16(uint16_t*) { return 0; }
int FileIO::ReadU16b(uint16_t*) { return 0; }
int FileIO::ReadString(char*, uint32_t) { return 0; }
