#include "startmenu/startconfig.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "gameflow/fileerror.h"
#include "librarysauce/fileio.h"
#include "librarysauce/gamefont.h"
#include "librarysauce/inputmanager.h"
#include "librarysauce/keyconfig.h"
#include "librarysauce/sprite.h"
#include "startmenu/startmenu.h"

StartConfig g_StartConfig;

namespace {

const char kConfigFile[] = ".\\SAVE\\Config.ini";
const char kSourceName[] = "startmenu\\startconfig";
constexpr int kWriteFailLine = 114;
// configファイル書き込み失敗
const char kWriteFailedText[] = "config\x83t\x83@\x83" "C\x83\x8B\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x8E\xB8\x94s";

// The logical buttons as the screen names them, by number.
const char* const kButtonLabels[KeyConfig::kButtonCount] = {
    "\x8DU\x8C\x82\x83{\x83^\x83\x93",                          // 攻撃ボタン
    "\x83W\x83\x83\x83\x93\x83v\x83{\x83^\x83\x93",             // ジャンプボタン
    "\x83|\x81[\x83Y\x83{\x83^\x83\x93",                        // ポーズボタン
    "\x83K\x81[\x83h\x83{\x83^\x83\x93",                        // ガードボタン
    "\x93]\x88\xDA\x83{\x83^\x83\x93",                          // 転移ボタン
    "\x8C\x88\x92\xE8\x83{\x83^\x83\x93",                       // 決定ボタン
    "\x83L\x83\x83\x83\x93\x83Z\x83\x8B\x83{\x83^\x83\x93",     // キャンセルボタン
};
// << 変換ボタン:
const char kRowPrefix[] = "<< \x95\xCF\x8A\xB7\x83{\x83^\x83\x93:";
// ↑↓：設定キー変更/←→：対応キー変更
const char kEditHint[] =
    "\x81\xAA\x81\xAB\x81" "F\x90\xDD\x92\xE8\x83L\x81[\x95\xCF\x8DX/\x81\xA9\x81\xA8\x81" "F\x91\xCE\x89\x9E\x83L\x81[\x95\xCF\x8DX";
// ↑：設定キー変更
const char kLeaveHint[] = "\x81\xAA\x81" "F\x90\xDD\x92\xE8\x83L\x81[\x95\xCF\x8DX";
// キャンセルボタンで戻る(決定)
const char kLeaveRowText[] =
    "\x83L\x83\x83\x83\x93\x83Z\x83\x8B\x83{\x83^\x83\x93\x82\xC5\x96\xDF\x82\xE9(\x8C\x88\x92\xE8)";
// 入力ボタン:%2d
const char kPressedFormat[] = "\x93\xFC\x97\xCD\x83{\x83^\x83\x93:%2d";
// 入力確認:
const char kMatchPrefix[] = "\x93\xFC\x97\xCD\x8Am\x94" "F:";
// 対応ボタンなし
const char kNoMatch[] = "\x91\xCE\x89\x9E\x83{\x83^\x83\x93\x82\xC8\x82\xB5";

constexpr D3DCOLOR kTextColor = 0xFFFAFAFA;
constexpr int kTextRight = 64, kTextBottom = 16;

LogicalButton ButtonOfRow(int row) { return static_cast<LogicalButton>(row); }

// True while controller button number is held (numbers outside the controller's buttons never are).
bool JoyButtonDown(const platform::JoyState& joy, int number) {
  return number >= 0 && number < platform::kJoyButtonCount && joy.rgbButtons[number] != 0;
}

}  // namespace

StartConfig::StartConfig() = default;

void StartConfig::Update() {
  switch (state_) {
    case StartConfigState::Open:
      Open();
      break;
    case StartConfigState::Edit:
      UpdateCursor();
      UpdateInputTest();
      break;
    case StartConfigState::Save:
      SaveAndClose();
      break;
  }
}

void StartConfig::Open() {
  row_ = 0;
  rowButton_ = 0;
  ShowPanel(true);
  state_ = StartConfigState::Edit;
}

void StartConfig::UpdateCursor() {
  char Buff1[64] = {};
  char Buff2[64] = {};
  std::memset(hintLine_, 0, sizeof hintLine_);
  std::memset(rowLine_, 0, sizeof rowLine_);
  const bool buttonRow = row_ < kLeaveRow;
  if (buttonRow) rowButton_ = g_KeyConfig.GetJoyButton(ButtonOfRow(row_));

  // The first direction that fires acts; there is no wrap-around.
  if (g_Input.IsDirTriggered(JoyDirection::Up)) {
    if (row_ > 0) --row_;
  } else if (g_Input.IsDirTriggered(JoyDirection::Down)) {
    if (row_ < kLeaveRow) ++row_;
  } else if (g_Input.IsDirTriggered(JoyDirection::Right)) {
    if (buttonRow && rowButton_ < kMaxJoyButton) g_KeyConfig.SetJoyButton(ButtonOfRow(row_), rowButton_ + 1);
  } else if (g_Input.IsDirTriggered(JoyDirection::Left)) {
    if (buttonRow && rowButton_ > 0) g_KeyConfig.SetJoyButton(ButtonOfRow(row_), rowButton_ - 1);
  }

  if (row_ < kLeaveRow) {
    rowButton_ = g_KeyConfig.GetJoyButton(ButtonOfRow(row_));
    std::snprintf(Buff1, sizeof Buff1, "%s", kRowPrefix);
    std::snprintf(Buff2, sizeof Buff2, "%s", kButtonLabels[row_]);
    std::snprintf(hintLine_, sizeof hintLine_, "%s", kEditHint);
    std::snprintf(rowLine_, sizeof rowLine_, "%s%s  %d >>", Buff1, Buff2, rowButton_);
  } else {
    std::snprintf(hintLine_, sizeof hintLine_, "%s", kLeaveHint);
    std::snprintf(rowLine_, sizeof rowLine_, "%s", kLeaveRowText);
  }
}

void StartConfig::UpdateInputTest() {
  char Buff1[64] = {};
  char Buff2[64] = {};
  std::memset(buttonLine_, 0, sizeof buttonLine_);
  std::memset(matchLine_, 0, sizeof matchLine_);

  const platform::JoyState& joy = g_Input.GetJoyState();
  int pressed = -1;
  for (int b = 0; b < kTestedJoyButtons; ++b) {
    if (JoyButtonDown(joy, b)) {
      pressed = b;
      break;
    }
  }
  if (pressed >= 0) {
    std::snprintf(buttonLine_, sizeof buttonLine_, kPressedFormat, pressed);
    std::snprintf(Buff1, sizeof Buff1, "%s", kMatchPrefix);
    std::snprintf(Buff2, sizeof Buff2, "%s", kNoMatch);
    // The lowest-numbered logical button whose controller button is held.
    for (int i = 0; i < KeyConfig::kButtonCount; ++i) {
      if (JoyButtonDown(joy, g_KeyConfig.GetJoyButton(ButtonOfRow(i)))) {
        std::snprintf(Buff2, sizeof Buff2, "%s", kButtonLabels[i]);
        break;
      }
    }
    std::snprintf(matchLine_, sizeof matchLine_, "%s%s", Buff1, Buff2);
  }

  if (row_ == kLeaveRow && g_Input.IsButtonTriggered(LogicalButton::Cancel)) state_ = StartConfigState::Save;
}

void StartConfig::SaveAndClose() {
  std::memset(buttonLine_, 0, sizeof buttonLine_);
  std::memset(matchLine_, 0, sizeof matchLine_);
  std::memset(rowLine_, 0, sizeof rowLine_);
  std::memset(hintLine_, 0, sizeof hintLine_);
  state_ = StartConfigState::Open;
  // Opened during the menu's fade-in, the screen left the overlay part dark: finish the fade
  // (which steps the cursor as well) rather than leave the menu dimmed for good.
  g_StartMenu.SetSubState(g_StartMenu.GetOverlayAlpha() > 0 ? StartMenuState::FadeIn : StartMenuState::Cursor);
  ShowPanel(false);

  uint8_t Button[KeyConfig::kButtonCount];
  for (int i = 0; i < KeyConfig::kButtonCount; ++i) {
    Button[i] = static_cast<uint8_t>(g_KeyConfig.GetJoyButton(ButtonOfRow(i)));
  }
  // The write replaces the file as a whole (the directory is made when missing); if it still
  // fails, the new assignment stays in force for this run.
  if (Failed(g_FileIO.WriteWholeFile(kConfigFile, Button, sizeof Button))) {
    ShowFileError(kSourceName, kWriteFailLine, kWriteFailedText);
  }
}

void StartConfig::Draw() {
  if (state_ != StartConfigState::Edit) return;
  g_Fonts[0].DrawText(buttonLine_, 10, 10, kTextRight, kTextBottom, kTextColor);
  g_Fonts[0].DrawText(matchLine_, 10, 30, kTextRight, kTextBottom, kTextColor);
  g_Fonts[0].DrawText(hintLine_, 200, 190, kTextRight, kTextBottom, kTextColor);
  g_Fonts[0].DrawText(rowLine_, 200, 220, kTextRight, kTextBottom, kTextColor);
}

void StartConfig::ShowPanel(bool show) {
  Sprite* panel = g_StartMenu.GetSprite(StartMenu::kPanelSprite);
  if (!panel) return;
  if (show) {
    panel->Show();
  } else {
    panel->Hide();
  }
}
