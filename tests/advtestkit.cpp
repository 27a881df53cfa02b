#include "tests/advtestkit.h"

#include <gtest/gtest.h>

#include <vector>

#include "gameflow/gamestate.h"
#include "librarysauce/fileio.h"
#include "librarysauce/filescrambler.h"
#include "novel/advscene.h"
#include "tests/testsupport.h"

namespace advtest {

const char kLeadLine[] = ";; test\n";

namespace {

void PutLe(std::string* s, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) s->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A 24-bit bottom-up BMP whose pixel (x, y) is colorAt(x, y) (0xRRGGBB).
template <typename ColorAt>
std::string MakeBmp(int width, int height, ColorAt colorAt) {
  const int stride = (width * 3 + 3) / 4 * 4;
  std::string bmp = "BM";
  PutLe(&bmp, 54 + stride * height, 4);
  PutLe(&bmp, 0, 4);
  PutLe(&bmp, 54, 4);
  PutLe(&bmp, 40, 4);
  PutLe(&bmp, width, 4);
  PutLe(&bmp, height, 4);
  PutLe(&bmp, 1, 2);
  PutLe(&bmp, 24, 2);
  PutLe(&bmp, 0, 4);
  PutLe(&bmp, stride * height, 4);
  PutLe(&bmp, 2835, 4);
  PutLe(&bmp, 2835, 4);
  PutLe(&bmp, 0, 4);
  PutLe(&bmp, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) PutLe(&row, colorAt(x, y), 3);
    row.resize(stride, '\0');
    bmp += row;
  }
  return bmp;
}

void WritePicture(const std::string& name, const std::string& bmp) {
  std::string bytes = bmp;
  g_FileScrambler.XorBufferAll(bytes.data(), bytes.data(), static_cast<uint32_t>(bytes.size()));
  testsupport::WriteFile("Graphic/Adv/" + name, bytes);
}

}  // namespace

std::string FlatBmp(int width, int height, uint32_t rgb) {
  return MakeBmp(width, height, [rgb](int, int) { return rgb; });
}

void WriteScript(const std::string& gamePath, const std::string& text, bool crlf) {
  std::string bytes;
  for (char c : text) {
    if (c == '\n' && crlf) bytes += '\r';
    bytes += c;
  }
  ASSERT_EQ(g_FileIO.WriteWholeFile(gamePath.c_str(), bytes.data(), static_cast<uint32_t>(bytes.size())), S_OK)
      << gamePath;
}

void WriteTestPictures() {
  WritePicture("China.bmp", FlatBmp(854, 480, kChinaColor));
  WritePicture("guild.bmp", FlatBmp(854, 480, kGuildColor));
  WritePicture("gate.bmp", FlatBmp(854, 480, kGateColor));
  WritePicture("MessageWindow.bmp", FlatBmp(440, 80, kWindowColor));
  // Frames: a 5-pixel white border round a see-through (key green) middle.
  auto frame = [](int w, int h) {
    return MakeBmp(w, h, [w, h](int x, int y) {
      return x < 5 || y < 5 || x >= w - 5 || y >= h - 5 ? 0xFFFFFFu : 0x00FF00u;
    });
  };
  WritePicture("MessageFrame.bmp", frame(450, 90));
  WritePicture("NameFrame.bmp", frame(92, 37));
  WritePicture("MessageComment.bmp", FlatBmp(64, 32, 0xFFFF00));
  WritePicture("MessageEnd.bmp", FlatBmp(32, 32, 0xFF00FF));
  WritePicture("IconMain.bmp", MakeBmp(480, 192, [](int x, int y) {
    return kIconBaseColor + static_cast<uint32_t>((y / 96) * 5 + x / 96) * 0x10u;
  }));
  WritePicture("IconFrame.bmp", FlatBmp(128, 128, 0x404040));
  testsupport::WriteFile("Data/Temp/.keep", "");
}

void EnterScene(const std::string& name) {
  testsupport::StartGame();
  g_AdvScene.Release();  // no scene left half-played by a test before
  testsupport::EnterScratchDirectory(name);
  testsupport::UseManualClock();
  testsupport::UseScriptedInput();
  WriteTestPictures();
}

void StartScene(const std::string& body, int sceneNumber, const std::string& nextFile) {
  WriteScript("Script/adv/test.txt", std::string(kLeadLine) + "#01," + std::to_string(sceneNumber) + "\n#02," +
                                         nextFile + "\n" + body);
  ASSERT_EQ(g_AdvScene.LoadScript(".\\Script\\adv\\test.txt"), S_OK);
  g_GameState.SetMode(GameMode::AdvSetUp);
  StillFrames(1);
  ASSERT_EQ(g_GameState.GetMode(), GameMode::AdvRun);
  // The header lines run as commands 1 and 2, a frame each, and change nothing.
  StillFrames(2);
}

}  // namespace advtest
