#pragma once
// The action objects' own ".cnn" reader: a whole scrambled file read into a buffer of its own.
#include <cstdint>
#include <memory>

#include "platform/types.h"

// Paths of the files are built in a buffer of this many bytes, ".cnn" and the final 0 included.
constexpr int kCnnPathSize = 64;

// Makes *buffer a fresh cleared buffer of size bytes and reads name + ".cnn" into it, leaving
// at least its last byte 0. 0x80004005 when the path does not fit or the file cannot be read
// whole (the buffer then stays, cleared).
HRESULT ReadCnnFile(const char* name, uint32_t size, std::unique_ptr<char[]>* buffer);
