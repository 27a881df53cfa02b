// The list shape shared by the start menu and the field scene: lines, numbers and the end line.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "gameflow/listfile.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  ListLineReader reader(text.data(), text.size());
  std::vector<std::string> lines;
  const char* begin;
  const char* end;
  while (reader.Next(&begin, &end)) lines.emplace_back(begin, end);
  EXPECT_EQ(reader.Number(), static_cast<int>(lines.size()));
  return lines;
}

bool Integer(const char* text, long* out) { return ParseListInteger(text, text + std::strlen(text), out); }
bool Count(const char* text, long* out) { return ParseListCount(text, text + std::strlen(text), out); }

TEST(ListFileTest, LinesEndAtCrLfABareLfOrTheTextsEnd) {
  EXPECT_EQ(Lines("2\r\na,b\nc\r\n#end"), (std::vector<std::string>{"2", "a,b", "c", "#end"}));
  EXPECT_EQ(Lines("x\r\n\r\n"), (std::vector<std::string>{"x", ""}));
  EXPECT_TRUE(Lines("").empty());
  const std::string end = "#endX";
  EXPECT_TRUE(IsListEndLine(end.data(), end.data() + end.size()));
  EXPECT_FALSE(IsListEndLine(end.data(), end.data() + 3));
}

TEST(ListFileTest, FieldNumbersFillTheFieldAndStayInsideTheIntRange) {
  long v = 0;
  EXPECT_TRUE(Integer(" -12\t", &v));
  EXPECT_EQ(v, -12);
  EXPECT_TRUE(Integer("2147483647", &v));
  EXPECT_EQ(v, INT_MAX);
  EXPECT_TRUE(Integer("-2147483648", &v));
  EXPECT_EQ(v, INT_MIN);
  v = 7;
  for (const char* bad : {"", " ", "-", "12a", "1 2", "2147483648", "99999999999999999999"}) {
    EXPECT_FALSE(Integer(bad, &v)) << bad;
  }
  EXPECT_EQ(v, 7) << "a refused field leaves the output alone";
}

TEST(ListFileTest, OptionalAndLeadingNumbers) {
  auto leading = [](const char* text, long* out) { return ParseListLeadingInteger(text, text + std::strlen(text), out); };
  auto optional = [](const char* text, long* out) { return ParseListIntegerOrEmpty(text, text + std::strlen(text), out); };
  const struct {
    const char* text;
    long value;
  } leads[] = {{"", 0}, {"abc", 0}, {" -3,1", -3}, {"12 remark", 12}, {"+7;", 7}, {"-2147483648", INT_MIN}};
  for (const auto& c : leads) {
    long v = 99;
    EXPECT_TRUE(leading(c.text, &v)) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
  long v = 0;
  EXPECT_FALSE(leading("2147483648x", &v));
  EXPECT_TRUE(optional(" \t", &v));
  EXPECT_EQ(v, 0);
  EXPECT_FALSE(optional("1 2", &v));
}

TEST(ListFileTest, TheCountIsReadUpToItsFirstNonDigit) {
  long v = 0;
  EXPECT_TRUE(Count("3 points", &v));
  EXPECT_EQ(v, 3);
  EXPECT_TRUE(Count("\t+12;", &v));
  EXPECT_EQ(v, 12);
  EXPECT_FALSE(Count("points", &v));
  EXPECT_FALSE(Count("-1", &v));
  EXPECT_FALSE(Count("2147483648", &v));
}

}  // namespace
