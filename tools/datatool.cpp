// velunna-data: turns the readable data sources into the run-time data tree the game reads, with
// the game's own scrambler, and undoes that for inspection.
//
//   velunna-data build OUT_DIR ROOT...       convert every file under the roots into OUT_DIR
//   velunna-data check OUT_DIR ROOT...       verify OUT_DIR against the roots, both ways
//   velunna-data unscramble [--text] FILE OUT
//                                            the plain bytes of one stored file; OUT "-" is the
//                                            standard output; --text also turns Shift-JIS and
//                                            "\r\n" back into UTF-8 and "\n"
//
// Each root mirrors the run-time tree (ROOT/Data/Script/main.cnn becomes OUT_DIR/Data/Script/
// main.cnn). How a file is stored follows from its extension:
//   text (.cnn .stm .map .txt .csv)   UTF-8 → Shift-JIS (CP932), line ends "\r\n", then scrambled
//                                     in the memory form (first 1 MiB XORed)
//   binary data (NAME.bin)            stored as NAME, scrambled in the memory form, bytes as given;
//                                     compilers of binary data (stage maps, for one) write their
//                                     output this way into a generated root
//   images (.bmp)                     scrambled over the whole file
//   sounds (.wav .mp3 .mid .midi .ogg) copied plain
//   readable stage maps (NAME.stage)  not stored: the stage compiler (velunna-stagec) turns them
//                                     into NAME.cnn.bin in a generated root at build time; the
//                                     check compiles each one and compares it with NAME.cnn
// Names starting with "." and README/notes files (.md) are not data and are skipped. Any other
// extension is an error, so that a new kind of file is stored on purpose, not by accident.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "librarysauce/filescrambler.h"
#include "platform/cp932.h"
#include "tools/stagesource.h"

namespace fs = std::filesystem;

namespace {

enum class Kind { Skip, Text, Binary, Image, Sound, Stage, Unknown };

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

Kind KindOfSource(const fs::path& path) {
  const std::string name = path.filename().string();
  const std::string ext = Lower(path.extension().string());
  if (name.empty() || name[0] == '.' || ext == ".md") return Kind::Skip;
  if (ext == ".cnn" || ext == ".stm" || ext == ".map" || ext == ".txt" || ext == ".csv") return Kind::Text;
  if (ext == ".bin") return Kind::Binary;
  if (ext == ".stage") return Kind::Stage;
  if (ext == ".bmp") return Kind::Image;
  if (ext == ".wav" || ext == ".mp3" || ext == ".mid" || ext == ".midi" || ext == ".ogg") return Kind::Sound;
  return Kind::Unknown;
}

// The run-time name of a source: binary data drops its ".bin", a stage map is stored as ".cnn".
fs::path StoredName(const fs::path& relative, Kind kind) {
  if (kind == Kind::Binary) return relative.parent_path() / relative.stem();
  if (kind == Kind::Stage) return relative.parent_path() / (relative.stem().string() + ".cnn");
  return relative;
}

bool ReadBytes(const fs::path& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  if (in.bad()) return false;
  *bytes = s.str();
  return true;
}

bool WriteBytes(const fs::path& path, const std::string& bytes) {
  std::error_code ec;
  if (path.has_parent_path()) fs::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

uint32_t Size32(const std::string& bytes) { return static_cast<uint32_t>(bytes.size()); }

void ScrambleMemoryForm(std::string* bytes) {
  g_FileScrambler.XorBuffer(bytes->data(), bytes->data(), Size32(*bytes));
}

void ScrambleWhole(std::string* bytes) {
  g_FileScrambler.XorBufferAll(bytes->data(), bytes->data(), Size32(*bytes));
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string WithoutCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

// A text source as compared after a round trip: no byte-order mark, "\n" line ends.
std::string NormaliseText(const std::string& utf8) {
  const bool bom = utf8.size() >= 3 && utf8.compare(0, 3, "\xEF\xBB\xBF") == 0;
  return WithoutCrLf(bom ? utf8.substr(3) : utf8);
}

// The line number (from 1) where two texts first differ.
int FirstDifferentLine(const std::string& a, const std::string& b) {
  int line = 1;
  for (size_t i = 0; i < a.size() && i < b.size() && a[i] == b[i]; ++i) {
    if (a[i] == '\n') ++line;
  }
  return line;
}

// The stored bytes for a source; false with a message when it cannot be stored faithfully.
bool ToStored(Kind kind, const std::string& source, std::string* stored, std::string* error) {
  switch (kind) {
    case Kind::Text: {
      const std::string text = NormaliseText(source);
      std::string cp932 = platform::Utf8ToCp932(text);
      // Characters that Shift-JIS cannot hold would be dropped: refuse the file instead.
      if (platform::Cp932ToUtf8(cp932) != text) {
        *error = "line " + std::to_string(FirstDifferentLine(text, platform::Cp932ToUtf8(cp932))) +
                 ": not valid UTF-8 or not representable in Shift-JIS (CP932)";
        return false;
      }
      *stored = WithCrLf(cp932);
      ScrambleMemoryForm(stored);
      return true;
    }
    case Kind::Binary:
      *stored = source;
      ScrambleMemoryForm(stored);
      return true;
    case Kind::Stage:
      if (!stagesource::Compile(source, stored, error)) return false;
      ScrambleMemoryForm(stored);
      return true;
    case Kind::Image:
      *stored = source;
      ScrambleWhole(stored);
      return true;
    case Kind::Sound:
      *stored = source;
      return true;
    default:
      *error = "unknown kind of data file";
      return false;
  }
}

// The plain bytes of a stored file, chosen by its run-time name.
std::string Unscramble(const fs::path& storedName, const std::string& stored, bool asText) {
  std::string plain = stored;
  const Kind kind = KindOfSource(storedName);
  if (kind == Kind::Image) {
    ScrambleWhole(&plain);
  } else if (kind != Kind::Sound) {
    ScrambleMemoryForm(&plain);
  }
  if (asText) plain = platform::Cp932ToUtf8(WithoutCrLf(plain));
  return plain;
}

struct Source {
  fs::path file;     // on disk
  fs::path stored;   // relative run-time name
  Kind kind;
};

// Every data file under the roots, in a fixed order; false when a root is missing, a file is
// of an unknown kind or two roots give the same run-time file.
bool CollectSources(const std::vector<std::string>& roots, std::vector<Source>* sources) {
  bool ok = true;
  std::map<fs::path, fs::path> seen;
  for (const std::string& root : roots) {
    std::error_code ec;
    if (!fs::is_directory(root, ec)) {
      std::fprintf(stderr, "velunna-data: %s: not a directory\n", root.c_str());
      ok = false;
      continue;
    }
    std::vector<fs::path> files;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
      if (it->is_regular_file()) files.push_back(it->path());
    }
    if (ec) {
      std::fprintf(stderr, "velunna-data: %s: %s\n", root.c_str(), ec.message().c_str());
      ok = false;
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      const fs::path relative = fs::relative(file, root);
      bool hidden = false;
      for (const fs::path& part : relative) hidden = hidden || part.string()[0] == '.';
      const Kind kind = KindOfSource(file);
      if (hidden || kind == Kind::Skip) continue;
      if (kind == Kind::Unknown) {
        std::fprintf(stderr, "velunna-data: %s: unknown kind of data file (see tools/datatool.cpp)\n",
                     file.c_str());
        ok = false;
        continue;
      }
      const fs::path stored = StoredName(relative, kind);
      if (kind == Kind::Stage) {
        sources->push_back({file, stored, kind});
        continue;
      }
      auto [where, fresh] = seen.emplace(stored, file);
      if (!fresh) {
        std::fprintf(stderr, "velunna-data: %s and %s both give %s\n", where->second.c_str(), file.c_str(),
                     stored.c_str());
        ok = false;
        continue;
      }
      sources->push_back({file, stored, kind});
    }
  }
  return ok;
}

// Files under SAVE/ belong to the player once they exist (the key configuration the player chose):
// the data build provides them for a fresh tree and never overwrites them.
bool IsPlayerData(const fs::path& stored) {
  const auto first = stored.begin();
  return first != stored.end() && *first == "SAVE";
}

int Build(const std::string& outDir, const std::vector<std::string>& roots) {
  std::vector<Source> sources;
  bool ok = CollectSources(roots, &sources);
  int written = 0;
  for (const Source& s : sources) {
    if (s.kind == Kind::Stage) continue;  // its compiled map comes from a generated root
    std::string source, stored, error, existing;
    if (!ReadBytes(s.file, &source)) {
      std::fprintf(stderr, "velunna-data: %s: cannot read\n", s.file.c_str());
      ok = false;
      continue;
    }
    if (!ToStored(s.kind, source, &stored, &error)) {
      std::fprintf(stderr, "velunna-data: %s: %s\n", s.file.c_str(), error.c_str());
      ok = false;
      continue;
    }
    const fs::path target = fs::path(outDir) / s.stored;
    std::error_code ec;
    if (IsPlayerData(s.stored) && fs::exists(target, ec)) continue;
    // Unchanged files are left alone, so their times stay as they were.
    if (ReadBytes(target, &existing) && existing == stored) continue;
    if (!WriteBytes(target, stored)) {
      std::fprintf(stderr, "velunna-data: %s: cannot write\n", target.c_str());
      ok = false;
      continue;
    }
    ++written;
  }
  std::printf("velunna-data: %zu data files, %d written to %s\n", sources.size(), written, outDir.c_str());
  return ok ? 0 : 1;
}

int Check(const std::string& outDir, const std::vector<std::string>& roots) {
  std::vector<Source> sources;
  bool ok = CollectSources(roots, &sources);
  for (const Source& s : sources) {
    const fs::path target = fs::path(outDir) / s.stored;
    std::string source, expected, stored, error;
    if (!ReadBytes(s.file, &source) || !ToStored(s.kind, source, &expected, &error)) {
      std::fprintf(stderr, "velunna-data: %s: cannot convert %s\n", s.file.c_str(), error.c_str());
      ok = false;
      continue;
    }
    if (!ReadBytes(target, &stored)) {
      std::fprintf(stderr, "velunna-data: %s: missing\n", target.c_str());
      ok = false;
      continue;
    }
    if (IsPlayerData(s.stored)) continue;  // the player may have changed it
    if (stored != expected) {
      std::fprintf(stderr, "velunna-data: %s: differs from %s (stale?)\n", target.c_str(), s.file.c_str());
      ok = false;
    }
    // Back the other way: the stored file must give the source again (a stage map: its bytes).
    const bool asText = s.kind == Kind::Text;
    const std::string back = Unscramble(s.stored, stored, asText);
    std::string plain = asText ? NormaliseText(source) : source;
    if (s.kind == Kind::Stage) stagesource::Compile(source, &plain, &error);
    if (back != plain) {
      std::fprintf(stderr, "velunna-data: %s: does not unscramble to %s\n", target.c_str(), s.file.c_str());
      ok = false;
    }
  }
  std::printf("velunna-data: %zu data files checked: %s\n", sources.size(), ok ? "all good" : "FAILED");
  return ok ? 0 : 1;
}

int UnscrambleOne(const std::string& in, const std::string& out, bool asText) {
  std::string stored;
  if (!ReadBytes(in, &stored)) {
    std::fprintf(stderr, "velunna-data: %s: cannot read\n", in.c_str());
    return 1;
  }
  const std::string plain = Unscramble(fs::path(in), stored, asText);
  if (out == "-") {
    std::fwrite(plain.data(), 1, plain.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (!WriteBytes(out, plain)) {
    std::fprintf(stderr, "velunna-data: %s: cannot write\n", out.c_str());
    return 1;
  }
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: velunna-data build OUT_DIR ROOT...\n"
               "       velunna-data check OUT_DIR ROOT...\n"
               "       velunna-data unscramble [--text] STORED_FILE OUT_FILE|-\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  const std::string mode = args[0];
  if ((mode == "build" || mode == "check") && args.size() >= 3) {
    const std::vector<std::string> roots(args.begin() + 2, args.end());
    return mode == "build" ? Build(args[1], roots) : Check(args[1], roots);
  }
  if (mode == "unscramble") {
    const bool asText = args.size() == 4 && args[1] == "--text";
    if (args.size() == 3 || asText) return UnscrambleOne(args[args.size() - 2], args[args.size() - 1], asText);
  }
  return Usage();
}
