// The text log: its lines, ages, font settings and the position of the next text.
#include "librarysauce/textlog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "librarysauce/frameclock.h"
#include "tests/testsupport.h"

struct TextLogTestAccess {
  static void SetAge(TextLog* log, int line, int age) { log->age_[line] = age; }
  static void SetLine(TextLog* log, int line, const char* text) {
    std::snprintf(log->lines_[line], sizeof log->lines_[line], "%s", text);
  }
};

namespace {

// HGP創英角ﾎﾟｯﾌﾟ体
const char kDefaultFace[] = "HGP\x91\x6e\x89\x70\x8a\x70\xce\xdf\xaf\xcc\xdf\x91\xcc";

class TextLogTest : public ::testing::Test {
 protected:
  std::unique_ptr<TextLog> log_ = std::make_unique<TextLog>();
};

TEST_F(TextLogTest, FreshLogHasDefaultFontsNoFontFilesAndStartsAtTheTopLeft) {
  EXPECT_STREQ(log_->GetFace(), kDefaultFace);
  EXPECT_EQ(log_->GetHeight(), 28);
  for (int line = 0; line < TextLog::kLineCount; ++line) {
    const TextLog::LineFont& font = log_->GetLineFont(line);
    ASSERT_STREQ(font.face, kDefaultFace);
    ASSERT_EQ(font.height, 28);
    ASSERT_EQ(font.x, 40);
    ASSERT_EQ(font.color, 0xFFFFFFFFu);
    ASSERT_EQ(log_->GetAge(line), 0);
    ASSERT_FALSE(log_->GetFont(line).HasFont());
  }
  const TextLog::Point next = log_->GetNextLinePos();
  EXPECT_EQ(next.x, 40);
  EXPECT_EQ(next.y, 20);
  EXPECT_EQ(log_->IsDone(), 0);
}

TEST_F(TextLogTest, AddLineTakesTheDefaultsMakesOneFontAndIsDone) {
  testsupport::UseManualClock(123456);
  g_FrameClock.Update();
  log_->SetHeight(20);
  log_->SetWidth(64);
  log_->SetColor(0x80FF0000);
  EXPECT_EQ(log_->AddLine("Hello\r\nworld", 100), S_OK);  // a length past the text stops at its 0 byte
  EXPECT_STREQ(log_->GetPending(), "Hello\r\nworld");
  EXPECT_EQ(log_->GetAge(0), 1);
  EXPECT_EQ(log_->IsDone(), 1);
  EXPECT_EQ(log_->GetLastLineTime(), 123456u);
  const TextLog::LineFont& font = log_->GetLineFont(0);
  EXPECT_EQ(font.height, 20);
  EXPECT_EQ(font.x, 64);
  EXPECT_EQ(font.color, 0x80FF0000u);
  EXPECT_TRUE(log_->GetFont(0).HasFont());
  EXPECT_EQ(log_->GetFont(0).GetHeight(), 20);
  for (int line = 1; line < TextLog::kLineCount; ++line) ASSERT_FALSE(log_->GetFont(line).HasFont());
  // Only a part of the text when the length says so.
  log_->AddLine("Hello", 3);
  EXPECT_STREQ(log_->GetPending(), "Hel");
  EXPECT_EQ(log_->GetAge(0), 2);
  log_->ReleaseFonts();
  log_->RecreateFonts();
  EXPECT_TRUE(log_->GetFont(0).HasFont());
  EXPECT_FALSE(log_->GetFont(1).HasFont());
}

TEST_F(TextLogTest, LongTextIsCutToItsBufferNeverInsideACharacter) {
  const std::string ascii(600, 'a');
  log_->AddLine(ascii.c_str(), 600);
  EXPECT_EQ(std::strlen(log_->GetPending()), 511u);
  // A two-byte character (ソ, 83 5C) that would end past byte 511 is left out whole.
  const std::string straddling = std::string(510, 'a') + "\x83\x5c" + std::string(88, 'b');
  log_->AddLine(straddling.c_str(), static_cast<int>(straddling.size()));
  EXPECT_EQ(std::strlen(log_->GetPending()), 510u);
  const std::string fitting = std::string(509, 'a') + "\x83\x5c" + std::string(89, 'b');
  log_->AddLine(fitting.c_str(), static_cast<int>(fitting.size()));
  EXPECT_EQ(std::string(log_->GetPending()), fitting.substr(0, 511));
  log_->AddLine(fitting.c_str(), -5);
  EXPECT_STREQ(log_->GetPending(), "");

  const std::string face = std::string(62, 'F') + "\x83\x5c" + "tail";
  log_->SetFace(face.c_str(), static_cast<int>(face.size()));
  EXPECT_EQ(std::string(log_->GetFace()), std::string(62, 'F'));
  log_->SetFace("\x96\xbe\x92\xa9" "E", 4);  // 明朝, without the E
  EXPECT_STREQ(log_->GetFace(), "\x96\xbe\x92\xa9");
  log_->Reset();
  EXPECT_STREQ(log_->GetFace(), kDefaultFace);
  EXPECT_EQ(log_->GetAge(0), 0);
}

TEST_F(TextLogTest, EveryLineAgedDoesNotHangAndTheNextPositionFollowsTheRun) {
  for (int line = 0; line < TextLog::kLineCount; ++line) TextLogTestAccess::SetAge(log_.get(), line, 1);
  log_->AgeLines();
  EXPECT_EQ(log_->GetAge(0), 1);  // the current line is not aged
  for (int line = 1; line < TextLog::kLineCount; ++line) ASSERT_EQ(log_->GetAge(line), 2) << line;

  for (int line = 0; line < TextLog::kLineCount; ++line) TextLogTestAccess::SetAge(log_.get(), line, 1);
  // Lines 1 to 255 each one row of 29 pixels (height 28 + 1) below y 20; line 0 ends the run.
  TextLog::Point next = log_->GetNextLinePos();
  EXPECT_EQ(next.x, 40);
  EXPECT_EQ(next.y, 20 + 255 * 29);

  // Adding a line clears the oldest run, every other line, but never the current one.
  log_->AddLine("x", 1);
  EXPECT_EQ(log_->GetAge(0), 2);
  for (int line = 1; line < TextLog::kLineCount; ++line) ASSERT_EQ(log_->GetAge(line), 0) << line;
}

TEST_F(TextLogTest, NextPositionAdvancesHalfTheHeightPerByteAndWraps) {
  // A run of two lines before the current one: line 254 with two rows, line 255 with one.
  TextLogTestAccess::SetAge(log_.get(), 254, 1);
  TextLogTestAccess::SetAge(log_.get(), 255, 1);
  TextLogTestAccess::SetLine(log_.get(), 254, "ab\r\ncd");
  TextLogTestAccess::SetLine(log_.get(), 255, "0123456789");
  TextLog::Point next = log_->GetNextLinePos();
  EXPECT_EQ(next.y, 20 + 2 * 29);
  EXPECT_EQ(next.x, 40 + 14 * 10);
  // 40 + 14 x 40 + 28 still fits in 640; three bytes more wrap to the line's left edge, one
  // height lower.
  TextLogTestAccess::SetLine(log_.get(), 255, std::string(40, 'w').c_str());
  EXPECT_EQ(log_->GetNextLinePos().x, 600);
  TextLogTestAccess::SetLine(log_.get(), 255, std::string(43, 'w').c_str());
  next = log_->GetNextLinePos();
  EXPECT_EQ(next.x, 40);
  EXPECT_EQ(next.y, 20 + 2 * 29 + 28);
}

}  // namespace
