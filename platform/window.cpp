#include "platform/window.h"

#include <SDL.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <new>

namespace platform {
namespace {

SDL_Window* g_window = nullptr;
bool g_videoUp = false;
std::deque<Event> g_posted;  // events the game posted to itself (quit, destroy)
std::atomic<bool> g_signalQuit{false};
uint64_t g_exposures = 0;

// A message box keeps the game inside SDL until it is answered, and SDL shows it from a process
// it forks and waits for, taking up the wait again whenever a signal interrupts it: a signal that
// only sets the flag would be seen after the answer. So while a box waits, that process tells its
// id on a page it shares with the game, and the signal handler kills it (kill is safe in a
// handler): the box closes, SDL returns, and the loop takes the Quit as after any signal.
// The signal may come before the process has told its id; both sides then look at the other's
// mark ("signalled", "pid") after setting their own, so one of them always sees the other's.
// A box that some SDL build showed without a process of its own would still wait for its answer.
struct BoxProcess {
  std::atomic<pid_t> pid{0};
  std::atomic<int> signalled{0};
};
BoxProcess* g_boxProcess = nullptr;  // the shared page, made at the first box
std::atomic<bool> g_boxWaiting{false};

void OnSignal(int) {
  g_signalQuit.store(true);
  if (!g_boxWaiting.load() || !g_boxProcess) return;
  g_boxProcess->signalled.store(1);
  const pid_t pid = g_boxProcess->pid.load();
  if (pid > 0) kill(pid, SIGKILL);
}

// Runs in every child just after fork; it concerns only the one forked while a box waits.
void InForkedChild() {
  if (!g_boxWaiting.load() || !g_boxProcess) return;
  // The box's process ends on SIGINT and SIGTERM as any process does.
  struct sigaction sa;
  std::memset(&sa, 0, sizeof sa);
  sa.sa_handler = SIG_DFL;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  g_boxProcess->pid.store(getpid());
  if (g_signalQuit.load() || g_boxProcess->signalled.load()) _exit(1);
}

// A stage's load decodes pictures of several megabytes, copies them and hands them to the GL
// driver, which sets aside as much again. By default the C library gives every such block back to
// the system when it is freed, and the next load has every page of it faulted in and cleared
// again: a third of a stage's load time. Blocks up to 32 MiB stay in the heap instead, and up to
// 128 MiB freed at its top is kept for the next load.
void KeepLargeBlocks() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
}

bool Translate(const SDL_Event& e, Event* out) {
  switch (e.type) {
    case SDL_WINDOWEVENT:
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) { out->type = EventType::Close; return true; }
      if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED || e.window.event == SDL_WINDOWEVENT_RESIZED) {
        out->type = EventType::Resize;
        out->x = e.window.data1;
        out->y = e.window.data2;
        return true;
      }
      if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SHOWN ||
          e.window.event == SDL_WINDOWEVENT_RESTORED) {
        out->type = EventType::Expose;
        return true;
      }
      out->type = EventType::Other;
      return true;
    case SDL_MOUSEMOTION:
      out->type = EventType::MouseMove;
      out->x = e.motion.x;
      out->y = e.motion.y;
      return true;
    case SDL_QUIT:
      // The last window closing also yields SDL_QUIT; the close box is handled as Close.
      out->type = EventType::Other;
      return true;
    default:
      out->type = EventType::Other;
      return true;
  }
}

}  // namespace

bool InitVideo(std::string* error) {
  if (g_videoUp) return true;
  KeepLargeBlocks();
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint("SDL_QUIT_ON_LAST_WINDOW_CLOSE", "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    if (error) *error = std::string("SDL video: ") + SDL_GetError();
    return false;
  }
  g_videoUp = true;
  return true;
}

void ShutdownVideo() {
  DestroyGameWindow();
  if (g_videoUp) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
  g_videoUp = false;
  g_posted.clear();
}

bool CreateGameWindow(const char* title, int width, int height, std::string* error) {
  if (!InitVideo(error)) return false;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  g_window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                              SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
  if (!g_window) {
    if (error) *error = std::string("SDL window: ") + SDL_GetError();
    return false;
  }
  // SDL starts with text input on, which lets an input method take keys before the game sees
  // them. The game reads raw keys only.
  SDL_StopTextInput();
  return true;
}

void DestroyGameWindow() {
  if (g_window) SDL_DestroyWindow(g_window);
  g_window = nullptr;
}

bool HasGameWindow() { return g_window != nullptr; }

std::string GetWindowTitle() { return g_window ? SDL_GetWindowTitle(g_window) : ""; }

bool IsTextInputOn() { return g_videoUp && SDL_IsTextInputActive() == SDL_TRUE; }

void GetWindowClientSize(int* width, int* height) {
  int w = 0, h = 0;
  if (g_window) SDL_GetWindowSize(g_window, &w, &h);
  if (width) *width = w;
  if (height) *height = h;
}

void GetWindowPosition(int* x, int* y) {
  int px = 0, py = 0;
  if (g_window) SDL_GetWindowPosition(g_window, &px, &py);
  if (x) *x = px;
  if (y) *y = py;
}

void* NativeWindow() { return g_window; }

namespace {
bool TakeEvent(Event* event) {
  *event = Event{};
  if (g_signalQuit.exchange(false)) {
    event->type = EventType::Quit;
    event->code = 0;
    return true;
  }
  if (!g_posted.empty()) {
    *event = g_posted.front();
    g_posted.pop_front();
    return true;
  }
  if (!g_videoUp) return false;
  SDL_Event e;
  if (SDL_PollEvent(&e) == 0) return false;
  return Translate(e, event);
}
}  // namespace

bool PeekEvent(Event* event) {
  if (!TakeEvent(event)) return false;
  if (event->type == EventType::Expose || event->type == EventType::Resize) ++g_exposures;
  return true;
}

uint64_t WindowExposureCount() { return g_exposures; }

void PostQuit(int code) {
  Event e;
  e.type = EventType::Quit;
  e.code = code;
  g_posted.push_back(e);
}

void DestroyWindowAndNotify() {
  // The window stays open until the game shuts the device down; what matters to the loop is
  // the Destroy event, which leads to the Quit.
  Event e;
  e.type = EventType::Destroy;
  g_posted.push_back(e);
}

void PushEvent(const Event& event) { g_posted.push_back(event); }

bool SignalQuitPending() { return g_signalQuit.load(); }

void BeginBoxWait() {
  static const bool ready = [] {
    void* page = mmap(nullptr, sizeof(BoxProcess), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (page == MAP_FAILED) return false;
    g_boxProcess = new (page) BoxProcess;
    return pthread_atfork(nullptr, nullptr, InForkedChild) == 0;
  }();
  if (!ready) return;
  g_boxProcess->pid.store(0);
  g_boxProcess->signalled.store(0);
  g_boxWaiting.store(true);
}

void EndBoxWait() { g_boxWaiting.store(false); }

void InstallSignalHandlers() {
  struct sigaction sa;
  std::memset(&sa, 0, sizeof sa);
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
}

bool IsHeadless() {
  const char* flag = std::getenv("VELUNNA_HEADLESS");
  if (flag && std::strcmp(flag, "1") == 0) return true;
  const char* driver = g_videoUp ? SDL_GetCurrentVideoDriver() : std::getenv("SDL_VIDEODRIVER");
  return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

}  // namespace platform
