// Readable stage maps compiled into the game's binary map.
#include "tools/stagesource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

TEST(StageSourceTest, HeaderLegendAndGridBecomeTheMapBytes) {
  const std::string source =
      "# a remark, then a blank line\n"
      "\n"
      "size 3 2\n"
      "chip 16 8\n"
      "bits 16\n"
      "reserved 1 258 7\n"
      "legend q 9 17\n"
      "legend . 5 0\n"
      "grid\n"
      "#@q\n"
      "..|\n";
  // Header little-endian; each layer width × height × 2 bytes: the cells, then zeros.
  const std::string expected =
      Bytes({1, 0, 0, 0, 2, 1, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 16, 8, 7, 16}) +
      Bytes({1, 0, 9, 5, 5, 3, 0, 0, 0, 0, 0, 0}) + Bytes({1, 32, 17, 0, 0, 2, 0, 0, 0, 0, 0, 0});
  std::string crlf;
  for (char c : source) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  for (const std::string& text : {source, crlf, "\xEF\xBB\xBF" + source}) {
    std::string bytes, error;
    ASSERT_TRUE(stagesource::Compile(text, &bytes, &error)) << error;
    EXPECT_EQ(bytes, expected);
  }

  // The defaults: 32-pixel chips, one byte a cell, reserved fields 0.
  std::string bytes, error;
  ASSERT_TRUE(stagesource::Compile("size 1 1\ngrid\n@", &bytes, &error)) << error;
  EXPECT_EQ(bytes, Bytes({0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 32, 32, 0, 8, 0, 32}));
}

TEST(StageSourceTest, MalformedSourcesAreRefusedNamingTheLineAndTheFault) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "line 1: the map has no \"size\" line"},
      {"size 2 1\n", "line 1: the map has no \"grid\" line"},
      {"grid\n", "line 1: \"grid\" comes before \"size\""},
      {"size 2\ngrid\n..\n", "line 1: \"size\" takes 2 numbers"},
      {"size 2 x\n", "line 1: \"x\" is not a number (the height)"},
      {"size 4294967296 1\n", "line 1: 4294967296 is out of range for the width (0 to 4294967295)"},
      {"size 2 1\nchip 256 32\n", "line 2: 256 is out of range for the chip width (0 to 255)"},
      {"size 2 1\nsize 2 1\n", "line 2: \"size\" is given twice"},
      {"size 2 1\nlayers 2\n", "line 2: unknown word \"layers\" (size, chip, bits, reserved, legend or grid)"},
      {"legend ab 1 1\n", "line 1: \"ab\" is not a cell character (one printable ASCII character)"},
      {"legend q 1\n", "line 1: \"legend\" takes a cell character, a chip and a code"},
      {"size 2 2\ngrid\n..\n", "line 3: the grid has 1 of its 2 rows"},
      {"size 2 1\ngrid\n...\n", "line 3: the row has 3 cells, the map is 2 wide"},
      {"size 2 1\ngrid\n.q\n", "line 3: column 2: unknown cell character 'q'"},
      {"size 2 1\ngrid\n.\xE3\n", "line 3: column 2: unknown cell character byte 227"},
      {"size 2 1\ngrid\n..\n\n##\n", "line 5: text after the grid's last row"},
  };
  for (const auto& c : cases) {
    std::string bytes = "untouched", error;
    EXPECT_FALSE(stagesource::Compile(c.text, &bytes, &error)) << c.text;
    EXPECT_EQ(error, c.message) << c.text;
    EXPECT_EQ(bytes, "untouched");
  }
}

}  // namespace
