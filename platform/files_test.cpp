#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include "platform/line_reader.h"

namespace fw {
namespace {

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/fw-files-XXXXXX";
    dir_ = mkdtemp(tmpl);
    files_ = MakePlatformFileSystem();
  }
  void TearDown() override { std::system(("chmod -R u+w " + dir_ + "; rm -rf " + dir_).c_str()); }
  std::string Path(const std::string& name) { return dir_ + "/" + name; }
  void Put(const std::string& name, const std::string& data) {
    std::ofstream(Path(name), std::ios::binary) << data;
  }
  std::vector<std::string> ReadLines(const std::string& data) {
    Put("lines.txt", data);
    bool opened = false;
    auto reader = files_->OpenLines(Path("lines.txt"), &opened);
    EXPECT_TRUE(opened);
    std::vector<std::string> lines;
    std::string line;
    while (!reader->AtEnd()) {
      reader->ReadLine(line);
      lines.push_back(line);
    }
    return lines;
  }

  std::string dir_;
  std::unique_ptr<FileSystem> files_;
};

using Lines = std::vector<std::string>;

TEST_F(FilesTest, LineEndsFollowTheReadingRules) {
  EXPECT_EQ(ReadLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(ReadLines("a\rb\nc"), (Lines{"a\rb", "c"}));
  EXPECT_EQ(ReadLines("last\r"), (Lines{"last\r"}));
  EXPECT_EQ(ReadLines(""), Lines{});
  EXPECT_EQ(ReadLines("\n\n"), (Lines{"", ""}));
  EXPECT_EQ(ReadLines(std::string("x\0y\n", 4)), (Lines{std::string("x\0y", 3)}));
}

TEST_F(FilesTest, LongLinesAndCrLfAcrossTheReadBuffer) {
  std::string big(200000, 'q');
  std::string data = big + "\r\n" + std::string(65535 - 1, 'w') + "\r\nend";
  Lines lines = ReadLines(data);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], big);
  EXPECT_EQ(lines[1].size(), 65534u);
  EXPECT_EQ(lines[2], "end");
}

TEST_F(FilesTest, MissingFileIsAtItsEndAndReadsEmpty) {
  bool opened = true;
  auto reader = files_->OpenLines(Path("none.txt"), &opened);
  EXPECT_FALSE(opened);
  EXPECT_TRUE(reader->AtEnd());
  EXPECT_FALSE(files_->ReadWhole(Path("none.txt")).has_value());
  mkdir(Path("folder").c_str(), 0755);
  files_->OpenLines(Path("folder"), &opened);
  EXPECT_FALSE(opened);
}

TEST_F(FilesTest, WriteReplacesWholeAndLeavesNoTemporaryFile) {
  Put("out.bas", "old content that is longer");
  EXPECT_EQ(files_->WriteWhole(Path("out.bas"), std::string("new\0", 4)), WriteStatus::kWritten);
  EXPECT_EQ(files_->ReadWhole(Path("out.bas")).value(), std::string("new\0", 4));
  EXPECT_EQ(files_->ListFolder(dir_).size(), 1u);
}

TEST_F(FilesTest, FailedWriteKeepsTheOldFile) {
  Put("keep.bas", "precious");
  chmod(dir_.c_str(), 0555);  // the temporary file cannot be created
  if (geteuid() == 0) {
    // root ignores folder permissions; a folder as target makes the rename fail instead
    chmod(dir_.c_str(), 0755);
    mkdir(Path("target").c_str(), 0755);
    EXPECT_NE(files_->WriteWhole(Path("target"), "x"), WriteStatus::kWritten);
    EXPECT_TRUE(files_->IsFolder(Path("target")));
  } else {
    EXPECT_NE(files_->WriteWhole(Path("keep.bas"), "new"), WriteStatus::kWritten);
    chmod(dir_.c_str(), 0755);
  }
  EXPECT_EQ(files_->ReadWhole(Path("keep.bas")).value(), "precious");
  EXPECT_EQ(files_->ListFolder(dir_).size(), geteuid() == 0 ? 2u : 1u);
}

TEST_F(FilesTest, NamesResolveIgnoringCaseOnlyWhenUnambiguous) {
  mkdir(Path("Template").c_str(), 0755);
  Put("Template/Button.tpl", "b");
  EXPECT_EQ(files_->Resolve(Path("template/BUTTON.tpl")), Path("Template/Button.tpl"));
  EXPECT_EQ(files_->ReadWhole(Path("TEMPLATE/button.TPL")).value(), "b");
  Put("Dialogs.bas", "1");
  EXPECT_EQ(files_->WriteWhole(Path("dialogs.bas"), "2"), WriteStatus::kWritten);
  EXPECT_EQ(files_->ReadWhole(Path("Dialogs.bas")).value(), "2");
  Put("x.txt", "lower");
  Put("X.TXT", "upper");
  EXPECT_EQ(files_->Resolve(Path("x.Txt")), Path("x.Txt"));  // two candidates: as written
}

TEST(NormalisePathTest, DotsAndSeparators) {
  EXPECT_EQ(NormalisePath("/a/./b//c/../d", '/'), "/a/b/d");
  EXPECT_EQ(NormalisePath("/../x", '/'), "/x");
  EXPECT_EQ(NormalisePath("C:/work\\.\\sub\\..\\dialogs.rc", '\\'), "C:\\work\\dialogs.rc");
  EXPECT_EQ(NormalisePath("/my.projects/x.rc", '/'), "/my.projects/x.rc");
}

}  // namespace
}  // namespace fw
