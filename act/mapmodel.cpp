#include "act/mapmodel.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "act/attacks/attackeffectmanager.h"
#include "act/items/itemmanager.h"
#include "act/mobs/mobmanager.h"
#include "act/mobs/mobshotmanager.h"
#include "gameflow/fileerror.h"
#include "gameflow/scenearrays.h"
#include "librarysauce/fileio.h"
#include "librarysauce/filescrambler.h"
#include "platform/cp932.h"
#include "platform/paths.h"

MapModel g_MapModel;

namespace {

const char kStageDirectory[] = ".\\Data\\Script\\act_stage\\";
const char kMapExtension[] = ".cnn";
// Where the map model's messages say they come from.
const char kMessageSource[] = "act\\mapmodel";
constexpr int kMessageLine = 172;
constexpr int kShotSlots = 200;

// The map model's file error: what went wrong (UTF-8), then the map's path on its own line.
void ReportMapError(const std::string& whatUtf8, const std::string& path) {
  const std::string text = platform::Utf8ToCp932(whatUtf8) + ":\n  " + path;
  ShowFileError(kMessageSource, kMessageLine, text.c_str());
}

// The largest stage map the game reads: far above any map that fits the game's sprite and
// memory limits (a 4000 × 4000 map is 32 MB).
constexpr uint64_t kMapFileBudget = uint64_t{64} * 1024 * 1024;

// The size of the file at a game path, or false when it cannot be opened as a regular file
// within the budget (a directory, a device or a pipe is never read).
bool OpenedFileSize(const std::string& path, uint32_t* size) {
  FILE* file = platform::OpenRegularFile(platform::ResolvePath(path), kMapFileBudget);
  if (!file) return false;
  *size = g_FileScrambler.GetFileSize(file);
  std::fclose(file);
  return true;
}

bool IsItemCode(int code) {
  return code == ItemCell::Switch || code == ItemCell::Goal || (code >= ItemCell::Hp && code <= ItemCell::Trap);
}

bool IsMobCode(int code) { return code >= MapCell::Kedama && code <= MapCell::Bomber; }

}  // namespace

HRESULT MapModel::SetStageList(const char* text) {
  if (!text) return E_FAIL;
  std::vector<std::string> paths;
  const char* name = text;
  for (;;) {
    const char* comma = std::strchr(name, ',');
    const size_t length = comma ? static_cast<size_t>(comma - name) : std::strlen(name);
    if (sizeof kStageDirectory - 1 + length + 1 > static_cast<size_t>(kStagePathSize)) return E_FAIL;
    char BuffFileName[kStagePathSize] = {};
    std::memcpy(BuffFileName, kStageDirectory, sizeof kStageDirectory - 1);
    std::memcpy(BuffFileName + sizeof kStageDirectory - 1, name, length);
    paths.emplace_back(BuffFileName);
    if (!comma) break;
    name = comma + 1;
  }
  stagePaths_ = std::move(paths);
  stageCount_ = static_cast<int>(stagePaths_.size());
  // A shorter list than the one before must not leave the current stage past its end.
  if (stageIndex_ >= stageCount_) stageIndex_ = stageCount_ - 1;
  return S_OK;
}

const char* MapModel::GetStagePath(int index) const {
  if (index < 0 || index >= stageCount_) return nullptr;
  return stagePaths_[static_cast<size_t>(index)].c_str();
}

void MapModel::NextStage() {
  stageIndex_ += 1;
  if (stageIndex_ >= stageCount_) stageIndex_ = stageCount_ > 0 ? stageCount_ - 1 : 0;
}

MapModel::~MapModel() { Release(); }

void MapModel::Release() {
  FreeFileBuffer();
  FreeAux();
  FreeLayers();
  stagePaths_.clear();
  stageCount_ = 0;
  stageIndex_ = 0;
}

void MapModel::FreeFileBuffer() { rawFile_.reset(); }

void MapModel::FreeLayers() {
  chipRows_.reset();
  codeRows_.reset();
  chips_.reset();
  codes_.reset();
  layerSize_ = 0;
  header_ = {};
}

void MapModel::FreeAux() { spareBuffer_.reset(); }

int MapModel::CodeAt(int col, int row) const {
  if (!IsCell(col, row)) return MapCell::None;
  return codeRows_[row][col];
}

int MapModel::CellOf(float v, int size) {
  constexpr float kLimit = 1.0e8f;
  int whole = static_cast<int>(kLimit);
  if (!(v > -kLimit))
    whole = -whole;  // NaN too
  else if (v <= kLimit)
    whole = static_cast<int>(v);
  return size != 0 ? whole / size : 0;
}

int MapModel::ChipAt(int col, int row) const {
  if (!IsCell(col, row)) return 0;
  return chipRows_[row][col];
}

bool MapModel::IsCell(int col, int row) const {
  return codeRows_ && col >= 0 && row >= 0 && static_cast<uint32_t>(col) < header_.width &&
         static_cast<uint32_t>(row) < header_.height;
}

HRESULT MapModel::LoadMap() {
  FreeFileBuffer();
  if (stageCount_ == 0) {
    ReportMapError("ステージが指定されていません", kStageDirectory);
    return E_FAIL;
  }
  const std::string path = stagePaths_[static_cast<size_t>(stageIndex_)] + kMapExtension;
  if (path.size() + 1 > static_cast<size_t>(kMapPathSize)) {
    ReportMapError("ステージ名が長すぎます（35文字まで）", path);
    return E_FAIL;
  }
  uint32_t size = 0;
  if (!OpenedFileSize(path, &size)) {
    ReportMapError("ファイルオープン失敗", path);
    return E_FAIL;
  }
  // Allocations that fail are reported as the map's fault, not thrown.
  rawFile_.reset(new (std::nothrow) uint8_t[static_cast<size_t>(size) + 1]());
  uint32_t got = 0;
  if (!rawFile_ || Failed(g_FileIO.ReadWholeFile(path.c_str(), rawFile_.get(), size, &got)) || got != size) {
    FreeFileBuffer();
    ReportMapError("ファイル読み込み失敗", path);
    return E_FAIL;
  }

  MapHeader header = {};
  uint64_t layerSize = 0;
  const std::string fault = CheckMap(rawFile_.get(), size, &header, &layerSize);
  if (!fault.empty()) {
    FreeFileBuffer();
    ReportMapError(fault, path);
    return E_FAIL;
  }
  std::unique_ptr<uint8_t[]> chips(new (std::nothrow) uint8_t[layerSize + 1]());
  std::unique_ptr<uint8_t[]> codes(new (std::nothrow) uint8_t[layerSize + 1]());
  std::unique_ptr<uint8_t*[]> chipRows(new (std::nothrow) uint8_t*[header.height]);
  std::unique_ptr<uint8_t*[]> codeRows(new (std::nothrow) uint8_t*[header.height]);
  if (!chips || !codes || !chipRows || !codeRows) {
    FreeFileBuffer();
    ReportMapError("メモリが足りません", path);
    return E_FAIL;
  }

  // The map is usable: it replaces the previous stage's.
  FreeLayers();
  header_ = header;
  layerSize_ = static_cast<uint32_t>(layerSize);
  std::memcpy(chips.get(), rawFile_.get() + kHeaderSize, layerSize_);
  std::memcpy(codes.get(), rawFile_.get() + kHeaderSize + layerSize_, layerSize_);
  for (uint32_t r = 0; r < header_.height; ++r) {
    chipRows[r] = chips.get() + static_cast<size_t>(header_.width) * r;
    codeRows[r] = codes.get() + static_cast<size_t>(header_.width) * r;
  }
  chips_ = std::move(chips);
  codes_ = std::move(codes);
  chipRows_ = std::move(chipRows);
  codeRows_ = std::move(codeRows);

  maxScrollX_ = static_cast<float>(uint64_t{header_.width - 1} * header_.chipWidth - kScreenWidth);
  maxScrollY_ = static_cast<float>(uint64_t{header_.height - 1} * header_.chipHeight - kScreenHeight) - 1.0f;

  mobSlots_ = 1;
  effectShotSlots_ = kEffectShotSlots;
  itemSlots_ = 10;
  chipSprites_ = kChipSprites;
  for (uint32_t i = 0; i < layerSize_; ++i) {
    if (IsItemCode(codes_[i])) itemSlots_ += 1;
    if (IsMobCode(codes_[i])) mobSlots_ += 1;
  }

  g_AttackEffectManager.Allocate();
  g_MobShotManager.Allocate(kShotSlots);
  g_MobManager.Resize(mobSlots_);
  g_ItemManager.Allocate(itemSlots_);
  FreeFileBuffer();
  return S_OK;
}

std::string MapModel::CheckMap(const uint8_t* file, uint32_t size, MapHeader* header, uint64_t* layerSize) {
  if (size < kHeaderSize) return "マップファイルが短すぎます（" + std::to_string(size) + "バイト、ヘッダーは20バイト）";
  std::memcpy(header, file, kHeaderSize);
  const MapHeader& h = *header;
  if (h.width < 1 || h.height < 1)
    return "マップの幅と高さは1以上が必要です（" + std::to_string(h.width) + "×" + std::to_string(h.height) + "）";
  if (h.chipWidth < 1 || h.chipHeight < 1)
    return "チップの幅と高さは1以上が必要です（" + std::to_string(h.chipWidth) + "×" + std::to_string(h.chipHeight) +
           "）";
  if (h.bitsPerCell < 8) return "セルのビット数は8以上が必要です（" + std::to_string(h.bitsPerCell) + "）";
  const uint64_t cells = uint64_t{h.width} * h.height;
  const uint64_t bytesPerCell = h.bitsPerCell / 8;
  if (cells > UINT64_MAX / bytesPerCell) return "マップが大きすぎます";
  *layerSize = cells * bytesPerCell;
  if (*layerSize > (size - kHeaderSize) / 2)
    return "マップファイルが短すぎます（" + std::to_string(size) + "バイト、レイヤー2枚に" +
           std::to_string(*layerSize) + "バイトずつ必要）";
  const uint64_t mapWidth = uint64_t{h.width - 1} * h.chipWidth;
  const uint64_t mapHeight = uint64_t{h.height - 1} * h.chipHeight;
  if (mapWidth < kScreenWidth)
    return "マップの幅が画面に足りません（(幅-1)×チップ幅 = " + std::to_string(mapWidth) + "、854以上が必要）";
  if (mapHeight < kScreenHeight + 1)
    return "マップの高さが画面に足りません（(高さ-1)×チップ高さ = " + std::to_string(mapHeight) +
           "、481以上が必要）";
  return "";
}

// --- the camera, the chip window, the backgrounds and the gates ---

namespace {

// A float scroll as a whole number of pixels, toward 0 (kept within int for any float).
int TruncToInt(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0f) return INT32_MAX;
  if (v <= -2147483648.0f) return INT32_MIN;
  return static_cast<int>(v);
}

// The share of its limit a scroll has gone: 0 to 1, and 0 when there is no room to scroll.
float ScrollRatio(float scroll, float limit) {
  if (!(limit > 0)) return 0;
  const float ratio = scroll / limit;
  if (!(ratio > 0)) return 0;
  return ratio > 1 ? 1 : ratio;
}

}  // namespace

void MapModel::SetScroll(float x, float y) {
  scrollX_ = x;
  scrollY_ = y;
}

void MapModel::SetMaxScroll(float x, float y) {
  maxScrollX_ = x;
  maxScrollY_ = y;
}

bool MapModel::GraphicsReady() const {
  return g_Sprites && g_Sprites == graphicsSprites_ &&
         g_SceneArrays.GetSpriteCount() > ActSprite::ChipWindow + kChipColumns * kChipRows;
}

void MapModel::UpdateVisibleOrigin() {
  if (header_.chipWidth == 0 || header_.chipHeight == 0) return;
  const uint32_t col = static_cast<uint32_t>(TruncToInt(scrollX_) / header_.chipWidth);
  const uint32_t row = static_cast<uint32_t>(TruncToInt(scrollY_) / header_.chipHeight);
  originChanged_ = 0;
  if (col != originCol_ || row != originRow_) {
    originChanged_ = 1;
    originCol_ = col;
    originRow_ = row;
  }
}

void MapModel::UpdateChipWindow() {
  if (!GraphicsReady() || header_.chipWidth == 0 || header_.chipHeight == 0) return;
  UpdateVisibleOrigin();
  const int shiftX = TruncToInt(scrollX_) % header_.chipWidth;
  const int shiftY = TruncToInt(scrollY_) % header_.chipHeight;
  // A sprite moved is a sprite rebuilt at the next draw: the grid moves only when its shift does.
  if (!chipGridPlaced_ || shiftX != chipShiftX_ || shiftY != chipShiftY_) {
    for (int i = 0; i < kChipColumns * kChipRows; ++i)
      g_Sprites[ActSprite::ChipWindow + i].SetPos(static_cast<float>(32 * (i % kChipColumns) - shiftX),
                                                  static_cast<float>(32 * (i / kChipColumns) - shiftY));
    chipShiftX_ = shiftX;
    chipShiftY_ = shiftY;
    chipGridPlaced_ = true;
  }
  if (originChanged_ || chipWindowStale_) PointChipWindow();
}

void MapModel::PointChipWindow() {
  // The origin is kept unsigned; a scroll left of or above the map gives a negative cell.
  const int64_t col0 = static_cast<int32_t>(originCol_);
  const int64_t row0 = static_cast<int32_t>(originRow_);
  for (int i = 0; i < kChipColumns * kChipRows; ++i) {
    const int64_t col = col0 + i % kChipColumns, row = row0 + i / kChipColumns;
    const bool inside = col >= 0 && row >= 0 && col < header_.width && row < header_.height;
    const int v = inside ? ChipAt(static_cast<int>(col), static_cast<int>(row)) : 0;
    g_Sprites[ActSprite::ChipWindow + i].SetSrcPos(static_cast<float>(header_.chipWidth * (v % 16)),
                                                   static_cast<float>(header_.chipHeight * (v / 16)));
  }
  chipWindowStale_ = false;
}

void MapModel::UpdateBackgrounds() {
  if (!GraphicsReady()) return;
  SpriteState back;
  g_Sprites[ActSprite::BackgroundBack].GetState(&back);
  g_Sprites[ActSprite::BackgroundBack].SetSrcPos((back.width - kScreenWidth) * ScrollRatio(scrollX_, maxScrollX_),
                                                 (back.height - kScreenHeight) * ScrollRatio(scrollY_, maxScrollY_));
  g_Sprites[ActSprite::BackgroundFront].SetSrcPos(scrollX_, scrollY_);
}

void MapModel::CloseGates() {
  if (!codeRows_) return;
  for (uint32_t i = 0; i < layerSize_; ++i) {
    if (codes_[i] != MapCell::Gate) continue;
    chips_[i] = kClosedGateChip;
    codes_[i] = MapCell::Solid;
  }
  // The closed gates are drawn in the frame they close in.
  chipWindowStale_ = true;
  if (GraphicsReady()) PointChipWindow();
}
