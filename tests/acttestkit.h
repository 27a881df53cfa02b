#pragma once
// What the action-mode tests share: a scratch game directory (with "Data/Temp" for the image
// loader), stage maps written from their readable form, and the action pictures as small flat
// colours so that a pixel read back tells which picture, chip or layer shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace acttest {

// The colour (0xRRGGBB) of a test picture of the action texture table: each file has its own.
// The pictures are flat but for these: the chip sheet (chip n in ChipColor(n), chip 0 key green),
// the near background (key green but for a stripe of kFrontStripeColor over x kFrontStripeX to
// kFrontStripeX + 15, full height) and the gauge frames (a one-pixel border round key green).
uint32_t PictureColor(const std::string& file);
uint32_t ChipColor(int chip);
constexpr int kFrontStripeX = 700;
constexpr uint32_t kFrontStripeColor = 0xF0A0C0;
// Sizes of the test backgrounds: the far one is 100 pixels larger than the view each way, the
// near one just the view's size (it repeats beyond).
constexpr int kBackWidth = 954, kBackHeight = 580;
constexpr int kFrontWidth = 854, kFrontHeight = 480;

// Writes every file of the action texture table under ".\Data\Graphic\Act\".
void WriteActPictures();

// A stage's readable form, built cell by cell: width × height cells of '.', plus header lines.
class StageText {
 public:
  StageText(int width, int height, const std::string& headerLines = "");
  // Sets one cell's character; a row of cells from (col, row) for a longer text.
  StageText& Put(int col, int row, const std::string& cells);
  // A solid row of '#' across the whole map.
  StageText& Floor(int row);
  std::string Text() const;

 private:
  std::string header_;
  std::vector<std::string> rows_;
};

// Compiles a readable stage (the test fails on a compile error) and writes it where stage name
// is read: "Data/Script/act_stage/<name>.cnn", scrambled.
void WriteStage(const std::string& name, const std::string& source);
// Writes map bytes as they stand (for headers the compiler would not make).
void WriteMapBytes(const std::string& name, const std::string& bytes);
// The compiled bytes of a readable stage.
std::string CompileStage(const std::string& source);

// A fresh game directory per test (named after it), the map model emptied (no stage list, stage
// 0), the manual clock, scripted input, and every message box answered and kept in messages_.
class ActTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // True when a message box shown so far holds this text (UTF-8).
  bool MessageMentions(const std::string& utf8) const;

  std::vector<std::string> messages_;
};

}  // namespace acttest
