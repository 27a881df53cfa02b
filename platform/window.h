#pragma once
// The game window and its event queue, in the shape of a Windows message loop:
// the game takes one event at a time and renders a frame only when none is waiting.
#include <cstdint>
#include <string>

namespace platform {

enum class EventType {
  None,
  Close,      // the player asked to close the window (close box)
  Destroy,    // the window has been destroyed
  Quit,       // the loop must end; code carries the exit code
  Resize,     // the window's size changed
  Expose,     // the window must be shown again: it was uncovered, shown or restored
  MouseMove,  // x, y in client pixels
  Other,      // anything else the loop takes but does not act on
};

struct Event {
  EventType type = EventType::None;
  int x = 0;
  int y = 0;
  int code = 0;
};

// Starts SDL's video (and the events it needs). Safe to call more than once.
bool InitVideo(std::string* error);
// Shuts SDL down at exit.
void ShutdownVideo();

// Creates the one game window: a client area of width × height, not resizable.
bool CreateGameWindow(const char* title, int width, int height, std::string* error);
void DestroyGameWindow();
bool HasGameWindow();
// Whether SDL's text input (and so an input method) is on; the game window turns it off.
bool IsTextInputOn();
void GetWindowClientSize(int* width, int* height);
std::string GetWindowTitle();
void GetWindowPosition(int* x, int* y);
// The SDL window, for the graphics device (opaque to game code).
void* NativeWindow();

// Takes the next event if one is waiting; false when the queue is empty.
bool PeekEvent(Event* event);
// How many times the window has lost what it showed (Expose and Resize events taken so far):
// the graphics device shows its frame again when this count moves.
uint64_t WindowExposureCount();
// Queues a Quit event with the exit code (PostQuitMessage).
void PostQuit(int code);
// Queues a Destroy event and closes the window (DestroyWindow).
void DestroyWindowAndNotify();
// Pushes an event as if it came from the system (tests).
void PushEvent(const Event& event);

// SIGINT and SIGTERM end the game cleanly: they queue a Quit with exit code 0.
void InstallSignalHandlers();
// True once SIGINT or SIGTERM has come and its Quit is still to be taken.
bool SignalQuitPending();
// Bracket a message box that waits for its answer in a process of its own: between the two, SIGINT
// and SIGTERM kill that process, so the box closes at once and the game ends.
void BeginBoxWait();
void EndBoxWait();

// True when nobody can answer a dialog: the offscreen video driver, or VELUNNA_HEADLESS=1.
bool IsHeadless();

}  // namespace platform
