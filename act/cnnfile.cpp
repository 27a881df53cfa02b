#include "act/cnnfile.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "librarysauce/fileio.h"

HRESULT ReadCnnFile(const char* name, uint32_t size, std::unique_ptr<char[]>* buffer) {
  buffer->reset(size > 0 ? new (std::nothrow) char[size]() : nullptr);
  if (!*buffer || !name) return E_FAIL;
  char ReadFile[kCnnPathSize];
  if (std::strlen(name) + std::strlen(".cnn") >= sizeof ReadFile) return E_FAIL;
  std::snprintf(ReadFile, sizeof ReadFile, "%s.cnn", name);
  return g_FileIO.ReadWholeFile(ReadFile, buffer->get(), size - 1) < 0 ? E_FAIL : S_OK;
}
