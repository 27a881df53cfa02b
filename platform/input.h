#pragma once
// The keyboard, the mouse and the first game controller, read as immediate state blocks in the
// shapes the game is written for: 256 key bytes by DirectInput key code (0x80 = down), a mouse
// block with three axes and eight buttons in DirectInput order (0 left, 1 right, 2 middle), and a
// controller block with its axes ranged -1000..1000 and 32 button bytes numbered as the device
// numbers them.
//
// While the game window has no input focus nothing is read: the callers keep the state they read
// last. A controller that is unplugged reads as nothing pressed; one that is plugged in while none
// is open is taken up at the next read.
//
// Tests replace the devices with scripted state (SetScriptedInput); the reads below then return
// that state, so the game's own polling runs unchanged.
#include <cstdint>

namespace platform {

// DirectInput key codes of the keys the game names.
constexpr int DIK_ESCAPE = 0x01;
constexpr int DIK_RETURN = 0x1C;
constexpr int DIK_A = 0x1E;
constexpr int DIK_Z = 0x2C;
constexpr int DIK_X = 0x2D;
constexpr int DIK_C = 0x2E;
constexpr int DIK_SPACE = 0x39;
constexpr int DIK_F1 = 0x3B;
constexpr int DIK_UP = 0xC8;
constexpr int DIK_LEFT = 0xCB;
constexpr int DIK_RIGHT = 0xCD;
constexpr int DIK_DOWN = 0xD0;

constexpr int kKeyCount = 256;
constexpr int kMouseButtonCount = 8;
constexpr int kJoyButtonCount = 32;
constexpr uint8_t kPressed = 0x80;

// The mouse block: relative motion since the last read (x, y, wheel in 120ths of a notch) and
// the button bytes, 0x80 while down.
struct MouseState {
  int32_t lX = 0;
  int32_t lY = 0;
  int32_t lZ = 0;
  uint8_t rgbButtons[kMouseButtonCount] = {};
};
static_assert(sizeof(MouseState) == 20, "the mouse block is 20 bytes");

// The controller block: six axes and two sliders in -1000..1000, four hats in hundredths of a
// degree clockwise from up (0xFFFFFFFF when centred), 32 button bytes (0x80 while down).
struct JoyState {
  int32_t lX = 0;
  int32_t lY = 0;
  int32_t lZ = 0;
  int32_t lRx = 0;
  int32_t lRy = 0;
  int32_t lRz = 0;
  int32_t rglSlider[2] = {};
  uint32_t rgdwPOV[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
  uint8_t rgbButtons[kJoyButtonCount] = {};
};
static_assert(sizeof(JoyState) == 80, "the controller block is 80 bytes");

// Starts input: the event subsystem for keyboard and mouse, the joystick subsystem for the
// controller (a failure there only means no controller). False when input cannot start at all.
bool OpenInput();
// Closes the controller and stops what OpenInput started.
void CloseInput();
// Opens the first attached controller if there is one; true when one is open.
bool OpenFirstController();

// Reads the current state into the caller's block. False, with the block untouched, while the
// window has no input focus. ReadController reports no controller as nothing pressed.
bool ReadKeyboard(uint8_t keys[kKeyCount]);
bool ReadMouse(MouseState* mouse);
bool ReadController(JoyState* joy);
bool HasController();

// The DirectInput key code of an SDL scancode (0 for keys DirectInput has no code for).
int DikFromScancode(int scancode);
// An SDL axis value (-32768..32767) scaled to -1000..1000.
int32_t ScaleAxis(int16_t value);

// Scripted input for tests. While set, every read returns this state instead of the devices';
// `focused` false makes the reads fail as an unfocused window does, `controllerAttached` false
// reads as no controller, and `canStart` false makes OpenInput fail as on a machine whose input
// cannot start.
struct ScriptedInput {
  uint8_t keys[kKeyCount] = {};
  MouseState mouse;
  JoyState joy;
  bool controllerAttached = false;
  bool focused = true;
  bool canStart = true;
};
void SetScriptedInput(const ScriptedInput& input);
// The scripted state in force (to change part of it); null when the devices are read.
ScriptedInput* GetScriptedInput();
void ClearScriptedInput();

// A virtual controller that SDL treats as plugged in, so tests can drive the real controller
// path (hot-plug included). Returns false when SDL cannot make one.
bool AttachVirtualController(int axes, int buttons);
void SetVirtualControllerAxis(int axis, int16_t value);
void SetVirtualControllerButton(int button, bool down);
void DetachVirtualController();

}  // namespace platform
