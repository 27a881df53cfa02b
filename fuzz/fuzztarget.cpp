// One libFuzzer target per loader: this file built once for each, with VELUNNA_FUZZ_LOADER
// naming the loader (see fuzz/loaderinputs.h). Inputs are played in a scratch game directory
// of the process's own, made at its first input and removed at its end.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz/loaderinputs.h"

namespace {

std::string g_scratch;

void RemoveScratch() {
  std::error_code ec;
  if (!g_scratch.empty()) std::filesystem::remove_all(g_scratch, ec);
}

const loaderinput::Loader* EnterScratchGame() {
  const loaderinput::Loader* loader = loaderinput::FindLoader(VELUNNA_FUZZ_LOADER);
  if (!loader) {
    std::fprintf(stderr, "no loader named %s\n", VELUNNA_FUZZ_LOADER);
    std::abort();
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "velunna-fuzz-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (!mkdtemp(name.data()) || chdir(name.data()) != 0) {
    std::perror("scratch game directory");
    std::abort();
  }
  g_scratch = name.data();
  std::atexit(RemoveScratch);
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("VELUNNA_HEADLESS", "1", 0);
  loaderinput::PrepareProcess();
  return loader;
}

// The paths libFuzzer is given (corpus folders, inputs, artifact prefixes) are made absolute
// here, before it reads them, since every input is played in another working directory.
std::string Absolute(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  std::string absolute = std::filesystem::absolute(path).string();
  // A prefix such as "crashes/" must keep its final slash.
  if (path.back() == '/' && absolute.back() != '/') absolute += '/';
  return absolute;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static std::vector<std::string> args;
  static std::vector<char*> pointers;
  const char* pathFlags[] = {"-artifact_prefix=", "-exact_artifact_path=", "-dict=", "-seed_inputs="};
  for (int i = 0; i < *argc; ++i) {
    std::string arg = (*argv)[i];
    if (i > 0 && arg[0] != '-') arg = Absolute(arg);
    for (const char* flag : pathFlags) {
      const size_t n = std::strlen(flag);
      if (arg.compare(0, n, flag) == 0) arg = flag + Absolute(arg.substr(n));
    }
    args.push_back(arg);
  }
  for (std::string& arg : args) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  *argv = pointers.data();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const loaderinput::Loader* loader = EnterScratchGame();
  loader->feed(data, size);
  return 0;
}
