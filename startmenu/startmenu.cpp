#include "startmenu/startmenu.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gameflow/fileerror.h"
#include "gameflow/gamestate.h"
#include "gameflow/listfile.h"
#include "gameflow/scenearrays.h"
#include "gameflow/scenesprite.h"
#include "librarysauce/fileio.h"
#include "librarysauce/gamefont.h"
#include "librarysauce/inputmanager.h"
#include "librarysauce/mediaplayer.h"
#include "librarysauce/sprite.h"
#include "librarysauce/texture.h"
#include "platform/messagebox.h"
#include "startmenu/startconfig.h"

StartMenu g_StartMenu;

namespace {

const char kListExtension[] = ".stm";
const char kImageDir[] = ".\\Data\\Graphic\\";
const char kScriptDir[] = ".\\Data\\Script\\stm\\";
const char kBackgroundImage[] = ".\\Data\\Graphic\\startmenu.bmp";
const char kWindowImage[] = ".\\Data\\Graphic\\comment_window01.bmp";
const char kSelectSound[] = ".\\Data\\Sound\\Select.wav";
const char kDecideSound[] = ".\\Data\\Sound\\YES.wav";
const char kSaveFile[] = ".\\SAVE\\TestSave.sav";
// セーブデータがありません。\n初めから開始してください。
const char kNoSaveText[] =
    "\x83Z\x81[\x83u\x83" "f\x81[\x83^\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B\n"
    "\x8F\x89\x82\xDF\x82\xA9\x82\xE7\x8AJ\x8En\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81" "B";

constexpr D3DCOLOR kBlackKey = 0xFF000000;
constexpr int kScreenWidth = 854;
constexpr int kScreenHeight = 480;
constexpr int kEntryScriptPathSize = 64;

// Where the title and comment of the entry under the cursor are drawn.
constexpr int kTitleX = 10, kTitleY = 410;
constexpr int kCommentX = 34, kCommentY = 434;
constexpr int kTextRight = 64, kTextBottom = 16;

// One entry line taken apart, before it is stored.
struct ParsedEntry {
  long id = 0;
  std::string title, comment, script, image;
  long x = 0, y = 0, width = 0, height = 0;
  long enabled = 0;
};

// Ten fields: id, title, comment, script, image, x, y, width, height and, for the rest of the
// line, enabled. Only the picture's place and size may not be left empty; an empty id reads as 0.
// A negative size is kept as it stands (such a picture draws nothing).
bool ParseEntryLine(const char* begin, const char* end, ParsedEntry* entry, std::string* reason) {
  ListField fields[StartMenu::kFieldCount];
  if (!SplitListLine(begin, end, StartMenu::kFieldCount, StartMenu::kFieldMax, fields, reason)) return false;
  long* const place[] = {&entry->x, &entry->y, &entry->width, &entry->height};
  for (int n = 0; n < 4; ++n) {
    if (!ParseListInteger(fields[5 + n].begin, fields[5 + n].end, place[n])) {
      *reason = ListReason("絵の位置か大きさが数値ではありません");
      return false;
    }
  }
  if (!ParseListIntegerOrEmpty(fields[0].begin, fields[0].end, &entry->id) ||
      !ParseListLeadingInteger(fields[9].begin, fields[9].end, &entry->enabled)) {
    *reason = ListReason("数値の項目が数値ではありません");
    return false;
  }
  entry->title = fields[1].Text();
  entry->comment = fields[2].Text();
  entry->script = fields[3].Text();
  entry->image = fields[4].Text();
  if (entry->script.size() > static_cast<size_t>(StartMenu::kScriptFieldMax)) {
    *reason = ListReason("スクリプト名が長すぎます");
    return false;
  }
  if (entry->image.size() > static_cast<size_t>(StartMenu::kImageFieldMax)) {
    *reason = ListReason("画像名が長すぎます");
    return false;
  }
  return true;
}

// The whole list: a count of at least 1, exactly that many entry lines, then "#end".
bool ParseMenuList(const char* text, size_t length, std::vector<ParsedEntry>* entries, ListError* error) {
  return ReadListShape(text, length, StartMenu::kFieldMax, [entries](const char* begin, const char* end,
                                                                      std::string* reason) {
    ParsedEntry entry;
    if (!ParseEntryLine(begin, end, &entry, reason)) return false;
    entries->push_back(std::move(entry));
    return true;
  }, error);
}

// The menu's scene arrays (N + 6 sprites, N + 5 textures) go through their one owner, which
// frees whatever arrays are current first and keeps the counts.
void AllocateSceneArrays(int spriteCount, int textureCount) { g_SceneArrays.Allocate(spriteCount, textureCount); }

void ReleaseSceneArrays() { g_SceneArrays.Release(); }

}  // namespace

StartMenu::StartMenu() = default;

// At exit the scene arrays are left to their owner: the device and the draw list may already be
// gone, so only the menu's own text and entries go (with the members that own them).
StartMenu::~StartMenu() = default;

HRESULT StartMenu::LoadMenu(const char* path) {
  // Entries of a menu loaded before go, and with them the arrays of the scene that showed them.
  FreeEntries();
  FreeText();

  const size_t pathLength = path ? std::strlen(path) : 0;
  if (!path || pathLength + sizeof kListExtension - 1 > static_cast<size_t>(kListPathMax)) {
    ShowFileError(path ? path : "", 0, ListReason("メニューファイルの名前が長すぎます").c_str());
    return E_FAIL;
  }
  char ReadFile[kListPathMax + 1] = {};
  std::snprintf(ReadFile, sizeof ReadFile, "%s%s", path, kListExtension);

  menuText_ = std::make_unique<char[]>(kTextSize);
  uint32_t length = 0;
  if (Failed(g_FileIO.ReadWholeFile(ReadFile, menuText_.get(), kTextSize - 1, &length))) {
    ShowFileError(ReadFile, 0, kFileOpenFailedText);
    FreeText();
    return E_FAIL;
  }
  // The text ends at its first 0 byte.
  length = static_cast<uint32_t>(strnlen(menuText_.get(), length));

  std::vector<ParsedEntry> parsed;
  ListError error;
  if (!ParseMenuList(menuText_.get(), length, &parsed, &error)) {
    ShowFileError(ReadFile, error.line, error.reason.c_str());
    FreeText();
    return E_FAIL;
  }

  entryCount_ = static_cast<int>(parsed.size());
  entries_ = std::make_unique<StartMenuEntry[]>(static_cast<size_t>(entryCount_));
  ClearEntries(entryCount_);
  for (int k = 0; k < entryCount_; ++k) {
    const ParsedEntry& p = parsed[k];
    StartMenuEntry& e = entries_[k];
    e.id = static_cast<uint16_t>(p.id);
    e.title = KeepListText(p.title, &e.titleSize);
    e.comment = KeepListText(p.comment, &e.commentSize);
    e.script = KeepListText(p.script, &e.scriptSize);
    e.image = KeepListText(kImageDir + p.image, &e.imageSize);
    e.x = static_cast<float>(p.x);
    e.y = static_cast<float>(p.y);
    e.width = static_cast<float>(p.width);
    e.height = static_cast<float>(p.height);
    e.enabled = p.enabled != 0 ? 1 : 0;
  }
  // A cursor left by a longer list comes back onto this one.
  if (cursor_ >= entryCount_) cursor_ = entryCount_ - 1;
  if (cursor_ < 0) cursor_ = 0;
  if (chosenEntry_ >= entryCount_ || chosenEntry_ < 0) chosenEntry_ = cursor_;

  FreeText();
  return S_OK;
}

HRESULT StartMenu::SetUp() {
  if (!entries_) {
    // Reached without a list ("#setaction" or "#setnovel" run by the main script itself): there
    // is no menu to show, so go on to the scene the command chose.
    const int next = g_GameState.GetNextMode();
    if (next == GameMode::ActionStart || next == GameMode::AdvSetUp || next == GameMode::FieldSetUp) {
      g_GameState.SetMode(next);
      return S_OK;
    }
    ShowFileError(kScriptDir, 0, ListReason("メニューが読み込まれていません").c_str());
    g_GameState.QuitOnDataError();
    return E_FAIL;
  }

  const int spriteCount = entryCount_ + kFixedSprites;
  const int textureCount = entryCount_ + kFixedTextures;
  AllocateSceneArrays(spriteCount, textureCount);

  g_TextureTable[1].LoadConverted(kBackgroundImage, Texture::kKeyGreen);
  g_TextureTable[2].LoadConverted(kWindowImage, kBlackKey);
  g_TextureTable[3].LoadConverted(kWindowImage, Texture::kKeyGreen);
  SetUpSceneSprite(g_Sprites[1], 1, 0, 0, TextureWidth(1), TextureHeight(1), 0, 0, 10000, 0xFFFFFFFF);
  SetUpSceneSprite(g_Sprites[kOverlaySprite], 2, 0, 0, kScreenWidth, kScreenHeight, 0, 0, 50, 0xFF000000);
  SetUpSceneSprite(g_Sprites[3], 3, 0, 0, 240, 48, 10, 410, 10000, 0xE04040E0);
  SetUpSceneSprite(g_Sprites[kPanelSprite], 3, 0, 0, kScreenWidth, 240, 0, 0, 100, 0xC8404080);
  float sourceY = 0;
  for (int i = 0; i < entryCount_; ++i) {
    const StartMenuEntry& e = entries_[i];
    g_TextureTable[kFirstEntryTexture + i].LoadConverted(e.image.c_str(), Texture::kKeyGreen);
    SetUpSceneSprite(g_Sprites[kFirstEntrySprite + i], kFirstEntryTexture + i, 0, sourceY, e.width, e.height, e.x, e.y,
                     1000 + static_cast<uint32_t>(i), 0xFFFFFFFF);
    sourceY += e.height;
  }

  // Sprites 1 to 4, then the entries' pictures; equal depths draw in registration order. The
  // array's last sprite is never used.
  for (int i = 1; i < kFirstEntrySprite + entryCount_; ++i) g_SceneArrays.Register(i);
  for (int i = 1; i <= 3; ++i) g_Sprites[i].Show();
  for (int i = 0; i < entryCount_; ++i) g_Sprites[kFirstEntrySprite + i].Hide();
  for (int i = 0; i < entryCount_; ++i) {
    if (entries_[i].enabled) g_Sprites[kFirstEntrySprite + i].Show();
  }

  g_GameState.SetMode(GameMode::StartMenuRun);
  subState_ = StartMenuState::FadeIn;
  LoadSounds();
  return S_OK;
}

HRESULT StartMenu::Update() {
  switch (subState_) {
    case StartMenuState::Cursor:
      UpdateCursor();
      break;
    case StartMenuState::FadeIn:
      FadeInStep();
      ApplyOverlayAlpha();
      UpdateCursor();
      break;
    case StartMenuState::FadeOut:
      FadeOutStep();
      ApplyOverlayAlpha();
      break;
    case StartMenuState::Choose:
      ChooseEntry(chosenEntry_);
      break;
    case StartMenuState::KeyConfig:
      g_StartConfig.Update();
      break;
    case StartMenuState::RunScript:
      return RunEntryScript(chosenEntry_);
  }
  return S_OK;
}

HRESULT StartMenu::Release() {
  FreeText();
  FreeEntries();
  return S_OK;
}

void StartMenu::Draw() {
  if (g_GameState.GetMode() != GameMode::StartMenuRun || !entries_) return;
  const bool graphics = HoldsGraphics();
  for (int i = 0; i < entryCount_; ++i) {
    if (graphics) g_Sprites[kFirstEntrySprite + i].Hide();
    if (i != cursor_) continue;
    const StartMenuEntry& e = entries_[i];
    g_Fonts[0].DrawText(e.title.c_str(), kTitleX, kTitleY, kTextRight, kTextBottom, kTextColor);
    g_Fonts[0].DrawText(e.comment.c_str(), kCommentX, kCommentY, kTextRight, kTextBottom, kTextColor);
    if (graphics && e.enabled) g_Sprites[kFirstEntrySprite + i].Show();
  }
  if (subState_ == StartMenuState::KeyConfig) g_StartConfig.Draw();
}

HRESULT StartMenu::FreeText() {
  menuText_.reset();
  return S_OK;
}

HRESULT StartMenu::FreeEntries() {
  if (!entries_) return S_OK;
  entries_.reset();  // the count stays
  ReleaseSceneArrays();
  return S_OK;
}

void StartMenu::ClearEntries(int n) {
  if (!entries_) return;
  for (int i = 0; i < n; ++i) entries_[i] = StartMenuEntry{};
}

void StartMenu::LoadSounds() {
  g_MediaPlayerPool.Allocate(11);
  if (!g_MediaPlayers) return;
  const struct {
    int slot;
    const char* path;
  } sounds[] = {{kSelectSlot, kSelectSound}, {kDecideSlot, kDecideSound}};
  for (const auto& sound : sounds) {
    MediaPlayer& player = g_MediaPlayers[sound.slot];
    player.Open(sound.path);
    player.SetVolume(kSoundVolume);
    player.SetBalance(0);
    player.SetLoop(0);
  }
}

void StartMenu::UpdateCursor() {
  if (g_Input.IsDirTriggered(JoyDirection::Up)) {
    MoveCursor(-1);
    PlaySound(kSelectSlot);
  } else if (g_Input.IsDirTriggered(JoyDirection::Down)) {
    MoveCursor(+1);
    PlaySound(kSelectSlot);
  }
  if (g_Input.IsButtonTriggered(LogicalButton::Decide)) {
    chosenEntry_ = cursor_;
    // With no enabled entry under the cursor the press only records the index.
    if (entries_ && cursor_ >= 0 && cursor_ < entryCount_ && entries_[cursor_].enabled) {
      subState_ = StartMenuState::Choose;
      PlaySound(kDecideSlot);
    }
  }
}

void StartMenu::MoveCursor(int step) {
  if (!entries_ || entryCount_ < 1) return;
  int at = cursor_;
  for (int moved = 0; moved < entryCount_; ++moved) {
    at = (at + step + entryCount_) % entryCount_;
    if (entries_[at].enabled) break;
  }
  cursor_ = at;
}

void StartMenu::ChooseEntry(int index) {
  const StartMenuEntry* entry = GetEntry(index);
  if (!entry) return;
  subState_ = entry->id == 3 ? StartMenuState::KeyConfig : StartMenuState::FadeOut;
}

HRESULT StartMenu::RunEntryScript(int index) {
  const StartMenuEntry* entry = GetEntry(index);
  if (!entry) return E_FAIL;
  char cn[kEntryScriptPathSize] = {};
  std::snprintf(cn, sizeof cn, "%s%s", kScriptDir, entry->script.c_str());
  // A script that cannot be read would leave an empty text running every frame: say which one
  // and quit instead.
  if (Failed(g_MainScript.LoadFile(cn))) {
    ShowFileError(cn, 0, kFileOpenFailedText);
    g_GameState.QuitOnDataError();
    return E_FAIL;
  }
  return g_MainScript.RunMainScript();
}

void StartMenu::FadeInStep() {
  overlayAlpha_ -= kFadeStep;
  if (overlayAlpha_ < 1) {
    overlayAlpha_ = 0;
    subState_ = StartMenuState::Cursor;
  }
}

void StartMenu::FadeOutStep() {
  overlayAlpha_ += kFadeStep;
  if (overlayAlpha_ >= 255) {
    overlayAlpha_ = 255;
    subState_ = StartMenuState::RunScript;
  }
}

void StartMenu::ApplyOverlayAlpha() {
  if (HoldsGraphics()) g_Sprites[kOverlaySprite].SetColor(static_cast<D3DCOLOR>(overlayAlpha_) << 24);
}

void StartMenu::PlaySound(int slot) {
  if (!g_MediaPlayers) return;
  MediaPlayer& player = g_MediaPlayers[slot];
  player.Stop();
  player.Rewind();
  player.Play();
}

int StartMenu::SaveFileExists(int flag) {
  if (flag != 1) return 1;
  return g_FileIO.FileExists(kSaveFile) ? 1 : 0;
}

void StartMenu::ShowNoSaveMessage() { platform::ShowMessageBox(kNoSaveText, "", platform::MessageBoxKind::Ok); }

const StartMenuEntry* StartMenu::GetEntry(int index) const {
  if (!entries_ || index < 0 || index >= entryCount_) return nullptr;
  return &entries_[index];
}

Sprite* StartMenu::GetSprite(int index) const {
  if (!HoldsGraphics() || index < 0 || index >= entryCount_ + kFixedSprites) return nullptr;
  return &g_Sprites[index];
}

bool StartMenu::HoldsGraphics() const {
  return entries_ && g_Sprites && g_TextureTable && g_SceneArrays.GetSpriteCount() == entryCount_ + kFixedSprites &&
         g_SceneArrays.GetTextureCount() == entryCount_ + kFixedTextures;
}
