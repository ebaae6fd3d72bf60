#include "script/pp_files.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(PpMemoryFilesTest, FindsNamesIgnoringCaseAndSeparators) {
  PpMemoryFiles files;
  files.Add("proj/res/Dialogs.H", "text");
  EXPECT_EQ(files.Find("proj", "RES\\dialogs.h"), "proj/res/Dialogs.H");
  EXPECT_EQ(files.Find("proj/res", "../res/./DIALOGS.h"), "proj/res/Dialogs.H");
  EXPECT_EQ(files.Find("other", "/proj/res/dialogs.h"), std::nullopt);  // absolute, not there
  EXPECT_EQ(files.Find("", "proj/res/dialogs.h"), "proj/res/Dialogs.H");
  EXPECT_EQ(files.Find("proj", "dialogs.h"), std::nullopt);
  EXPECT_EQ(files.Read("proj/res/Dialogs.H"), "text");
  EXPECT_EQ(files.Read("proj/none.h"), std::nullopt);
}

TEST(PpFilesTest, FolderAndKindOfAPath) {
  EXPECT_EQ(PpFolderOf("a/b/c.rc"), "a/b");
  EXPECT_EQ(PpFolderOf("C:\\x\\y.rc"), "C:\\x");
  EXPECT_EQ(PpFolderOf("y.rc"), "");
  EXPECT_EQ(PpFolderOf("/y.rc"), "/");
  EXPECT_TRUE(PpDirectivesOnly("res/Resource.H"));
  EXPECT_TRUE(PpDirectivesOnly("x.c"));
  EXPECT_FALSE(PpDirectivesOnly("x.rc"));
  EXPECT_FALSE(PpDirectivesOnly("x.rc2"));
  EXPECT_FALSE(PpDirectivesOnly("x.hpp"));
}

}  // namespace
}  // namespace fw
