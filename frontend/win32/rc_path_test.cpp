#include "frontend/win32/rc_path.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(RcPathFromChosen, CutsBeforeTheFirstDotOfTheFileNameOnly) {
  EXPECT_EQ(RcPathFromChosen("C:\\work\\dialogs.rc"), "C:\\work\\dialogs");
  EXPECT_EQ(RcPathFromChosen("D:\\rc\\main.RC"), "D:\\rc\\main");
  EXPECT_EQ(RcPathFromChosen("C:\\work\\a.b.rc"), "C:\\work\\a");
  // A dot in a folder name must not cut the path inside that folder.
  EXPECT_EQ(RcPathFromChosen("C:\\my.projects\\dialogs.rc"), "C:\\my.projects\\dialogs");
  EXPECT_EQ(RcPathFromChosen("Z:/tmp/x.y/dialogs.rc"), "Z:/tmp/x.y/dialogs");
  EXPECT_EQ(RcPathFromChosen("C:\\v1.2\\noextension"), "C:\\v1.2\\noextension");
  EXPECT_EQ(RcPathFromChosen("dialogs.rc"), "dialogs");
}

}  // namespace
}  // namespace fw
