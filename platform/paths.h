#pragma once
// Game paths are Windows paths relative to the game's directory (".\Data\Script\main.cnn").
// They are resolved here, in one place: the bytes are decoded as CP932 first (0x5C can be the
// second byte of a character), then "\" becomes "/", then each component is matched against the
// directory's entries without regard to case.
#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

// The path on disk for a game path. Components that do not exist are kept as given, so the
// result also names files that are about to be created.
std::string ResolvePath(const char* gamePath);
std::string ResolvePath(const std::string& gamePath);

// Opens the file at a path on disk for reading, when it is a regular file of at most maxBytes
// bytes. Anything else (missing, a directory, a device, a pipe, a file over its budget) gives
// null, as a missing file does: nothing is read from it, and opening it never waits.
FILE* OpenRegularFile(const std::string& path, uint64_t maxBytes);

// Makes dir the working directory (the game reads everything relative to it).
bool SetGameDirectory(const std::string& dir, std::string* error);
// The directory that holds the running executable.
std::string ExecutableDirectory();

}  // namespace platform
