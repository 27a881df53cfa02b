#include "platform/input.h"

#include <SDL.h>

#include <cstring>
#include <memory>

#include "platform/window.h"

namespace platform {
namespace {

bool g_inputOpen = false;
bool g_joystickUp = false;  // the joystick subsystem started for us
SDL_Joystick* g_controller = nullptr;
int32_t g_wheel = 0;  // wheel motion since the last mouse read, in 120ths of a notch
std::unique_ptr<ScriptedInput> g_scripted;
SDL_Joystick* g_virtual = nullptr;  // the tests' handle on their virtual controller

// DirectInput key codes by SDL scancode (USB usage numbers); 0 where DirectInput has no key.
struct ScancodeDik {
  SDL_Scancode scancode;
  uint8_t dik;
};
constexpr ScancodeDik kScancodeDik[] = {
    {SDL_SCANCODE_ESCAPE, 0x01}, {SDL_SCANCODE_1, 0x02}, {SDL_SCANCODE_2, 0x03}, {SDL_SCANCODE_3, 0x04},
    {SDL_SCANCODE_4, 0x05}, {SDL_SCANCODE_5, 0x06}, {SDL_SCANCODE_6, 0x07}, {SDL_SCANCODE_7, 0x08},
    {SDL_SCANCODE_8, 0x09}, {SDL_SCANCODE_9, 0x0A}, {SDL_SCANCODE_0, 0x0B}, {SDL_SCANCODE_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, 0x0D}, {SDL_SCANCODE_BACKSPACE, 0x0E}, {SDL_SCANCODE_TAB, 0x0F},
    {SDL_SCANCODE_Q, 0x10}, {SDL_SCANCODE_W, 0x11}, {SDL_SCANCODE_E, 0x12}, {SDL_SCANCODE_R, 0x13},
    {SDL_SCANCODE_T, 0x14}, {SDL_SCANCODE_Y, 0x15}, {SDL_SCANCODE_U, 0x16}, {SDL_SCANCODE_I, 0x17},
    {SDL_SCANCODE_O, 0x18}, {SDL_SCANCODE_P, 0x19}, {SDL_SCANCODE_LEFTBRACKET, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, 0x1B}, {SDL_SCANCODE_RETURN, 0x1C}, {SDL_SCANCODE_LCTRL, 0x1D},
    {SDL_SCANCODE_A, 0x1E}, {SDL_SCANCODE_S, 0x1F}, {SDL_SCANCODE_D, 0x20}, {SDL_SCANCODE_F, 0x21},
    {SDL_SCANCODE_G, 0x22}, {SDL_SCANCODE_H, 0x23}, {SDL_SCANCODE_J, 0x24}, {SDL_SCANCODE_K, 0x25},
    {SDL_SCANCODE_L, 0x26}, {SDL_SCANCODE_SEMICOLON, 0x27}, {SDL_SCANCODE_APOSTROPHE, 0x28},
    {SDL_SCANCODE_GRAVE, 0x29}, {SDL_SCANCODE_LSHIFT, 0x2A}, {SDL_SCANCODE_BACKSLASH, 0x2B},
    {SDL_SCANCODE_NONUSHASH, 0x2B}, {SDL_SCANCODE_Z, 0x2C}, {SDL_SCANCODE_X, 0x2D}, {SDL_SCANCODE_C, 0x2E},
    {SDL_SCANCODE_V, 0x2F}, {SDL_SCANCODE_B, 0x30}, {SDL_SCANCODE_N, 0x31}, {SDL_SCANCODE_M, 0x32},
    {SDL_SCANCODE_COMMA, 0x33}, {SDL_SCANCODE_PERIOD, 0x34}, {SDL_SCANCODE_SLASH, 0x35},
    {SDL_SCANCODE_RSHIFT, 0x36}, {SDL_SCANCODE_KP_MULTIPLY, 0x37}, {SDL_SCANCODE_LALT, 0x38},
    {SDL_SCANCODE_SPACE, 0x39}, {SDL_SCANCODE_CAPSLOCK, 0x3A}, {SDL_SCANCODE_F1, 0x3B},
    {SDL_SCANCODE_F2, 0x3C}, {SDL_SCANCODE_F3, 0x3D}, {SDL_SCANCODE_F4, 0x3E}, {SDL_SCANCODE_F5, 0x3F},
    {SDL_SCANCODE_F6, 0x40}, {SDL_SCANCODE_F7, 0x41}, {SDL_SCANCODE_F8, 0x42}, {SDL_SCANCODE_F9, 0x43},
    {SDL_SCANCODE_F10, 0x44}, {SDL_SCANCODE_NUMLOCKCLEAR, 0x45}, {SDL_SCANCODE_SCROLLLOCK, 0x46},
    {SDL_SCANCODE_KP_7, 0x47}, {SDL_SCANCODE_KP_8, 0x48}, {SDL_SCANCODE_KP_9, 0x49},
    {SDL_SCANCODE_KP_MINUS, 0x4A}, {SDL_SCANCODE_KP_4, 0x4B}, {SDL_SCANCODE_KP_5, 0x4C},
    {SDL_SCANCODE_KP_6, 0x4D}, {SDL_SCANCODE_KP_PLUS, 0x4E}, {SDL_SCANCODE_KP_1, 0x4F},
    {SDL_SCANCODE_KP_2, 0x50}, {SDL_SCANCODE_KP_3, 0x51}, {SDL_SCANCODE_KP_0, 0x52},
    {SDL_SCANCODE_KP_PERIOD, 0x53}, {SDL_SCANCODE_NONUSBACKSLASH, 0x56}, {SDL_SCANCODE_F11, 0x57},
    {SDL_SCANCODE_F12, 0x58}, {SDL_SCANCODE_F13, 0x64}, {SDL_SCANCODE_F14, 0x65}, {SDL_SCANCODE_F15, 0x66},
    {SDL_SCANCODE_INTERNATIONAL2, 0x70},  // katakana/hiragana
    {SDL_SCANCODE_INTERNATIONAL1, 0x73},  // ro
    {SDL_SCANCODE_INTERNATIONAL4, 0x79},  // henkan
    {SDL_SCANCODE_INTERNATIONAL5, 0x7B},  // muhenkan
    {SDL_SCANCODE_INTERNATIONAL3, 0x7D},  // yen
    {SDL_SCANCODE_KP_EQUALS, 0x8D}, {SDL_SCANCODE_AUDIOPREV, 0x90}, {SDL_SCANCODE_AUDIONEXT, 0x99},
    {SDL_SCANCODE_KP_ENTER, 0x9C}, {SDL_SCANCODE_RCTRL, 0x9D}, {SDL_SCANCODE_AUDIOMUTE, 0xA0},
    {SDL_SCANCODE_CALCULATOR, 0xA1}, {SDL_SCANCODE_AUDIOPLAY, 0xA2}, {SDL_SCANCODE_AUDIOSTOP, 0xA4},
    {SDL_SCANCODE_VOLUMEDOWN, 0xAE}, {SDL_SCANCODE_VOLUMEUP, 0xB0}, {SDL_SCANCODE_AC_HOME, 0xB2},
    {SDL_SCANCODE_KP_COMMA, 0xB3}, {SDL_SCANCODE_KP_DIVIDE, 0xB5}, {SDL_SCANCODE_PRINTSCREEN, 0xB7},
    {SDL_SCANCODE_RALT, 0xB8}, {SDL_SCANCODE_PAUSE, 0xC5}, {SDL_SCANCODE_HOME, 0xC7},
    {SDL_SCANCODE_UP, 0xC8}, {SDL_SCANCODE_PAGEUP, 0xC9}, {SDL_SCANCODE_LEFT, 0xCB},
    {SDL_SCANCODE_RIGHT, 0xCD}, {SDL_SCANCODE_END, 0xCF}, {SDL_SCANCODE_DOWN, 0xD0},
    {SDL_SCANCODE_PAGEDOWN, 0xD1}, {SDL_SCANCODE_INSERT, 0xD2}, {SDL_SCANCODE_DELETE, 0xD3},
    {SDL_SCANCODE_LGUI, 0xDB}, {SDL_SCANCODE_RGUI, 0xDC}, {SDL_SCANCODE_APPLICATION, 0xDD},
    {SDL_SCANCODE_POWER, 0xDE}, {SDL_SCANCODE_SLEEP, 0xDF},
};

// DirectInput mouse button order (left, right, middle, X1, X2) → SDL button numbers.
constexpr int kMouseButtons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_X1,
                                 SDL_BUTTON_X2};

int SDLCALL WatchWheel(void*, SDL_Event* event) {
  if (event->type == SDL_MOUSEWHEEL) {
    const int notches = event->wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event->wheel.y : event->wheel.y;
    g_wheel += notches * 120;
  }
  return 1;
}

// The devices deliver only to the window that has the input focus, as foreground devices do.
// The offscreen driver has no window system and so no focus to give: its window counts as focused.
bool WindowHasFocus() {
  SDL_Window* window = static_cast<SDL_Window*>(NativeWindow());
  if (!window) return false;
  if ((SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0) return true;
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "offscreen") == 0;
}

void CloseController() {
  if (g_controller) SDL_JoystickClose(g_controller);
  g_controller = nullptr;
}

// Drops a controller that has been unplugged and takes up the first one attached when none is open.
void KeepControllerCurrent() {
  if (!g_joystickUp) return;
  SDL_JoystickUpdate();
  if (g_controller && !SDL_JoystickGetAttached(g_controller)) CloseController();
  if (!g_controller) OpenFirstController();
}

uint32_t HatToPov(Uint8 hat) {
  switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return 0xFFFFFFFFu;
  }
}

}  // namespace

bool OpenInput() {
  if (g_inputOpen) return true;
  if (g_scripted && !g_scripted->canStart) return false;
  if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) return false;
  // The focus rule is applied here, on every read; SDL itself must not drop the controller's
  // changes while no window has the focus (the offscreen driver never gives it).
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  // The controller is optional: without the joystick subsystem the game runs on keyboard and mouse.
  g_joystickUp = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
  // The controller is polled, never seen as events: a stick that jitters must not fill the message
  // queue, which would hold back the frames (they run only when the queue is empty).
  if (g_joystickUp) SDL_JoystickEventState(SDL_IGNORE);
  SDL_AddEventWatch(&WatchWheel, nullptr);
  g_wheel = 0;
  g_inputOpen = true;
  return true;
}

void CloseInput() {
  if (!g_inputOpen) return;
  DetachVirtualController();
  CloseController();
  SDL_DelEventWatch(&WatchWheel, nullptr);
  if (g_joystickUp) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  g_joystickUp = false;
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
  g_inputOpen = false;
}

bool OpenFirstController() {
  if (g_controller) return true;
  if (!g_joystickUp) return false;
  const int count = SDL_NumJoysticks();
  for (int i = 0; i < count && !g_controller; ++i) g_controller = SDL_JoystickOpen(i);
  return g_controller != nullptr;
}

bool HasController() {
  if (g_scripted) return g_scripted->controllerAttached;
  return g_controller != nullptr;
}

bool ReadKeyboard(uint8_t keys[kKeyCount]) {
  if (g_scripted) {
    if (!g_scripted->focused) return false;
    std::memcpy(keys, g_scripted->keys, kKeyCount);
    return true;
  }
  if (!g_inputOpen) return false;
  // Key state follows the events SDL has taken in; take in what is waiting (the events stay queued
  // for the message loop).
  SDL_PumpEvents();
  if (!WindowHasFocus()) return false;
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  std::memset(keys, 0, kKeyCount);
  for (const ScancodeDik& entry : kScancodeDik) {
    if (static_cast<int>(entry.scancode) < count && state[entry.scancode]) keys[entry.dik] = kPressed;
  }
  return true;
}

bool ReadMouse(MouseState* mouse) {
  if (g_scripted) {
    if (!g_scripted->focused) return false;
    *mouse = g_scripted->mouse;
    return true;
  }
  if (!g_inputOpen) return false;
  if (!WindowHasFocus()) {
    g_wheel = 0;  // turned while the game was in the background: not the game's
    return false;
  }
  int dx = 0, dy = 0;
  SDL_GetRelativeMouseState(&dx, &dy);
  const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
  MouseState state;
  state.lX = dx;
  state.lY = dy;
  state.lZ = g_wheel;
  g_wheel = 0;
  for (size_t i = 0; i < sizeof kMouseButtons / sizeof kMouseButtons[0]; ++i) {
    if (buttons & SDL_BUTTON(kMouseButtons[i])) state.rgbButtons[i] = kPressed;
  }
  *mouse = state;
  return true;
}

bool ReadController(JoyState* joy) {
  if (g_scripted) {
    if (!g_scripted->focused) return false;
    *joy = g_scripted->controllerAttached ? g_scripted->joy : JoyState{};
    return true;
  }
  if (!g_inputOpen || !WindowHasFocus()) return false;
  KeepControllerCurrent();
  JoyState state;
  if (g_controller) {
    int32_t* axes[] = {&state.lX, &state.lY, &state.lZ, &state.lRx, &state.lRy, &state.lRz,
                       &state.rglSlider[0], &state.rglSlider[1]};
    const int axisCount = SDL_JoystickNumAxes(g_controller);
    for (int i = 0; i < axisCount && i < 8; ++i) *axes[i] = ScaleAxis(SDL_JoystickGetAxis(g_controller, i));
    const int hatCount = SDL_JoystickNumHats(g_controller);
    for (int i = 0; i < hatCount && i < 4; ++i) state.rgdwPOV[i] = HatToPov(SDL_JoystickGetHat(g_controller, i));
    const int buttonCount = SDL_JoystickNumButtons(g_controller);
    for (int i = 0; i < buttonCount && i < kJoyButtonCount; ++i) {
      if (SDL_JoystickGetButton(g_controller, i)) state.rgbButtons[i] = kPressed;
    }
  }
  *joy = state;
  return true;
}

int DikFromScancode(int scancode) {
  for (const ScancodeDik& entry : kScancodeDik) {
    if (entry.scancode == scancode) return entry.dik;
  }
  return 0;
}

int32_t ScaleAxis(int16_t value) {
  // -32768..32767 onto -1000..1000, rounded, with the centre at 0.
  const int32_t v = value;
  return (v * 1000 + (v >= 0 ? 16383 : -16384)) / (v >= 0 ? 32767 : 32768);
}

void SetScriptedInput(const ScriptedInput& input) {
  if (!g_scripted) g_scripted = std::make_unique<ScriptedInput>();
  *g_scripted = input;
}

ScriptedInput* GetScriptedInput() { return g_scripted.get(); }

void ClearScriptedInput() { g_scripted.reset(); }

bool AttachVirtualController(int axes, int buttons) {
  DetachVirtualController();
  if (!g_joystickUp) return false;
  const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, axes, buttons, 0);
  if (index < 0) return false;
  g_virtual = SDL_JoystickOpen(index);
  return g_virtual != nullptr;
}

void SetVirtualControllerAxis(int axis, int16_t value) {
  if (g_virtual) SDL_JoystickSetVirtualAxis(g_virtual, axis, value);
}

void SetVirtualControllerButton(int button, bool down) {
  if (g_virtual) SDL_JoystickSetVirtualButton(g_virtual, button, down ? 1 : 0);
}

void DetachVirtualController() {
  if (!g_virtual) return;
  const SDL_JoystickID id = SDL_JoystickInstanceID(g_virtual);
  SDL_JoystickClose(g_virtual);
  g_virtual = nullptr;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) == id) {
      SDL_JoystickDetachVirtual(i);
      break;
    }
  }
}

}  // namespace platform
