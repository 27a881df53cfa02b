// Windows game paths resolved against the data directory.
#include <gtest/gtest.h>

#include "platform/paths.h"
#include "tests/testsupport.h"

namespace {

TEST(PathsTest, ComponentsMatchWithoutRegardToCase) {
  testsupport::EnterScratchDirectory("paths");
  testsupport::WriteFile("Data/Script/main.cnn", "x");
  EXPECT_EQ(platform::ResolvePath(".\\Data\\SCRIPT\\Main.CNN"), "Data/Script/main.cnn");
  EXPECT_EQ(platform::ResolvePath("data\\script\\main.cnn"), "Data/Script/main.cnn");
  // A file about to be created keeps its given name under the matched directories.
  EXPECT_EQ(platform::ResolvePath(".\\DATA\\Temp\\GTempdata"), "Data/Temp/GTempdata");
  EXPECT_EQ(platform::ResolvePath(".\\SAVE\\Config.ini"), "SAVE/Config.ini");
}

TEST(PathsTest, AShiftJisSecondByteOf5CIsNotASeparator) {
  testsupport::EnterScratchDirectory("paths-sjis");
  // "表" is 95 5C in Shift-JIS; "ソ" is 83 5C.
  testsupport::WriteFile("Data/表ソ.txt", "x");
  EXPECT_EQ(platform::ResolvePath(".\\Data\\\x95\x5c\x83\x5c.txt"), "Data/表ソ.txt");
}

}  // namespace
