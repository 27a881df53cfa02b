#include "tests/acttestkit.h"

#include <filesystem>
#include <map>

#include "act/actgraphics.h"
#include "act/mapmodel.h"
#include "gameflow/scenearrays.h"
#include "platform/messagebox.h"
#include "tests/testsupport.h"
#include "tools/artkit.h"
#include "tools/stagesource.h"

namespace acttest {

namespace {

constexpr artkit::Rgb kKeyGreen{0, 255, 0};

artkit::Rgb Rgb(uint32_t rgb) {
  return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)};
}

struct Size {
  int width, height;
};

// Sizes that the sprite set-up reads from the texture; any other picture is 64 × 64.
const std::map<std::string, Size> kSizes = {
    {"BackGround_Back01.bmp", {kBackWidth, kBackHeight}},
    {"BackGround_Front01.bmp", {kFrontWidth, kFrontHeight}},
    {"GaugeFrame_HP.bmp", {402, 13}},
    {"Gauge_HP.bmp", {400, 12}},
    {"GaugeFrame_SP.bmp", {402, 7}},
    {"Gauge_SP.bmp", {400, 6}},
    {"GaugeFrame_MP.bmp", {200, 11}},
    {"Gauge_MP.bmp", {198, 10}},
    {"TeleportCountIcon.bmp", {32, 32}},
    {"IconMain.bmp", {192, 192}},
    {"Count.bmp", {176, 48}},
    {"AttackModeIcon.bmp", {128, 128}},
    {"Kest_DualSword.bmp", {384, 192}},
    {"Kest_GreatSword.bmp", {384, 192}},
    {"TestChip.bmp", {512, 64}},
};

}  // namespace

uint32_t PictureColor(const std::string& file) {
  // The first table entry that loads the file numbers its colour.
  for (int i = 0; i < ActTexture::TableSize; ++i) {
    if (ActTexture::kFiles[i] && file == ActTexture::kFiles[i])
      return 0x800000u + static_cast<uint32_t>(i) * 0x020509u;
  }
  return 0;
}

uint32_t ChipColor(int chip) {
  return 0xC80000u | static_cast<uint32_t>(8 * chip) << 8 | static_cast<uint32_t>(255 - 8 * chip);
}

void WriteActPictures() {
  for (int i = 0; i < ActTexture::TableSize; ++i) {
    const char* file = ActTexture::kFiles[i];
    if (!file) continue;
    const std::string name = file;
    const auto sized = kSizes.find(name);
    const Size size = sized == kSizes.end() ? Size{64, 64} : sized->second;
    artkit::Canvas picture(size.width, size.height, Rgb(PictureColor(name)));
    if (name == "TestChip.bmp") {
      for (int chip = 0; chip < 32; ++chip)
        picture.FillRect(chip % 16 * 32, chip / 16 * 32, 32, 32, chip == 0 ? kKeyGreen : Rgb(ChipColor(chip)));
    } else if (name == "BackGround_Front01.bmp") {
      picture = artkit::Canvas(size.width, size.height, kKeyGreen);
      picture.FillRect(kFrontStripeX, 0, 16, size.height, Rgb(kFrontStripeColor));
    } else if (name.compare(0, 10, "GaugeFrame") == 0) {
      picture = artkit::Canvas(size.width, size.height, kKeyGreen);
      picture.FrameRect(0, 0, size.width, size.height, 1, Rgb(PictureColor(name)));
    }
    testsupport::WriteGameImage("Data/Graphic/Act/" + name, picture);
  }
}

StageText::StageText(int width, int height, const std::string& headerLines)
    : header_("size " + std::to_string(width) + " " + std::to_string(height) + "\n" + headerLines),
      rows_(static_cast<size_t>(height), std::string(static_cast<size_t>(width), '.')) {}

StageText& StageText::Put(int col, int row, const std::string& cells) {
  rows_.at(static_cast<size_t>(row)).replace(static_cast<size_t>(col), cells.size(), cells);
  return *this;
}

StageText& StageText::Floor(int row) {
  std::string& cells = rows_.at(static_cast<size_t>(row));
  cells.assign(cells.size(), '#');
  return *this;
}

std::string StageText::Text() const {
  std::string text = header_ + "grid\n";
  for (const std::string& row : rows_) text += row + "\n";
  return text;
}

std::string CompileStage(const std::string& source) {
  std::string bytes, error;
  EXPECT_TRUE(stagesource::Compile(source, &bytes, &error)) << error;
  return bytes;
}

void WriteMapBytes(const std::string& name, const std::string& bytes) {
  testsupport::WriteScrambled("Data/Script/act_stage/" + name + ".cnn", bytes);
}

void WriteStage(const std::string& name, const std::string& source) {
  std::string bytes, error;
  ASSERT_TRUE(stagesource::Compile(source, &bytes, &error)) << name << ": " << error;
  WriteMapBytes(name, bytes);
}

void ActTest::SetUp() {
  testsupport::StartGame();
  testsupport::EnterScratchDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::create_directories("Data/Temp");
  testsupport::UseManualClock();
  testsupport::UseScriptedInput();
  platform::SetMessageBoxHandler([this](const std::string& text, const std::string&, platform::MessageBoxKind) {
    messages_.push_back(text);
    return platform::MessageBoxAnswer::Ok;
  });
  g_MapModel.Release();
}

void ActTest::TearDown() {
  platform::SetMessageBoxHandler(nullptr);
  g_SceneArrays.Release();
}

bool ActTest::MessageMentions(const std::string& utf8) const {
  for (const std::string& m : messages_)
    if (m.find(utf8) != std::string::npos) return true;
  return false;
}

}  // namespace acttest
