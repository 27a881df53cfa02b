#include "tools/stagesource.h"

#include <cstdint>
#include <map>
#include <sstream>
#include <vector>

namespace stagesource {

namespace {

struct Cell {
  uint32_t chip;
  uint32_t code;
};

const std::map<char, Cell> kDefaultLegend = {
    {'.', {0, 0}},  {'#', {1, 1}},  {'%', {4, 1}},  {'B', {5, 1}},  {'=', {6, 1}},  {'T', {10, 1}},
    {'"', {7, 0}},  {'*', {8, 0}},  {':', {9, 0}},  {',', {11, 0}}, {'|', {3, 2}},  {'S', {0, 3}},
    {'G', {0, 4}},  {'h', {0, 16}}, {'m', {0, 19}}, {'d', {0, 22}}, {'^', {0, 23}}, {'@', {0, 32}},
    {'k', {0, 33}}, {'x', {0, 34}}, {'p', {0, 35}}, {'b', {0, 36}},
};

bool IsCellCharacter(unsigned char c) { return c > 0x20 && c < 0x7F; }

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// A fault at a line: the message and false.
bool Fail(std::string* error, size_t line, const std::string& what) {
  *error = "line " + std::to_string(line) + ": " + what;
  return false;
}

// An unsigned decimal number of at most max.
bool ParseNumber(const std::string& word, uint64_t max, const char* what, uint64_t* value, std::string* reason) {
  if (word.empty() || word.size() > 20 || word.find_first_not_of("0123456789") != std::string::npos) {
    *reason = Quoted(word) + " is not a number (" + what + ")";
    return false;
  }
  uint64_t v = 0;
  for (char c : word) {
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    if (v > (max - digit) / 10) {
      *reason = word + " is out of range for " + what + " (0 to " + std::to_string(max) + ")";
      return false;
    }
    v = v * 10 + digit;
  }
  *value = v;
  return true;
}

void PutLittleEndian(std::string* out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The text split into lines without their "\n" or "\r\n"; a final line end starts no line.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

struct Header {
  uint64_t width = 0, height = 0;
  uint64_t chipWidth = 32, chipHeight = 32;
  uint64_t bits = 8;
  uint64_t reserved0 = 0, reserved1 = 0, reserved2 = 0;
};

// One header line (already split into words); false with the reason.
bool ReadHeaderLine(const std::vector<std::string>& words, Header* h, std::map<char, Cell>* legend,
                    std::map<std::string, bool>* seen, bool* sized, std::string* reason) {
  struct Field {
    uint64_t* value;
    uint64_t max;
    const char* what;
  };
  const std::string& key = words[0];
  Field fields[3] = {};
  size_t count = 0;
  auto take = [&fields, &count](uint64_t* value, uint64_t max, const char* what) {
    fields[count++] = {value, max, what};
  };
  if (key == "size") {
    take(&h->width, UINT32_MAX, "the width");
    take(&h->height, UINT32_MAX, "the height");
  } else if (key == "chip") {
    take(&h->chipWidth, 255, "the chip width");
    take(&h->chipHeight, 255, "the chip height");
  } else if (key == "bits") {
    take(&h->bits, 255, "the bits per cell");
  } else if (key == "reserved") {
    take(&h->reserved0, UINT32_MAX, "reserved field 0");
    take(&h->reserved1, UINT32_MAX, "reserved field 1");
    take(&h->reserved2, 255, "reserved field 2");
  } else if (key == "legend") {
    if (words.size() != 4) {
      *reason = "\"legend\" takes a cell character, a chip and a code";
      return false;
    }
    if (words[1].size() != 1 || !IsCellCharacter(static_cast<unsigned char>(words[1][0]))) {
      *reason = Quoted(words[1]) + " is not a cell character (one printable ASCII character)";
      return false;
    }
    uint64_t chip = 0, code = 0;
    if (!ParseNumber(words[2], 255, "the chip", &chip, reason)) return false;
    if (!ParseNumber(words[3], 255, "the code", &code, reason)) return false;
    (*legend)[words[1][0]] = {static_cast<uint32_t>(chip), static_cast<uint32_t>(code)};
    return true;
  } else {
    *reason = "unknown word " + Quoted(key) + " (size, chip, bits, reserved, legend or grid)";
    return false;
  }
  if ((*seen)[key]) {
    *reason = Quoted(key) + " is given twice";
    return false;
  }
  (*seen)[key] = true;
  if (words.size() != count + 1) {
    *reason = Quoted(key) + " takes " + std::to_string(count) + (count == 1 ? " number" : " numbers");
    return false;
  }
  for (size_t i = 0; i < count; ++i)
    if (!ParseNumber(words[i + 1], fields[i].max, fields[i].what, fields[i].value, reason)) return false;
  if (key == "size") *sized = true;
  return true;
}

}  // namespace

bool Compile(const std::string& text, std::string* mapBytes, std::string* error) {
  const std::vector<std::string> lines = SplitLines(text);
  Header h;
  std::map<char, Cell> legend = kDefaultLegend;
  std::map<std::string, bool> seen;
  bool sized = false;
  size_t at = 0;
  bool grid = false;
  for (; at < lines.size() && !grid; ++at) {
    std::istringstream in(lines[at]);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    if (words.empty() || words[0][0] == '#') continue;
    if (words[0] == "grid") {
      if (words.size() != 1) return Fail(error, at + 1, "\"grid\" stands alone on its line");
      if (!sized) return Fail(error, at + 1, "\"grid\" comes before \"size\"");
      grid = true;
      continue;
    }
    std::string reason;
    if (!ReadHeaderLine(words, &h, &legend, &seen, &sized, &reason)) return Fail(error, at + 1, reason);
  }
  const size_t lastLine = lines.empty() ? 1 : lines.size();
  if (!sized) return Fail(error, lastLine, "the map has no \"size\" line");
  if (!grid) return Fail(error, lastLine, "the map has no \"grid\" line");

  // The grid: exactly height rows of exactly width known cell characters.
  const size_t firstRow = at;
  if (lines.size() - firstRow < h.height)
    return Fail(error, lastLine,
                "the grid has " + std::to_string(lines.size() - firstRow) + " of its " + std::to_string(h.height) +
                    " rows");
  for (size_t r = 0; r < h.height; ++r) {
    const std::string& row = lines[firstRow + r];
    if (row.size() != h.width)
      return Fail(error, firstRow + r + 1,
                  "the row has " + std::to_string(row.size()) + " cells, the map is " + std::to_string(h.width) +
                      " wide");
    for (size_t c = 0; c < row.size(); ++c) {
      const unsigned char ch = static_cast<unsigned char>(row[c]);
      if (legend.count(static_cast<char>(ch)) == 0) {
        const std::string shown = IsCellCharacter(ch) ? "'" + std::string(1, static_cast<char>(ch)) + "'"
                                                      : "byte " + std::to_string(ch);
        return Fail(error, firstRow + r + 1,
                    "column " + std::to_string(c + 1) + ": unknown cell character " + shown);
      }
    }
  }
  for (size_t i = firstRow + h.height; i < lines.size(); ++i)
    if (lines[i].find_first_not_of(" \t") != std::string::npos)
      return Fail(error, i + 1, "text after the grid's last row");

  // Each layer: the cells row by row, then zeros up to width × height × (bits / 8) bytes.
  const size_t cells = static_cast<size_t>(h.width * h.height);
  const size_t layerSize = cells * static_cast<size_t>(h.bits / 8);
  std::string chips(layerSize, '\0'), codes(layerSize, '\0');
  for (size_t i = 0; i < cells && i < layerSize; ++i) {
    const Cell cell = legend.at(lines[firstRow + i / h.width][i % h.width]);
    chips[i] = static_cast<char>(cell.chip);
    codes[i] = static_cast<char>(cell.code);
  }
  std::string out;
  PutLittleEndian(&out, h.reserved0, 4);
  PutLittleEndian(&out, h.reserved1, 4);
  PutLittleEndian(&out, h.width, 4);
  PutLittleEndian(&out, h.height, 4);
  PutLittleEndian(&out, h.chipWidth, 1);
  PutLittleEndian(&out, h.chipHeight, 1);
  PutLittleEndian(&out, h.reserved2, 1);
  PutLittleEndian(&out, h.bits, 1);
  *mapBytes = out + chips + codes;
  return true;
}

}  // namespace stagesource
