// Textures loaded from scrambled BMP files through the temporary file, drawn 1:1 and read back.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "librarysauce/filescrambler.h"
#include "librarysauce/graphicsdevice.h"
#include "librarysauce/texture.h"
#include "platform/image.h"
#include "tests/testsupport.h"

namespace {

using testsupport::FileExists;
using testsupport::WriteFile;

void PutLe(std::string* s, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) s->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A BMP file of the given pixels (0xRRGGBB, top row first): 24-bit, or 8-bit with a palette
// built from the colours used.
std::string MakeBmp(int width, int height, const std::vector<uint32_t>& rgb, bool paletted = false) {
  std::vector<uint32_t> palette;
  std::vector<int> index(rgb.size());
  if (paletted) {
    for (size_t i = 0; i < rgb.size(); ++i) {
      size_t k = 0;
      while (k < palette.size() && palette[k] != rgb[i]) ++k;
      if (k == palette.size()) palette.push_back(rgb[i]);
      index[i] = static_cast<int>(k);
    }
  }
  const int bytesPerPixel = paletted ? 1 : 3;
  const int stride = (width * bytesPerPixel + 3) / 4 * 4;
  const uint32_t offset = 54 + (paletted ? 256 * 4 : 0);
  std::string bmp = "BM";
  PutLe(&bmp, offset + stride * height, 4);
  PutLe(&bmp, 0, 4);
  PutLe(&bmp, offset, 4);
  PutLe(&bmp, 40, 4);
  PutLe(&bmp, width, 4);
  PutLe(&bmp, height, 4);  // bottom-up rows
  PutLe(&bmp, 1, 2);
  PutLe(&bmp, paletted ? 8 : 24, 2);
  PutLe(&bmp, 0, 4);
  PutLe(&bmp, stride * height, 4);
  PutLe(&bmp, 2835, 4);
  PutLe(&bmp, 2835, 4);
  PutLe(&bmp, paletted ? 256 : 0, 4);
  PutLe(&bmp, 0, 4);
  if (paletted) {
    palette.resize(256, 0);
    for (uint32_t c : palette) PutLe(&bmp, c & 0xFFFFFF, 4);  // B G R 0
  }
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const size_t i = static_cast<size_t>(y) * width + x;
      if (paletted) {
        row.push_back(static_cast<char>(index[i]));
      } else {
        PutLe(&row, rgb[i] & 0xFFFFFF, 3);
      }
    }
    row.resize(stride, '\0');
    bmp += row;
  }
  return bmp;
}

std::string ScrambledWhole(std::string bytes) {
  g_FileScrambler.XorBufferAll(bytes.data(), bytes.data(), static_cast<uint32_t>(bytes.size()));
  return bytes;
}

// Draws the texture 1:1 at the top-left corner without blending and reads its pixels back.
std::vector<uint32_t> DrawAndRead(const Texture& texture) {
  platform::GlDevice* device = g_GraphicsDevice.GetDevice();
  const float w = static_cast<float>(texture.GetWidth());
  const float h = static_cast<float>(texture.GetHeight());
  device->Clear(0xFF123456);
  device->BeginScene();
  device->SetTexture(texture.GetD3DTexture());
  device->SetTextureStage(platform::TextureStageOp::Modulate);
  device->SetBlendEnabled(false);
  const platform::ScreenVertex quad[4] = {
      {0, 0, 0, 1, 0xFFFFFFFF, 0, 0},
      {w, 0, 0, 1, 0xFFFFFFFF, 1, 0},
      {0, h, 0, 1, 0xFFFFFFFF, 0, 1},
      {w, h, 0, 1, 0xFFFFFFFF, 1, 1},
  };
  device->DrawQuadStrip(quad);
  device->EndScene();
  return testsupport::ReadScreen(0, 0, static_cast<int>(w), static_cast<int>(h));
}

class TextureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::StartGame();
    testsupport::EnterScratchDirectory("texture");
    WriteFile("Data/Temp/.keep", "");
  }
};

// Pure green, the green one step darker, magenta, black; then a row of white.
const std::vector<uint32_t> kKeyImage = {0x00FF00, 0x00FE00, 0xFF00FF, 0x000000,
                                         0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};

TEST_F(TextureTest, ColourKeyMakesExactMatchesTransparentBlack) {
  WriteFile("Data/Graphic/Key.bmp", ScrambledWhole(MakeBmp(4, 2, kKeyImage)));
  Texture texture;
  ASSERT_EQ(texture.LoadConverted(".\\Data\\Graphic\\key.bmp", 0xFF00FF00), S_OK);
  EXPECT_NE(texture.GetD3DTexture(), 0u);
  EXPECT_FALSE(FileExists("Data/Temp/GTempdata")) << "the unscrambled copy is deleted";
  EXPECT_EQ(DrawAndRead(texture), (std::vector<uint32_t>{0x00000000, 0xFF00FE00, 0xFFFF00FF, 0xFF000000,
                                                         0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}));
  TextureInfo info;
  texture.GetInfo(&info);
  EXPECT_STREQ(info.name, ".\\Data\\Graphic\\key.bmp");
  EXPECT_EQ(info.colorKey, 0xFF00FF00u);

  // The far background's key works the other way round; black is a key of its own.
  ASSERT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Key.bmp", 0xFF00FE00), S_OK);
  std::vector<uint32_t> pixels = DrawAndRead(texture);
  EXPECT_EQ(pixels[0], 0xFF00FF00u);
  EXPECT_EQ(pixels[1], 0x00000000u);
  ASSERT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Key.bmp", 0xFF000000), S_OK);
  pixels = DrawAndRead(texture);
  EXPECT_EQ(pixels[3], 0x00000000u);
  EXPECT_EQ(pixels[0], 0xFF00FF00u);

  // Paletted images match the exact colour too, not the nearest palette entry.
  WriteFile("Data/Graphic/Pal.bmp", ScrambledWhole(MakeBmp(4, 2, kKeyImage, true)));
  ASSERT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Pal.bmp", 0xFF00FF00), S_OK);
  pixels = DrawAndRead(texture);
  EXPECT_EQ(pixels[0], 0x00000000u);
  EXPECT_EQ(pixels[1], 0xFF00FE00u);
}

TEST_F(TextureTest, SizeIsTheFilesOwnAndRowsRunTopToBottom) {
  std::vector<uint32_t> rgb(100 * 60, 0x0000FF);
  rgb[0] = 0xFF0000;               // top left
  rgb[59 * 100 + 99] = 0x00FF00;  // bottom right
  WriteFile("Data/Graphic/Wide.bmp", ScrambledWhole(MakeBmp(100, 60, rgb)));
  Texture texture;
  ASSERT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Wide.bmp", 0xFF00FF00), S_OK);
  EXPECT_EQ(texture.GetWidth(), 100u);
  EXPECT_EQ(texture.GetHeight(), 60u);
  const std::vector<uint32_t> pixels = DrawAndRead(texture);
  EXPECT_EQ(pixels[0], 0xFFFF0000u);
  EXPECT_EQ(pixels[1], 0xFF0000FFu);
  EXPECT_EQ(pixels[59 * 100 + 99], 0x00000000u);

  // An odd width (rows padded in the file).
  WriteFile("Data/Graphic/Odd.bmp", ScrambledWhole(MakeBmp(3, 5, std::vector<uint32_t>(15, 0x123456))));
  ASSERT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Odd.bmp", 0), S_OK);
  EXPECT_EQ(texture.GetWidth(), 3u);
  EXPECT_EQ(texture.GetHeight(), 5u);
  EXPECT_EQ(DrawAndRead(texture), std::vector<uint32_t>(15, 0xFF123456));
}

TEST_F(TextureTest, LoadingAnEntryAgainReleasesTheFirstTexture) {
  WriteFile("Data/Graphic/A.bmp", ScrambledWhole(MakeBmp(4, 2, kKeyImage)));
  WriteFile("Data/Graphic/B.bmp", ScrambledWhole(MakeBmp(2, 2, std::vector<uint32_t>(4, 0xFF0000))));
  platform::TextureId first = 0;
  platform::TextureId second = 0;
  {
    Texture texture;
    ASSERT_EQ(texture.LoadConverted(".\\Data\\Graphic\\A.bmp", 0xFF00FF00), S_OK);
    first = texture.GetD3DTexture();
    ASSERT_TRUE(platform::IsLiveTexture(first));
    ASSERT_EQ(texture.LoadConverted(".\\Data\\Graphic\\B.bmp", 0xFF00FF00), S_OK);
    second = texture.GetD3DTexture();
    EXPECT_NE(second, 0u);
    if (second != first) {
      EXPECT_FALSE(platform::IsLiveTexture(first));
    }
    EXPECT_EQ(texture.GetWidth(), 2u);
    EXPECT_EQ(DrawAndRead(texture), std::vector<uint32_t>(4, 0xFFFF0000));
  }
  EXPECT_FALSE(platform::IsLiveTexture(second)) << "the destructor releases the texture";
}

TEST_F(TextureTest, FailedLoadsGiveANullTextureAndAFailureCode) {
  WriteFile("Data/Graphic/Good.bmp", ScrambledWhole(MakeBmp(4, 2, kKeyImage)));
  Texture texture;
  ASSERT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Good.bmp", 0xFF00FF00), S_OK);
  const platform::TextureId good = texture.GetD3DTexture();

  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  EXPECT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Missing.bmp", 0xFF00FF00), E_FAIL);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "エラー：元ファイルのオープンに失敗しました。\n"
            "エラーファイル名：.\\Data\\Graphic\\Missing.bmp\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Velunna: image .\\Data\\Graphic\\Missing.bmp: No such file or directory\n");
  EXPECT_EQ(texture.GetD3DTexture(), 0u);
  EXPECT_FALSE(platform::IsLiveTexture(good)) << "the earlier texture is released first";
  // The failed reload leaves the earlier size and name; only the texture tells it failed.
  EXPECT_EQ(texture.GetWidth(), 4u);

  // Not an image at all: the decoder refuses it and the temporary file is still removed.
  WriteFile("Data/Graphic/Junk.bmp", ScrambledWhole("this is not a bitmap"));
  ASSERT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Good.bmp", 0xFF00FF00), S_OK);
  testing::internal::CaptureStderr();
  EXPECT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Junk.bmp", 0xFF00FF00), E_FAIL);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Junk.bmp: not a readable BMP image"), std::string::npos);
  EXPECT_EQ(texture.GetD3DTexture(), 0u);
  EXPECT_FALSE(FileExists("Data/Temp/GTempdata"));
  WriteFile("Data/Graphic/Empty.bmp", "");
  EXPECT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Empty.bmp", 0xFF00FF00), E_FAIL);
  testing::internal::CaptureStdout();
  EXPECT_EQ(texture.LoadConverted(".\\Data\\Graphic", 0xFF00FF00), E_FAIL) << "a directory is no image";
  EXPECT_NE(testing::internal::GetCapturedStdout().find("元ファイル"), std::string::npos);

  // No Data/Temp: it is made before the picture is unscrambled.
  testsupport::EnterScratchDirectory("texture-notemp");
  WriteFile("Data/Graphic/Good.bmp", ScrambledWhole(MakeBmp(4, 2, kKeyImage)));
  EXPECT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Good.bmp", 0xFF00FF00), S_OK);
  EXPECT_TRUE(std::filesystem::is_directory("Data/Temp"));
  EXPECT_EQ(DrawAndRead(texture)[4], 0xFFFFFFFFu);
  // A Data/Temp that cannot be made (a file of that name is in the way): the temporary file
  // cannot be opened.
  std::filesystem::remove_all("Data/Temp");
  WriteFile("Data/Temp", "");
  testing::internal::CaptureStdout();
  EXPECT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Good.bmp", 0xFF00FF00), E_FAIL);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "エラー：変換後のファイルオープンに失敗しました。\n"
            "エラーファイル名：.\\Data\\Temp\\GTempdata\n");
  EXPECT_EQ(texture.GetD3DTexture(), 0u);
}

TEST_F(TextureTest, ATemporaryFileThatCannotBeDeletedIsReportedAndThePictureKept) {
  WriteFile("Data/Graphic/Good.bmp", ScrambledWhole(MakeBmp(4, 2, kKeyImage)));
  WriteFile("Data/Temp/GTempdata", "");
  // An immutable folder: the file in it can be rewritten but not deleted, even by root.
  if (std::system("chattr +i Data/Temp 2>/dev/null") != 0) GTEST_SKIP() << "chattr +i is not available here";
  Texture texture;
  testing::internal::CaptureStdout();
  const HRESULT result = texture.LoadConverted(".\\Data\\Graphic\\Good.bmp", 0xFF00FF00);
  const std::string printed = testing::internal::GetCapturedStdout();
  ASSERT_EQ(std::system("chattr -i Data/Temp"), 0);
  EXPECT_EQ(result, S_OK);
  EXPECT_EQ(printed,
            "エラー：変換後のファイル削除に失敗しました。\n"
            "エラーファイル名：.\\Data\\Temp\\GTempdata\n");
  EXPECT_EQ(texture.GetWidth(), 4u);
  EXPECT_EQ(DrawAndRead(texture)[4], 0xFFFFFFFFu);
}

// A BMP header claiming width × height at the given depth and compression, with a palette of
// paletteEntries colours (-1: a full one) and only `tail` behind it: an RLE end of picture, then
// by default a little pixel data.
std::string ClaimingBmp(int32_t width, int32_t height, int bitsPerPixel, uint32_t compression,
                        int paletteEntries = -1, const std::string& tail = std::string("\x00\x01", 2) + std::string(14, '\x11')) {
  const uint32_t entries = paletteEntries >= 0 ? static_cast<uint32_t>(paletteEntries)
                                               : (bitsPerPixel <= 8 ? 1u << bitsPerPixel : 0);
  const uint32_t palette = entries * 4;
  std::string bmp = "BM";
  PutLe(&bmp, 54 + palette + static_cast<uint32_t>(tail.size()), 4);
  PutLe(&bmp, 0, 4);
  PutLe(&bmp, 54 + palette, 4);
  PutLe(&bmp, 40, 4);
  PutLe(&bmp, static_cast<uint32_t>(width), 4);
  PutLe(&bmp, static_cast<uint32_t>(height), 4);
  PutLe(&bmp, 1, 2);
  PutLe(&bmp, bitsPerPixel, 2);
  PutLe(&bmp, compression, 4);
  PutLe(&bmp, static_cast<uint32_t>(tail.size()), 4);
  PutLe(&bmp, 2835, 4);
  PutLe(&bmp, 2835, 4);
  PutLe(&bmp, paletteEntries >= 0 ? entries : 0, 4);
  PutLe(&bmp, 0, 4);
  bmp += std::string(palette, '\x40');
  return bmp + tail;
}

long PeakMemoryKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST_F(TextureTest, AHeaderClaimingAHugePictureIsRefusedBeforeItsPixelsAreSetAside) {
  // Tiny files whose headers promise gigabytes of pixels: a 40000×40000 picture, a 1-bit one of
  // 65536×65536, a run-length one larger than any texture, and a truncated 8000×8000 one.
  WriteFile("Data/Graphic/Huge24.bmp", ScrambledWhole(ClaimingBmp(40000, 40000, 24, 0)));
  WriteFile("Data/Graphic/Huge1.bmp", ScrambledWhole(ClaimingBmp(65536, -65536, 1, 0)));
  WriteFile("Data/Graphic/HugeRle.bmp", ScrambledWhole(ClaimingBmp(30000, 30000, 8, 1)));
  WriteFile("Data/Graphic/Short.bmp", ScrambledWhole(ClaimingBmp(8000, 8000, 24, 0)));
  const long before = PeakMemoryKiB();
  Texture texture;
  testing::internal::CaptureStderr();
  EXPECT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Huge24.bmp", 0xFF00FF00), E_FAIL);
  EXPECT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Huge1.bmp", 0xFF00FF00), E_FAIL);
  EXPECT_EQ(texture.LoadConverted(".\\Data\\Graphic\\HugeRle.bmp", 0xFF00FF00), E_FAIL);
  EXPECT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Short.bmp", 0xFF00FF00), E_FAIL);
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("Huge24.bmp"), std::string::npos) << errors;
  EXPECT_NE(errors.find("HugeRle.bmp"), std::string::npos) << errors;
  EXPECT_NE(errors.find("Short.bmp: the file is shorter"), std::string::npos) << errors;
  EXPECT_EQ(texture.GetD3DTexture(), 0u);
  EXPECT_FALSE(FileExists("Data/Temp/GTempdata"));
  EXPECT_LT(PeakMemoryKiB() - before, 256L * 1024) << "memory was set aside for pixels the file does not hold";

  // A picture that fits still loads after them.
  WriteFile("Data/Graphic/Good.bmp", ScrambledWhole(MakeBmp(4, 2, kKeyImage)));
  EXPECT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Good.bmp", 0xFF00FF00), S_OK);
}

TEST_F(TextureTest, FuzzedHeadersAreRefusedWithinThePictureBudget) {
  // 29 bytes: the header stops right after the height (width 184557568, height 10, 32 bits).
  WriteFile("Data/Graphic/Cut.bmp", ScrambledWhole(ClaimingBmp(184557568, 10, 32, 0).substr(0, 29)));
  // 64 bytes: run-length pictures of 16384×16384 (a side any texture may have) with two palette
  // colours, that end at once.
  const std::string endOfPicture("\x00\x01", 2);
  ASSERT_EQ(ClaimingBmp(16384, 16384, 8, 1, 2, endOfPicture).size(), 64u);
  WriteFile("Data/Graphic/Rle8.bmp", ScrambledWhole(ClaimingBmp(16384, 16384, 8, 1, 2, endOfPicture)));
  WriteFile("Data/Graphic/Rle4.bmp", ScrambledWhole(ClaimingBmp(16384, 16384, 4, 2, 2, endOfPicture)));
  const long before = PeakMemoryKiB();
  Texture texture;
  testing::internal::CaptureStderr();
  for (const char* name : {"Cut", "Rle8", "Rle4"}) {
    EXPECT_EQ(texture.LoadConverted((std::string(".\\Data\\Graphic\\") + name + ".bmp").c_str(), 0), E_FAIL)
        << name;
    EXPECT_EQ(texture.GetD3DTexture(), 0u) << name;
  }
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("Cut.bmp: the file ends inside its 40-byte header"), std::string::npos) << errors;
  EXPECT_NE(errors.find("Rle8.bmp: 16384x16384 is larger than a picture may be"), std::string::npos) << errors;
  EXPECT_NE(errors.find("Rle4.bmp: 16384x16384 is larger than a picture may be"), std::string::npos) << errors;
  EXPECT_LT(PeakMemoryKiB() - before, 256L * 1024) << "memory was set aside for pixels the file does not hold";
}

TEST_F(TextureTest, ReleaseClearsEverythingAndPlainFilesLoadWithoutKey) {
  WriteFile("Plain.bmp", MakeBmp(4, 2, kKeyImage));
  Texture texture;
  ASSERT_EQ(texture.LoadFromFile(".\\plain.BMP"), S_OK);
  EXPECT_EQ(texture.GetWidth(), 4u);
  EXPECT_EQ(DrawAndRead(texture)[0], 0xFF00FF00u) << "no colour key";
  TextureInfo info;
  EXPECT_EQ(texture.GetInfo(&info)->colorKey, 0u);
  EXPECT_EQ(texture.LoadFromFile(".\\missing.bmp"), E_FAIL);
  EXPECT_EQ(texture.GetD3DTexture(), 0u);

  // A name longer than 255 bytes is kept cut short.
  const std::string dir = std::string(120, 'd') + "/" + std::string(120, 'e');
  WriteFile(dir + "/" + std::string(40, 'f') + ".bmp", MakeBmp(4, 2, kKeyImage));
  const std::string longPath = ".\\" + std::string(120, 'd') + "\\" + std::string(120, 'e') + "\\" +
                               std::string(40, 'f') + ".bmp";
  ASSERT_EQ(texture.LoadFromFile(longPath.c_str()), S_OK);
  texture.GetInfo(&info);
  EXPECT_EQ(std::string(info.name), longPath.substr(0, 255));

  ASSERT_EQ(texture.LoadFromFile(".\\Plain.bmp"), S_OK);
  EXPECT_EQ(texture.Release(), S_OK);
  EXPECT_EQ(texture.GetD3DTexture(), 0u);
  EXPECT_EQ(texture.GetWidth(), 0u);
  EXPECT_EQ(texture.GetHeight(), 0u);
  texture.GetInfo(&info);
  EXPECT_EQ(info.name[0], '\0');
  EXPECT_EQ(info.colorKey, 0u);
}

TEST_F(TextureTest, RenderTargetsArePowersOfTwoAndRefuseImpossibleSizes) {
  Texture texture;
  ASSERT_EQ(texture.CreateRenderTarget(300, 1, 0), S_OK);
  EXPECT_EQ(texture.GetWidth(), 512u);
  EXPECT_EQ(texture.GetHeight(), 1u);
  TextureInfo info;
  texture.GetInfo(&info);
  EXPECT_STREQ(info.name, "CreateTexture");
  EXPECT_EQ(info.colorKey, 0xFF000000u);
  EXPECT_EQ(DrawAndRead(texture), std::vector<uint32_t>(512, 0x00000000)) << "cleared to transparent black";

  ASSERT_EQ(texture.CreateRenderTarget(0, 64, 0), S_OK);
  EXPECT_EQ(texture.GetWidth(), 1u);
  EXPECT_EQ(texture.GetHeight(), 64u);

  EXPECT_EQ(texture.CreateRenderTarget(0x80000001u, 1, 0), E_FAIL);
  EXPECT_EQ(texture.CreateRenderTarget(1, 0xFFFFFFFFu, 0), E_FAIL);
  EXPECT_EQ(texture.CreateRenderTarget(0x80000000u, 1, 0), E_FAIL) << "beyond what GL can hold";
  EXPECT_EQ(texture.GetD3DTexture(), 0u);
}

TEST(TextureWithoutDeviceTest, LoadingFailsCleanlyWhenThereIsNoDevice) {
  testsupport::StopGame();
  ASSERT_EQ(g_GraphicsDevice.GetDevice(), nullptr);
  testsupport::EnterScratchDirectory("texture-nodevice");
  WriteFile("Data/Temp/.keep", "");
  WriteFile("Data/Graphic/Good.bmp", ScrambledWhole(MakeBmp(4, 2, kKeyImage)));
  Texture texture;
  EXPECT_EQ(texture.LoadConverted(".\\Data\\Graphic\\Good.bmp", 0xFF00FF00), E_FAIL);
  EXPECT_EQ(texture.GetD3DTexture(), 0u);
  EXPECT_FALSE(FileExists("Data/Temp/GTempdata"));
  EXPECT_EQ(texture.CreateRenderTarget(16, 16, 0), E_FAIL);
}

}  // namespace
