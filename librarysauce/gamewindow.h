#pragma once
// The one game window: 854×480 client area, fixed size, titled with the game's version.

class GameWindow {
 public:
  GameWindow();
  ~GameWindow() = default;

  void SetInstance(void* instance) { instance_ = instance; }
  void* GetInstance() const { return instance_; }
  // The native window (null until created).
  void* GetHWnd() const { return window_; }
  int GetClientWidth() const { return clientWidth_; }
  int GetClientHeight() const { return clientHeight_; }

  // Starts the windowing system; 0 on failure.
  int RegisterClass();
  bool IsFullscreenStart() const { return false; }
  // Creates and shows the window; 1 on success, 0 on failure.
  int Create(int showCommand);
  int SaveWindowRect();
  void Destroy();

 private:
  void* instance_ = nullptr;
  void* window_ = nullptr;
  int savedX_ = 0;
  int savedY_ = 0;
  int clientWidth_ = 854;
  int clientHeight_ = 480;
};

extern GameWindow g_GameWindow;

extern const char kWindowClassName[];
extern const char kWindowTitle[];
