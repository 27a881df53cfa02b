// velunna-fuzzseeds OUT_DIR DATA_DIR: the seed corpora of the fuzz targets, one folder a loader
// under OUT_DIR, made from the demo data's sources under DATA_DIR in the form the loaders read
// (texts in Shift-JIS with "\r\n" line ends, stage maps compiled; not scrambled: the feeds
// scramble). The picture seeds are made here: a small BMP of every header kind, bit depth and
// compression the decoder knows, and headers cut short.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "tools/stagesource.h"

namespace fs = std::filesystem;

namespace {

bool g_failed = false;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    g_failed = true;
  }
  return s.str();
}

void WriteSeed(const fs::path& dir, const std::string& name, const std::string& bytes) {
  fs::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary);
  out << bytes;
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", (dir / name).c_str());
    g_failed = true;
  }
}

// A text source as the game stores it, before scrambling.
std::string GameText(const std::string& utf8) {
  std::string text = utf8.compare(0, 3, "\xEF\xBB\xBF") == 0 ? utf8.substr(3) : utf8;
  std::string crlf;
  for (char c : platform::Utf8ToCp932(text)) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

// Every file with this extension under dir, as game text, into the loader's seeds.
void TextSeeds(const fs::path& dir, const std::string& extension, const fs::path& out) {
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() == extension)
      WriteSeed(out, entry.path().filename().string(), GameText(ReadBytes(entry.path())));
  }
}

// --- pictures ---

void Put(std::string* s, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) s->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

struct BmpShape {
  int infoSize;      // 12 core, 40 info, 108 v4, 124 v5
  int bits;          // 1, 4, 8, 16, 24, 32
  int compression;   // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
  bool topDown;
};

// The pixel rows (bottom-up order in the file is the decoder's business: the bytes are the
// same either way) of a width × height picture whose index or colour changes along the row.
std::string PixelData(const BmpShape& shape, int width, int height) {
  std::string pixels;
  for (int y = 0; y < height; ++y) {
    if (shape.compression == 1 || shape.compression == 2) {
      // An encoded run, an absolute run, then the end of the line.
      const int run = width / 2;
      Put(&pixels, static_cast<uint32_t>(run), 1);
      Put(&pixels, static_cast<uint32_t>(shape.compression == 1 ? y % 4 : 0x12), 1);
      const int rest = width - run;
      if (rest >= 3) {
        Put(&pixels, 0, 1);
        Put(&pixels, static_cast<uint32_t>(rest), 1);
        const int bytes = shape.compression == 1 ? rest : (rest + 1) / 2;
        for (int i = 0; i < bytes; ++i) Put(&pixels, static_cast<uint32_t>(i % 4 * 0x11), 1);
        if (bytes % 2) Put(&pixels, 0, 1);
      } else {
        Put(&pixels, static_cast<uint32_t>(rest), 1);
        Put(&pixels, 1, 1);
      }
      Put(&pixels, 0, 2);
      continue;
    }
    std::string row;
    uint32_t bitBuffer = 0;
    int bitCount = 0;
    for (int x = 0; x < width; ++x) {
      const uint32_t v = static_cast<uint32_t>(x * 37 + y * 11);
      if (shape.bits >= 8) {
        const uint32_t colour = shape.bits == 8 ? v % 4 : (shape.bits == 16 ? (v * 0x0841u) & 0xFFFF : v * 0x010203u);
        Put(&row, shape.bits == 32 ? colour | 0xFF000000u : colour, shape.bits / 8);
        continue;
      }
      bitBuffer = (bitBuffer << shape.bits) | (v % (1u << shape.bits) % 4);
      bitCount += shape.bits;
      if (bitCount == 8) {
        Put(&row, bitBuffer, 1);
        bitBuffer = 0;
        bitCount = 0;
      }
    }
    if (bitCount > 0) Put(&row, bitBuffer << (8 - bitCount), 1);
    while (row.size() % 4) row.push_back('\0');
    pixels += row;
  }
  if (shape.compression == 1 || shape.compression == 2) {
    // A delta move, then the end of the picture.
    Put(&pixels, 0, 1);
    Put(&pixels, 2, 1);
    Put(&pixels, 0, 2);
    Put(&pixels, 0x0100, 2);
  }
  return pixels;
}

std::string Bmp(const BmpShape& shape, int width, int height) {
  const bool paletted = shape.bits <= 8;
  const int paletteEntries = paletted ? 4 : 0;
  const int entryBytes = shape.infoSize == 12 ? 3 : 4;
  const bool masksAfterHeader = shape.compression == 3 && shape.infoSize == 40;
  const std::string pixels = PixelData(shape, width, height);
  const uint32_t offset = 14 + shape.infoSize + paletteEntries * entryBytes + (masksAfterHeader ? 12 : 0);

  std::string bmp = "BM";
  Put(&bmp, offset + static_cast<uint32_t>(pixels.size()), 4);
  Put(&bmp, 0, 4);
  Put(&bmp, offset, 4);
  Put(&bmp, static_cast<uint32_t>(shape.infoSize), 4);
  if (shape.infoSize == 12) {
    Put(&bmp, static_cast<uint32_t>(width), 2);
    Put(&bmp, static_cast<uint32_t>(height), 2);
    Put(&bmp, 1, 2);
    Put(&bmp, static_cast<uint32_t>(shape.bits), 2);
  } else {
    Put(&bmp, static_cast<uint32_t>(width), 4);
    Put(&bmp, static_cast<uint32_t>(shape.topDown ? -height : height), 4);
    Put(&bmp, 1, 2);
    Put(&bmp, static_cast<uint32_t>(shape.bits), 2);
    Put(&bmp, static_cast<uint32_t>(shape.compression), 4);
    Put(&bmp, static_cast<uint32_t>(pixels.size()), 4);
    Put(&bmp, 2835, 4);
    Put(&bmp, 2835, 4);
    Put(&bmp, static_cast<uint32_t>(paletteEntries), 4);
    Put(&bmp, 0, 4);
    if (shape.infoSize > 40) {
      // The masks (red, green, blue, alpha), the colour space and what follows it, zeroed.
      const bool five = shape.bits == 16;
      Put(&bmp, five ? 0xF800 : 0x00FF0000, 4);
      Put(&bmp, five ? 0x07E0 : 0x0000FF00, 4);
      Put(&bmp, five ? 0x001F : 0x000000FF, 4);
      Put(&bmp, five ? 0 : 0xFF000000, 4);
      while (bmp.size() < 14u + static_cast<uint32_t>(shape.infoSize)) bmp.push_back('\0');
    }
  }
  if (masksAfterHeader) {
    const bool five = shape.bits == 16;
    Put(&bmp, five ? 0xF800 : 0x00FF0000, 4);
    Put(&bmp, five ? 0x07E0 : 0x0000FF00, 4);
    Put(&bmp, five ? 0x001F : 0x000000FF, 4);
  }
  const uint32_t palette[] = {0x0000FF00, 0x00FF0000, 0x000000FF, 0x00FFFFFF};
  for (int i = 0; i < paletteEntries; ++i) Put(&bmp, palette[i], entryBytes);
  return bmp + pixels;
}

void PictureSeeds(const fs::path& out) {
  struct Seed {
    const char* name;
    BmpShape shape;
  };
  const Seed seeds[] = {
      {"core1.bmp", {12, 1, 0, false}},      {"core4.bmp", {12, 4, 0, false}},
      {"core8.bmp", {12, 8, 0, false}},      {"core24.bmp", {12, 24, 0, false}},
      {"info1.bmp", {40, 1, 0, false}},      {"info4.bmp", {40, 4, 0, false}},
      {"info8.bmp", {40, 8, 0, false}},      {"info16.bmp", {40, 16, 0, false}},
      {"info24.bmp", {40, 24, 0, false}},    {"info32.bmp", {40, 32, 0, false}},
      {"rle8.bmp", {40, 8, 1, false}},       {"rle4.bmp", {40, 4, 2, false}},
      {"fields16.bmp", {40, 16, 3, false}},  {"fields32.bmp", {40, 32, 3, false}},
      {"v4fields32.bmp", {108, 32, 3, false}}, {"v5fields16.bmp", {124, 16, 3, false}},
      {"topdown24.bmp", {40, 24, 0, true}},  {"topdown8.bmp", {40, 8, 0, true}},
  };
  for (const Seed& seed : seeds) WriteSeed(out, seed.name, Bmp(seed.shape, 7, 5));
  // Headers cut short: the file header alone, an information header ending early, a core
  // header ending early, and a header size of no known kind.
  const std::string info = Bmp({40, 24, 0, false}, 3, 2);
  const std::string core = Bmp({12, 24, 0, false}, 3, 2);
  WriteSeed(out, "short14.bmp", info.substr(0, 14));
  WriteSeed(out, "short30.bmp", info.substr(0, 30));
  WriteSeed(out, "shortcore.bmp", core.substr(0, 20));
  std::string odd = info;
  odd[14] = 7;
  WriteSeed(out, "oddheader.bmp", odd);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s OUT_DIR DATA_DIR\n", argv[0]);
    return 2;
  }
  const fs::path out = argv[1];
  const fs::path data = argv[2];
  const fs::path scripts = data / "Data" / "Script";

  for (const fs::path& dir : {scripts, scripts / "stm", data / "Script", data / "Script" / "map"})
    TextSeeds(dir, ".cnn", out / "mainscript");
  TextSeeds(data / "Script" / "adv", ".txt", out / "advscript");
  TextSeeds(scripts / "stm", ".stm", out / "startmenu");
  TextSeeds(scripts / "map", ".map", out / "fieldlist");
  TextSeeds(scripts / "stm", ".stm", out / "listtext");
  TextSeeds(scripts / "map", ".map", out / "listtext");

  for (const auto& entry : fs::directory_iterator(scripts / "act_stage")) {
    if (entry.path().extension() != ".stage") continue;
    const std::string source = ReadBytes(entry.path());
    WriteSeed(out / "stagesource", entry.path().filename().string(), source);
    std::string map;
    std::string error;
    if (!stagesource::Compile(source, &map, &error)) {
      std::fprintf(stderr, "%s: %s\n", entry.path().c_str(), error.c_str());
      g_failed = true;
      continue;
    }
    WriteSeed(out / "stagemap", entry.path().stem().string() + ".cnn", map);
  }

  PictureSeeds(out / "picture");

  const std::string keys = ReadBytes(data / "SAVE" / "Config.ini.bin");
  WriteSeed(out / "keyconfig", "demo", keys);
  WriteSeed(out / "keyconfig", "short", keys.substr(0, 3));
  WriteSeed(out / "keyconfig", "outofrange", std::string("\xFF\x20\x7F\x80\x00\x1F\x05", 7));
  return g_failed ? 1 : 0;
}
