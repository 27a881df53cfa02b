// The main-script commands, run through the real reader on scrambled script files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "act/mapmodel.h"
#include "field/fieldscene.h"
#include "gameflow/gamestate.h"
#include "gameflow/scriptreader.h"
#include "librarysauce/textlog.h"
#include "tests/testsupport.h"

namespace {

class MainScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnterScratchDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
    g_GameState.SetMode(GameMode::MainScript);
    g_GameState.SetNextMode(0);
    testsupport::UseScriptedInput();  // no key held: a held Ctrl lets a text go on at once
  }
  void TearDown() override { testsupport::StopScriptedInput(); }
  // Stores the script scrambled as ".\Data\Script\test.cnn", loads it into the main script's
  // reader and runs it once from the given game mode.
  HRESULT Run(const std::string& script, int mode = GameMode::MainScript) {
    testsupport::WriteScrambled("Data/Script/test.cnn", script);
    g_GameState.SetMode(mode);
    EXPECT_EQ(g_MainScript.LoadFile(kScript), S_OK);
    return g_MainScript.RunMainScript();
  }

  static constexpr const char* kScript = ".\\Data\\Script\\test.cnn";
  testsupport::MessageBoxCapture boxes_;
};

TEST_F(MainScriptTest, EndQuitsAfterLinesThatAreNoCommands) {
  EXPECT_EQ(Run("a comment\r\n  #end is not at the line start\r\n\r\n#end\r\n#setaction never\r\n"), 1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  EXPECT_TRUE(boxes_.captioned.empty());

  // Keywords are compared over their own length; the last line needs no line end.
  EXPECT_EQ(Run("#endings\r\n"), 1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  EXPECT_EQ(Run("#end"), 1);
  EXPECT_TRUE(boxes_.captioned.empty());
}

TEST_F(MainScriptTest, SetActionIsModePlusOneWithTheActionAsNextMode) {
  EXPECT_EQ(Run("#setaction stage1,stage2\r\n", GameMode::StartMenuRun), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::StartMenuLeave);
  EXPECT_EQ(g_GameState.GetNextMode(), GameMode::ActionStart);
  ASSERT_EQ(g_MapModel.GetStageCount(), 2);
  EXPECT_STREQ(g_MapModel.GetStagePath(0), ".\\Data\\Script\\act_stage\\stage1");
  EXPECT_STREQ(g_MapModel.GetStagePath(1), ".\\Data\\Script\\act_stage\\stage2");
  EXPECT_EQ(g_MainScript.GetLineStart(), g_MainScript.GetPosition());

  // From the main script itself the same line leads to the start menu's set-up.
  g_GameState.SetNextMode(0);
  EXPECT_EQ(Run("#setaction stage1\r\n", GameMode::MainScript), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::StartMenuSetUp);
  EXPECT_EQ(g_GameState.GetNextMode(), GameMode::ActionStart);
}

TEST_F(MainScriptTest, TabsAfterTheSeparatorGiveTheSameArgument) {
  ASSERT_EQ(Run("#setaction\t\t\tfirst,second\r\n"), 0);
  ASSERT_EQ(g_MapModel.GetStageCount(), 2);
  const std::string withTabs = g_MapModel.GetStagePath(0);
  ASSERT_EQ(Run("#setaction first,second\r\n"), 0);
  EXPECT_EQ(withTabs, g_MapModel.GetStagePath(0));
  EXPECT_EQ(withTabs, ".\\Data\\Script\\act_stage\\first");
  // The separator is any one byte; only TABs after it are skipped.
  ASSERT_EQ(Run("#setaction\t first\r\n"), 0);
  EXPECT_STREQ(g_MapModel.GetStagePath(0), ".\\Data\\Script\\act_stage\\ first");
}

TEST_F(MainScriptTest, LoadLeavesTheModeWhetherOrNotASaveExists) {
  EXPECT_FALSE(testsupport::FileExists("SAVE/TestSave.sav"));
  EXPECT_EQ(Run("#Load\r\n#end\r\n", GameMode::StartMenuRun), E_FAIL);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::StartMenuRun);

  // Every command before it runs on each run: here the save file is created first.
  EXPECT_EQ(Run("#save\r\n#Load\r\n"), E_FAIL);
  EXPECT_TRUE(testsupport::FileExists("SAVE/TestSave.sav"));
  EXPECT_EQ(g_GameState.GetMode(), GameMode::MainScript);
  EXPECT_EQ(Run("#Load\r\n"), E_FAIL);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::MainScript);
  EXPECT_TRUE(boxes_.captioned.empty());
}

TEST_F(MainScriptTest, SaveThenEndCreatesAnEmptySaveFileAndQuits) {
  EXPECT_EQ(Run("#save\r\n#end\r\n"), 1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  ASSERT_TRUE(testsupport::FileExists("SAVE/TestSave.sav"));
  EXPECT_EQ(testsupport::ReadFile("SAVE/TestSave.sav"), "");

  // "#saveX" counts as "#save"; reading goes on after the five bytes of the keyword.
  std::remove("SAVE/TestSave.sav");
  EXPECT_EQ(Run("#savegame\r\n#end\r\n"), 1);
  EXPECT_TRUE(testsupport::FileExists("SAVE/TestSave.sav"));
}

TEST_F(MainScriptTest, ResumeDungeonStartsTheActionAndKeepsNextMode) {
  g_GameState.SetNextMode(GameMode::StartMenuRun);
  EXPECT_EQ(Run("#resumedungeon\r\n#end\r\n"), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::ActionStart);
  EXPECT_EQ(g_GameState.GetNextMode(), GameMode::StartMenuRun);
  EXPECT_EQ(g_MainScript.GetLineStart(), 15);

  // At the very end of the text the position stays inside it.
  EXPECT_EQ(Run("#resumedungeon"), 0);
  EXPECT_EQ(g_MainScript.GetLineStart(), 14);
}

TEST_F(MainScriptTest, SceneFilesThatCannotBeReadQuit) {
  EXPECT_EQ(Run("#setstartmenu nosuchmenu\r\n", GameMode::MainScript), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  EXPECT_EQ(Run("#setnovel nosuchstory.txt\r\n", GameMode::StartMenuRun), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  // "#setfield" enters the field's set-up, which reports the list (see the dispatcher tests).
  EXPECT_EQ(Run("#setfield nosuchfield\r\n"), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::FieldSetUp);
  EXPECT_EQ(g_FieldScene.HasLoadFailed(), 1);
}

TEST_F(MainScriptTest, FailedSceneCommandsSayWhichFileBeforeTheGameEnds) {
  EXPECT_EQ(Run("#setnovel nosuchstory.txt\r\n", GameMode::StartMenuRun), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  ASSERT_EQ(boxes_.captioned.size(), 1u);
  EXPECT_EQ(boxes_.captioned[0], "Velunna |Err: File : .\\Script\\adv\\nosuchstory.txt Line : 0 \n ファイルOpen失敗");

  // A story that is read but has no header.
  boxes_.Clear();
  testsupport::WriteScrambled("Script/adv/headless.txt", "a first line\r\n#end\r\n");
  EXPECT_EQ(Run("#setnovel headless.txt\r\n", GameMode::StartMenuRun), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  ASSERT_EQ(boxes_.captioned.size(), 1u);
  EXPECT_NE(boxes_.captioned[0].find(".\\Script\\adv\\headless.txt"), std::string::npos) << boxes_.captioned[0];

  // Arguments that do not fit name the script and its line.
  const std::string longName(200, 'n');
  for (const char* command : {"#setstartmenu ", "#setnovel ", "#setaction "}) {
    SCOPED_TRACE(command);
    boxes_.Clear();
    EXPECT_EQ(Run("comment\r\n" + std::string(command) + longName + "\r\n", GameMode::StartMenuRun), 0);
    EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
    ASSERT_EQ(boxes_.captioned.size(), 1u);
    EXPECT_EQ(boxes_.captioned[0].rfind("Velunna |Err: File : .\\Data\\Script\\test.cnn Line : 2 \n ", 0), 0u)
        << boxes_.captioned[0];
  }
  // A stage name whose path would not fit.
  boxes_.Clear();
  EXPECT_EQ(Run("#setaction " + std::string(120, 's') + "\r\n", GameMode::StartMenuRun), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  EXPECT_EQ(boxes_.captioned.size(), 1u);
  // A list the menu cannot read is reported once, by the menu.
  boxes_.Clear();
  EXPECT_EQ(Run("#setstartmenu nosuchmenu\r\n"), 0);
  EXPECT_EQ(boxes_.captioned.size(), 1u);
}

TEST_F(MainScriptTest, ArgumentsTooLongForTheFileNameFailTheirCommand) {
  const std::string longName(200, 'n');
  for (const char* command : {"#setstartmenu ", "#setnovel ", "#setaction "}) {
    SCOPED_TRACE(command);
    EXPECT_EQ(Run(std::string(command) + longName + "\r\n", GameMode::StartMenuRun), 0);
    EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  }
  EXPECT_EQ(Run("#setfield " + longName + "\r\n"), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::FieldSetUp);
  EXPECT_EQ(g_FieldScene.HasLoadFailed(), 1);

  // The longest stage list that fits: 127 bytes of argument.
  EXPECT_EQ(Run("#setaction " + std::string(80, 's') + "," + std::string(46, 't') + "\r\n"), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::StartMenuSetUp);
  ASSERT_EQ(g_MapModel.GetStageCount(), 2);
  EXPECT_EQ(std::string(g_MapModel.GetStagePath(1)), ".\\Data\\Script\\act_stage\\" + std::string(46, 't'));
}

TEST_F(MainScriptTest, UnknownCommandLinesAreSkippedAndReportedOnce) {
  const std::string script = "#bogus word\r\n#setactio typo\r\n#end\r\n";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(Run(script), 1);
  EXPECT_EQ(Run(script), 1);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  size_t count = 0;
  for (size_t at = err.find("#bogus"); at != std::string::npos; at = err.find("#bogus", at + 1)) ++count;
  EXPECT_EQ(count, 1u) << err;
  EXPECT_NE(err.find("line 2"), std::string::npos) << err;
}

TEST_F(MainScriptTest, ATextWithoutACommandThatReturnsShowsTheMessageAndQuits) {
  EXPECT_EQ(Run("only a comment, and no line end"), E_FAIL);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  ASSERT_EQ(boxes_.captioned.size(), 1u);
  EXPECT_EQ(boxes_.captioned[0].rfind("Velunna |Err: File : .\\Data\\Script\\test.cnn Line : 1 \n ", 0), 0u)
      << boxes_.captioned[0];

  boxes_.Clear();
  g_GameState.SetMode(GameMode::MainScript);
  EXPECT_EQ(Run("#save\r\n#text hello\r\n"), E_FAIL);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  ASSERT_EQ(boxes_.captioned.size(), 1u);
  EXPECT_NE(boxes_.captioned[0].find("Line : 3"), std::string::npos) << boxes_.captioned[0];

  // An empty file reads as an empty text.
  boxes_.Clear();
  EXPECT_EQ(Run(""), E_FAIL);
  EXPECT_EQ(boxes_.captioned.size(), 1u);
}

TEST_F(MainScriptTest, AScriptThatCannotBeReadIsReportedByName) {
  EXPECT_EQ(g_MainScript.LoadFile(".\\Data\\Script\\missing.cnn"), E_FAIL);
  EXPECT_EQ(g_MainScript.RunMainScript(), E_FAIL);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  ASSERT_EQ(boxes_.captioned.size(), 1u);
  EXPECT_EQ(boxes_.captioned[0], "Velunna |Err: File : .\\Data\\Script\\missing.cnn Line : 0 \n ファイルOpen失敗");
}

TEST_F(MainScriptTest, BareLineFeedsAndMissingLineEndsAreReadSafely) {
  EXPECT_EQ(Run("comment\n#save\n#setaction one,two\n#end\n"), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::StartMenuSetUp);
  EXPECT_STREQ(g_MapModel.GetStagePath(1), ".\\Data\\Script\\act_stage\\two");
  EXPECT_TRUE(testsupport::FileExists("SAVE/TestSave.sav"));

  EXPECT_EQ(Run("#setaction last,stage"), 0);
  EXPECT_STREQ(g_MapModel.GetStagePath(1), ".\\Data\\Script\\act_stage\\stage");

  // A command word with nothing after it: an empty argument, read without running on.
  EXPECT_EQ(Run("#setstartmenu\n#end\n"), 0);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  // The menu reports the list it could not read.
  ASSERT_EQ(boxes_.captioned.size(), 1u);
  EXPECT_NE(boxes_.captioned[0].find(".\\Data\\Script\\stm\\.stm"), std::string::npos) << boxes_.captioned[0];
}

TEST_F(MainScriptTest, TheLargestScriptRunsToItsEnd) {
  std::string script(65534 - 6, 'x');
  for (size_t i = 100; i < script.size(); i += 100) script[i - 2] = '\r', script[i - 1] = '\n';
  script += "\r\n#end";
  ASSERT_EQ(script.size(), 65534u);
  EXPECT_EQ(Run(script), 1);

  // Without a single line end or command the scan stops at the text's end.
  EXPECT_EQ(Run(std::string(65534, 'x')), E_FAIL);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
}

TEST_F(MainScriptTest, EveryTextLineOfARunIsLoggedOnceAndReadingGoesOn) {
  const int ageBefore = g_TextLog.GetAge(g_TextLog.GetHead());
  EXPECT_EQ(Run("#text first\r\n#text\t\tsecond\r\n#end\r\n"), 1);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::Quit);
  EXPECT_EQ(g_TextLog.GetAge(g_TextLog.GetHead()), ageBefore + 2);
  EXPECT_STREQ(g_TextLog.GetPending(), "second");
  // The log has the line: the text has looked ahead and waits for the reader.
  EXPECT_EQ(g_MainScript.GetTextState(), 3);

  // A held Ctrl lets the reader go on at once.
  testsupport::UseScriptedInput();
  testsupport::PressKeys({29});
  testsupport::PollInput();
  EXPECT_EQ(Run("#text third\r\n#end\r\n"), 1);
  EXPECT_EQ(g_MainScript.GetTextState(), 0);
  testsupport::StopScriptedInput();

  // A text that begins with '#' is shown, not run.
  EXPECT_EQ(Run("#text #setaction no\r\n#Load\r\n"), E_FAIL);
  EXPECT_EQ(g_GameState.GetMode(), GameMode::MainScript);
  EXPECT_STREQ(g_TextLog.GetPending(), "#setaction no");
  // A text line longer than a log line is cut, not overrun.
  EXPECT_EQ(Run("#text " + std::string(3000, 'w') + "\r\n#end\r\n"), 1);
  EXPECT_EQ(std::string(g_TextLog.GetPending()), std::string(511, 'w'));
}

}  // namespace
