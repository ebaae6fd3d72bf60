// The file layer's behaviour common to every platform. Platform specifics are tested in
// files_posix_test.cpp and files_win32_test.cpp.
#include "platform/files.h"

#include <gtest/gtest.h>

#include "platform/line_reader.h"
#include "tests/support/temp_folder.h"

namespace fw {
namespace {

class FilesTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) { return dir_ / name; }
  void Put(const std::string& name, const std::string& data) { dir_.Put(name, data); }
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

  TempFolder dir_;
  std::unique_ptr<FileSystem> files_ = MakePlatformFileSystem();
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
  dir_.MakeFolder("folder");
  files_->OpenLines(Path("folder"), &opened);
  EXPECT_FALSE(opened);
  EXPECT_FALSE(files_->ReadWhole(Path("folder")).has_value());
}

TEST_F(FilesTest, WriteReplacesWholeAndLeavesNoTemporaryFile) {
  Put("out.bas", "old content that is longer");
  EXPECT_EQ(files_->WriteWhole(Path("out.bas"), std::string("new\0", 4)), WriteStatus::kWritten);
  EXPECT_EQ(files_->ReadWhole(Path("out.bas")).value(), std::string("new\0", 4));
  EXPECT_EQ(files_->WriteWhole(Path("fresh.bas"), ""), WriteStatus::kWritten);
  EXPECT_EQ(files_->ReadWhole(Path("fresh.bas")).value(), "");
  EXPECT_EQ(files_->ListFolder(dir_.path()).size(), 2u);
}

TEST_F(FilesTest, PiecesAreWrittenOneAfterAnother) {
  Put("out.bas", "old");
  std::string large(200000, 'x');  // more than one write of the layer's chunk size
  std::string_view pieces[] = {"head ", "", large, std::string_view("\0mid", 4), " tail"};
  EXPECT_EQ(files_->WritePieces(Path("out.bas"), pieces), WriteStatus::kWritten);
  EXPECT_EQ(files_->ReadWhole(Path("out.bas")).value(),
            "head " + large + std::string("\0mid", 4) + " tail");
}

// A scratch file takes appends, reads back what it holds and goes into an output as a piece
// (more than one chunk of the layer's copy), and leaves no file behind.
TEST_F(FilesTest, ScratchFilesAreReadBackAndWrittenAsPieces) {
  std::unique_ptr<ScratchFile> scratch = files_->MakeScratch(dir_.path());
  ASSERT_TRUE(scratch);
  std::string large(3 << 20, 'y');
  large[12345] = '\0';
  EXPECT_TRUE(scratch->Append("first "));
  EXPECT_TRUE(scratch->Append(large));
  EXPECT_EQ(scratch->size(), 6 + large.size());
  std::string back(5, ' ');
  EXPECT_TRUE(scratch->Read(1, back.data(), back.size()));
  EXPECT_EQ(back, "irst ");
  OutputPiece pieces[] = {OutputPiece("head "), OutputPiece(scratch.get()), OutputPiece(" tail")};
  EXPECT_EQ(files_->WriteParts(Path("out.bas"), pieces), WriteStatus::kWritten);
  EXPECT_EQ(files_->ReadWhole(Path("out.bas")).value(), "head first " + large + " tail");
  scratch.reset();
  EXPECT_EQ(files_->ListFolder(dir_.path()).size(), 1u);
}

TEST_F(FilesTest, WriteIntoAMissingFolderFails) {
  EXPECT_NE(files_->WriteWhole(Path("bak/x.bak"), "x"), WriteStatus::kWritten);
  EXPECT_FALSE(dir_.Exists("bak"));
}

TEST_F(FilesTest, NamesMatchIgnoringCase) {
  Put("Template/Button.tpl", "b");
  EXPECT_EQ(files_->ReadWhole(Path("TEMPLATE/button.TPL")).value(), "b");
  EXPECT_TRUE(files_->IsFile(Path("template/BUTTON.tpl")));
  EXPECT_TRUE(files_->IsFolder(Path("TEMPLATE")));
  EXPECT_FALSE(files_->IsFolder(Path("template/button.tpl")));
  Put("Dialogs.bas", "1");
  EXPECT_EQ(files_->WriteWhole(Path("dialogs.bas"), "2"), WriteStatus::kWritten);
  EXPECT_EQ(files_->ReadWhole(Path("Dialogs.bas")).value(), "2");
  EXPECT_EQ(files_->ListFolder(dir_.path()).size(), 2u);  // Template and one .bas
}

TEST_F(FilesTest, ListingMarksFolders) {
  Put("a.tpl", "");
  dir_.MakeFolder("sub");
  std::vector<FolderEntry> entries = files_->ListFolder(dir_.path());
  ASSERT_EQ(entries.size(), 2u);
  for (const FolderEntry& e : entries) EXPECT_EQ(e.isFolder, e.name == "sub") << e.name;
  EXPECT_TRUE(files_->ListFolder(Path("missing")).empty());
}

TEST(NormalisePathTest, DotsAndSeparators) {
  EXPECT_EQ(NormalisePath("/a/./b//c/../d", '/'), "/a/b/d");
  EXPECT_EQ(NormalisePath("/../x", '/'), "/x");
  EXPECT_EQ(NormalisePath("C:/work\\.\\sub\\..\\dialogs.rc", '\\'), "C:\\work\\dialogs.rc");
  EXPECT_EQ(NormalisePath("/my.projects/x.rc", '/'), "/my.projects/x.rc");
}

}  // namespace
}  // namespace fw
