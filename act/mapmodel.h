#pragma once
// The map model: the list of stages that "#setaction" names, the current stage's map (a 20-byte
// header and two byte layers: layer 0 the chip of every cell, layer 1 the cell code), the
// camera (scroll and its limits), the chip window that shows layer 0, the parallax backgrounds,
// the gates, and the action mode's sprite and texture set-up (LoadActionGraphics, laid out in
// act/actgraphics.cpp by the tables of act/actgraphics.h).
//
// Stage map file (".cnn", stored scrambled), little-endian:
//   0 u32 reserved0, 4 u32 reserved1, 8 u32 width, 12 u32 height (cells),
//   16 u8 chipWidth, 17 u8 chipHeight (pixels), 18 u8 reserved2, 19 u8 bitsPerCell,
//   20 layer 0 (S bytes), 20 + S layer 1 (S bytes), S = width × height × (bitsPerCell / 8).
// Cell (c, r) is byte r × width + c of its layer.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "act/actgraphics.h"
#include "gameflow/scriptreader.h"
#include "librarysauce/d3dmath.h"
#include "librarysauce/sprite.h"
#include "platform/types.h"

// Layer-1 codes of the map's own cells.
namespace MapCell {
constexpr int None = 0;
constexpr int Solid = 1;        // solid for the hero, the enemies and the items
constexpr int Gate = 2;         // open until a switch closes it (then Solid, drawn with chip 2)
constexpr int PlayerStart = 32;
constexpr int Kedama = 33;
constexpr int Spare = 34;       // takes a mob slot, spawns nothing
constexpr int Hopper = 35;
constexpr int Bomber = 36;
}  // namespace MapCell

// Layer-1 codes of the items (17, 18, 20 and 21 take item slots and spawn nothing).
namespace ItemCell {
constexpr int Switch = 3;
constexpr int Goal = 4;
constexpr int Hp = 16;
constexpr int Mp = 19;
constexpr int Decor = 22;
constexpr int Trap = 23;
}  // namespace ItemCell

struct MapHeader {
  uint32_t reserved0;
  uint32_t reserved1;
  uint32_t width;        // cells
  uint32_t height;       // cells
  uint8_t chipWidth;     // pixels
  uint8_t chipHeight;    // pixels
  uint8_t reserved2;
  uint8_t bitsPerCell;
};
static_assert(sizeof(MapHeader) == 20, "the map header is 20 bytes");

// The row tables of both layers: chipRows[r] / codeRows[r] point at the first cell of row r.
// Each layer holds layerSize bytes and one extra 0 byte after them.
struct MapLayers {
  uint8_t** chipRows;
  uint8_t** codeRows;
  uint32_t layerSize;
};

class MapModel : public ScriptReader {
 public:
  // Each stage's path is built in a buffer of this many bytes, final 0 included.
  static constexpr int kStagePathSize = 128;
  // The map's path (stage path + ".cnn") is built in a buffer of this many bytes.
  static constexpr int kMapPathSize = 64;
  static constexpr int kHeaderSize = 20;
  // The chip window: a 29 × 17 grid at a 32-pixel pitch, plus one spare sprite.
  static constexpr int kChipColumns = 29;
  static constexpr int kChipRows = 17;
  static constexpr int kChipSprites = 494;
  static constexpr int kEffectShotSlots = 217;  // 16 effect sprites and 201 shot sprites
  static constexpr int kScreenWidth = 854;
  static constexpr int kScreenHeight = 480;
  // The chip a closed gate shows.
  static constexpr int kClosedGateChip = 2;

  MapModel() = default;
  ~MapModel() override;

  // --- the stage list ---
  // Takes the comma-separated list of stage names (the rest of the "#setaction" line) and
  // makes one path ".\Data\Script\act_stage\" + name per stage, names taken as they stand.
  // A name whose path does not fit fails the whole list and keeps the previous one.
  HRESULT SetStageList(const char* text);
  // Path of stage index, or null when there is no such stage.
  const char* GetStagePath(int index) const;
  int GetStageCount() const { return stageCount_; }
  int GetStageIndex() const { return stageIndex_; }
  // The next stage of the list; the last one repeats.
  void NextStage();

  // --- the map ---
  // Reads the current stage's map (its path + ".cnn"), checks it, keeps both layers, works out
  // the camera limits and the mob and item slot counts, and sizes the stage's managers. A map
  // that cannot be opened or used shows the file-error message naming it and fails, leaving
  // the previous map in place.
  HRESULT LoadMap();
  MapHeader GetHeader() const { return header_; }
  MapLayers GetLayers() const { return {chipRows_.get(), codeRows_.get(), layerSize_}; }
  // Layer-1 code / layer-0 chip of a cell; 0 (empty, chip 0) for a cell outside the map.
  int CodeAt(int col, int row) const;
  int ChipAt(int col, int row) const;
  // The column (or row) that holds world coordinate v, for cells of size pixels: v truncated
  // toward 0, then divided by size, truncating (so -10 lies in cell 0). Far-off coordinates give
  // far-off cells without overflowing.
  static int CellOf(float v, int size);
  int GetMobSlots() const { return mobSlots_; }
  int GetItemSlots() const { return itemSlots_; }
  // Frees the layers, the file buffer, the spare buffer and the stage list (back to stage 0).
  void Release();
  void FreeFileBuffer();
  void FreeLayers();
  void FreeAux();

  // --- action graphics (act/actgraphics.cpp) ---
  // Allocates the action sprite and texture arrays, loads the texture table and lays out every
  // sprite (HUD, backgrounds, fade, hero, chip window, mob, effect, shot and item ranges), sized
  // by the map loaded last. The enemy sprites stay hidden until their enemies are spawned, and
  // the chip window is pointed at the map by its next update. Fails when no map is loaded.
  HRESULT LoadActionGraphics();
  int GetMobSpriteBase() const { return mobSpriteBase_; }
  int GetEffectSpriteBase() const { return effectSpriteBase_; }
  int GetMobShotSpriteBase() const { return shotSpriteBase_; }
  int GetItemSpriteBase() const { return itemSpriteBase_; }

  // --- the camera, the chip window, the backgrounds and the gates ---
  void SetScroll(float x, float y);
  D3DXVECTOR2 GetScroll() const { return {scrollX_, scrollY_}; }
  void SetMaxScroll(float x, float y);
  D3DXVECTOR2 GetMaxScroll() const { return {maxScrollX_, maxScrollY_}; }
  // Once per running frame: places the 493 chip sprites by the scroll, and re-points their
  // sources when the visible origin cell changed, or first after new graphics or closed gates.
  // The spare 494th chip sprite stays hidden. These steps do nothing while the action sprites
  // are not the current arrays.
  void UpdateChipWindow();
  void UpdateVisibleOrigin();
  // Parallax: the back layer by the scroll's ratio to its limits (0 to 1; 0 with no room to
  // scroll), the front layer by the scroll.
  void UpdateBackgrounds();
  // Every gate cell becomes solid and shows chip 2, on screen at once.
  void CloseGates();
  uint32_t GetOriginCol() const { return originCol_; }
  uint32_t GetOriginRow() const { return originRow_; }
  uint32_t GetOriginChanged() const { return originChanged_; }

 private:
  bool IsCell(int col, int row) const;
  // What makes a map file unusable (UTF-8), or "" when it can be played; fills the header and
  // the size of each layer.
  static std::string CheckMap(const uint8_t* file, uint32_t size, MapHeader* header, uint64_t* layerSize);
  // True while the current sprite array is the one LoadActionGraphics built.
  bool GraphicsReady() const;
  // Points the chip window's sprites at the chips of the cells under them.
  void PointChipWindow();

  // The map file as read, kept only while LoadMap works on it.
  std::unique_ptr<uint8_t[]> rawFile_;
  std::vector<std::string> stagePaths_;
  // Freed with the map; nothing fills it.
  std::unique_ptr<uint8_t[]> spareBuffer_;
  MapHeader header_ = {};
  // The two layers (each layerSize_ bytes and a 0) and their row tables.
  std::unique_ptr<uint8_t[]> chips_;
  std::unique_ptr<uint8_t[]> codes_;
  std::unique_ptr<uint8_t*[]> chipRows_;
  std::unique_ptr<uint8_t*[]> codeRows_;
  uint32_t layerSize_ = 0;
  uint32_t originCol_ = 0;
  uint32_t originRow_ = 0;
  uint32_t originChanged_ = 0;
  float scrollX_ = 0;
  float scrollY_ = 0;
  float maxScrollX_ = 0;
  float maxScrollY_ = 0;
  int mobSpriteBase_ = 0;
  int effectSpriteBase_ = 0;
  int shotSpriteBase_ = 0;
  int itemSpriteBase_ = 0;
  int mobSlots_ = 0;
  int effectShotSlots_ = 0;
  int itemSlots_ = 0;
  int chipSprites_ = 0;
  int stageIndex_ = 0;
  int stageCount_ = 0;
  // The chip window must be pointed at the map at its next update: new sprites, closed gates.
  bool chipWindowStale_ = true;
  // The shift the chip window's sprites were last placed with; none yet after new graphics.
  bool chipGridPlaced_ = false;
  int chipShiftX_ = 0;
  int chipShiftY_ = 0;
  const Sprite* graphicsSprites_ = nullptr;
};

extern MapModel g_MapModel;
