#include "output/file_names.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(FileNamesTest, NamesThatCannotBeFiles) {
  for (const char* bad :
       {"",     ".",   "..",  "a.",  "a ",  "a/b",   "a\\b", "C:x",  "a<b",      "a>b",
        "a\"b", "a|b", "a?b", "a*b", "CON", "con.x", "Nul",  "COM1", "lpt9.txt", "AUX"}) {
    EXPECT_NE(UnsafeFileNameReason(bad), "") << bad;
  }
  EXPECT_NE(UnsafeFileNameReason(std::string("a\x01", 2)), "");
  EXPECT_NE(UnsafeFileNameReason("a\x7f"), "");
  for (const char* good : {"IDD_DLG1", "CONSOLE", "COM10", "a.b", "LPT", "Dlg-2"}) {
    EXPECT_EQ(UnsafeFileNameReason(good), "") << good;
  }
}

}  // namespace
}  // namespace fw
