#include "librarysauce/fileio.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "librarysauce/filescrambler.h"
#include "platform/paths.h"

FileIO g_FileIO;

namespace {

namespace fs = std::filesystem;

constexpr const char* kSaveDirectory = ".\\SAVE\\";
constexpr const char* kSaveFile = ".\\SAVE\\TestSave.sav";

// Files that are only probed or read field by field have no size budget of their own.
constexpr uint64_t kAnySize = UINT64_MAX;

// Opens an existing regular file for reading; anything else counts as missing.
FILE* OpenExistingForRead(const std::string& path, uint64_t maxBytes = kAnySize) {
  return platform::OpenRegularFile(path, maxBytes);
}

void PutLittleEndian(unsigned char* bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

uint32_t GetLittleEndian(const unsigned char* bytes, int count) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value |= static_cast<uint32_t>(bytes[i]) << (8 * i);
  return value;
}

}  // namespace

HRESULT FileIO::ReadWholeFile(const char* path, void* buffer, uint32_t capacity, uint32_t* bytesRead) {
  if (bytesRead) *bytesRead = 0;
  if (!path) return E_FAIL;
  // A file that does not fit the caller's buffer is refused before a byte of it is read.
  FILE* in = OpenExistingForRead(platform::ResolvePath(path), capacity);
  if (!in) return E_FAIL;
  std::fseek(in, 0, SEEK_END);
  const long size = std::ftell(in);
  std::fseek(in, 0, SEEK_SET);
  if (size < 0 || static_cast<unsigned long>(size) > capacity || (size > 0 && !buffer)) {
    std::fclose(in);
    return E_FAIL;
  }
  const size_t got = size > 0 ? std::fread(buffer, 1, static_cast<size_t>(size), in) : 0;
  const bool readError = std::ferror(in) != 0;
  std::fclose(in);
  if (readError) return E_FAIL;
  // An empty file still re-seeds the generator, as every scrambler pass does.
  g_FileScrambler.XorBuffer(buffer, buffer, static_cast<uint32_t>(got));
  if (bytesRead) *bytesRead = static_cast<uint32_t>(got);
  return S_OK;
}

HRESULT FileIO::WriteWholeFile(const char* path, void* buffer, uint32_t size) {
  if (!path || (size > 0 && !buffer)) return E_FAIL;
  const std::string target = platform::ResolvePath(path);
  const fs::path parent = fs::path(target).parent_path();
  std::error_code ec;
  if (!parent.empty() && !fs::is_directory(parent, ec)) {
    fs::create_directories(parent, ec);
    if (ec) return E_FAIL;
  }
  // The new content goes to a temporary file beside the old one and replaces it only once every
  // byte is written, so a failed write (a full disk) leaves the old file as it was.
  const std::string temp = target + ".tmp";
  FILE* out = std::fopen(temp.c_str(), "wb");
  if (!out) return E_FAIL;
  g_FileScrambler.XorBuffer(buffer, buffer, size);
  bool ok = size == 0 || std::fwrite(buffer, 1, size, out) == size;
  ok = std::fflush(out) == 0 && ok;
  ok = std::fclose(out) == 0 && ok;
  if (ok) ok = std::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    std::remove(temp.c_str());
    return E_FAIL;
  }
  return S_OK;
}

int FileIO::CreateSaveFile() {
  Close();
  file_ = std::fopen(platform::ResolvePath(kSaveFile).c_str(), "wb");
  if (!file_) {
    // The save directory is made on first use (one level), then the open is tried once more.
    std::error_code ec;
    fs::create_directory(platform::ResolvePath(kSaveDirectory), ec);
    file_ = std::fopen(platform::ResolvePath(kSaveFile).c_str(), "wb");
    if (!file_) return 1;
  }
  Close();
  return 0;
}

int FileIO::SaveFileExists() {
  Close();
  file_ = OpenExistingForRead(platform::ResolvePath(kSaveFile));
  if (!file_) return 1;
  Close();
  return 0;
}

int FileIO::FileExists(const char* path) {
  if (!path) return 0;
  FILE* stream = OpenExistingForRead(platform::ResolvePath(path));
  if (!stream) return 0;
  std::fclose(stream);
  return 1;
}

int FileIO::OpenForWrite(const char* path) {
  Close();
  if (!path) return 1;
  file_ = std::fopen(platform::ResolvePath(path).c_str(), "wb");
  return file_ ? 0 : 1;
}

int FileIO::OpenForRead(const char* path) {
  Close();
  if (!path) return 1;
  file_ = OpenExistingForRead(platform::ResolvePath(path));
  return file_ ? 0 : 1;
}

void FileIO::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

int FileIO::WriteU32(uint32_t value) {
  if (!file_) return 0;
  unsigned char bytes[4];
  PutLittleEndian(bytes, value, 4);
  return static_cast<int>(std::fwrite(bytes, 1, 4, file_));
}

int FileIO::WriteU16(uint16_t value) {
  if (!file_) return 0;
  unsigned char bytes[2];
  PutLittleEndian(bytes, value, 2);
  return static_cast<int>(std::fwrite(bytes, 1, 2, file_));
}

int FileIO::WriteU16b(uint16_t value) { return WriteU16(value); }

int FileIO::WriteString(const char* text) {
  if (!file_ || !text) return 0;
  const size_t length = std::strlen(text);
  WriteU32(static_cast<uint32_t>(length));
  return static_cast<int>(std::fwrite(text, 1, length, file_));
}

int FileIO::ReadU32(uint32_t* out) {
  if (!file_ || !out) return 0;
  unsigned char bytes[4];
  const size_t got = std::fread(bytes, 1, 4, file_);
  if (got == 4) *out = GetLittleEndian(bytes, 4);
  return static_cast<int>(got);
}

int FileIO::ReadU16(uint16_t* out) {
  if (!file_ || !out) return 0;
  unsigned char bytes[2];
  const size_t got = std::fread(bytes, 1, 2, file_);
  if (got == 2) *out = static_cast<uint16_t>(GetLittleEndian(bytes, 2));
  return static_cast<int>(got);
}

int FileIO::ReadU16b(uint16_t* out) { return ReadU16(out); }

int FileIO::ReadString(char* out, uint32_t capacity) {
  if (!file_ || !out || capacity == 0) return 0;
  uint32_t count = 0;
  if (ReadU32(&count) != 4) count = 0;
  // The count comes from the file: never store more than the caller's buffer holds, and step
  // over the rest so that the next field is read from the right place.
  const uint32_t fits = count < capacity - 1 ? count : capacity - 1;
  const size_t got = std::fread(out, 1, fits, file_);
  out[got] = '\0';
  if (got == fits && count > fits) std::fseek(file_, static_cast<long>(count - fits), SEEK_CUR);
  return static_cast<int>(got);
}
