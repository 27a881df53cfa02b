#pragma once
// The key-configuration screen over the start menu: gives each of the seven logical buttons a
// controller button number, shows live which controller button is pressed and which logical
// button it drives, and writes ".\SAVE\Config.ini" when the player leaves.
//
// Rows 0 to 6 are the logical buttons with those numbers; row 7 is the row the screen is left
// from (the Cancel button). Up and down move between rows, right and left change the row's
// controller button within 0 to 11. Changes take effect at once; the file is written on leaving.

enum class StartConfigState : int {
  Open = 1,  // show the panel, start on row 0
  Edit = 2,  // cursor step, then the input test
  Save = 3,  // close the screen and write the file
};

class StartConfig {
 public:
  static constexpr int kTextSize = 128;
  static constexpr int kLeaveRow = 7;
  static constexpr int kMaxJoyButton = 11;
  // Controller buttons the input test looks at.
  static constexpr int kTestedJoyButtons = 17;

  StartConfig();
  ~StartConfig() {}

  // One step of the screen; the start menu calls it while its sub-state is KeyConfig.
  void Update();
  void Open();
  void UpdateCursor();
  void UpdateInputTest();
  void SaveAndClose();
  // The four text lines, while the screen is being edited.
  void Draw();

  // Read-only views for the tests.
  StartConfigState GetState() const { return state_; }
  int GetRow() const { return row_; }
  int GetRowButton() const { return rowButton_; }
  const char* GetButtonLine() const { return buttonLine_; }
  const char* GetMatchLine() const { return matchLine_; }
  const char* GetHintLine() const { return hintLine_; }
  const char* GetRowLine() const { return rowLine_; }

 private:
  void ShowPanel(bool show);

  StartConfigState state_ = StartConfigState::Open;
  char buttonLine_[kTextSize] = {};  // the pressed controller button
  char matchLine_[kTextSize] = {};   // the logical button it drives
  char hintLine_[kTextSize] = {};    // the keys to use
  int row_ = 0;
  int rowButton_ = 0;                // controller button of the row's logical button
  char rowLine_[kTextSize] = {};     // the row being edited
};

extern StartConfig g_StartConfig;
