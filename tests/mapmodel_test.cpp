// The stage map: the stage list's paths, the map file's checks, its layers, the camera limits
// and the slot counts.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "act/mapmodel.h"
#include "tests/acttestkit.h"

namespace {

using acttest::StageText;

const std::string kStageDir = ".\\Data\\Script\\act_stage\\";

std::string Le32(uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
  return s;
}

// A raw 20-byte header.
std::string Header(uint32_t width, uint32_t height, int chipWidth, int chipHeight, int bits) {
  return Le32(0) + Le32(0) + Le32(width) + Le32(height) + static_cast<char>(chipWidth) +
         static_cast<char>(chipHeight) + '\0' + static_cast<char>(bits);
}

class MapModelTest : public acttest::ActTest {
 protected:
  // Loads stage name as the only stage of the list.
  HRESULT Load(const std::string& name) {
    EXPECT_EQ(g_MapModel.SetStageList(name.c_str()), S_OK);
    return g_MapModel.LoadMap();
  }
};

TEST_F(MapModelTest, HeaderVariantsLoadOrFailWithTheirMessage) {
  const std::string fine = acttest::CompileStage(StageText(40, 20).Text());
  const struct {
    std::string name;
    std::string bytes;
    const char* message;  // "" when the map loads
  } cases[] = {
      {"short", fine.substr(0, 10), "マップファイルが短すぎます（10バイト、ヘッダーは20バイト）"},
      {"onelayer", fine.substr(0, 20 + 800 + 799), "マップファイルが短すぎます（1619バイト、レイヤー2枚に800バイトずつ必要）"},
      {"nowidth", acttest::CompileStage(StageText(0, 20).Text()), "マップの幅と高さは1以上が必要です（0×20）"},
      {"noheight", acttest::CompileStage(StageText(40, 0).Text()), "マップの幅と高さは1以上が必要です（40×0）"},
      {"huge", Header(0xFFFFFFFF, 0xFFFFFFFF, 32, 32, 8) + fine,
       "マップファイルが短すぎます（1640バイト、レイヤー2枚に18446744065119617025バイトずつ必要）"},
      {"huger", Header(0xFFFFFFFF, 0xFFFFFFFF, 32, 32, 255) + fine, "マップが大きすぎます"},
      {"bits0", acttest::CompileStage(StageText(40, 20, "bits 0\n").Text()), "セルのビット数は8以上が必要です（0）"},
      {"bits16", acttest::CompileStage(StageText(40, 20, "bits 16\n").Put(5, 7, "#").Text()), ""},
      {"chip0", acttest::CompileStage(StageText(40, 20, "chip 0 32\n").Text()), "チップの幅と高さは1以上が必要です（0×32）"},
      {"narrow", acttest::CompileStage(StageText(27, 20).Text()),
       "マップの幅が画面に足りません（(幅-1)×チップ幅 = 832、854以上が必要）"},
      {"low", acttest::CompileStage(StageText(40, 16).Text()),
       "マップの高さが画面に足りません（(高さ-1)×チップ高さ = 480、481以上が必要）"},
      {"justfits", acttest::CompileStage(StageText(15, 14, "chip 61 37\n").Text()), ""},
      {std::string(35, 'n'), fine, ""},
      {std::string(36, 'n'), fine, "ステージ名が長すぎます（35文字まで）"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    acttest::WriteMapBytes(c.name, c.bytes);
    boxes_.Clear();
    const HRESULT result = Load(c.name);
    if (*c.message == '\0') {
      EXPECT_EQ(result, S_OK);
      EXPECT_TRUE(boxes_.messages.empty());
      continue;
    }
    EXPECT_EQ(result, E_FAIL);
    ASSERT_EQ(boxes_.messages.size(), 1u);
    EXPECT_EQ(boxes_.messages[0], "Err: File : act\\mapmodel Line : 172 \n " + std::string(c.message) + ":\n  " + kStageDir +
                                c.name + ".cnn");
  }
}

TEST_F(MapModelTest, LimitsAndLayersOfAPlayableMap) {
  // 40 × 20 cells of 32 pixels: the camera ranges over 0..394 and 0..127.
  acttest::WriteStage("field", StageText(40, 20).Floor(19).Put(3, 5, "|@k").Text());
  ASSERT_EQ(Load("field"), S_OK);
  EXPECT_EQ(g_MapModel.GetMaxScroll().x, 394.0f);
  EXPECT_EQ(g_MapModel.GetMaxScroll().y, 127.0f);
  const MapHeader h = g_MapModel.GetHeader();
  EXPECT_EQ(h.width, 40u);
  EXPECT_EQ(h.height, 20u);
  EXPECT_EQ(h.chipWidth, 32);
  const MapLayers layers = g_MapModel.GetLayers();
  EXPECT_EQ(layers.layerSize, 800u);
  EXPECT_EQ(layers.codeRows[5][4], MapCell::PlayerStart);
  EXPECT_EQ(layers.chipRows[19] + 20, layers.chipRows[0] + 19 * 40 + 20);
  EXPECT_EQ(layers.codeRows[19][40], 0) << "each layer ends with a 0 byte";

  // One look-up for every cell; nothing outside the map is solid or drawn.
  EXPECT_EQ(g_MapModel.CodeAt(3, 5), MapCell::Gate);
  EXPECT_EQ(g_MapModel.ChipAt(3, 5), 3);
  EXPECT_EQ(g_MapModel.CodeAt(5, 5), MapCell::Kedama);
  EXPECT_EQ(g_MapModel.CodeAt(39, 19), MapCell::Solid);
  EXPECT_EQ(g_MapModel.ChipAt(39, 19), 1);
  for (auto [col, row] : {std::pair{-1, 19}, {40, 19}, {0, 20}, {0, -1}, {-2147483647 - 1, 0}}) {
    EXPECT_EQ(g_MapModel.CodeAt(col, row), 0);
    EXPECT_EQ(g_MapModel.ChipAt(col, row), 0);
  }

  // Limits exactly 0; two bytes a cell keep the second layer right after the first.
  acttest::WriteStage("tight", StageText(15, 14, "chip 61 37\nbits 16\n").Put(14, 13, "#").Text());
  ASSERT_EQ(Load("tight"), S_OK);
  EXPECT_EQ(g_MapModel.GetMaxScroll().x, 0.0f);
  EXPECT_EQ(g_MapModel.GetMaxScroll().y, 0.0f);
  EXPECT_EQ(g_MapModel.GetLayers().layerSize, 15u * 14u * 2u);
  EXPECT_EQ(g_MapModel.CodeAt(14, 13), MapCell::Solid);
  EXPECT_EQ(g_MapModel.CodeAt(3, 5), 0);
}

TEST_F(MapModelTest, AMapThatCannotBeUsedLeavesThePreviousOneInPlace) {
  // No stage list yet ("#resumedungeon" first): the load fails with a message.
  EXPECT_EQ(g_MapModel.LoadMap(), E_FAIL);
  EXPECT_TRUE(boxes_.Mentions("ステージが指定されていません:\n  " + kStageDir)) << boxes_.messages.at(0);
  g_MapModel.NextStage();
  EXPECT_EQ(g_MapModel.GetStageIndex(), 0);

  acttest::WriteStage("first", StageText(40, 20, "chip 32 32\n").Put(7, 2, "kk").Put(1, 1, "h").Text());
  ASSERT_EQ(Load("first"), S_OK);
  boxes_.Clear();
  EXPECT_EQ(Load("gone"), E_FAIL);
  ASSERT_EQ(boxes_.messages.size(), 1u);
  EXPECT_EQ(boxes_.messages[0], "Err: File : act\\mapmodel Line : 172 \n ファイルオープン失敗:\n  " + kStageDir + "gone.cnn");
  acttest::WriteMapBytes("bad", Header(40, 20, 0, 32, 8) + std::string(1600, '\0'));
  EXPECT_EQ(Load("bad"), E_FAIL);
  // A pipe in the map's place is never read (reading it would wait for ever).
  ASSERT_EQ(mkfifo("Data/Script/act_stage/pipe.cnn", 0600), 0);
  boxes_.Clear();
  EXPECT_EQ(Load("pipe"), E_FAIL);
  EXPECT_TRUE(boxes_.Mentions("ファイルオープン失敗:\n  " + kStageDir + "pipe.cnn"));
  EXPECT_EQ(g_MapModel.CodeAt(7, 2), MapCell::Kedama);
  EXPECT_EQ(g_MapModel.GetHeader().width, 40u);
  EXPECT_EQ(g_MapModel.GetMobSlots(), 3);
  EXPECT_EQ(g_MapModel.GetItemSlots(), 11);
}

TEST_F(MapModelTest, TheStageListNamesTheMapsReadAndTheLastStageRepeats) {
  // A blank after a comma belongs to the next name; a trailing comma makes an empty name.
  acttest::WriteStage("one", StageText(40, 20).Text());
  acttest::WriteStage(" two", StageText(41, 20).Text());
  acttest::WriteStage("", StageText(42, 20).Text());
  ASSERT_EQ(g_MapModel.SetStageList("one, two,"), S_OK);
  for (uint32_t width : {40u, 41u, 42u, 42u}) {
    ASSERT_EQ(g_MapModel.LoadMap(), S_OK) << (boxes_.messages.empty() ? "" : boxes_.messages.back());
    EXPECT_EQ(g_MapModel.GetHeader().width, width);
    g_MapModel.NextStage();
  }
  EXPECT_EQ(g_MapModel.GetStageIndex(), 2);
  EXPECT_TRUE(boxes_.messages.empty());
}

TEST_F(MapModelTest, SlotCountsFollowTheEnemyAndItemCells) {
  // Every code that takes a slot counts, also those that spawn nothing (17, 18, 20, 21, 34).
  const std::string legend = "legend 1 0 17\nlegend 2 0 18\nlegend 3 0 20\nlegend 4 0 21\n";
  acttest::WriteStage("many", StageText(40, 20, legend).Put(0, 0, "1234xkpbSGhmd^@|#").Text());
  ASSERT_EQ(Load("many"), S_OK);
  EXPECT_EQ(g_MapModel.GetMobSlots(), 1 + 4);
  EXPECT_EQ(g_MapModel.GetItemSlots(), 10 + 4 + 6);

  acttest::WriteStage("none", StageText(40, 20).Floor(19).Text());
  ASSERT_EQ(Load("none"), S_OK);
  EXPECT_EQ(g_MapModel.GetMobSlots(), 1);
  EXPECT_EQ(g_MapModel.GetItemSlots(), 10);
}

}  // namespace
