// Windows specifics of the file layer: separators, attributes, replacing over read-only files,
// the hard links of backups (link counts and file indexes).
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

// Names in the folder that look temporary: links (".fwtmp") or files ("fw*.tmp") left behind.
size_t Temporaries(FileSystem& files, const std::string& folder) {
  size_t left = 0;
  for (const FolderEntry& e : files.ListFolder(folder)) {
    if (e.name.find(".fwtmp") != std::string::npos || e.name.ends_with(".tmp")) ++left;
  }
  return left;
}

TEST_F(Win32FilesTest, InspectTellsKindLinksAndIdentity) {
  dir_.Put("old.bas", "old");
  dir_.MakeFolder("bak");
  FileFacts facts = files_->Inspect(Path("OLD.BAS"));
  EXPECT_EQ(facts.kind, FileFacts::Kind::kFile);
  EXPECT_EQ(facts.size, 3u);
  EXPECT_EQ(facts.links, 1u);
  ASSERT_TRUE(CreateHardLinkA(Path("second.bas").c_str(), Path("old.bas").c_str(), nullptr));
  FileFacts second = files_->Inspect(Path("second.bas"));
  EXPECT_EQ(second.links, 2u);
  EXPECT_EQ(second.id, facts.id);
  EXPECT_EQ(second.volume, facts.volume);
  EXPECT_EQ(files_->Inspect(Path("bak")).kind, FileFacts::Kind::kFolder);
  EXPECT_EQ(files_->Inspect(Path("bak\\")).kind, FileFacts::Kind::kFolder);
  EXPECT_EQ(files_->Inspect(Path("bak")).volume, facts.volume);
  EXPECT_EQ(files_->Inspect(Path("missing")).kind, FileFacts::Kind::kMissing);
}

// A symbolic link (a reparse point) is told as a link, and its target is not linked through it.
TEST_F(Win32FilesTest, ASymbolicLinkIsALinkInTheWay) {
  dir_.Put("target.bas", "old");
  dir_.MakeFolder("bak");
  if (!CreateSymbolicLinkA(Path("link.bas").c_str(), Path("target.bas").c_str(),
                           SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) {
    GTEST_SKIP() << "no symbolic links here: error " << GetLastError();
  }
  if (GetFileAttributesA(Path("link.bas").c_str()) == INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "the symbolic link made cannot be found (Wine 8)";
  }
  EXPECT_EQ(files_->Inspect(Path("link.bas")).kind, FileFacts::Kind::kLink);
  FileFacts target = files_->Inspect(Path("target.bas"));
  EXPECT_EQ(files_->LinkAs(Path("link.bas"), target, Path("bak\\link.bak")),
            LinkStatus::kNotPossible);
  EXPECT_EQ(files_->ListFolder(Path("bak")).size(), 0u);
  EXPECT_EQ(files_->Inspect(Path("target.bas")).links, 1u);
}

TEST_F(Win32FilesTest, LinkAsGivesTheOldFileASecondName) {
  dir_.Put("a.bas", "old");
  dir_.Put("bak/a.bak", "older");
  FileFacts old = files_->Inspect(Path("a.bas"));
  ASSERT_EQ(files_->LinkAs(Path("a.bas"), old, Path("bak\\a.bak")), LinkStatus::kLinked);
  FileFacts backup = files_->Inspect(Path("bak\\a.bak"));
  EXPECT_EQ(backup.id, old.id);
  EXPECT_EQ(backup.links, 2u);
  EXPECT_EQ(Temporaries(*files_, Path("bak")), 0u);
  EXPECT_EQ(files_->ListFolder(Path("bak")).size(), 1u);
  ASSERT_EQ(files_->WriteWhole(Path("a.bas"), "new"), WriteStatus::kWritten);
  EXPECT_EQ(files_->ReadWhole(Path("bak\\a.bak")).value(), "old");
  EXPECT_EQ(files_->Inspect(Path("bak\\a.bak")).links, 1u);
  EXPECT_NE(files_->Inspect(Path("a.bas")).id, old.id);
}

// A folder or a read-only file at the backup's name: the link cannot take it, and none is left.
TEST_F(Win32FilesTest, ALinkThatCannotTakeItsNameIsRemoved) {
  dir_.Put("a.bas", "old");
  dir_.Put("bak/folder.bak/inside", "x");
  dir_.Put("bak/readonly.bak", "older");
  SetFileAttributesA(Path("bak\\readonly.bak").c_str(), FILE_ATTRIBUTE_READONLY);
  FileFacts old = files_->Inspect(Path("a.bas"));
  EXPECT_EQ(files_->LinkAs(Path("a.bas"), old, Path("bak\\folder.bak")), LinkStatus::kFailed);
  EXPECT_EQ(files_->LinkAs(Path("a.bas"), old, Path("bak\\readonly.bak")), LinkStatus::kFailed);
  SetFileAttributesA(Path("bak\\readonly.bak").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(files_->ReadWhole(Path("bak\\readonly.bak")).value(), "older");
  EXPECT_EQ(Temporaries(*files_, Path("bak")), 0u);
  EXPECT_EQ(files_->ListFolder(Path("bak")).size(), 2u);
  EXPECT_EQ(files_->Inspect(Path("a.bas")).links, 1u);
}

// What was inspected is what is linked: a file replaced meanwhile, or one given a further name
// meanwhile, is not.
TEST_F(Win32FilesTest, LinkAsRefusesAFileThatIsNoLongerTheOneInspected) {
  dir_.Put("a.bas", "old");
  dir_.MakeFolder("bak");
  FileFacts facts = files_->Inspect(Path("a.bas"));
  ASSERT_EQ(files_->WriteWhole(Path("a.bas"), "swapped"), WriteStatus::kWritten);
  EXPECT_EQ(files_->LinkAs(Path("a.bas"), facts, Path("bak\\a.bak")), LinkStatus::kNotPossible);
  FileFacts now = files_->Inspect(Path("a.bas"));
  ASSERT_TRUE(CreateHardLinkA(Path("other.bas").c_str(), Path("a.bas").c_str(), nullptr));
  EXPECT_EQ(files_->LinkAs(Path("a.bas"), now, Path("bak\\a.bak")), LinkStatus::kNotPossible);
  EXPECT_EQ(files_->ListFolder(Path("bak")).size(), 0u);
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
