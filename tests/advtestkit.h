#pragma once
// What the ADV scene's tests share: story scripts and pictures written scrambled into the
// scratch game directory, and the scene started the way the game starts it.
#include <cstdint>
#include <string>

#include "tests/testsupport.h"

namespace advtest {

// Flat colours of the test pictures (0xRRGGBB), so a pixel read back tells which one shows.
constexpr uint32_t kChinaColor = 0xC03020;
constexpr uint32_t kGuildColor = 0x30A040;
constexpr uint32_t kGateColor = 0x2040C0;
constexpr uint32_t kWindowColor = 0xF0F0F0;
// Icon cell n of the test icon sheet is this colour plus n × 0x000010.
constexpr uint32_t kIconBaseColor = 0x804000;
// Game keys (DirectInput codes).
constexpr int kKeyZ = 44;
constexpr int kKeyDown = 208;
constexpr int kKeyReturn = 28;
constexpr int kKeyLeftCtrl = 29;
constexpr int kKeyRightCtrl = 157;

// Eight bytes that open every test script: the header search begins after them.
extern const char kLeadLine[];

// Writes text scrambled, as the data build stores scripts; "\n" line ends become "\r\n"
// unless crlf is false.
void WriteScript(const std::string& gamePath, const std::string& text, bool crlf = true);
// Writes the ten ADV pictures of the test set under ".\Graphic\Adv\" (and ".\Data\Temp\").
void WriteTestPictures();
// A BMP of one colour; the icon sheet gets one colour per 96 × 96 cell.
std::string FlatBmp(int width, int height, uint32_t rgb);

// Enters a scratch directory with the test pictures, the manual clock and scripted input.
void EnterScene(const std::string& name);
// Writes ".\Script\adv\test.txt" from kLeadLine + header + body, loads it and sets the scene up
// (mode 7, one frame), then runs the header lines (two frames), so the next frame runs the
// body's first command.
void StartScene(const std::string& body, int sceneNumber = 1, const std::string& nextFile = "next.cnn");
// Frames and taps with the clock still (the scene's text waits move only when a test moves the
// clock), as testsupport steps them.
using testsupport::StillFrames;
using testsupport::StillTap;

}  // namespace advtest
