#include "act/mapmodel.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>

#include "act/attackeffectmanager.h"
#include "act/itemmanager.h"
#include "act/mobmanager.h"
#include "act/mobshotmanager.h"
#include "gameflow/fileerror.h"
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

// The size of the file at a game path, or false when it cannot be opened as a file.
bool OpenedFileSize(const std::string& path, uint32_t* size) {
  const std::string onDisk = platform::ResolvePath(path);
  std::error_code ec;
  if (std::filesystem::is_directory(onDisk, ec)) return false;
  FILE* file = std::fopen(onDisk.c_str(), "rb");
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

void MapModel::FreeFileBuffer() {
  delete[] rawFile_;
  rawFile_ = nullptr;
}

void MapModel::FreeLayers() {
  for (uint8_t*** rows : {&chipRows_, &codeRows_}) {
    if (*rows) delete[] (*rows)[0];
    delete[] *rows;
    *rows = nullptr;
  }
  layerSize_ = 0;
  header_ = {};
}

void MapModel::FreeAux() {
  delete[] spareBuffer_;
  spareBuffer_ = nullptr;
}

int MapModel::CodeAt(int col, int row) const {
  if (!IsCell(col, row)) return MapCell::None;
  return codeRows_[row][col];
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
  rawFile_ = new (std::nothrow) uint8_t[static_cast<size_t>(size) + 1]();
  uint32_t got = 0;
  if (!rawFile_ || Failed(g_FileIO.ReadWholeFile(path.c_str(), rawFile_, size, &got)) || got != size) {
    FreeFileBuffer();
    ReportMapError("ファイル読み込み失敗", path);
    return E_FAIL;
  }

  MapHeader header = {};
  uint64_t layerSize = 0;
  const std::string fault = CheckMap(rawFile_, size, &header, &layerSize);
  if (!fault.empty()) {
    FreeFileBuffer();
    ReportMapError(fault, path);
    return E_FAIL;
  }
  uint8_t* chips = new (std::nothrow) uint8_t[layerSize + 1]();
  uint8_t* codes = new (std::nothrow) uint8_t[layerSize + 1]();
  uint8_t** chipRows = new (std::nothrow) uint8_t*[header.height];
  uint8_t** codeRows = new (std::nothrow) uint8_t*[header.height];
  if (!chips || !codes || !chipRows || !codeRows) {
    delete[] chips;
    delete[] codes;
    delete[] chipRows;
    delete[] codeRows;
    FreeFileBuffer();
    ReportMapError("メモリが足りません", path);
    return E_FAIL;
  }

  // The map is usable: it replaces the previous stage's.
  FreeLayers();
  header_ = header;
  layerSize_ = static_cast<uint32_t>(layerSize);
  std::memcpy(chips, rawFile_ + kHeaderSize, layerSize_);
  std::memcpy(codes, rawFile_ + kHeaderSize + layerSize_, layerSize_);
  for (uint32_t r = 0; r < header_.height; ++r) {
    chipRows[r] = chips + static_cast<size_t>(header_.width) * r;
    codeRows[r] = codes + static_cast<size_t>(header_.width) * r;
  }
  chipRows_ = chipRows;
  codeRows_ = codeRows;

  maxScrollX_ = static_cast<float>(uint64_t{header_.width - 1} * header_.chipWidth - kScreenWidth);
  maxScrollY_ = static_cast<float>(uint64_t{header_.height - 1} * header_.chipHeight - kScreenHeight) - 1.0f;

  mobSlots_ = 1;
  effectShotSlots_ = kEffectShotSlots;
  itemSlots_ = 10;
  chipSprites_ = kChipSprites;
  for (uint32_t i = 0; i < layerSize_; ++i) {
    if (IsItemCode(codes[i])) itemSlots_ += 1;
    if (IsMobCode(codes[i])) mobSlots_ += 1;
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
