// The data tool: readable sources in, the scrambled run-time tree out, and back again.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "librarysauce/fileio.h"
#include "librarysauce/filescrambler.h"
#include "platform/cp932.h"
#include "tests/testsupport.h"
#include "tools/stagesource.h"

namespace {

using testsupport::FileExists;
using testsupport::ReadFile;
using testsupport::WriteFile;

// Runs the data tool with the given arguments; its output goes to tool.log. Returns the exit code.
int RunTool(const std::string& arguments) {
  const std::string command = std::string("'") + VELUNNA_DATA_TOOL + "' " + arguments + " > tool.log 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ScrambledWhole(std::string bytes) {
  g_FileScrambler.XorBufferAll(bytes.data(), bytes.data(), static_cast<uint32_t>(bytes.size()));
  return bytes;
}

// "メニュー" and "開始" in a script, with a Shift-JIS character whose second byte is 0x5C ("表").
const std::string kScript = "#setstartmenu\n# メニュー 開始 表\n#end\n";

TEST(DataToolTest, BuildsTheRunTimeTreeThatTheGameReadsAndChecksItBothWays) {
  const std::string dir = testsupport::EnterScratchDirectory("datatool");
  WriteFile("src/Data/Script/main.cnn", kScript);
  WriteFile("src/Data/Script/stm/Menu.stm", "\xEF\xBB\xBF" "2\r\na,b\r\n#end\r\n");
  const std::string image = "BM not really an image, but images are stored byte for byte";
  WriteFile("src/Data/Graphic/Title.bmp", image);
  const std::string sound = std::string("RIFF\0\0\0\0WAVE", 12);
  WriteFile("src/Data/Sound/Decide.wav", sound);
  WriteFile("src/README.md", "not data");
  const std::string map = std::string("\x01\x00\x0A\x0D\xFF", 5);
  WriteFile("gen/Data/Script/act_stage/stage01.cnn.bin", map);

  ASSERT_EQ(RunTool("build out src gen"), 0) << ReadFile("tool.log");
  EXPECT_EQ(ReadFile("out/Data/Graphic/Title.bmp"), ScrambledWhole(image));
  EXPECT_EQ(ReadFile("out/Data/Sound/Decide.wav"), sound);
  EXPECT_FALSE(FileExists("out/README.md"));
  EXPECT_FALSE(FileExists("out/Data/Script/act_stage/stage01.cnn.bin"));

  // The game reads the text as Shift-JIS with "\r\n" line ends.
  testsupport::EnterScratchDirectory("datatool-game");
  std::string game = dir + "/out";
  ASSERT_EQ(chdir(game.c_str()), 0);
  std::vector<char> buffer(65535, 0);
  uint32_t got = 0;
  ASSERT_EQ(g_FileIO.ReadWholeFile(".\\Data\\Script\\main.cnn", buffer.data(), 65535, &got), S_OK);
  EXPECT_EQ(std::string(buffer.data(), got),
            "#setstartmenu\r\n# \x83\x81\x83\x6a\x83\x85\x81\x5b \x8a\x4a\x8e\x6e \x95\x5c\r\n#end\r\n");
  ASSERT_EQ(g_FileIO.ReadWholeFile(".\\Data\\Script\\stm\\Menu.stm", buffer.data(), 65535, &got), S_OK);
  EXPECT_EQ(std::string(buffer.data(), got), "2\r\na,b\r\n#end\r\n") << "no byte-order mark";
  ASSERT_EQ(g_FileIO.ReadWholeFile(".\\Data\\Script\\act_stage\\stage01.cnn", buffer.data(), 65535, &got), S_OK);
  EXPECT_EQ(std::string(buffer.data(), got), map) << "binary data keeps its bytes";
  ASSERT_EQ(chdir(dir.c_str()), 0);

  // Inspection undoes the stored form.
  ASSERT_EQ(RunTool("unscramble --text out/Data/Script/main.cnn plain.cnn"), 0) << ReadFile("tool.log");
  EXPECT_EQ(ReadFile("plain.cnn"), kScript);
  ASSERT_EQ(RunTool("unscramble out/Data/Graphic/Title.bmp plain.bmp"), 0);
  EXPECT_EQ(ReadFile("plain.bmp"), image);

  // The check passes on a fresh tree and catches a stale or damaged file.
  EXPECT_EQ(RunTool("check out src gen"), 0) << ReadFile("tool.log");
  std::string damaged = ReadFile("out/Data/Script/main.cnn");
  damaged[3] ^= 1;
  WriteFile("out/Data/Script/main.cnn", damaged);
  EXPECT_EQ(RunTool("check out src gen"), 1);
  EXPECT_NE(ReadFile("tool.log").find("main.cnn"), std::string::npos);
  // A rebuild mends it.
  ASSERT_EQ(RunTool("build out src gen"), 0);
  EXPECT_EQ(RunTool("check out src gen"), 0) << ReadFile("tool.log");
}

TEST(DataToolTest, ThePlayersSaveFilesAreProvidedOnceAndNeverOverwritten) {
  testsupport::EnterScratchDirectory("datatool-save");
  WriteFile("src/SAVE/Config.ini.bin", std::string("\x03\x02\x08\x01\x05\x01\x02", 7));
  ASSERT_EQ(RunTool("build out src"), 0) << ReadFile("tool.log");
  EXPECT_EQ(ReadFile("out/SAVE/Config.ini"), "\xB0\x8F\x9D\x66\x18\xA7\x7A");
  // The player chose other buttons; a rebuild of the data keeps them.
  WriteFile("out/SAVE/Config.ini", "\x01\x01\x01\x01\x01\x01\x01");
  ASSERT_EQ(RunTool("build out src"), 0);
  EXPECT_EQ(ReadFile("out/SAVE/Config.ini"), "\x01\x01\x01\x01\x01\x01\x01");
  EXPECT_EQ(RunTool("check out src"), 0) << ReadFile("tool.log");
}

TEST(DataToolTest, RefusesWhatItCannotStoreFaithfully) {
  testsupport::EnterScratchDirectory("datatool-refuse");
  WriteFile("src/Data/Script/ok.cnn", "#end\n");
  WriteFile("src/Data/Script/emoji.cnn", "#end\n\xF0\x9F\x98\x80\n");
  ASSERT_EQ(RunTool("build out src"), 1);
  EXPECT_NE(ReadFile("tool.log").find("emoji.cnn: line 2"), std::string::npos) << ReadFile("tool.log");
  EXPECT_TRUE(FileExists("out/Data/Script/ok.cnn")) << "the other files are still built";
  EXPECT_FALSE(FileExists("out/Data/Script/emoji.cnn"));

  testsupport::EnterScratchDirectory("datatool-unknown");
  WriteFile("src/Data/Mystery.xyz", "?");
  EXPECT_EQ(RunTool("build out src"), 1);
  EXPECT_NE(ReadFile("tool.log").find("Mystery.xyz"), std::string::npos);

  testsupport::EnterScratchDirectory("datatool-twice");
  WriteFile("a/Data/x.txt", "1");
  WriteFile("b/Data/x.txt", "2");
  EXPECT_EQ(RunTool("build out a b"), 1);
  EXPECT_EQ(RunTool("build out a missing-root"), 1);
  EXPECT_EQ(RunTool("build"), 2);
}

TEST(DataToolTest, StageSourcesAreNotStoredButCheckedAgainstTheirCompiledMaps) {
  testsupport::EnterScratchDirectory("datatool-stage");
  const std::string source = "size 2 1\ngrid\n#@\n";
  std::string map, error;
  ASSERT_TRUE(stagesource::Compile(source, &map, &error)) << error;
  WriteFile("src/Data/Script/act_stage/s1.stage", source);
  WriteFile("gen/Data/Script/act_stage/s1.cnn.bin", map);
  ASSERT_EQ(RunTool("build out src gen"), 0) << ReadFile("tool.log");
  EXPECT_FALSE(FileExists("out/Data/Script/act_stage/s1.stage"));
  EXPECT_EQ(RunTool("check out src gen"), 0) << ReadFile("tool.log");

  // A source changed since its map was compiled, one never compiled, one that does not compile.
  const struct {
    const char* file;
    const char* text;
    const char* complaint;
  } faults[] = {{"s1.stage", "size 2 1\ngrid\n@#\n", "s1.cnn: differs from"},
                {"s2.stage", "size 2 1\ngrid\n@#\n", "s2.cnn: missing"},
                {"s1.stage", "size 2 1\ngrid\n@\n", "s1.stage: cannot convert line 3: the row has 1 cells"}};
  for (const auto& fault : faults) {
    testsupport::EnterScratchDirectory("datatool-stage-fault");
    WriteFile("src/Data/Script/act_stage/s1.stage", source);
    WriteFile("gen/Data/Script/act_stage/s1.cnn.bin", map);
    ASSERT_EQ(RunTool("build out src gen"), 0);
    WriteFile(std::string("src/Data/Script/act_stage/") + fault.file, fault.text);
    EXPECT_EQ(RunTool("check out src gen"), 1) << fault.complaint;
    EXPECT_NE(ReadFile("tool.log").find(fault.complaint), std::string::npos) << ReadFile("tool.log");
  }
}

TEST(DataToolTest, TheBuiltGameTreeHoldsEveryDataFileScrambled) {
  const std::string game = VELUNNA_GAME_DIR;
  const std::string sources = VELUNNA_DATA_SOURCE_DIR;
  const std::string generated = VELUNNA_GENERATED_DATA_DIR;
  testsupport::EnterScratchDirectory("datatool-built");
  EXPECT_EQ(RunTool("check '" + game + "' '" + sources + "' '" + generated + "'"), 0) << ReadFile("tool.log");
  EXPECT_TRUE(FileExists(game + "/Data/Temp"));
  EXPECT_TRUE(FileExists(game + "/SAVE"));
}

}  // namespace
