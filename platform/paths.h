#pragma once
// Game paths are Windows paths relative to the game's directory (".\Data\Script\main.cnn").
// They are resolved here, in one place: the bytes are decoded as CP932 first (0x5C can be the
// second byte of a character), then "\" becomes "/", then each component is matched against the
// directory's entries without regard to case.
#include <string>

namespace platform {

// The path on disk for a game path. Components that do not exist are kept as given, so the
// result also names files that are about to be created.
std::string ResolvePath(const char* gamePath);
std::string ResolvePath(const std::string& gamePath);

// Makes dir the working directory (the game reads everything relative to it).
bool SetGameDirectory(const std::string& dir, std::string* error);
// The directory that holds the running executable.
std::string ExecutableDirectory();

}  // namespace platform
