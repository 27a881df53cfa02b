#include "librarysauce/inputmanager.h"

#include "librarysauce/frameclock.h"

InputManager g_Input;

namespace {
constexpr int kArrowKeys[4] = {platform::DIK_UP, platform::DIK_DOWN, platform::DIK_RIGHT, platform::DIK_LEFT};
}  // namespace

InputManager::InputManager() = default;

InputManager::~InputManager() { Release(); }

HRESULT InputManager::Create() {
  Release();
  if (!platform::OpenInput()) return E_FAIL;
  dinput_ = true;
  if (CreateKeyboard() < 0 || CreateMouse() < 0 || CreateJoystick() < 0) {
    Release();
    return E_FAIL;
  }
  return S_OK;
}

HRESULT InputManager::CreateKeyboard() {
  if (!dinput_) return E_FAIL;
  keyboard_ = true;
  return S_OK;
}

HRESULT InputManager::CreateMouse() {
  if (!dinput_) return E_FAIL;
  mouse_ = true;
  return S_OK;
}

HRESULT InputManager::CreateJoystick() {
  if (!dinput_) return E_FAIL;
  // No controller attached is not an error; one plugged in later is taken up by the reads.
  platform::OpenFirstController();
  joystick_ = true;
  return S_OK;
}

void InputManager::Release() {
  joystick_ = false;
  mouse_ = false;
  keyboard_ = false;
  if (dinput_) platform::CloseInput();
  dinput_ = false;
}

HRESULT InputManager::Poll() {
  // A device that cannot be read (the window is in the background) keeps the state read last.
  if (keyboard_) platform::ReadKeyboard(keyState_);
  if (mouse_) platform::ReadMouse(&mouseState_);
  if (joystick_) platform::ReadController(&joyState_);

  for (int i = 0; i < platform::kKeyCount; ++i) {
    if ((keyState_[i] & platform::kPressed) == 0) keyLatch_[i] = 0;
  }
  for (int i = 0; i < kMouseLatchCount; ++i) {
    if (!MouseDown(i)) mouseLatch_[i] = 0;
  }
  for (int i = 0; i < platform::kJoyButtonCount; ++i) {
    if (!JoyButtonDown(i)) joyButtonLatch_[i] = 0;
  }
  if (joyState_.lY > -kStickThreshold) stickLatch_[static_cast<int>(JoyDirection::Up)] = 0;
  if (joyState_.lY < kStickThreshold) stickLatch_[static_cast<int>(JoyDirection::Down)] = 0;
  if (joyState_.lX < kStickThreshold) stickLatch_[static_cast<int>(JoyDirection::Right)] = 0;
  if (joyState_.lX > -kStickThreshold) stickLatch_[static_cast<int>(JoyDirection::Left)] = 0;
  return S_OK;
}

bool InputManager::IsDirection(JoyDirection dir) {
  const int index = static_cast<int>(dir);
  return index >= 0 && index < 4;
}

int InputManager::EdgeTest(bool down, int32_t* latch) {
  if (!down || *latch) return 0;
  *latch = 1;
  return 1;
}

int InputManager::RepeatTest(bool down, int32_t* latch, uint32_t* pressTime) {
  if (!down) return 0;
  const uint32_t now = g_FrameClock.GetTime();
  if (!*latch) {
    *pressTime = now;
    *latch = 1;
    return 1;
  }
  // Clearing the latch here makes the next test fire: one delivery per 501 ms and one test.
  if (now - *pressTime >= kRepeatMs) *latch = 0;
  return 0;
}

int InputManager::IsKeyDown(int code) const {
  if (!IsKeyCode(code)) return 0;
  return keyState_[code] & platform::kPressed;
}

int InputManager::IsJoyDirDown(JoyDirection dir) const {
  switch (dir) {
    case JoyDirection::Up: return joyState_.lY <= -kStickThreshold ? 1 : 0;
    case JoyDirection::Down: return joyState_.lY >= kStickThreshold ? 1 : 0;
    case JoyDirection::Right: return joyState_.lX >= kStickThreshold ? 1 : 0;
    case JoyDirection::Left: return joyState_.lX <= -kStickThreshold ? 1 : 0;
  }
  return 0;
}

int InputManager::IsKeyTriggered(int code) {
  if (!IsKeyCode(code)) return 0;
  return EdgeTest(IsKeyDown(code) != 0, &keyLatch_[code]);
}

int InputManager::IsMouseTriggered(int button) {
  if (!IsMouseButton(button)) return 0;
  return EdgeTest(MouseDown(button), &mouseLatch_[button]);
}

int InputManager::IsJoyDirTriggered(JoyDirection dir) {
  if (!IsDirection(dir)) return 0;
  const int index = static_cast<int>(dir);
  return EdgeTest(IsJoyDirDown(dir) != 0, &stickLatch_[index]);
}

int InputManager::IsJoyButtonTriggered(int button) {
  if (!IsJoyButton(button)) return 0;
  return EdgeTest(JoyButtonDown(button), &joyButtonLatch_[button]);
}

int InputManager::IsKeyRepeat(int code) {
  if (!IsKeyCode(code)) return 0;
  return RepeatTest(IsKeyDown(code) != 0, &keyLatch_[code], &keyPressTime_[code]);
}

int InputManager::IsMouseRepeat(int button) {
  if (!IsMouseButton(button)) return 0;
  return RepeatTest(MouseDown(button), &mouseLatch_[button], &mousePressTime_[button]);
}

int InputManager::IsJoyDirRepeat(JoyDirection dir) {
  if (!IsDirection(dir)) return 0;
  const int index = static_cast<int>(dir);
  return RepeatTest(IsJoyDirDown(dir) != 0, &stickLatch_[index], &stickPressTime_[index]);
}

int InputManager::IsJoyButtonRepeat(int button) {
  if (!IsJoyButton(button)) return 0;
  return RepeatTest(JoyButtonDown(button), &joyButtonLatch_[button], &joyButtonPressTime_[button]);
}

uint32_t* InputManager::GetMousePos(uint32_t* out) const {
  if (out) *out = mousePos_;
  return out;
}

uint32_t InputManager::MakeMousePos(int x, int y) {
  return (static_cast<uint32_t>(x) & 0xFFFFu) | ((static_cast<uint32_t>(y) & 0xFFFFu) << 16);
}

int InputManager::IsDirDown(JoyDirection dir) const {
  if (!IsDirection(dir)) return 0;
  const int key = IsKeyDown(kArrowKeys[static_cast<int>(dir)]) != 0;
  return (key || IsJoyDirDown(dir)) ? 1 : 0;
}

int InputManager::IsDirTriggered(JoyDirection dir) {
  if (!IsDirection(dir)) return 0;
  const int key = IsKeyTriggered(kArrowKeys[static_cast<int>(dir)]);
  const int stick = IsJoyDirTriggered(dir);
  return (key || stick) ? 1 : 0;
}

int InputManager::IsButtonDown(LogicalButton button) const {
  const int joyButton = g_KeyConfig.GetJoyButton(button);
  if (IsJoyButton(joyButton) && JoyButtonDown(joyButton)) return 1;
  return IsKeyDown(g_KeyConfig.GetKey(button)) ? 1 : 0;
}

int InputManager::IsButtonTriggered(LogicalButton button) {
  if (IsJoyButtonTriggered(g_KeyConfig.GetJoyButton(button))) return 1;
  return IsKeyTriggered(g_KeyConfig.GetKey(button));
}
