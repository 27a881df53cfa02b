#include "field/fieldscene.h"

#include <cstdio>
#include <cstdlib>
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
#include "platform/input.h"

FieldScene g_FieldScene;

namespace {

constexpr D3DCOLOR kKeyBlack = 0xFF000000;
constexpr D3DCOLOR kWhite = 0xFFFFFFFF;
constexpr D3DCOLOR kTextColor = 0xFFFAFAFA;
constexpr D3DCOLOR kCommentWindowColor = 0xE04040E0;
constexpr int kFadeStep = 15;
constexpr int kPlayerCount = 11;

constexpr const char* kCommentWindowImage = ".\\Graphic\\comment_window01.bmp";
constexpr const char* kPlayerPointImage = ".\\Graphic\\Battle\\PlayerPoint.bmp";
constexpr const char* kPointIconImage = ".\\Graphic\\point_icon01.bmp";
constexpr const char* kMusicFile = ".\\Sound\\FieldBGM.mp3";
constexpr const char* kSelectSoundFile = ".\\Sound\\Select.wav";
constexpr const char* kDecideSoundFile = ".\\Sound\\YES.wav";
constexpr const char* kPointScriptDir = ".\\Script\\map\\";

// One point line taken apart, before it is stored.
struct ParsedPoint {
  long id = 0;
  ListField name, comment, script;
  long x = 0, y = 0;
  long enabled = 0;
};

// Seven fields: id, name, comment, script, x, y and, for the rest of the line, enabled. Only x
// may not be left empty; an empty id or y reads as 0.
bool ParsePointLine(const char* begin, const char* end, ParsedPoint* point, std::string* reason) {
  ListField fields[7];
  if (!SplitListLine(begin, end, 7, FieldScene::kMaxFieldBytes, fields, reason)) return false;
  if (fields[3].Length() > FieldScene::kMaxScriptBytes) {
    *reason = ListReason("スクリプト名が長すぎます");
    return false;
  }
  if (!ParseListInteger(fields[4].begin, fields[4].end, &point->x)) {
    *reason = ListReason("xの項目が数値ではありません");
    return false;
  }
  if (!ParseListIntegerOrEmpty(fields[0].begin, fields[0].end, &point->id) ||
      !ParseListIntegerOrEmpty(fields[5].begin, fields[5].end, &point->y) ||
      !ParseListLeadingInteger(fields[6].begin, fields[6].end, &point->enabled)) {
    *reason = ListReason("数値の項目が数値ではありません");
    return false;
  }
  point->name = fields[1];
  point->comment = fields[2];
  point->script = fields[3];
  return true;
}

}  // namespace

FieldScene::FieldScene() = default;

FieldScene::~FieldScene() { Release(); }

const FieldPoint* FieldScene::GetPoint(int index) const {
  if (!points_ || index < 0 || index >= pointCount_) return nullptr;
  return &points_[index];
}

void FieldScene::MarkLoadFailed(const char* file, int line, const char* reason) {
  loadFailed_ = 1;
  std::snprintf(failedListPath_, sizeof failedListPath_, "%s", file ? file : "");
  failedLine_ = line;
  failedReason_ = reason ? reason : "";
}

int FieldScene::MapNumberFromPath(const char* listPath) {
  if (!listPath) return 0;
  const size_t length = std::strlen(listPath);
  const char* dot = std::strchr(listPath + (length < 3 ? length : 3), '.');
  if (!dot || dot - listPath < 2) return 0;
  const char digits[3] = {dot[-2], dot[-1], 0};
  return std::atoi(digits);
}

const char* FieldScene::BackgroundForMapNumber(int mapNumber) {
  const bool second = mapNumber == 3 || (mapNumber >= 4 && mapNumber <= 32 && mapNumber % 2 == 0);
  return second ? ".\\Graphic\\field2.bmp" : ".\\Graphic\\field1.bmp";
}

HRESULT FieldScene::LoadMap(const char* path) {
  FreeEntries();
  FreeText();
  loadFailed_ = 0;
  failedListPath_[0] = 0;
  failedLine_ = 0;
  failedReason_.clear();
  // A new list starts with its own selection, never one left by a longer list.
  selectedPoint_ = 0;
  chosenPoint_ = 0;
  if (!path) path = "";

  char ReadFile[kPathSize];
  if (std::strlen(path) + std::strlen(".map") >= sizeof ReadFile) {
    char listPath[sizeof failedListPath_];
    std::snprintf(listPath, sizeof listPath, "%s.map", path);
    MarkLoadFailed(listPath, 0, ListReason("ファイル名が長すぎます").c_str());
    return E_FAIL;
  }
  std::snprintf(ReadFile, sizeof ReadFile, "%s.map", path);

  mapText_ = std::make_unique<char[]>(kMapTextSize);
  uint32_t bytesRead = 0;
  if (g_FileIO.ReadWholeFile(ReadFile, mapText_.get(), kMapTextSize - 1, &bytesRead) < 0) {
    FreeText();
    MarkLoadFailed(ReadFile, 0, kFileOpenFailedText);
    return E_FAIL;
  }
  mapNumber_ = MapNumberFromPath(ReadFile);

  // The text ends at its first 0 byte.
  const void* firstZero = std::memchr(mapText_.get(), 0, bytesRead);
  const size_t length =
      firstZero ? static_cast<size_t>(static_cast<const char*>(firstZero) - mapText_.get()) : bytesRead;
  std::vector<ParsedPoint> parsed;
  ListError error;
  const bool read = ReadListShape(mapText_.get(), length, kMaxFieldBytes,
                                  [&parsed](const char* begin, const char* end, std::string* reason) {
                                    ParsedPoint point;
                                    if (!ParsePointLine(begin, end, &point, reason)) return false;
                                    parsed.push_back(point);
                                    return true;
                                  },
                                  &error);
  if (!read) {
    FreeText();
    MarkLoadFailed(ReadFile, error.line, error.reason.c_str());
    return E_FAIL;
  }

  pointCount_ = static_cast<int>(parsed.size());
  points_ = std::make_unique<FieldPoint[]>(parsed.size());
  ClearEntries(pointCount_);
  for (int k = 0; k < pointCount_; ++k) {
    const ParsedPoint& p = parsed[static_cast<size_t>(k)];
    FieldPoint& point = points_[k];
    point.id = static_cast<uint16_t>(p.id);
    point.name = KeepListText(p.name.Text(), &point.nameSize);
    point.comment = KeepListText(p.comment.Text(), &point.commentSize);
    point.script = KeepListText(p.script.Text(), &point.scriptSize);
    point.x = static_cast<float>(p.x);
    point.y = static_cast<float>(p.y);
    point.enabled = p.enabled != 0 ? 1 : 0;
    point.highlighted = 0;
  }
  LoadSounds();
  FreeText();
  return S_OK;
}

void FieldScene::ClearEntries(int n) {
  if (!points_) return;
  for (int i = 0; i < n && i < pointCount_; ++i) points_[i] = FieldPoint{};
}

void FieldScene::LoadSounds() {
  g_MediaPlayerPool.Allocate(kPlayerCount);
  if (!g_MediaPlayers) return;
  struct SoundSlot {
    int slot;
    const char* file;
    int loop;
  };
  for (const SoundSlot& s : {SoundSlot{kMusicSlot, kMusicFile, 1}, SoundSlot{kSelectSlot, kSelectSoundFile, 0},
                             SoundSlot{kDecideSlot, kDecideSoundFile, 0}}) {
    MediaPlayer& player = g_MediaPlayers[s.slot];
    player.Open(s.file);
    player.SetVolume(255);
    player.SetBalance(0);
    player.SetLoop(s.loop);
  }
  g_MediaPlayers[kMusicSlot].Play();
}

void FieldScene::PlaySound(int slot) {
  if (!g_MediaPlayers || slot < 0 || static_cast<uint32_t>(slot) >= g_MediaPlayerPool.GetCount()) return;
  MediaPlayer& player = g_MediaPlayers[slot];
  player.Stop();
  player.Rewind();
  player.Play();
}

HRESULT FieldScene::SetUpGraphics() {
  if (loadFailed_ || !points_) {
    // Nothing to show: say which list failed, where and why, and end the game.
    ShowFileError(failedListPath_[0] ? failedListPath_ : "(no field list)", failedLine_,
                  failedReason_.empty() ? kFileOpenFailedText : failedReason_.c_str());
    g_GameState.QuitOnDataError();
    return E_FAIL;
  }
  const int spriteCount = pointCount_ + kExtraSprites;
  if (g_SceneArrays.Allocate(spriteCount, kTextureCount) < 0 || !g_Sprites || !g_TextureTable) {
    std::fprintf(stderr, "Velunna: no memory for the field scene's %d sprites\n", spriteCount);
    g_GameState.QuitOnDataError();
    return E_FAIL;
  }

  Texture* textures = g_TextureTable;
  textures[1].LoadConverted(BackgroundForMapNumber(mapNumber_), Texture::kKeyGreen);
  textures[2].LoadConverted(kCommentWindowImage, kKeyBlack);
  textures[3].LoadConverted(kCommentWindowImage, Texture::kKeyGreen);
  textures[4].LoadConverted(kPlayerPointImage, Texture::kKeyGreen);
  textures[5].LoadConverted(kPointIconImage, Texture::kKeyGreen);

  Sprite* sprites = g_Sprites;
  SetUpSceneSprite(sprites[kBackgroundSprite], 1, 0.0f, 0.0f, TextureWidth(1), TextureHeight(1), 0.0f, 0.0f, 10000,
                   kWhite);
  // The black overlay covers the whole 854-wide screen.
  SetUpSceneSprite(sprites[kOverlaySprite], 2, 0.0f, 0.0f, 854.0f, 480.0f, 0.0f, 0.0f, 50, 0xFF000000);
  SetUpSceneSprite(sprites[kCommentSprite], 3, 0.0f, 0.0f, 288.0f, 48.0f, 10.0f, 410.0f, 10000, kCommentWindowColor);
  SetUpSceneSprite(sprites[kPlayerPointSprite], 4, 0.0f, 0.0f, 32.0f, 32.0f, 0.0f, 0.0f, 51, kWhite);
  const float iconWidth = TextureWidth(5);
  const float iconHeight = TextureHeight(5);
  for (int i = 0; i < pointCount_; ++i)
    SetUpSceneSprite(sprites[kFirstIconSprite + i], 5, 0.0f, 0.0f, iconWidth, iconHeight, points_[i].x, points_[i].y,
                     static_cast<uint32_t>(100 + i), kWhite);

  for (int i = kBackgroundSprite; i < kFirstIconSprite + pointCount_; ++i) g_SceneArrays.Register(i);
  for (int i = kBackgroundSprite; i <= kPlayerPointSprite; ++i) sprites[i].Show();

  bool first = true;
  for (int i = 0; i < pointCount_; ++i) {
    Sprite& icon = sprites[kFirstIconSprite + i];
    icon.Hide();
    points_[i].highlighted = 0;
    if (!points_[i].enabled) continue;
    icon.Show();
    if (first) {
      first = false;
      selectedPoint_ = i;
      points_[i].highlighted = 1;
      sprites[kPlayerPointSprite].SetPos(points_[i].x, points_[i].y - 5.0f);
    }
  }

  g_GameState.SetMode(GameMode::FieldRun);
  phase_ = FieldPhase::FadeIn;
  return S_OK;
}

HRESULT FieldScene::Update() {
  if (!points_ || !g_Sprites) return E_FAIL;
  switch (phase_) {
    case FieldPhase::Select:
      UpdateSelection();
      break;
    case FieldPhase::FadeIn:
      FadeInStep();
      ApplyOverlayAlpha();
      break;
    case FieldPhase::FadeOut:
      FadeOutStep();
      ApplyOverlayAlpha();
      break;
    case FieldPhase::Go:
      return RunEntryScript(chosenPoint_);
  }
  return S_OK;
}

void FieldScene::StepSelection(int step) {
  int point = selectedPoint_;
  for (int n = 0; n < pointCount_; ++n) {
    point = (point + step + pointCount_) % pointCount_;
    if (points_[point].enabled) {
      selectedPoint_ = point;
      return;
    }
  }
}

void FieldScene::HighlightSelected() {
  for (int i = 0; i < pointCount_; ++i) points_[i].highlighted = 0;
  if (selectedPoint_ < 0 || selectedPoint_ >= pointCount_ || !points_[selectedPoint_].enabled) return;
  FieldPoint& point = points_[selectedPoint_];
  point.highlighted = 1;
  g_Sprites[kPlayerPointSprite].SetPos(point.x, point.y - 5.0f);
}

int FieldScene::HighlightedPoint() const {
  for (int i = 0; i < pointCount_; ++i)
    if (points_[i].highlighted) return i;
  return -1;
}

void FieldScene::UpdateSelection() {
  // The mouse first: an enabled point whose box holds the pointer is selected at once.
  uint32_t msp = 0;
  g_Input.GetMousePos(&msp);
  const float mouseX = static_cast<float>(static_cast<int16_t>(msp & 0xFFFF));
  const float mouseY = static_cast<float>(static_cast<int16_t>(msp >> 16));
  bool hovered = false;
  for (int i = 0; i < pointCount_; ++i) {
    const FieldPoint& point = points_[i];
    if (!point.enabled) continue;
    if (mouseX < point.x + 2 || mouseX > point.x + 30 || mouseY < point.y + 2 || mouseY > point.y + 30) continue;
    hovered = true;
    if (i != selectedPoint_) PlaySound(kSelectSlot);
    selectedPoint_ = i;
  }

  // The keys and the stick only while no point is hovered.
  bool moved = false;
  if (!hovered) {
    const int before = selectedPoint_;
    if (g_Input.IsJoyDirTriggered(JoyDirection::Up) || g_Input.IsJoyDirTriggered(JoyDirection::Left) ||
        g_Input.IsKeyTriggered(platform::DIK_UP) || g_Input.IsKeyTriggered(platform::DIK_LEFT)) {
      StepSelection(-1);
      moved = true;
    } else if (g_Input.IsJoyDirTriggered(JoyDirection::Down) ||
               g_Input.IsJoyDirTriggered(JoyDirection::Right) ||
               g_Input.IsKeyTriggered(platform::DIK_DOWN) || g_Input.IsKeyTriggered(platform::DIK_RIGHT)) {
      StepSelection(+1);
      moved = true;
    }
    if (moved && selectedPoint_ != before) PlaySound(kSelectSlot);
  }
  if (hovered || moved) HighlightSelected();

  // A click decides only over a point; Z decides the highlighted point wherever the pointer is.
  const int clicked = g_Input.IsMouseTriggered(0);
  if ((clicked && hovered) || g_Input.IsKeyTriggered(platform::DIK_Z)) {
    const int point = HighlightedPoint();
    if (point < 0) return;
    chosenPoint_ = point;
    phase_ = FieldPhase::FadeOut;
    PlaySound(kDecideSlot);
  }
}

void FieldScene::FadeInStep() {
  overlayAlpha_ -= kFadeStep;
  if (overlayAlpha_ < 1) {
    overlayAlpha_ = 0;
    phase_ = FieldPhase::Select;
  }
}

void FieldScene::FadeOutStep() {
  overlayAlpha_ += kFadeStep;
  if (overlayAlpha_ >= 255) {
    overlayAlpha_ = 255;
    phase_ = FieldPhase::Go;
  }
}

void FieldScene::ApplyOverlayAlpha() {
  if (g_Sprites) g_Sprites[kOverlaySprite].SetColor(static_cast<D3DCOLOR>(overlayAlpha_) << 24);
}

HRESULT FieldScene::RunEntryScript(int index) {
  if (!points_ || index < 0 || index >= pointCount_) return E_FAIL;
  // The script may load another field list, which frees these points: take the path first.
  char cn[kPathSize];
  std::snprintf(cn, sizeof cn, "%s%s", kPointScriptDir, points_[index].script.c_str());
  g_MediaPlayerPool.CloseAll();
  g_MediaPlayerPool.FreeAll();
  if (g_MainScript.LoadFile(cn) < 0) {
    ShowFileError(cn, 0, kFileOpenFailedText);
    g_GameState.QuitOnDataError();
    return E_FAIL;
  }
  return g_MainScript.RunMainScript();
}

void FieldScene::Draw() {
  if (g_GameState.GetMode() != GameMode::FieldRun || !g_Sprites || !points_) return;
  g_Sprites[kCommentSprite].Hide();
  const int point = HighlightedPoint();
  if (point < 0) return;
  g_Fonts[0].DrawText(points_[point].name.c_str(), 10, 410, 64, 16, kTextColor);
  g_Fonts[0].DrawText(points_[point].comment.c_str(), 34, 434, 64, 16, kTextColor);
  g_Sprites[kCommentSprite].Show();
}

HRESULT FieldScene::FreeText() {
  mapText_.reset();
  return S_OK;
}

HRESULT FieldScene::FreeEntries() {
  if (!points_) return S_OK;
  points_.reset();
  pointCount_ = 0;
  // The scene that held points held the current sprite and texture arrays: they go with them.
  g_SceneArrays.Release();
  return S_OK;
}

HRESULT FieldScene::Release() {
  FreeText();
  FreeEntries();
  return S_OK;
}
