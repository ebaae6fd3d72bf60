// Windows specifics of the file layer: separators, attributes, replacing over read-only files.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/files.h"
#include "tests/support/temp_folder.h"

namespace fw {
namespace {

class Win32FilesTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) { return dir_.path() + "\\" + name; }

  TempFolder dir_;
  std::unique_ptr<FileSystem> files_ = MakePlatformFileSystem();
};

TEST_F(Win32FilesTest, HiddenAndSystemFilesAreFlagged) {
  dir_.Put("plain.tpl", "");
  dir_.Put("hidden.tpl", "");
  dir_.Put("system.tpl", "");
  dir_.Put("readonly.tpl", "");
  SetFileAttributesA(Path("hidden.tpl").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(Path("system.tpl").c_str(), FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesA(Path("readonly.tpl").c_str(), FILE_ATTRIBUTE_READONLY);
  std::vector<FolderEntry> entries = files_->ListFolder(dir_.path());
  ASSERT_EQ(entries.size(), 4u);
  for (const FolderEntry& e : entries) {
    EXPECT_EQ(e.hidden, e.name == "hidden.tpl" || e.name == "system.tpl") << e.name;
  }
  for (const char* name : {"hidden.tpl", "system.tpl", "readonly.tpl"}) {
    SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST_F(Win32FilesTest, ReadOnlyTargetIsNotReplaced) {
  dir_.Put("keep.bas", "precious");
  SetFileAttributesA(Path("keep.bas").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_NE(files_->WriteWhole(Path("keep.bas"), "new"), WriteStatus::kWritten);
  EXPECT_EQ(files_->ReadWhole(Path("keep.bas")).value(), "precious");
  EXPECT_EQ(files_->ListFolder(dir_.path()).size(), 1u);  // no temporary file left
  SetFileAttributesA(Path("keep.bas").c_str(), FILE_ATTRIBUTE_NORMAL);

  dir_.MakeFolder("target");
  EXPECT_NE(files_->WriteWhole(Path("target"), "x"), WriteStatus::kWritten);
  EXPECT_TRUE(files_->IsFolder(Path("target")));
}

TEST_F(Win32FilesTest, BothSeparatorsAreAccepted) {
  EXPECT_EQ(files_->Separator(), '\\');
  dir_.MakeFolder("sub");
  std::string mixed = dir_.path() + "/sub\\out.bas";
  EXPECT_EQ(files_->WriteWhole(mixed, "x"), WriteStatus::kWritten);
  EXPECT_EQ(files_->ReadWhole(Path("sub\\out.bas")).value(), "x");
  EXPECT_EQ(files_->Resolve(mixed), mixed);
}

// The system finds names in any case; Resolve tells how each existing part is spelt on disk.
TEST_F(Win32FilesTest, ResolveGivesTheSpellingOnDisk) {
  dir_.Put("Sub/Mixed.Case", "x");
  EXPECT_EQ(files_->Resolve(Path("SUB\\mixed.case")), Path("Sub\\Mixed.Case"));
  EXPECT_EQ(files_->Resolve(Path("sub/absent.txt")), Path("Sub/absent.txt"));
  EXPECT_EQ(files_->Resolve(Path("s*b")), Path("s*b"));  // a pattern is no name
}

TEST_F(Win32FilesTest, AbsolutePathsAreLexicallyNormal) {
  EXPECT_EQ(files_->AbsolutePath("C:/work/./sub/../dialogs.rc"), "C:\\work\\dialogs.rc");
  EXPECT_EQ(files_->AbsolutePath("C:\\my.projects\\dialogs.rc"), "C:\\my.projects\\dialogs.rc");
  ASSERT_TRUE(SetCurrentDirectoryA(dir_.path().c_str()));
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(sizeof cwd, cwd);
  EXPECT_EQ(files_->AbsolutePath("x/../dialogs.rc"), std::string(cwd) + "\\dialogs.rc");
  SetCurrentDirectoryA("C:\\");
}

TEST_F(Win32FilesTest, ExecutableFolderHoldsTheProgram) {
  std::string folder = files_->ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  bool found = false;
  for (const FolderEntry& e : files_->ListFolder(folder)) {
    found = found || e.name == "platform_test.exe";
  }
  EXPECT_TRUE(found);
}

}  // namespace
}  // namespace fw
