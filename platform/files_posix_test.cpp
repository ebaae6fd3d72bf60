// POSIX specifics of the file layer: case-insensitive name resolution, failed writes, and the
// hard links of backups (link counts and inodes checked with stat(2)).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
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

#ifdef __linux__
// A scratch file copied into an output gives its bytes up as they are copied (over more than
// one stretch of the copy), so the page cache does not hold them twice; they cannot be read
// back afterwards, and the output holds every byte. The file that a copied backup reads from
// (an existing file) keeps its bytes.
TEST(PosixFilesTest, ScratchCopiedIntoAnOutputGivesItsBytesUp) {
  TempFolder dir;
  auto files = MakePlatformFileSystem();
  std::unique_ptr<ScratchFile> scratch = files->MakeScratch(dir.path());
  ASSERT_TRUE(scratch);
  std::string large((size_t{65} << 20) + 7, 'z');
  large[large.size() - 1] = '!';
  ASSERT_TRUE(scratch->Append(large));
  OutputPiece pieces[] = {OutputPiece("<"), OutputPiece(scratch.get())};
  ASSERT_EQ(files->WriteParts(dir / "out.bas", pieces), WriteStatus::kWritten);
  std::string back = files->ReadWhole(dir / "out.bas").value();
  EXPECT_EQ(back.size(), large.size() + 1);
  EXPECT_TRUE(back == "<" + large);
  char c = 0;
  EXPECT_FALSE(scratch->Read(0, &c, 1));

  std::unique_ptr<ScratchFile> old = files->OpenToCopy(dir / "out.bas");
  ASSERT_TRUE(old);
  OutputPiece copy[] = {OutputPiece(old.get())};
  ASSERT_EQ(files->WriteParts(dir / "copy.bas", copy), WriteStatus::kWritten);
  EXPECT_TRUE(old->Read(0, &c, 1));
  EXPECT_EQ(c, '<');
  EXPECT_EQ(files->ReadWhole(dir / "out.bas").value().size(), large.size() + 1);
}
#endif

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

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
  return st;
}

// Names in `folder` holding ".fwtmp": temporary files or links left behind.
std::vector<std::string> Temporaries(const std::string& folder) {
  std::vector<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    std::string name = e.path().filename().string();
    if (name.find(".fwtmp") != std::string::npos) left.push_back(name);
  }
  return left;
}

TEST(PosixFilesTest, InspectTellsKindLinksAndIdentityWithoutFollowingLinks) {
  TempFolder dir;
  auto files = MakePlatformFileSystem();
  dir.Put("Old.bas", "old");
  FileFacts facts = files->Inspect(dir / "old.BAS");  // found ignoring case
  EXPECT_EQ(facts.kind, FileFacts::Kind::kFile);
  EXPECT_EQ(facts.size, 3u);
  EXPECT_EQ(facts.links, 1u);
  struct stat st = StatOf(dir / "Old.bas");
  EXPECT_EQ(facts.volume, static_cast<uint64_t>(st.st_dev));
  EXPECT_EQ(facts.id, static_cast<uint64_t>(st.st_ino));
  ASSERT_EQ(link((dir / "Old.bas").c_str(), (dir / "second.bas").c_str()), 0);
  EXPECT_EQ(files->Inspect(dir / "Old.bas").links, 2u);
  dir.MakeFolder("real");
  std::filesystem::create_directory_symlink(dir / "real", dir / "bak");
  std::filesystem::create_symlink(dir / "Old.bas", dir / "link.bas");
  EXPECT_EQ(files->Inspect(dir / "bak").kind, FileFacts::Kind::kLink);
  EXPECT_EQ(files->Inspect(dir / "bak/").kind, FileFacts::Kind::kLink);  // not followed either
  EXPECT_EQ(files->Inspect(dir / "real").kind, FileFacts::Kind::kFolder);
  EXPECT_EQ(files->Inspect(dir / "link.bas").kind, FileFacts::Kind::kLink);
  EXPECT_EQ(files->Inspect(dir / "missing").kind, FileFacts::Kind::kMissing);
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  EXPECT_EQ(files->Inspect(dir / "fifo").kind, FileFacts::Kind::kOther);
}

// The backup is the old file under a second name: same inode, two links; once the output is
// replaced, the backup alone names the old bytes.
TEST(PosixFilesTest, LinkAsGivesTheOldFileASecondName) {
  TempFolder dir;
  auto files = MakePlatformFileSystem();
  dir.Put("a.bas", "old");
  dir.MakeFolder("bak");
  struct stat old = StatOf(dir / "a.bas");
  FileFacts facts = files->Inspect(dir / "a.bas");
  ASSERT_EQ(files->LinkAs(dir / "a.bas", facts, dir / "bak/a.bak"), LinkStatus::kLinked);
  struct stat backup = StatOf(dir / "bak/a.bak");
  EXPECT_EQ(backup.st_ino, old.st_ino);
  EXPECT_EQ(backup.st_nlink, 2u);
  EXPECT_EQ(StatOf(dir / "a.bas").st_nlink, 2u);
  EXPECT_EQ(Temporaries(dir / "bak"), std::vector<std::string>{});
  EXPECT_EQ(files->Resolve(dir / "BAK/A.BAK"), dir / "bak/a.bak");  // the listing knows it
  ASSERT_EQ(files->WriteWhole(dir / "a.bas", "new"), WriteStatus::kWritten);
  EXPECT_EQ(dir.Get("bak/a.bak"), "old");
  EXPECT_EQ(dir.Get("a.bas"), "new");
  EXPECT_EQ(StatOf(dir / "bak/a.bak").st_nlink, 1u);
  EXPECT_EQ(StatOf(dir / "bak/a.bak").st_ino, old.st_ino);
  EXPECT_NE(StatOf(dir / "a.bas").st_ino, old.st_ino);
  EXPECT_EQ(StatOf(dir / "a.bas").st_nlink, 1u);
}

TEST(PosixFilesTest, LinkAsReplacesAnOlderBackupInOneStep) {
  TempFolder dir;
  auto files = MakePlatformFileSystem();
  dir.Put("a.bas", "old");
  dir.Put("bak/A.BAK", "older");  // found ignoring case, and replaced under its own name
  std::filesystem::create_symlink(dir / "a.bas", dir / "bak/b.bak");
  ASSERT_EQ(files->LinkAs(dir / "a.bas", files->Inspect(dir / "a.bas"), dir / "bak/a.bak"),
            LinkStatus::kLinked);
  EXPECT_EQ(dir.Get("bak/A.BAK"), "old");
  EXPECT_EQ(StatOf(dir / "bak/A.BAK").st_ino, StatOf(dir / "a.bas").st_ino);
  EXPECT_FALSE(dir.Exists("bak/a.bak"));
  // A backup that is a symbolic link is replaced, never written through.
  dir.Put("b.bas", "bee");
  ASSERT_EQ(files->LinkAs(dir / "b.bas", files->Inspect(dir / "b.bas"), dir / "bak/b.bak"),
            LinkStatus::kLinked);
  EXPECT_TRUE(S_ISREG(StatOf(dir / "bak/b.bak").st_mode));
  EXPECT_EQ(dir.Get("a.bas"), "old");
  EXPECT_EQ(Temporaries(dir / "bak"), std::vector<std::string>{});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "bak"), {}), 2);
}

// The link is made, but a folder stands at the backup's name: the rename fails, the temporary
// link is removed, and the old file keeps its single name.
TEST(PosixFilesTest, ALinkThatCannotTakeItsNameIsRemoved) {
  TempFolder dir;
  auto files = MakePlatformFileSystem();
  dir.Put("a.bas", "old");
  dir.Put("bak/a.bak/inside", "x");
  EXPECT_EQ(files->LinkAs(dir / "a.bas", files->Inspect(dir / "a.bas"), dir / "bak/a.bak"),
            LinkStatus::kFailed);
  EXPECT_EQ(Temporaries(dir / "bak"), std::vector<std::string>{});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "bak"), {}), 1);
  EXPECT_EQ(StatOf(dir / "a.bas").st_nlink, 1u);
  EXPECT_EQ(dir.Get("bak/a.bak/inside"), "x");
}

// What was inspected is what is linked: a file swapped meanwhile, a symbolic link put in its
// place, a further name made meanwhile, or a file that cannot be read is not linked.
TEST(PosixFilesTest, LinkAsRefusesAFileThatIsNoLongerTheOneInspected) {
  TempFolder dir;
  auto files = MakePlatformFileSystem();
  dir.MakeFolder("bak");
  dir.Put("a.bas", "old");
  FileFacts facts = files->Inspect(dir / "a.bas");
  ASSERT_EQ(files->WriteWhole(dir / "a.bas", "swapped"), WriteStatus::kWritten);  // a new inode
  EXPECT_EQ(files->LinkAs(dir / "a.bas", facts, dir / "bak/a.bak"), LinkStatus::kNotPossible);

  dir.Put("target.bas", "elsewhere");
  FileFacts target = files->Inspect(dir / "target.bas");
  std::filesystem::create_symlink(dir / "target.bas", dir / "link.bas");
  EXPECT_EQ(files->LinkAs(dir / "link.bas", target, dir / "bak/link.bak"),
            LinkStatus::kNotPossible);

  dir.Put("b.bas", "bee");
  FileFacts b = files->Inspect(dir / "b.bas");
  ASSERT_EQ(link((dir / "b.bas").c_str(), (dir / "other.bas").c_str()), 0);
  EXPECT_EQ(files->LinkAs(dir / "b.bas", b, dir / "bak/b.bak"), LinkStatus::kNotPossible);

  if (geteuid() != 0) {  // root reads anything
    dir.Put("c.bas", "secret");
    chmod((dir / "c.bas").c_str(), 0200);
    EXPECT_EQ(files->LinkAs(dir / "c.bas", files->Inspect(dir / "c.bas"), dir / "bak/c.bak"),
              LinkStatus::kNotPossible);
    chmod((dir / "c.bas").c_str(), 0600);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "bak"), {}), 0);
}

// A large file (16 MiB, sparse here) replaced under its last name is removed on the layer's own
// thread: whichever way it was replaced, the new content is in place at once, and once the layer
// is gone no temporary name is left. A replaced file with a second name goes at once.
TEST(PosixFilesTest, LargeReplacedFilesAreRemovedByTheTimeTheLayerIsGone) {
  TempFolder dir;
  auto files = MakePlatformFileSystem();
  auto large = [&](const std::string& name) {
    dir.Put(name, "x");
    ASSERT_EQ(truncate((dir / name).c_str(), off_t{16} << 20), 0);
  };
  large("a.bas");
  large("bak/a.bak");
  ino_t olderBackup = StatOf(dir / "bak/a.bak").st_ino;
  ASSERT_EQ(files->LinkAs(dir / "a.bas", files->Inspect(dir / "a.bas"), dir / "bak/a.bak"),
            LinkStatus::kLinked);
  ASSERT_EQ(files->WriteWhole(dir / "a.bas", "new"), WriteStatus::kWritten);
  EXPECT_EQ(dir.Get("a.bas"), "new");
  EXPECT_EQ(StatOf(dir / "bak/a.bak").st_size, off_t{16} << 20);
  EXPECT_NE(StatOf(dir / "bak/a.bak").st_ino, olderBackup);
  large("b.bas");  // no backup: the old output is the file removed
  ASSERT_EQ(files->WriteWhole(dir / "b.bas", "bee"), WriteStatus::kWritten);
  EXPECT_EQ(dir.Get("b.bas"), "bee");
  files.reset();
  EXPECT_EQ(Temporaries(dir.path()), std::vector<std::string>{});
  EXPECT_EQ(Temporaries(dir / "bak"), std::vector<std::string>{});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "bak"), {}), 1);
}

// A link the system refuses (here: another file system, EXDEV) changes nothing.
TEST(PosixFilesTest, ARefusedLinkChangesNothing) {
  TempFolder dir;
  auto files = MakePlatformFileSystem();
  dir.Put("a.bas", "old");
  FileFacts facts = files->Inspect(dir / "a.bas");
  std::string other;
  for (const char* candidate : {"/dev/shm", "/run/user", "/var/tmp"}) {
    struct stat st;
    if (stat(candidate, &st) == 0 && S_ISDIR(st.st_mode) &&
        static_cast<uint64_t>(st.st_dev) != facts.volume && access(candidate, W_OK) == 0) {
      other = candidate;
      break;
    }
  }
  if (other.empty()) GTEST_SKIP() << "no writable folder on another file system";
  std::string name = "fw-link-test-" + std::to_string(getpid()) + ".bak";
  EXPECT_EQ(files->LinkAs(dir / "a.bas", facts, other + "/" + name), LinkStatus::kNotPossible);
  for (const auto& e : std::filesystem::directory_iterator(other)) {
    EXPECT_EQ(e.path().filename().string().find(name), std::string::npos) << e.path();
  }
  EXPECT_EQ(StatOf(dir / "a.bas").st_nlink, 1u);
}

}  // namespace
}  // namespace fw
