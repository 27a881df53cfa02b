#pragma once
// Keyboard, mouse and controller, read once a frame, and the questions the game asks of them:
// is an input held, has it just been pressed, is it held long enough to repeat; and on top of
// those the four logical directions and the seven logical buttons.
//
// A press is delivered once, to the first edge test that asks for it: the test sets the input's
// latch, and only a poll that sees the input released clears it. Logical buttons that share a
// key or a controller button therefore share one press.
//
// What "down" means differs by device: a key is down when its byte has bit 0x80, a mouse button
// when its byte is exactly 0x80, a controller button when its byte is not 0.
//
// Numbers outside the tables (keys outside 0..255, mouse buttons outside 0..2, controller
// buttons outside 0..31, directions outside 0..3, logical buttons outside 0..6) are never
// pressed, and testing them changes nothing.
#include <cstdint>

#include "librarysauce/keyconfig.h"
#include "platform/input.h"
#include "platform/types.h"

enum class JoyDirection : int {
  Up = 0,
  Down = 1,
  Right = 2,
  Left = 3,
};

class InputManager {
 public:
  static constexpr int kMouseLatchCount = 3;
  static constexpr int kStickThreshold = 500;
  // A held input repeats once this many milliseconds have passed since it last fired, at the
  // test after the one that saw the time pass.
  static constexpr uint32_t kRepeatMs = 501;

  InputManager();
  ~InputManager();
  InputManager(const InputManager&) = delete;
  InputManager& operator=(const InputManager&) = delete;

  // Sets up the keyboard, the mouse and the first controller (a missing controller is not an
  // error). E_FAIL when input cannot be started, with everything released.
  HRESULT Create();
  HRESULT CreateKeyboard();
  HRESULT CreateMouse();
  HRESULT CreateJoystick();
  void Release();

  // Reads every device once and clears the latch of every input that is no longer down.
  HRESULT Poll();

  // Raw state and tests.
  int IsKeyDown(int code) const;  // 0x80 while down, else 0
  const platform::MouseState& GetMouseState() const { return mouseState_; }
  const platform::JoyState& GetJoyState() const { return joyState_; }
  int IsJoyDirDown(JoyDirection dir) const;
  int IsKeyTriggered(int code);
  int IsMouseTriggered(int button);
  int IsJoyDirTriggered(JoyDirection dir);
  int IsJoyButtonTriggered(int button);
  int IsKeyRepeat(int code);
  int IsMouseRepeat(int button);
  int IsJoyDirRepeat(JoyDirection dir);
  int IsJoyButtonRepeat(int button);

  // The mouse position the window reported last: x in the low 16 bits, y in the high 16 bits,
  // each a signed client-pixel coordinate.
  void SetMousePos(uint32_t pos) { mousePos_ = pos; }
  uint32_t* GetMousePos(uint32_t* out) const;
  static uint32_t MakeMousePos(int x, int y);
  int GetMouseX() const { return static_cast<int16_t>(mousePos_ & 0xFFFF); }
  int GetMouseY() const { return static_cast<int16_t>(mousePos_ >> 16); }

  // Logical tests: the arrow keys or the stick; a configured key or controller button.
  int IsDirDown(JoyDirection dir) const;
  // Runs both the arrow key's and the stick's edge test, so one call sets both latches.
  int IsDirTriggered(JoyDirection dir);
  int IsButtonDown(LogicalButton button) const;
  // The controller button is tested first; the key only when the controller did not fire.
  int IsButtonTriggered(LogicalButton button);

 private:
  static bool IsDirection(JoyDirection dir);
  static bool IsKeyCode(int code) { return code >= 0 && code < platform::kKeyCount; }
  static bool IsMouseButton(int button) { return button >= 0 && button < kMouseLatchCount; }
  static bool IsJoyButton(int button) { return button >= 0 && button < platform::kJoyButtonCount; }
  bool MouseDown(int button) const { return mouseState_.rgbButtons[button] == platform::kPressed; }
  bool JoyButtonDown(int button) const { return joyState_.rgbButtons[button] != 0; }
  static int EdgeTest(bool down, int32_t* latch);
  static int RepeatTest(bool down, int32_t* latch, uint32_t* pressTime);

  bool dinput_ = false;
  bool keyboard_ = false;
  bool mouse_ = false;
  bool joystick_ = false;
  uint8_t keyState_[platform::kKeyCount] = {};
  platform::MouseState mouseState_;
  platform::JoyState joyState_;
  uint32_t mousePos_ = 0;
  int32_t keyLatch_[platform::kKeyCount] = {};
  int32_t mouseLatch_[kMouseLatchCount] = {};
  int32_t stickLatch_[4] = {};
  int32_t joyButtonLatch_[platform::kJoyButtonCount] = {};
  uint32_t keyPressTime_[platform::kKeyCount] = {};
  uint32_t mousePressTime_[kMouseLatchCount] = {};
  uint32_t stickPressTime_[4] = {};
  uint32_t joyButtonPressTime_[platform::kJoyButtonCount] = {};
};

extern InputManager g_Input;
