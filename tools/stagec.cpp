// velunna-stagec SOURCE OUT: compiles a readable stage map (SOURCE, ".stage" text; the format is
// in tools/stagesource.h) into the game's binary map, written to OUT (its directories made).
// A fault in the source is printed as "SOURCE: line N: what is wrong" and nothing is written.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/stagesource.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: velunna-stagec SOURCE.stage OUT.cnn.bin\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in || in.bad()) {
    std::fprintf(stderr, "velunna-stagec: %s: cannot read\n", argv[1]);
    return 1;
  }
  std::string bytes, error;
  if (!stagesource::Compile(text.str(), &bytes, &error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  const std::filesystem::path out(argv[2]);
  std::error_code ec;
  if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path(), ec);
  std::ofstream file(out, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (file.fail()) {
    std::fprintf(stderr, "velunna-stagec: %s: cannot write\n", argv[2]);
    return 1;
  }
  return 0;
}
