#include "frontend/win32/script_base.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(ScriptBaseFromChosen, CutsBeforeTheFirstDotOfTheFileNameOnly) {
  EXPECT_EQ(ScriptBaseFromChosen("C:\\work\\dialogs.rc"), "C:\\work\\dialogs");
  EXPECT_EQ(ScriptBaseFromChosen("D:\\rc\\main.RC"), "D:\\rc\\main");
  EXPECT_EQ(ScriptBaseFromChosen("C:\\work\\a.b.rc"), "C:\\work\\a");
  // A dot in a folder name must not cut the path inside that folder.
  EXPECT_EQ(ScriptBaseFromChosen("C:\\my.projects\\dialogs.rc"), "C:\\my.projects\\dialogs");
  EXPECT_EQ(ScriptBaseFromChosen("Z:/tmp/x.y/dialogs.rc"), "Z:/tmp/x.y/dialogs");
  EXPECT_EQ(ScriptBaseFromChosen("C:\\v1.2\\noextension"), "C:\\v1.2\\noextension");
  EXPECT_EQ(ScriptBaseFromChosen("dialogs.rc"), "dialogs");
}

}  // namespace
}  // namespace fw
