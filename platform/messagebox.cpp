#include "platform/messagebox.h"

#include <SDL.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/cp932.h"
#include "platform/window.h"

namespace platform {
namespace {
MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}

// VELUNNA_BOX_WAITS=1 (tests): a headless box waits as a shown one does, in a forked process that
// nobody answers, so a test can signal the game while a box is up. That process writes the box's
// line once it runs, so the line tells that the box waits; it ends when the game does (its end of
// the pipe then reads end of file).
bool HeadlessBoxesWait() {
  const char* flag = std::getenv("VELUNNA_BOX_WAITS");
  return flag && std::strcmp(flag, "1") == 0;
}

void WaitForNobody(const std::string& line) {
  int ends[2];
  if (pipe(ends) != 0) return;
  const pid_t pid = fork();
  if (pid == 0) {
    close(ends[1]);
    if (write(2, line.data(), line.size()) < 0) _exit(1);
    char byte;
    while (read(ends[0], &byte, 1) < 0 && errno == EINTR) {
    }
    _exit(0);
  }
  close(ends[0]);
  int status = 0;
  while (pid > 0 && waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  close(ends[1]);
}
}  // namespace

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

MessageBoxAnswer ShowMessageBox(const char* text, const char* caption, MessageBoxKind kind) {
  const std::string utf8Text = Cp932ToUtf8(text ? text : "", text ? std::strlen(text) : 0);
  const std::string utf8Caption = Cp932ToUtf8(caption ? caption : "", caption ? std::strlen(caption) : 0);
  if (Handler()) return Handler()(utf8Text, utf8Caption, kind);

  const MessageBoxAnswer fallback = kind == MessageBoxKind::YesNo ? MessageBoxAnswer::Yes : MessageBoxAnswer::Ok;
  // After SIGINT or SIGTERM nobody answers (the game is ending): a question is taken as refused.
  const MessageBoxAnswer ending = kind == MessageBoxKind::YesNo ? MessageBoxAnswer::No : MessageBoxAnswer::Ok;
  if (IsHeadless()) {
    const std::string line = "[" + utf8Caption + "] " + utf8Text + "\n";
    if (!HeadlessBoxesWait()) {
      std::fputs(line.c_str(), stderr);
      return fallback;
    }
    std::fflush(stderr);
    BeginBoxWait();
    if (!SignalQuitPending()) WaitForNobody(line);
    EndBoxWait();
    return ending;
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
  BeginBoxWait();
  const int shown = SignalQuitPending() ? -1 : SDL_ShowMessageBox(&data, &pressed);
  EndBoxWait();
  if (SignalQuitPending()) return ending;
  if (shown != 0) {
    // No way to show a box (no display server): report on stderr and take the default.
    std::fprintf(stderr, "[%s] %s\n", utf8Caption.c_str(), utf8Text.c_str());
    return fallback;
  }
  if (kind != MessageBoxKind::YesNo) return MessageBoxAnswer::Ok;
  return pressed == 1 ? MessageBoxAnswer::Yes : MessageBoxAnswer::No;
}

}  // namespace platform
