#include "trace.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace wxc {
namespace {

TEST(TraceLine, IsCaptionTabMessage) {
  EXPECT_EQ(TraceLine("Event", "IDC_CBO1_Selected 2"), "Event\tIDC_CBO1_Selected 2\n");
  EXPECT_EQ(TraceLine(nullptr, nullptr), "\t\n");
}

// One message box is one line, whatever its texts hold.
TEST(TraceLine, EscapesLineBreaksTabsAndBackslashes) {
  EXPECT_EQ(TraceLine("a\tb", "x\r\ny\\z"), "a\\tb\tx\\r\\ny\\\\z\n");
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(TraceMessageBox, AppendsToTheFileNamedByWxcTrace) {
  char path[] = "/tmp/wxc-trace-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, "old\n", 4), 4);
  close(fd);

  setenv("WXC_TRACE", path, 1);
  TraceMessageBox("Event", "IDC_BTN1_Clicked");
  TraceMessageBox("Event", "IDC_LSV2_Selected -1");
  unsetenv("WXC_TRACE");
  TraceMessageBox("Event", "not traced");

  EXPECT_EQ(ReadAll(path), "old\nEvent\tIDC_BTN1_Clicked\nEvent\tIDC_LSV2_Selected -1\n");
  unlink(path);
}

}  // namespace
}  // namespace wxc
