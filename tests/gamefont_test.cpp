// Game fonts drawing Shift-JIS text on the real device, read back from the frame.
#include "librarysauce/gamefont.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "librarysauce/graphicsdevice.h"
#include "librarysauce/textlog.h"
#include "platform/cp932.h"
#include "platform/text.h"
#include "tests/testsupport.h"

namespace {

constexpr int kW = platform::GlDevice::kWidth;
constexpr int kH = platform::GlDevice::kHeight;

// The box of pixels that are not transparent black; empty (right < left) when there are none.
struct Ink {
  int left = kW, top = kH, right = -1, bottom = -1;
  bool Empty() const { return right < left; }
  int Width() const { return right - left + 1; }
};

Ink InkOf(const std::vector<uint32_t>& pixels, int width, int height, uint32_t mask = 0xFFFFFFFF) {
  Ink ink;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if ((pixels[static_cast<size_t>(y) * width + x] & mask) == 0) continue;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

Ink ScreenInk() { return InkOf(testsupport::ReadScreen(), kW, kH); }

class GameFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::StartGame();
    device_ = g_GraphicsDevice.GetDevice();
    BeginDrawing();
  }
  void TearDown() override { platform::SetFontCandidates({}, {}); }
  void BeginDrawing() {
    device_->Clear(0);
    device_->BeginScene();
  }
  platform::GlDevice* device_ = nullptr;
};

TEST_F(GameFontTest, FacesMapOntoTheIpaFontsAtTheirCellHeight) {
  EXPECT_EQ(platform::FontFilesForFace(platform::Cp932ToUtf8(kFontSlotFace[1])).front(),
            "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf");
  for (int slot : {0, 2, 3}) {
    EXPECT_EQ(platform::FontFilesForFace(platform::Cp932ToUtf8(kFontSlotFace[slot])).front(),
              "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf");
  }
  for (int height : {18, 20, 28}) {
    for (const char* file : {"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                             "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf"}) {
      std::string error;
      platform::TextFont* font = platform::OpenTextFont(file, height, &error);
      ASSERT_NE(font, nullptr) << error;
      EXPECT_EQ(platform::TextFontHeight(font), height) << file;
      platform::CloseTextFont(font);
    }
  }
  GameFont font;
  EXPECT_EQ(font.Create(kFontSlotFace[0], 18), S_OK);
  EXPECT_TRUE(font.HasFont());
  EXPECT_EQ(font.GetHeight(), 18);
}

TEST_F(GameFontTest, TextStartsAtItsTopLeftCornerInItsColourAndRowsFollowAtTheCellHeight) {
  GameFont font;
  font.Create(kFontSlotFace[0], 18);
  ASSERT_EQ(font.DrawText("HH", 100, 200, 10, 10, 0xFF00FF00), S_OK);  // right and bottom do not move it
  Ink ink = ScreenInk();
  ASSERT_FALSE(ink.Empty());
  EXPECT_GE(ink.left, 100);
  EXPECT_LE(ink.left, 103);
  EXPECT_GE(ink.top, 200);
  EXPECT_LT(ink.bottom, 218);
  // Fully covered pixels are exactly the colour; nothing is drawn in another colour.
  bool solid = false;
  for (uint32_t p : testsupport::ReadScreen()) {
    if (p == 0xFF00FF00) solid = true;
    ASSERT_EQ(p & 0x00FF00FF, 0u);
  }
  EXPECT_TRUE(solid);

  BeginDrawing();
  font.DrawText("H\r\nH", 100, 200, 0, 0, 0xFFFFFFFF);
  const Ink two = ScreenInk();
  EXPECT_EQ(two.top, ink.top);
  EXPECT_EQ(two.bottom, ink.bottom + 18);

  // Half-transparent colour: the coverage is scaled by the colour's alpha.
  BeginDrawing();
  font.DrawText("HH", 100, 200, 0, 0, 0x80FFFFFF);
  uint32_t brightest = 0;
  for (uint32_t p : testsupport::ReadScreen()) brightest = std::max(brightest, (p >> 16) & 0xFF);
  EXPECT_GT(brightest, 0x70u);
  EXPECT_LT(brightest, 0x90u);
}

TEST_F(GameFontTest, SecondBytes5CRenderAsTheirCharactersAndInvalidBytesAreSkipped) {
  GameFont font;
  font.Create(kFontSlotFace[0], 18);
  // ソ表 in Shift-JIS: 83 5C 95 5C (the second bytes are the ASCII backslash).
  font.DrawText("\x83\x5c\x95\x5c", 10, 10, 0, 0, 0xFFFFFFFF);
  const Ink drawn = ScreenInk();
  ASSERT_FALSE(drawn.Empty());

  std::string error;
  platform::TextFont* direct = platform::OpenTextFont(platform::FontFilesForFace("")[0], 18, &error);
  ASSERT_NE(direct, nullptr) << error;
  platform::TextImage image;
  ASSERT_TRUE(platform::RenderText(direct, "\xE3\x82\xBD\xE8\xA1\xA8", &image));  // ソ表 in UTF-8
  const Ink expected = InkOf(image.argb, image.width, image.height, 0xFF000000);
  EXPECT_EQ(drawn.Width(), expected.Width());
  EXPECT_EQ(drawn.left - 10, expected.left);
  EXPECT_EQ(drawn.top - 10, expected.top);
  platform::CloseTextFont(direct);

  // An invalid byte (0xFF) is dropped and the rest drawn as if it were not there.
  BeginDrawing();
  font.DrawText("AB", 10, 10, 0, 0, 0xFFFFFFFF);
  const std::vector<uint32_t> plain = testsupport::ReadScreen(0, 0, 200, 60);
  BeginDrawing();
  EXPECT_EQ(font.DrawText("A\xff" "B", 10, 10, 0, 0, 0xFFFFFFFF), S_OK);
  EXPECT_EQ(testsupport::ReadScreen(0, 0, 200, 60), plain);
}

TEST_F(GameFontTest, RightAlignedTextIsClippedToItsRectangle) {
  GameFont font;
  font.Create(kFontSlotFace[0], 18);
  ASSERT_EQ(font.DrawTextRight("ABCDEFGHIJKLMNOP", 300, 100, 60, 10, 0xFFFFFFFF), S_OK);
  const Ink ink = ScreenInk();
  ASSERT_FALSE(ink.Empty());
  EXPECT_GE(ink.left, 300);
  EXPECT_LT(ink.right, 360);
  EXPECT_GE(ink.right, 350);  // aligned on the right edge
  EXPECT_GE(ink.top, 100);
  EXPECT_LT(ink.bottom, 110);
}

TEST_F(GameFontTest, DrawingTheSameTextEveryFrameRendersItOnce) {
  GameFont font;
  font.Create(kFontSlotFace[0], 18);
  const uint64_t before = platform::RenderedTextCount();
  for (int frame = 0; frame < 10; ++frame) {
    BeginDrawing();
    font.DrawText("60FPS\r\nHP 100", 0, 0, 64, 16, 0xFFFF00FF);
  }
  EXPECT_EQ(platform::RenderedTextCount() - before, 2u);
  EXPECT_FALSE(ScreenInk().Empty());
  // The cache is bounded: after many other texts the oldest is rendered again.
  for (int i = 0; i < 300; ++i) font.DrawText(std::to_string(i).c_str(), 0, 0, 64, 16, 0xFFFFFFFF);
  EXPECT_EQ(platform::RenderedTextCount() - before, 302u);
  font.DrawText("60FPS", 0, 0, 64, 16, 0xFFFF00FF);
  EXPECT_EQ(platform::RenderedTextCount() - before, 303u);
  font.DrawText("299", 0, 0, 64, 16, 0xFFFFFFFF);
  EXPECT_EQ(platform::RenderedTextCount() - before, 303u);
  // Re-creating the font drops what it had rendered.
  font.Create(kFontSlotFace[0], 18);
  font.DrawText("60FPS", 0, 0, 64, 16, 0xFFFF00FF);
  EXPECT_EQ(platform::RenderedTextCount() - before, 304u);
}

TEST_F(GameFontTest, SlotWithoutAFontFailsAndDrawsNothing) {
  GameFont none;
  EXPECT_FALSE(none.HasFont());
  EXPECT_EQ(none.DrawText("ABC", 10, 10, 0, 0, 0xFFFFFFFF), E_FAIL);
  EXPECT_EQ(none.DrawTextRight("ABC", 10, 10, 100, 20, 0xFFFFFFFF), E_FAIL);
  GameFont released;
  released.Create(kFontSlotFace[2], 18);
  EXPECT_EQ(released.Release(), S_OK);
  EXPECT_EQ(released.DrawText("ABC", 10, 10, 0, 0, 0xFFFFFFFF), E_FAIL);
  EXPECT_TRUE(ScreenInk().Empty());
}

TEST_F(GameFontTest, AbsurdHeightsAreReportedNotOverflowed) {
  for (int height : {INT_MAX, 100000, 0, -5}) {
    GameFont font;
    testing::internal::CaptureStderr();
    EXPECT_EQ(font.Create(kFontSlotFace[0], height), S_OK) << height;
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(font.GetHeight(), height);
    EXPECT_EQ(font.DrawText("A", 10, 10, 0, 0, 0xFFFFFFFF), font.HasFont() ? S_OK : E_FAIL) << height;
  }
  // Heights that cannot be made leave no font behind.
  GameFont flat;
  testing::internal::CaptureStderr();
  flat.Create(kFontSlotFace[0], 0);
  testing::internal::GetCapturedStderr();
  EXPECT_FALSE(flat.HasFont());
}

TEST_F(GameFontTest, MissingFontFallsBackToAnotherJapaneseFont) {
  platform::SetFontCandidates({"/nonexistent/ipam.ttf"}, {"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"});
  GameFont font;
  testing::internal::CaptureStderr();
  EXPECT_EQ(font.Create(kFontSlotFace[1], 20), S_OK);  // a Mincho face
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("fell back to /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"), std::string::npos) << log;
  EXPECT_NE(log.find("/nonexistent/ipam.ttf"), std::string::npos) << log;
  ASSERT_TRUE(font.HasFont());
  EXPECT_EQ(font.DrawText("\x83\x5c", 10, 10, 0, 0, 0xFFFFFFFF), S_OK);
  EXPECT_FALSE(ScreenInk().Empty());

  // With no font at all the result is still 0, and the slot draws nothing.
  platform::SetFontCandidates({"/nonexistent/a.ttf"}, {"/nonexistent/b.ttf"});
  BeginDrawing();
  EXPECT_EQ(font.Create(kFontSlotFace[1], 20), S_OK);
  EXPECT_FALSE(font.HasFont());
  EXPECT_EQ(font.DrawText("\x83\x5c", 10, 10, 0, 0, 0xFFFFFFFF), E_FAIL);
  EXPECT_TRUE(ScreenInk().Empty());
}


TEST_F(GameFontTest, MakingAFontAgainKeepsItsFaceOpenAndItsPixels) {
  g_TextLog.ReleaseFonts();  // no line of the text log holds the face in use
  GameFont font;
  font.Create(kFontSlotFace[0], 28);
  font.DrawText("Abc", 10, 10, 64, 16, 0xFFFFFFFF);
  const std::vector<uint32_t> first = testsupport::ReadScreen(0, 0, 120, 60);
  const uint64_t opened = platform::FontFileOpenCount();
  // As the text log does for every line: the font is made again at the same face and height.
  for (int line = 0; line < 50; ++line) font.Create(kFontSlotFace[0], 28);
  EXPECT_EQ(platform::FontFileOpenCount(), opened);
  BeginDrawing();
  font.DrawText("Abc", 10, 10, 64, 16, 0xFFFFFFFF);
  EXPECT_EQ(testsupport::ReadScreen(0, 0, 120, 60), first);
  // Unused faces kept open are bounded: after many other heights the first is opened again.
  for (int height = 30; height < 50; ++height) font.Create(kFontSlotFace[0], height);
  const uint64_t afterOthers = platform::FontFileOpenCount();
  font.Create(kFontSlotFace[0], 28);
  EXPECT_EQ(platform::FontFileOpenCount(), afterOthers + 1);
  EXPECT_EQ(font.GetHeight(), 28);
}

}  // namespace
