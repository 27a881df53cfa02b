// The input manager: edge, held and repeat tests, the shared press, logical buttons and
// directions, all fed through InputManager::Poll from scripted device state.
#include <gtest/gtest.h>

#include "librarysauce/frameclock.h"
#include "librarysauce/inputmanager.h"
#include "librarysauce/keyconfig.h"
#include "platform/input.h"
#include "tests/testsupport.h"

namespace {

using platform::DIK_C;
using platform::DIK_DOWN;
using platform::DIK_LEFT;
using platform::DIK_UP;
using platform::DIK_X;
using platform::DIK_Z;

class InputManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::UseManualClock();
    g_FrameClock.Update();
    testsupport::UseScriptedInput();
    g_KeyConfig = KeyConfig();
  }
  void TearDown() override {
    testsupport::StopScriptedInput();
    g_Input.Release();
    g_KeyConfig = KeyConfig();  // back as the game starts, whatever a test set
  }
  // One frame as the game's frame step sees it: the clock, then the poll.
  void Frame(uint32_t ms = 16) {
    testsupport::AdvanceClock(ms);
    g_FrameClock.Update();
    testsupport::PollInput();
  }
  InputManager& input = g_Input;
};

TEST_F(InputManagerTest, KeyPressIsDeliveredOnceUntilReleased) {
  testsupport::PressKeys({DIK_Z});
  Frame();
  EXPECT_EQ(input.IsKeyDown(DIK_Z), 0x80);
  EXPECT_EQ(input.IsKeyTriggered(DIK_Z), 1);
  Frame();
  EXPECT_EQ(input.IsKeyTriggered(DIK_Z), 0);
  Frame();
  EXPECT_EQ(input.IsKeyTriggered(DIK_Z), 0);
  EXPECT_EQ(input.IsKeyDown(DIK_Z), 0x80);

  testsupport::ReleaseAll();
  Frame();
  EXPECT_EQ(input.IsKeyDown(DIK_Z), 0);
  EXPECT_EQ(input.IsKeyTriggered(DIK_Z), 0);
  testsupport::PressKeys({DIK_Z});
  Frame();
  EXPECT_EQ(input.IsKeyTriggered(DIK_Z), 1);
}

TEST_F(InputManagerTest, SharedKeyPressGoesToTheFirstLogicalButtonTested) {
  // Attack and Decide both sit on Z.
  testsupport::PressKeys({DIK_Z});
  Frame();
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Attack), 1);
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Decide), 0);
  EXPECT_EQ(input.IsButtonDown(LogicalButton::Decide), 1) << "held tests are not latched";
  Frame();
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Decide), 0);

  testsupport::ReleaseAll();
  Frame();
  testsupport::PressKeys({DIK_Z});
  Frame();
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Decide), 1);
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Attack), 0);
}

TEST_F(InputManagerTest, SharedControllerButtonAndControllerBeforeKey) {
  // Jump and Cancel share controller button 2 and key X.
  testsupport::SetJoystick(0, 0, {2});
  Frame();
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Cancel), 1);
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Jump), 0);

  // Controller button and key newly down together: the controller delivers, the key's press is
  // left for whoever asks for it next.
  testsupport::ReleaseAll();
  Frame();
  testsupport::SetJoystick(0, 0, {1});  // Guard
  testsupport::PressKeys({DIK_C});
  Frame();
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Guard), 1);
  EXPECT_EQ(input.IsKeyTriggered(DIK_C), 1);
  // Decide shares controller button 1 with Guard: already taken. Its key Z is not down.
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Decide), 0);
  EXPECT_EQ(input.IsButtonDown(LogicalButton::Decide), 1);
}

TEST_F(InputManagerTest, EachDeviceHasItsOwnDownRule) {
  platform::ScriptedInput raw;
  raw.keys[DIK_Z] = 0x81;  // bit 0x80 set: down
  raw.keys[DIK_X] = 0x7F;  // bit clear: up
  raw.mouse.rgbButtons[0] = 0x80;
  raw.mouse.rgbButtons[1] = 0x81;  // not exactly 0x80: up
  raw.mouse.rgbButtons[2] = 0x01;
  raw.controllerAttached = true;
  raw.joy.rgbButtons[4] = 0x01;  // any non-zero byte: down
  platform::SetScriptedInput(raw);
  Frame();
  EXPECT_EQ(input.IsKeyDown(DIK_Z), 0x80);
  EXPECT_EQ(input.IsKeyDown(DIK_X), 0);
  EXPECT_EQ(input.IsMouseTriggered(0), 1);
  EXPECT_EQ(input.IsMouseTriggered(1), 0);
  EXPECT_EQ(input.IsMouseTriggered(2), 0);
  EXPECT_EQ(input.IsJoyButtonTriggered(4), 1);
  EXPECT_EQ(input.GetMouseState().rgbButtons[1], 0x81);
  EXPECT_EQ(input.GetJoyState().rgbButtons[4], 0x01);

  // A mouse byte that stops being exactly 0x80 counts as released.
  raw.mouse.rgbButtons[0] = 0x81;
  platform::SetScriptedInput(raw);
  Frame();
  raw.mouse.rgbButtons[0] = 0x80;
  platform::SetScriptedInput(raw);
  Frame();
  EXPECT_EQ(input.IsMouseTriggered(0), 1);
}

TEST_F(InputManagerTest, StickThresholdsAndLatches) {
  testsupport::SetJoystick(0, -500);
  Frame();
  EXPECT_EQ(input.IsJoyDirDown(JoyDirection::Up), 1);
  EXPECT_EQ(input.IsDirDown(JoyDirection::Up), 1);
  EXPECT_EQ(input.IsJoyDirTriggered(JoyDirection::Up), 1);
  EXPECT_EQ(input.IsJoyDirTriggered(JoyDirection::Up), 0);

  // -499 is not up, and that poll clears the latch: -500 again is a new press.
  testsupport::SetJoystick(0, -499);
  Frame();
  EXPECT_EQ(input.IsJoyDirDown(JoyDirection::Up), 0);
  EXPECT_EQ(input.IsJoyDirTriggered(JoyDirection::Up), 0);
  testsupport::SetJoystick(0, -500);
  Frame();
  EXPECT_EQ(input.IsJoyDirTriggered(JoyDirection::Up), 1);

  // The other three directions at their thresholds and one short of them.
  testsupport::SetJoystick(500, 500);
  Frame();
  EXPECT_EQ(input.IsJoyDirDown(JoyDirection::Down), 1);
  EXPECT_EQ(input.IsJoyDirDown(JoyDirection::Right), 1);
  EXPECT_EQ(input.IsJoyDirDown(JoyDirection::Left), 0);
  testsupport::SetJoystick(-500, 499);
  Frame();
  EXPECT_EQ(input.IsJoyDirDown(JoyDirection::Down), 0);
  EXPECT_EQ(input.IsJoyDirDown(JoyDirection::Right), 0);
  EXPECT_EQ(input.IsJoyDirDown(JoyDirection::Left), 1);
}

TEST_F(InputManagerTest, DirTriggeredRunsBothTestsAndSetsBothLatches) {
  testsupport::PressKeys({DIK_LEFT});
  testsupport::SetJoystick(-1000, 0);
  Frame();
  EXPECT_EQ(input.IsDirTriggered(JoyDirection::Left), 1);
  EXPECT_EQ(input.IsKeyTriggered(DIK_LEFT), 0);
  EXPECT_EQ(input.IsJoyDirTriggered(JoyDirection::Left), 0);

  // Releasing only the key: the stick's latch still holds the press.
  testsupport::ReleaseKeys({DIK_LEFT});
  Frame();
  EXPECT_EQ(input.IsDirTriggered(JoyDirection::Left), 0);
  // Pressing the key again while the stick is held: a new key press.
  testsupport::PressKeys({DIK_LEFT});
  Frame();
  EXPECT_EQ(input.IsDirTriggered(JoyDirection::Left), 1);
}

TEST_F(InputManagerTest, KeyRepeatFiresOncePer501MsAndOneTest) {
  testsupport::PressKeys({DIK_DOWN});
  Frame(0);
  EXPECT_EQ(input.IsKeyRepeat(DIK_DOWN), 1);  // at 0 ms
  Frame(250);
  EXPECT_EQ(input.IsKeyRepeat(DIK_DOWN), 0);
  Frame(250);
  EXPECT_EQ(input.IsKeyRepeat(DIK_DOWN), 0);  // 500 ms
  Frame(1);
  EXPECT_EQ(input.IsKeyRepeat(DIK_DOWN), 0);  // 501 ms: the time has passed, nothing yet
  Frame(16);
  EXPECT_EQ(input.IsKeyRepeat(DIK_DOWN), 1);  // the test after that
  Frame(500);
  EXPECT_EQ(input.IsKeyRepeat(DIK_DOWN), 0);
  Frame(1);
  EXPECT_EQ(input.IsKeyRepeat(DIK_DOWN), 0);
  EXPECT_EQ(input.IsKeyRepeat(DIK_DOWN), 1);  // same frame: the next test is enough

  // The repeat shares the edge test's latch: a fired repeat is not a second press.
  EXPECT_EQ(input.IsKeyTriggered(DIK_DOWN), 0);
  testsupport::ReleaseAll();
  Frame();
  EXPECT_EQ(input.IsKeyRepeat(DIK_DOWN), 0);
}

TEST_F(InputManagerTest, StickMouseAndControllerButtonRepeat) {
  testsupport::SetJoystick(0, 800, {31});
  testsupport::SetMouse(10, 10, 0b100);  // middle
  Frame();
  EXPECT_EQ(input.IsJoyDirRepeat(JoyDirection::Down), 1);
  EXPECT_EQ(input.IsJoyButtonRepeat(31), 1);
  EXPECT_EQ(input.IsMouseRepeat(2), 1);
  Frame(501);
  EXPECT_EQ(input.IsJoyDirRepeat(JoyDirection::Down), 0);
  EXPECT_EQ(input.IsJoyButtonRepeat(31), 0);
  EXPECT_EQ(input.IsMouseRepeat(2), 0);
  Frame();
  EXPECT_EQ(input.IsJoyDirRepeat(JoyDirection::Down), 1);
  EXPECT_EQ(input.IsJoyButtonRepeat(31), 1);
  EXPECT_EQ(input.IsMouseRepeat(2), 1);
  EXPECT_EQ(input.IsJoyDirRepeat(JoyDirection::Up), 0);
}

TEST_F(InputManagerTest, NumbersOutsideTheTablesAreNeverPressedAndTouchNothing) {
  platform::ScriptedInput all;
  for (uint8_t& key : all.keys) key = 0x80;
  for (uint8_t& button : all.mouse.rgbButtons) button = 0x80;
  all.controllerAttached = true;
  for (uint8_t& button : all.joy.rgbButtons) button = 0x80;
  all.joy.lX = -1000;
  all.joy.lY = -1000;
  platform::SetScriptedInput(all);
  Frame();

  for (int code : {-1, 256, 1000}) {
    EXPECT_EQ(input.IsKeyDown(code), 0);
    EXPECT_EQ(input.IsKeyTriggered(code), 0);
    EXPECT_EQ(input.IsKeyRepeat(code), 0);
  }
  for (int button : {-1, 3, 7}) {
    EXPECT_EQ(input.IsMouseTriggered(button), 0);
    EXPECT_EQ(input.IsMouseRepeat(button), 0);
  }
  for (int button : {-1, 32, 40, 127}) {
    EXPECT_EQ(input.IsJoyButtonTriggered(button), 0);
    EXPECT_EQ(input.IsJoyButtonRepeat(button), 0);
  }
  for (int dir : {-1, 4, 9}) {
    const JoyDirection d = static_cast<JoyDirection>(dir);
    EXPECT_EQ(input.IsJoyDirDown(d), 0);
    EXPECT_EQ(input.IsJoyDirTriggered(d), 0);
    EXPECT_EQ(input.IsJoyDirRepeat(d), 0);
    EXPECT_EQ(input.IsDirDown(d), 0);
    EXPECT_EQ(input.IsDirTriggered(d), 0);
  }
  for (int b : {-1, 7, 100}) {
    EXPECT_EQ(input.IsButtonDown(static_cast<LogicalButton>(b)), 0);
    EXPECT_EQ(input.IsButtonTriggered(static_cast<LogicalButton>(b)), 0);
  }

  // A logical button configured on a controller number outside 0..31 still has its key.
  g_KeyConfig.SetJoyButton(LogicalButton::Attack, -1);
  g_KeyConfig.SetJoyButton(LogicalButton::Jump, 40);
  g_KeyConfig.SetKey(LogicalButton::Jump, 300);
  EXPECT_EQ(input.IsButtonDown(LogicalButton::Jump), 0);
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Jump), 0);
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Attack), 1);  // from key Z
  EXPECT_EQ(input.IsKeyTriggered(DIK_Z), 0);

  // None of the refused tests set a latch: every real input still has its first press.
  for (int b = 0; b < platform::kJoyButtonCount; ++b) EXPECT_EQ(input.IsJoyButtonTriggered(b), 1) << b;
  for (int m = 0; m < 3; ++m) EXPECT_EQ(input.IsMouseTriggered(m), 1) << m;
  for (int k : {0, 255, DIK_UP, DIK_LEFT, DIK_X}) EXPECT_EQ(input.IsKeyTriggered(k), 1) << k;
  EXPECT_EQ(input.IsJoyDirTriggered(JoyDirection::Up), 1);
  EXPECT_EQ(input.IsJoyDirTriggered(JoyDirection::Left), 1);
}

TEST_F(InputManagerTest, WithoutFocusTheStateReadLastStays) {
  testsupport::PressKeys({DIK_Z});
  testsupport::SetJoystick(0, 0, {3});
  testsupport::SetMouse(0, 0, 0b1);
  Frame();
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Attack), 1);  // from the controller
  EXPECT_EQ(input.IsKeyTriggered(DIK_Z), 1);

  testsupport::SetInputFocus(false);
  testsupport::ReleaseAll();
  Frame();
  EXPECT_EQ(input.IsKeyDown(DIK_Z), 0x80);
  EXPECT_EQ(input.IsButtonDown(LogicalButton::Attack), 1);
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Attack), 0) << "still the same press";
  EXPECT_EQ(input.GetMouseState().rgbButtons[0], 0x80);

  testsupport::SetInputFocus(true);
  Frame();
  EXPECT_EQ(input.IsKeyDown(DIK_Z), 0);
  EXPECT_EQ(input.IsButtonDown(LogicalButton::Attack), 0);
  EXPECT_EQ(input.GetMouseState().rgbButtons[0], 0);
}

TEST_F(InputManagerTest, UnpluggedControllerReadsAsNothingPressed) {
  testsupport::SetJoystick(0, 900, {8});
  Frame();
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Pause), 1);
  EXPECT_EQ(input.IsDirDown(JoyDirection::Down), 1);
  testsupport::UnplugJoystick();
  Frame();
  EXPECT_EQ(input.IsButtonDown(LogicalButton::Pause), 0);
  EXPECT_EQ(input.IsDirDown(JoyDirection::Down), 0);
  testsupport::SetJoystick(0, 0, {8});
  Frame();
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Pause), 1) << "plugged back in: a new press";
}

TEST_F(InputManagerTest, MousePositionComesFromTheWindow) {
  testsupport::SetMouse(300, 200);
  uint32_t pos = 0;
  EXPECT_EQ(input.GetMousePos(&pos), &pos);
  EXPECT_EQ(pos, 300u | (200u << 16));
  testsupport::SetMouse(-5, 479);
  input.GetMousePos(&pos);
  EXPECT_EQ(static_cast<int16_t>(pos & 0xFFFF), -5);
  EXPECT_EQ(static_cast<int16_t>(pos >> 16), 479);
  EXPECT_EQ(input.GetMouseX(), -5);
  EXPECT_EQ(input.GetMouseY(), 479);
}

TEST_F(InputManagerTest, ReleasedDevicesAreNotReadAndRecreationResumes) {
  testsupport::PressKeys({DIK_X});
  Frame();
  input.Release();
  testsupport::ReleaseAll();
  Frame();
  EXPECT_EQ(input.IsKeyDown(DIK_X), 0x80) << "no device, no read";
  ASSERT_EQ(input.Create(), S_OK);
  Frame();
  EXPECT_EQ(input.IsKeyDown(DIK_X), 0);
}

// The platform's conversions from SDL: key codes and axis ranges.
TEST(PlatformInputTest, ScancodesAndAxesBecomeDirectInputValues) {
  // SDL scancodes are USB usage numbers.
  EXPECT_EQ(platform::DikFromScancode(29), DIK_Z);
  EXPECT_EQ(platform::DikFromScancode(27), DIK_X);
  EXPECT_EQ(platform::DikFromScancode(6), DIK_C);
  EXPECT_EQ(platform::DikFromScancode(4), platform::DIK_A);
  EXPECT_EQ(platform::DikFromScancode(44), platform::DIK_SPACE);
  EXPECT_EQ(platform::DikFromScancode(40), platform::DIK_RETURN);
  EXPECT_EQ(platform::DikFromScancode(58), platform::DIK_F1);
  EXPECT_EQ(platform::DikFromScancode(82), DIK_UP);
  EXPECT_EQ(platform::DikFromScancode(81), DIK_DOWN);
  EXPECT_EQ(platform::DikFromScancode(80), DIK_LEFT);
  EXPECT_EQ(platform::DikFromScancode(79), platform::DIK_RIGHT);
  EXPECT_EQ(platform::DikFromScancode(0), 0);

  EXPECT_EQ(platform::ScaleAxis(0), 0);
  EXPECT_EQ(platform::ScaleAxis(32767), 1000);
  EXPECT_EQ(platform::ScaleAxis(-32768), -1000);
  EXPECT_EQ(platform::ScaleAxis(16384), 500);
  EXPECT_EQ(platform::ScaleAxis(-16384), -500);
  EXPECT_LT(platform::ScaleAxis(16350), 500);
}

}  // namespace

namespace {

// The real controller path: SDL's virtual controller stands in for a pad, plugged in and out
// while the game runs.
class ControllerDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::StartGame();
    testsupport::StopScriptedInput();
    ASSERT_EQ(g_Input.Create(), S_OK);
    g_KeyConfig = KeyConfig();
  }
  void TearDown() override {
    platform::DetachVirtualController();
    g_Input.Release();
  }
};

TEST_F(ControllerDeviceTest, PadPluggedInAndOutWhileRunning) {
  InputManager& input = g_Input;
  input.Poll();
  EXPECT_EQ(input.IsButtonDown(LogicalButton::Attack), 0);

  ASSERT_TRUE(platform::AttachVirtualController(2, 16)) << "SDL cannot make a virtual controller";
  platform::SetVirtualControllerButton(3, true);
  platform::SetVirtualControllerAxis(1, -32768);
  input.Poll();
  EXPECT_TRUE(platform::HasController());
  EXPECT_EQ(input.GetJoyState().lY, -1000);
  EXPECT_EQ(input.GetJoyState().rgbButtons[3], 0x80);
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Attack), 1);
  EXPECT_EQ(input.IsDirTriggered(JoyDirection::Up), 1);

  // Pulled out with the button held: nothing stays pressed.
  platform::DetachVirtualController();
  input.Poll();
  input.Poll();
  EXPECT_FALSE(platform::HasController());
  EXPECT_EQ(input.IsButtonDown(LogicalButton::Attack), 0);
  EXPECT_EQ(input.IsDirDown(JoyDirection::Up), 0);

  // Plugged in again: taken up, and its press is new.
  ASSERT_TRUE(platform::AttachVirtualController(2, 16));
  platform::SetVirtualControllerButton(3, true);
  input.Poll();
  EXPECT_EQ(input.IsButtonTriggered(LogicalButton::Attack), 1);
}

}  // namespace
