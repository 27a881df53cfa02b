// velunna [GAME_DIR]: runs the game in GAME_DIR, or in the directory that holds the executable.
#include <cstdio>
#include <string>

#include "gameflow/gamestate.h"
#include "librarysauce/winmain.h"
#include "platform/paths.h"

int main(int argc, char** argv) {
  const std::string gameDir = argc > 1 ? argv[1] : platform::ExecutableDirectory();
  std::string error;
  if (!platform::SetGameDirectory(gameDir, &error)) {
    std::fprintf(stderr, "Velunna: %s\n", error.c_str());
    return 1;
  }
  InstallFrameHooks();
  return WinMain(1);
}
