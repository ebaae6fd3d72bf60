#include "generator/dialog_include.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/generator_test.h"
#include "textutil/text.h"

namespace fw {
namespace {

class DialogIncludeTest : public GeneratorTest {
 protected:
  void SetUp() override {
    GeneratorTest::SetUp();
    options_.multiFile = true;
  }
  // The folder's entries that equal `name` ignoring case (a file system that ignores case
  // would find each of them under `name`).
  std::vector<std::string> EntriesLike(const std::string& folder, const std::string& name) {
    std::vector<std::string> found;
    for (const auto& e : std::filesystem::directory_iterator(folder_ / folder)) {
      std::string entry = e.path().filename().string();
      if (EqualsIgnoringAsciiCase(entry, name)) found.push_back(entry);
    }
    return found;
  }
};

TEST_F(DialogIncludeTest, OneIncludeFilePerDialog) {
  folder_.MakeFolder("bak");
  folder_.Put("A.bi", "old A");
  std::string bas = Run({"A DIALOGEX 0,0,1,1", "BEGIN", "CONTROL \"x\",I1,\"Button\",0x0,1,1,1,1",
                         "END", "B DIALOGEX 0,0,1,1", "BEGIN", "END"});
  EXPECT_EQ(folder_.Get("A.bi"),
            "sub I1_Sample()\r\nend sub\r\n\r\n\r\nsub I1_Click()\r\nend sub\r\n");
  EXPECT_EQ(folder_.Get("B.bi"), "\r\n\r\n");
  EXPECT_EQ(folder_.Get("bak/A.bak"), "old A");
  EXPECT_FALSE(folder_.Exists("bak/B.bak"));  // nothing to keep: no empty backup
  EXPECT_EQ(folder_.Get("dialogs.fbp"),
            "[File]\r\n1=dialogs.bas\r\n2=dialogs.rc\r\n3=A.bi\r\n4=B.bi\r\n[FileInfo]");
  EXPECT_NE(bas.find("declare sub I1_Sample()\r\ndeclare sub I1_Click()\r\n\r\n#include once "
                     "\"A.bi\"\r\n#include once \"B.bi\"\r\n|"),
            std::string::npos)
      << bas;
}

TEST_F(DialogIncludeTest, SameNameTwiceAndProjectNameBackups) {
  folder_.MakeFolder("bak");
  folder_.Put("A.bi", "before the run");
  folder_.Put("dialogs.bi", "old dialogs include");
  Run({"A DIALOGEX 0,0,1,1", "BEGIN", "END", "a DIALOGEX 0,0,1,1", "BEGIN",
       "CONTROL \"x\",I1,\"Button\",0x0,1,1,1,1", "END", "dialogs DIALOGEX 0,0,1,1", "BEGIN",
       "END"});
  EXPECT_EQ(folder_.Get("bak/A.bak"), "before the run");
  EXPECT_EQ(folder_.Get("A.bi").substr(0, 6), "sub I1");
  EXPECT_EQ(EntriesLike(".", "a.bi"), std::vector<std::string>{"A.bi"});
  EXPECT_EQ(folder_.Get("bak/dialogs.bi.bak"), "old dialogs include");
  EXPECT_TRUE(diagnostics_.items().empty());
}

// With no include file before the run, the first of two dialogs named alike creates it; the
// second must not back that up over an older backup.
TEST_F(DialogIncludeTest, AnOlderBackupOutlivesThisRunsOwnOutput) {
  folder_.MakeFolder("bak");
  folder_.Put("bak/A.bak", "from an earlier run");
  Run({"A DIALOGEX 0,0,1,1", "BEGIN", "CONTROL \"x\",I1,\"Button\",0x0,1,1,1,1", "END",
       "a DIALOGEX 0,0,1,1", "BEGIN", "END"});
  EXPECT_EQ(folder_.Get("bak/A.bak"), "from an earlier run");
  EXPECT_EQ(EntriesLike("bak", "a.bak"), std::vector<std::string>{"A.bak"});
  EXPECT_EQ(folder_.Get("A.bi"), "\r\n\r\n");
}

// Dialog "dialogs" backs up to "dialogs.bi.bak" beside the main source's "dialogs.bak", which
// is also the name of dialog "dialogs.bi"'s backup: that one takes a name no backup can have.
TEST_F(DialogIncludeTest, NoTwoBackupsOfARunShareAName) {
  folder_.MakeFolder("bak");
  folder_.Put("dialogs.bi", "old dialogs include");
  folder_.Put("dialogs.bi.bi", "old dialogs.bi include");
  folder_.Put("dialogs.bas", "old main");
  Run({"dialogs DIALOGEX 0,0,1,1", "BEGIN", "END", "DIALOGS.BI DIALOGEX 0,0,1,1", "BEGIN", "END"});
  EXPECT_EQ(folder_.Get("bak/dialogs.bi.bak"), "old dialogs include");
  EXPECT_EQ(folder_.Get("bak/DIALOGS.BI..bak"), "old dialogs.bi include");
  EXPECT_EQ(folder_.Get("bak/dialogs.bak"), "old main");
  EXPECT_TRUE(diagnostics_.items().empty());
}

TEST_F(DialogIncludeTest, UnsafeNamesAndFailedBackupsWriteNothing) {
  folder_.MakeFolder("bak/K.bak");  // a folder where the backup file should go
  folder_.Put("K.bi", "keep me");
  Run({"../evil DIALOGEX 0,0,1,1", "BEGIN", "END", "CON DIALOGEX 0,0,1,1", "BEGIN", "END",
       "K DIALOGEX 0,0,1,1", "BEGIN", "END"});
  EXPECT_EQ(folder_.Get("K.bi"), "keep me");
  EXPECT_FALSE(folder_.Exists("../evil.bi"));
  EXPECT_EQ(diagnostics_.NotWrittenCount(), 3u);
  EXPECT_EQ(folder_.Get("dialogs.fbp"),
            "[File]\r\n1=dialogs.bas\r\n2=dialogs.rc\r\n3=../evil.bi\r\n4=CON.bi\r\n5=K.bi\r\n"
            "[FileInfo]");
}

}  // namespace
}  // namespace fw
