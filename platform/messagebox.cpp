#include "platform/messagebox.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "platform/cp932.h"
#include "platform/window.h"

namespace platform {
namespace {
MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}
}  // namespace

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

MessageBoxAnswer ShowMessageBox(const char* text, const char* caption, MessageBoxKind kind) {
  const std::string utf8Text = Cp932ToUtf8(text ? text : "", text ? std::strlen(text) : 0);
  const std::string utf8Caption = Cp932ToUtf8(caption ? caption : "", caption ? std::strlen(caption) : 0);
  if (Handler()) return Handler()(utf8Text, utf8Caption, kind);

  const MessageBoxAnswer fallback = kind == MessageBoxKind::YesNo ? MessageBoxAnswer::Yes : MessageBoxAnswer::Ok;
  if (IsHeadless()) {
    std::fprintf(stderr, "[%s] %s\n", utf8Caption.c_str(), utf8Text.c_str());
    return fallback;
  }
  SDL_MessageBoxButtonData buttons[2];
  int count = 0;
  if (kind == MessageBoxKind::YesNo) {
    buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"};
    buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"};
    count = 2;
  } else {
    buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, "OK"};
    count = 1;
  }
  SDL_MessageBoxData data{};
  data.flags = kind == MessageBoxKind::Warning ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
  data.window = static_cast<SDL_Window*>(NativeWindow());
  data.title = utf8Caption.c_str();
  data.message = utf8Text.c_str();
  data.numbuttons = count;
  data.buttons = buttons;
  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) {
    // No way to show a box (no display server): report on stderr and take the default.
    std::fprintf(stderr, "[%s] %s\n", utf8Caption.c_str(), utf8Text.c_str());
    return fallback;
  }
  if (kind != MessageBoxKind::YesNo) return MessageBoxAnswer::Ok;
  return pressed == 1 ? MessageBoxAnswer::Yes : MessageBoxAnswer::No;
}

}  // namespace platform
