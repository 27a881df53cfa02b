// The ADV scene's graphics: the background picked by the scene number, the black overlay used
// for fades, and the two message windows (lower speaker, side 0, at the bottom; upper speaker,
// side 1, at the top), each a window, a frame, a name box with its frame and an icon with its
// frame; and the drawing of each speaker's name and three lines.
#include <cstring>

#include "gameflow/gamestate.h"
#include "gameflow/scenearrays.h"
#include "gameflow/scenesprite.h"
#include "librarysauce/gamefont.h"
#include "librarysauce/mediaplayer.h"
#include "librarysauce/sprite.h"
#include "librarysauce/texture.h"
#include "novel/advscene.h"

namespace {

constexpr D3DCOLOR kWhite = 0xFFFFFFFF;
constexpr D3DCOLOR kWindowColor = 0xC8646464;
constexpr int kIconCell = 96;
constexpr int kIconsPerRow = 5;
constexpr int kMessageFontSlot = 1;

enum AdvTexture {
  kBackgroundTexture = 1,
  kOverlayTexture = 2,
  kWindowTexture = 3,
  kFrameTexture = 4,
  kCommentTexture = 5,
  kEndTexture = 6,
  kNameBoxTexture = 7,
  kNameFrameTexture = 8,
  kIconTexture = 9,
  kIconFrameTexture = 10,
};

constexpr int kBackgroundSprite = 1;
constexpr int kOverlaySprite = 2;

const char* BackgroundFile(int sceneNumber) {
  switch (sceneNumber) {
    case 2:
      return ".\\Graphic\\Adv\\guild.bmp";
    case 3:
      return ".\\Graphic\\Adv\\gate.bmp";
    default:  // 1, and every other number
      return ".\\Graphic\\Adv\\China.bmp";
  }
}

D3DCOLOR Grey(int g) { return 0xFF000000u + static_cast<uint32_t>(g) * 0x010101u; }

void SetUpSprite(int index, int texture, float width, float height, float x, float y, uint32_t depth,
                 D3DCOLOR color) {
  SetUpSceneSprite(g_Sprites[index], texture, 0, 0, width, height, x, y, depth, color);
}

// One side's window parts: positions and the depth of the window (the other parts' depths are
// counted from it).
struct SideLayout {
  float windowX, windowY, frameX, frameY, nameBoxX, nameBoxY, nameFrameX, nameFrameY, iconX, iconY, iconFrameX,
      iconFrameY;
  uint32_t depthBase;  // 9000 lower, 8000 upper
};
constexpr SideLayout kLayout[2] = {
    {185, 385, 180, 380, 185, 348, 180, 343, 27, 359, 11, 343, 9000},  // lower, side 0
    {10, 56, 5, 51, 368, 17, 363, 12, 512, 28, 496, 12, 8000},         // upper, side 1
};

// Where each text of a side is drawn: the name, then lines 1 to 3.
struct TextPos {
  int x, y;
};
constexpr TextPos kTextPos[2][4] = {
    {{190, 351}, {190, 391}, {190, 416}, {190, 441}},  // lower, side 0
    {{372, 20}, {14, 61}, {14, 86}, {14, 111}},        // upper, side 1
};

bool SpritesReady() { return g_Sprites != nullptr && g_SceneArrays.GetSpriteCount() >= AdvScene::kSpriteCount; }

}  // namespace

HRESULT AdvScene::SetUpGraphics() {
  if (Failed(g_SceneArrays.Allocate(kSpriteCount, kTextureCount))) return E_FAIL;

  const char* files[kTextureCount] = {
      nullptr,
      BackgroundFile(sceneNumber_),
      ".\\Graphic\\Adv\\MessageWindow.bmp",  // under the overlay
      ".\\Graphic\\Adv\\MessageWindow.bmp",  // the two windows
      ".\\Graphic\\Adv\\MessageFrame.bmp",
      ".\\Graphic\\Adv\\MessageComment.bmp",
      ".\\Graphic\\Adv\\MessageEnd.bmp",
      ".\\Graphic\\Adv\\MessageWindow.bmp",  // the two name boxes
      ".\\Graphic\\Adv\\NameFrame.bmp",
      ".\\Graphic\\Adv\\IconMain.bmp",
      ".\\Graphic\\Adv\\IconFrame.bmp",
  };
  // A picture that cannot be loaded leaves its sprites as plain quads; the scene goes on.
  for (int i = 1; i < kTextureCount; ++i) g_TextureTable[i].LoadConverted(files[i], Texture::kKeyGreen);

  SetUpSprite(kBackgroundSprite, kBackgroundTexture, TextureWidth(kBackgroundTexture),
              TextureHeight(kBackgroundTexture), 0, 0, 10000, kWhite);
  // The overlay covers the whole 854-pixel-wide screen, so a fade darkens all of it.
  SetUpSprite(kOverlaySprite, kOverlayTexture, 854, 480, 0, 0, 4000, 0xFF000000);
  for (int side = 0; side < 2; ++side) {
    const SideLayout& l = kLayout[side];
    SetUpSprite(SpriteIndex(side, kWindow), kWindowTexture, 440, 80, l.windowX, l.windowY, l.depthBase + 5,
                kWindowColor);
    SetUpSprite(SpriteIndex(side, kFrame), kFrameTexture, TextureWidth(kFrameTexture), TextureHeight(kFrameTexture),
                l.frameX, l.frameY, l.depthBase + 4, kWhite);
    SetUpSprite(SpriteIndex(side, kCommentSign), kCommentTexture, TextureWidth(kCommentTexture) / 2,
                TextureHeight(kCommentTexture), 153, 446, l.depthBase + 3, kWhite);
    SetUpSprite(SpriteIndex(side, kEndSign), kEndTexture, TextureWidth(kEndTexture), TextureHeight(kEndTexture), 100,
                100, l.depthBase + 2, kWhite);
    SetUpSprite(SpriteIndex(side, kNameBox), kNameBoxTexture, 82, 27, l.nameBoxX, l.nameBoxY, l.depthBase + 1,
                kWindowColor);
    SetUpSprite(SpriteIndex(side, kNameFrame), kNameFrameTexture, TextureWidth(kNameFrameTexture),
                TextureHeight(kNameFrameTexture), l.nameFrameX, l.nameFrameY, l.depthBase + 0, kWhite);
    SetUpSprite(SpriteIndex(side, kIcon), kIconTexture, kIconCell, kIconCell, l.iconX, l.iconY, l.depthBase + 6,
                kWhite);
    SetUpSprite(SpriteIndex(side, kIconFrame), kIconFrameTexture, 128, 128, l.iconFrameX, l.iconFrameY,
                l.depthBase + 7, kWhite);
  }

  for (int i = 0; i < kSpriteCount; ++i) {
    g_SceneArrays.Register(i);
    g_Sprites[i].Hide();
  }
  g_Sprites[kBackgroundSprite].Show();
  g_Sprites[kOverlaySprite].Show();

  g_GameState.SetMode(GameMode::AdvRun);
  phase_ = AdvPhase::Run;
  upperTextGrey_ = 255;
  lowerTextGrey_ = 255;
  g_MediaPlayerPool.Allocate(kMediaPlayerCount);
  return S_OK;
}

HRESULT AdvScene::ReleaseGraphics() {
  const int mode = g_GameState.GetMode();
  if (mode < GameMode::AdvSetUp || mode > GameMode::AdvLast) return S_OK;
  g_SceneArrays.Release();
  delete message_;
  message_ = nullptr;  // Reset makes a fresh one
  return S_OK;
}

void AdvScene::ApplyOverlayAlpha() {
  if (SpritesReady()) g_Sprites[kOverlaySprite].SetColor(static_cast<D3DCOLOR>(overlayAlpha_) << 24);
}

AdvSpeaker& AdvScene::ActiveSpeaker() { return message_->speaker[activeSide_ ? 0 : 1]; }

const AdvSpeaker* AdvScene::GetSpeaker(int side) const {
  return message_ ? &message_->speaker[side ? 0 : 1] : nullptr;
}

void AdvScene::SetSideColors(int side) {
  if (!SpritesReady()) return;
  const D3DCOLOR color = Grey(side ? upperWindowGrey_ : lowerWindowGrey_);
  for (WindowPart part : {kFrame, kNameFrame, kIcon, kIconFrame}) g_Sprites[SpriteIndex(side, part)].SetColor(color);
}

void AdvScene::SelectSpeakerSide(uint8_t side) {
  side = side ? 1 : 0;
  if (side == activeSide_) return;
  activeSide_ = side;
  if (side == 1) {
    upperWindowGrey_ = 255;
    lowerWindowGrey_ = 128;
    upperTextGrey_ = 255;
    lowerTextGrey_ = 64;
  } else {
    upperWindowGrey_ = 128;
    lowerWindowGrey_ = 255;
    upperTextGrey_ = 64;
    lowerTextGrey_ = 255;
  }
  ClearSpeakerText();
  SetSideColors(side);
}

void AdvScene::ShowWindow() {
  if (!SpritesReady()) return;
  SetSideColors(activeSide_);
  for (WindowPart part : {kWindow, kFrame, kNameBox, kNameFrame, kIcon, kIconFrame})
    g_Sprites[SpriteIndex(activeSide_, part)].Show();
}

void AdvScene::HideWindow() {
  if (!SpritesReady()) return;
  for (WindowPart part : {kWindow, kFrame, kNameBox, kNameFrame, kIcon, kIconFrame})
    g_Sprites[SpriteIndex(activeSide_, part)].Hide();
}

void AdvScene::SetIcon() {
  const int n = ReadIntArg();
  if (!SpritesReady()) return;
  // Cells are numbered row by row, five to a row. The row's origin is worked out in float: a
  // large icon number would overflow an int.
  g_Sprites[SpriteIndex(activeSide_, kIcon)].SetSrcPos(static_cast<float>((n % kIconsPerRow) * kIconCell),
                                                       static_cast<float>(n / kIconsPerRow) * kIconCell);
}

void AdvScene::ShowIcon() {
  if (SpritesReady()) g_Sprites[SpriteIndex(activeSide_, kIcon)].Show();
}

void AdvScene::SetSpeakerName() {
  char buff[20];
  ReadStringArg(buff, sizeof buff);
  AdvSpeaker& speaker = ActiveSpeaker();
  std::memcpy(speaker.name, buff, sizeof speaker.name);
}

void AdvScene::SetTextLine(int command) {
  char buff[128];
  ReadStringArg(buff, sizeof buff);
  AdvSpeaker& speaker = ActiveSpeaker();
  std::memcpy(speaker.line[command - static_cast<int>(AdvCommand::TextLine1)], buff, sizeof buff);
  StartTextTimer();
}

void AdvScene::ClearSpeakerText() {
  AdvSpeaker& speaker = ActiveSpeaker();
  std::memset(speaker.line, 0, sizeof speaker.line);
}

void AdvScene::DrawMessage() {
  if (!messageVisible_ || !message_) return;
  // The texts darken with the overlay and are black under a full one.
  const int grey[2] = {lowerTextGrey_ - overlayAlpha_ < 0 ? 0 : lowerTextGrey_ - overlayAlpha_,
                       upperTextGrey_ - overlayAlpha_ < 0 ? 0 : upperTextGrey_ - overlayAlpha_};
  GameFont& font = g_Fonts[kMessageFontSlot];
  for (int side : {1, 0}) {  // the upper side first
    const AdvSpeaker& speaker = message_->speaker[side ? 0 : 1];
    const char* texts[4] = {speaker.name, speaker.line[0], speaker.line[1], speaker.line[2]};
    for (int i = 0; i < 4; ++i) {
      if (texts[i][0] == 0) continue;
      font.DrawText(texts[i], kTextPos[side][i].x, kTextPos[side][i].y, 64, 16, Grey(grey[side]));
    }
  }
}
