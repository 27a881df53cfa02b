// The script reader's loading and its life cycle, and the stage list "#setaction" gives.
#include <gtest/gtest.h>

#include <string>

#include "act/mapmodel.h"
#include "gameflow/gamestate.h"
#include "gameflow/scriptreader.h"
#include "tests/testsupport.h"

namespace {

class ScriptReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnterScratchDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
  }

  testsupport::MessageBoxCapture boxes_;  // every box answered
};

bool AllZero(const char* text) {
  for (int i = 0; i < ScriptReader::kTextSize; ++i) {
    if (text[i] != 0) return false;
  }
  return true;
}

TEST_F(ScriptReaderTest, ALoadStartsFromTheFirstLineAndKeepsTheEventFlags) {
  testsupport::WriteScrambled("Data/Script/a.cnn", "#save\r\n#Load\r\n");
  ScriptReader reader;
  reader.SetEventFlag(0, 7);
  reader.SetEventFlag(254, -3);
  ASSERT_EQ(reader.LoadFile(".\\Data\\Script\\a.cnn"), S_OK);
  EXPECT_STREQ(reader.GetText(), "#save\r\n#Load\r\n");
  EXPECT_STREQ(reader.GetFileName(), ".\\Data\\Script\\a.cnn");
  reader.RunMainScript();
  EXPECT_NE(reader.GetLineStart(), 0);

  ASSERT_EQ(reader.LoadFile(".\\Data\\Script\\a.cnn"), S_OK);
  EXPECT_EQ(reader.GetPosition(), 0);
  EXPECT_EQ(reader.GetLineStart(), 0);
  EXPECT_EQ(reader.GetTextState(), 0);
  EXPECT_EQ(reader.GetEventFlag(0), 7);
  EXPECT_EQ(reader.GetEventFlag(254), -3);
  // Flags outside the 255 read as 0 and are not written.
  reader.SetEventFlag(255, 1);
  EXPECT_EQ(reader.GetEventFlag(255), 0);
  reader.ClearEventFlags();
  EXPECT_EQ(reader.GetEventFlag(0), 0);
}

TEST_F(ScriptReaderTest, AFailedLoadLeavesAnEmptyTextAndNoFileName) {
  testsupport::WriteScrambled("Data/Script/a.cnn", "#end\r\n");
  ScriptReader reader;
  ASSERT_EQ(reader.LoadFile(".\\Data\\Script\\a.cnn"), S_OK);
  EXPECT_EQ(reader.LoadFile(".\\Data\\Script\\missing.cnn"), E_FAIL);
  ASSERT_NE(reader.GetText(), nullptr);
  EXPECT_TRUE(AllZero(reader.GetText()));
  EXPECT_EQ(reader.GetFileName(), nullptr);

  // A file that leaves no room for the text's final 0 is refused the same way.
  testsupport::WriteScrambled("Data/Script/big.cnn", std::string(65535, '#'));
  EXPECT_EQ(reader.LoadFile(".\\Data\\Script\\big.cnn"), E_FAIL);
  EXPECT_TRUE(AllZero(reader.GetText()));
  EXPECT_EQ(reader.GetFileName(), nullptr);
}

TEST_F(ScriptReaderTest, ReleaseFreesEverythingAndIsSafeWithoutALoad) {
  ScriptReader never;
  never.Release();
  EXPECT_EQ(never.GetText(), nullptr);

  testsupport::WriteScrambled("Data/Script/a.cnn", "#end\r\n");
  ScriptReader reader;
  ASSERT_EQ(reader.LoadFile(".\\Data\\Script\\a.cnn"), S_OK);
  reader.Release();
  EXPECT_EQ(reader.GetText(), nullptr);
  EXPECT_EQ(reader.GetFileName(), nullptr);
  reader.Release();
  // A run without a text ends at once, with the message, and quits.
  g_GameState.SetMode(GameMode::MainScript);
  EXPECT_EQ(reader.RunMainScript(), E_FAIL);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
}

TEST(StageListTest, NamesAreTakenAsTheyStandOnePathEach) {
  MapModel model;
  ASSERT_EQ(model.SetStageList("one, two,"), S_OK);
  ASSERT_EQ(model.GetStageCount(), 3);
  EXPECT_STREQ(model.GetStagePath(0), ".\\Data\\Script\\act_stage\\one");
  EXPECT_STREQ(model.GetStagePath(1), ".\\Data\\Script\\act_stage\\ two");
  EXPECT_STREQ(model.GetStagePath(2), ".\\Data\\Script\\act_stage\\");
  EXPECT_EQ(model.GetStagePath(3), nullptr);
  EXPECT_EQ(model.GetStageIndex(), 0);

  // A name whose path would not fit fails the list and keeps the one before.
  EXPECT_EQ(model.SetStageList(("ok," + std::string(104, 'n')).c_str()), E_FAIL);
  EXPECT_EQ(model.GetStageCount(), 3);
  ASSERT_EQ(model.SetStageList(std::string(103, 'n').c_str()), S_OK);
  EXPECT_EQ(model.GetStageCount(), 1);
  EXPECT_EQ(std::string(model.GetStagePath(0)).size(), 127u);
}

}  // namespace
