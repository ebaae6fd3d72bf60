// POSIX specifics of the file layer: case-insensitive name resolution and failed writes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/files.h"
#include "tests/support/temp_folder.h"

namespace fw {
namespace {

TEST(PosixFilesTest, FailedWriteKeepsTheOldFile) {
  TempFolder dir;
  auto files = MakePlatformFileSystem();
  dir.Put("keep.bas", "precious");
  chmod(dir.path().c_str(), 0555);  // the temporary file cannot be created
  if (geteuid() == 0) {
    // root ignores folder permissions; a folder as target makes the rename fail instead
    chmod(dir.path().c_str(), 0755);
    mkdir((dir / "target").c_str(), 0755);
    EXPECT_NE(files->WriteWhole(dir / "target", "x"), WriteStatus::kWritten);
    EXPECT_TRUE(files->IsFolder(dir / "target"));
  } else {
    EXPECT_NE(files->WriteWhole(dir / "keep.bas", "new"), WriteStatus::kWritten);
    chmod(dir.path().c_str(), 0755);
  }
  EXPECT_EQ(files->ReadWhole(dir / "keep.bas").value(), "precious");
  EXPECT_EQ(files->ListFolder(dir.path()).size(), geteuid() == 0 ? 2u : 1u);
}

TEST(PosixFilesTest, NamesResolveIgnoringCaseOnlyWhenUnambiguous) {
  TempFolder dir;
  auto files = MakePlatformFileSystem();
  dir.Put("Template/Button.tpl", "b");
  EXPECT_EQ(files->Resolve(dir / "template/BUTTON.tpl"), dir / "Template/Button.tpl");
  dir.Put("x.txt", "lower");
  dir.Put("X.TXT", "upper");
  EXPECT_EQ(files->Resolve(dir / "x.Txt"), dir / "x.Txt");  // two candidates: as written
}

// Folder listings are kept between lookups: the layer's own writes and changes made by others
// must both be seen.
TEST(PosixFilesTest, CaseVariantsStayFoundAsTheFolderChanges) {
  TempFolder dir;
  auto files = MakePlatformFileSystem();
  EXPECT_EQ(files->Resolve(dir / "A.bi"), dir / "A.bi");  // reads the listing
  ASSERT_EQ(files->WriteWhole(dir / "A.bi", "a"), WriteStatus::kWritten);
  EXPECT_EQ(files->Resolve(dir / "a.BI"), dir / "A.bi");
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // past a coarse clock tick
  dir.Put("Other.txt", "made by someone else");
  EXPECT_EQ(files->Resolve(dir / "OTHER.TXT"), dir / "Other.txt");
  std::filesystem::remove(dir / "Other.txt");
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(files->Resolve(dir / "OTHER.TXT"), dir / "OTHER.TXT");
}

// Another program (here the test itself, bypassing the layer) changes a folder whose listing
// the layer holds; then the layer writes there itself. That write must not pass the stale
// listing off as current: the other program's file is still found in any letter case.
TEST(PosixFilesTest, AnotherProgramsFileIsFoundAfterTheLayerWritesInTheFolder) {
  for (const char* written : {"A.bi", "New.bi"}) {  // a file replaced, a file made
    TempFolder dir;
    auto files = MakePlatformFileSystem();
    dir.Put("A.bi", "old");
    EXPECT_EQ(files->Resolve(dir / "a.BI"), dir / "A.bi");       // reads the listing
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // past a coarse clock tick
    dir.Put("Other.txt", "made by someone else");
    ASSERT_EQ(files->WriteWhole(dir / written, "new"), WriteStatus::kWritten);
    for (const char* name : {"OTHER.TXT", "other.txt", "oThEr.TxT"}) {
      EXPECT_EQ(files->Resolve(dir / name), dir / "Other.txt") << written << " " << name;
    }
    EXPECT_EQ(files->ReadWhole(dir / "other.TXT").value_or(""), "made by someone else");
    EXPECT_EQ(files->Resolve(dir / "a.bi"), dir / "A.bi");
    bool made = std::string(written) == "New.bi";
    EXPECT_EQ(files->Resolve(dir / "NEW.BI"), dir / (made ? "New.bi" : "NEW.BI"));  // its own
  }
}

// Reading a FIFO would wait for a writer for ever, and a device may never end: only regular
// files are read.
TEST(PosixFilesTest, OnlyRegularFilesAreRead) {
  TempFolder dir;
  auto files = MakePlatformFileSystem();
  ASSERT_EQ(mkfifo((dir / "fifo.rc").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", (dir / "zero.rc").c_str()), 0);
  dir.MakeFolder("folder.rc");
  for (const char* name : {"fifo.rc", "zero.rc", "folder.rc"}) {
    bool opened = true;
    auto lines = files->OpenLines(dir / name, &opened);
    EXPECT_FALSE(opened) << name;
    EXPECT_TRUE(lines->AtEnd()) << name;
    EXPECT_FALSE(files->ReadWhole(dir / name).has_value()) << name;
  }
  dir.Put("plain.rc", "line");
  bool opened = false;
  files->OpenLines(dir / "plain.rc", &opened);
  EXPECT_TRUE(opened);
}

// A relative path in a working folder reached through a symbolic link keeps the link's name,
// as the shell shows it in $PWD; a $PWD that names another folder is not trusted.
TEST(PosixFilesTest, RelativePathsFollowTheShellsWorkingFolder) {
  TempFolder dir;
  dir.MakeFolder("real");
  std::filesystem::create_directory_symlink(dir / "real", dir / "link");
  auto files = MakePlatformFileSystem();
  char saved[4096];
  ASSERT_NE(getcwd(saved, sizeof saved), nullptr);
  const char* oldPwd = std::getenv("PWD");
  std::string keptPwd = oldPwd ? oldPwd : "";
  ASSERT_EQ(chdir((dir / "link").c_str()), 0);
  setenv("PWD", (dir / "link").c_str(), 1);
  std::string viaLink = files->AbsolutePath("x.rc");
  setenv("PWD", dir.path().c_str(), 1);  // stale: not the working folder
  std::string stale = files->AbsolutePath("x.rc");
  ASSERT_EQ(chdir(saved), 0);
  if (oldPwd) setenv("PWD", keptPwd.c_str(), 1);
  EXPECT_EQ(viaLink, dir / "link/x.rc");
  EXPECT_EQ(stale, std::filesystem::canonical(dir / "real").string() + "/x.rc");
}

}  // namespace
}  // namespace fw
