// Backups: a hard link to the old file where that is safe, a copy otherwise, and nothing lost
// when a step fails. Faults are injected at each step through FaultyFileSystem; link counts
// and file identities are those Inspect tells (st_nlink and st_ino, or the Windows file index).
#include "output/output_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/dry_run_files.h"
#include "tests/support/faulty_files.h"
#include "tests/support/temp_folder.h"

namespace fw {
namespace {

class OutputWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.MakeFolder("bak");
    dir_.Put("a.bas", "old");
  }
  std::string Path(const std::string& name) { return dir_ / name; }
  std::string OutputDir() { return dir_.path() + real_->Separator(); }
  // One run writing `content` over a.bas, through `files`.
  std::vector<std::string> Run(FileSystem& files, const std::string& content = "new") {
    OutputWriter writer(files, OutputDir(), diagnostics_);
    writer.WriteWithBackup(Path("a.bas"), "a.bak", content);
    return writer.TakeWritten();
  }
  // Names in the folder holding ".fwtmp", or Windows' temporary files ("fw*.tmp").
  std::vector<std::string> Temporaries(const std::string& folder) {
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(dir_ / folder)) {
      std::string name = e.path().filename().string();
      if (name.find(".fwtmp") != std::string::npos || name.ends_with(".tmp")) left.push_back(name);
    }
    return left;
  }
  size_t Entries(const std::string& folder) {
    return static_cast<size_t>(
        std::distance(std::filesystem::directory_iterator(dir_ / folder), {}));
  }

  TempFolder dir_;
  std::unique_ptr<FileSystem> real_ = MakePlatformFileSystem();
  Diagnostics diagnostics_;
};

using Names = std::vector<std::string>;

// The normal case: no byte copied. The backup is the old file itself (its identity), and after
// the output is replaced it has one name again.
TEST_F(OutputWriterTest, TheBackupIsTheOldFileLinked) {
  FileFacts old = real_->Inspect(Path("a.bas"));
  FaultyFileSystem faulty(*real_);
  EXPECT_EQ(Run(faulty), (Names{Path("bak/a.bak"), Path("a.bas")}));
  EXPECT_TRUE(diagnostics_.items().empty());
  EXPECT_EQ(faulty.linked(), Names{Path("bak/a.bak")});
  EXPECT_EQ(faulty.attempts(), Names{Path("a.bas")});  // the backup was no write
  EXPECT_EQ(dir_.Get("bak/a.bak"), "old");
  EXPECT_EQ(dir_.Get("a.bas"), "new");
  FileFacts backup = real_->Inspect(Path("bak/a.bak"));
  EXPECT_EQ(backup.id, old.id);
  EXPECT_EQ(backup.links, 1u);
  EXPECT_NE(real_->Inspect(Path("a.bas")).id, old.id);
  EXPECT_EQ(real_->Inspect(Path("a.bas")).links, 1u);
  EXPECT_EQ(Temporaries("bak"), Names{});
  EXPECT_EQ(Temporaries("."), Names{});
}

TEST_F(OutputWriterTest, ARefusedLinkMeansACopy) {
  FaultyFileSystem faulty(*real_);
  faulty.FailLinks("a.bak", LinkStatus::kNotPossible);
  EXPECT_EQ(Run(faulty), (Names{Path("bak/a.bak"), Path("a.bas")}));
  EXPECT_TRUE(diagnostics_.items().empty());
  EXPECT_EQ(faulty.linkAttempts(), Names{Path("bak/a.bak")});
  EXPECT_EQ(faulty.linked(), Names{});
  EXPECT_EQ(faulty.attempts(), (Names{Path("bak/a.bak"), Path("a.bas")}));
  EXPECT_EQ(dir_.Get("bak/a.bak"), "old");
  EXPECT_EQ(dir_.Get("a.bas"), "new");
}

// The link was made but could not take the backup's name: nothing is lost, the older backup
// stays, the output is not overwritten, and the user is told so.
TEST_F(OutputWriterTest, ALinkThatCannotBeRenamedKeepsEverything) {
  dir_.Put("bak/a.bak", "older");
  FaultyFileSystem faulty(*real_);
  faulty.FailLinks("a.bak", LinkStatus::kFailed);
  EXPECT_EQ(Run(faulty), Names{});
  EXPECT_EQ(dir_.Get("a.bas"), "old");
  EXPECT_EQ(dir_.Get("bak/a.bak"), "older");
  EXPECT_EQ(faulty.attempts(), Names{});  // no copy tried, no output written
  ASSERT_EQ(diagnostics_.items().size(), 1u);
  EXPECT_EQ(diagnostics_.items()[0].path, Path("a.bas"));
  EXPECT_EQ(diagnostics_.items()[0].message,
            "not overwritten: its backup " + Path("bak/a.bak") + " cannot be created or replaced");
  EXPECT_EQ(diagnostics_.NotWrittenCount(), 1u);
  EXPECT_EQ(real_->Inspect(Path("a.bas")).links, 1u);
}

// The same through the real layer: a folder stands where the backup goes, so the rename of the
// link fails; the temporary link is gone.
TEST_F(OutputWriterTest, AFolderAtTheBackupsNameFailsTheRenameAndLeavesNoTemporaryName) {
  dir_.Put("bak/a.bak/inside", "x");
  FaultyFileSystem faulty(*real_);
  EXPECT_EQ(Run(faulty), Names{});
  EXPECT_EQ(faulty.linkAttempts(), Names{Path("bak/a.bak")});
  EXPECT_EQ(dir_.Get("a.bas"), "old");
  EXPECT_EQ(diagnostics_.NotWrittenCount(), 1u);
  EXPECT_EQ(Temporaries("bak"), Names{});
  EXPECT_EQ(Entries("bak"), 1u);
  EXPECT_EQ(real_->Inspect(Path("a.bas")).links, 1u);
}

// A file with a second name (a hard link the user made) is copied, never linked: the other
// name keeps the old content after the run.
TEST_F(OutputWriterTest, AFileWithTwoNamesIsCopied) {
  std::error_code error;
  std::filesystem::create_hard_link(Path("a.bas"), Path("other.bas"), error);
  if (error) GTEST_SKIP() << "no hard links here: " << error.message();
  FaultyFileSystem faulty(*real_);
  EXPECT_EQ(Run(faulty), (Names{Path("bak/a.bak"), Path("a.bas")}));
  EXPECT_EQ(faulty.linkAttempts(), Names{});
  EXPECT_EQ(dir_.Get("bak/a.bak"), "old");
  EXPECT_EQ(dir_.Get("other.bas"), "old");
  EXPECT_EQ(dir_.Get("a.bas"), "new");
  EXPECT_EQ(real_->Inspect(Path("other.bas")).links, 1u);
  EXPECT_EQ(real_->Inspect(Path("bak/a.bak")).links, 1u);
  EXPECT_NE(real_->Inspect(Path("bak/a.bak")).id, real_->Inspect(Path("other.bas")).id);
}

// An output that is a symbolic link is copied through it and then replaced by a file; the file
// it pointed to is left alone.
TEST_F(OutputWriterTest, ASymbolicLinkAsOutputIsCopied) {
  std::filesystem::remove(Path("a.bas"));
  dir_.Put("target.txt", "old");
  std::error_code error;
  std::filesystem::create_symlink(Path("target.txt"), Path("a.bas"), error);
  if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
  FaultyFileSystem faulty(*real_);
  EXPECT_EQ(Run(faulty), (Names{Path("bak/a.bak"), Path("a.bas")}));
  EXPECT_EQ(faulty.linkAttempts(), Names{});
  EXPECT_EQ(dir_.Get("bak/a.bak"), "old");
  EXPECT_EQ(dir_.Get("target.txt"), "old");
  EXPECT_EQ(dir_.Get("a.bas"), "new");
  EXPECT_EQ(real_->Inspect(Path("a.bas")).kind, FileFacts::Kind::kFile);
  EXPECT_EQ(real_->Inspect(Path("target.txt")).links, 1u);
}

// A "bak" that is a symbolic link is followed, as documented, and its backups are copies.
TEST_F(OutputWriterTest, ASymbolicLinkAsBakIsFollowedWithACopy) {
  std::filesystem::remove(Path("bak"));
  dir_.MakeFolder("elsewhere");
  std::error_code error;
  std::filesystem::create_directory_symlink(Path("elsewhere"), Path("bak"), error);
  if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
  FaultyFileSystem faulty(*real_);
  EXPECT_EQ(Run(faulty), (Names{Path("bak/a.bak"), Path("a.bas")}));
  EXPECT_EQ(faulty.linkAttempts(), Names{});
  EXPECT_EQ(dir_.Get("elsewhere/a.bak"), "old");
  EXPECT_EQ(real_->Inspect(Path("elsewhere/a.bak")).links, 1u);
}

TEST_F(OutputWriterTest, AnOlderBackupIsReplaced) {
  dir_.Put("bak/a.bak", "older");
  FileFacts old = real_->Inspect(Path("a.bas"));
  Run(*real_);
  EXPECT_TRUE(diagnostics_.items().empty());
  EXPECT_EQ(dir_.Get("bak/a.bak"), "old");
  EXPECT_EQ(real_->Inspect(Path("bak/a.bak")).id, old.id);
  EXPECT_EQ(Entries("bak"), 1u);
}

// Each run backs up what the one before wrote; every file has one name in the end.
TEST_F(OutputWriterTest, EachRunBacksUpTheOneBefore) {
  Run(*real_, "first");
  FileFacts first = real_->Inspect(Path("a.bas"));
  Run(*real_, "second");
  EXPECT_EQ(dir_.Get("bak/a.bak"), "first");
  EXPECT_EQ(dir_.Get("a.bas"), "second");
  EXPECT_EQ(real_->Inspect(Path("bak/a.bak")).id, first.id);
  EXPECT_EQ(real_->Inspect(Path("bak/a.bak")).links, 1u);
  EXPECT_EQ(real_->Inspect(Path("a.bas")).links, 1u);
  EXPECT_EQ(Entries("bak"), 1u);
  EXPECT_TRUE(diagnostics_.items().empty());
}

// Within a run a file is backed up once: its second write replaces the run's own output.
TEST_F(OutputWriterTest, OnceAFileAndRun) {
  OutputWriter writer(*real_, OutputDir(), diagnostics_);
  writer.WriteWithBackup(Path("a.bas"), "a.bak", std::string_view("first"));
  writer.WriteWithBackup(Path("a.bas"), "a.bak", std::string_view("second"));
  EXPECT_EQ(dir_.Get("bak/a.bak"), "old");
  EXPECT_EQ(dir_.Get("a.bas"), "second");
  EXPECT_EQ(writer.written(), (Names{Path("bak/a.bak"), Path("a.bas"), Path("a.bas")}));
}

// An empty old file has nothing to keep: no backup, no link, and an older backup stays.
TEST_F(OutputWriterTest, AnEmptyFileHasNoBackup) {
  dir_.Put("a.bas", "");
  dir_.Put("bak/a.bak", "older");
  FaultyFileSystem faulty(*real_);
  EXPECT_EQ(Run(faulty), Names{Path("a.bas")});
  EXPECT_EQ(faulty.linkAttempts(), Names{});
  EXPECT_EQ(dir_.Get("bak/a.bak"), "older");
}

// A file that cannot be read is neither linked nor copied, and not overwritten.
TEST_F(OutputWriterTest, AnUnreadableFileIsNotOverwritten) {
  FaultyFileSystem faulty(*real_);
  faulty.FailReads("a.bas");
  EXPECT_EQ(Run(faulty), Names{});
  EXPECT_EQ(faulty.linked(), Names{});
  EXPECT_EQ(dir_.Get("a.bas"), "old");
  EXPECT_FALSE(dir_.Exists("bak/a.bak"));
  ASSERT_EQ(diagnostics_.items().size(), 1u);
  EXPECT_EQ(diagnostics_.items()[0].message, "not overwritten: its old content cannot be read");
}

// A refused link falls back to the copy, and a copy that fails too keeps the output, as a
// backup that cannot be written always has.
TEST_F(OutputWriterTest, ARefusedLinkAndAFailedCopyKeepTheOutput) {
  dir_.Put("bak/a.bak", "older");
  FaultyFileSystem faulty(*real_);
  faulty.FailWrites("a.bak", WriteStatus::kWriteFailed);  // no link there either
  EXPECT_EQ(Run(faulty), Names{});
  EXPECT_EQ(faulty.linkAttempts(), Names{Path("bak/a.bak")});
  EXPECT_EQ(dir_.Get("a.bas"), "old");
  EXPECT_EQ(dir_.Get("bak/a.bak"), "older");
  ASSERT_EQ(diagnostics_.items().size(), 1u);
  EXPECT_EQ(diagnostics_.items()[0].message,
            "not overwritten: its backup " + Path("bak/a.bak") + " could not be written in full");
}

// The backup was linked, then the output could not be written: the old file keeps both names
// and its content; the next run copies it (two names) and replaces it.
TEST_F(OutputWriterTest, AFailedOutputAfterTheLinkLosesNothing) {
  FaultyFileSystem faulty(*real_);
  faulty.FailWrites("a.bas");
  EXPECT_EQ(Run(faulty), Names{Path("bak/a.bak")});
  EXPECT_EQ(dir_.Get("a.bas"), "old");
  EXPECT_EQ(dir_.Get("bak/a.bak"), "old");
  ASSERT_EQ(diagnostics_.items().size(), 1u);
  EXPECT_EQ(diagnostics_.items()[0].message, "not written: the file could not be written in full");
  EXPECT_EQ(real_->Inspect(Path("a.bas")).links, 2u);
  FaultyFileSystem next(*real_);
  Run(next);
  EXPECT_EQ(next.linkAttempts(), Names{});
  EXPECT_EQ(dir_.Get("bak/a.bak"), "old");
  EXPECT_EQ(dir_.Get("a.bas"), "new");
  EXPECT_EQ(real_->Inspect(Path("bak/a.bak")).links, 1u);
  EXPECT_EQ(real_->Inspect(Path("a.bas")).links, 1u);
  EXPECT_EQ(Temporaries("bak"), Names{});
}

// Backups of two files whose names differ only in case: the second takes a name of its own,
// linked as the first.
TEST_F(OutputWriterTest, ATakenBackupNameGivesAFreeOne) {
  dir_.Put("dialogs.bi", "include");
  OutputWriter writer(*real_, OutputDir(), diagnostics_);
  writer.WriteWithBackup(Path("a.bas"), "dialogs.bak", std::string_view("main"));
  writer.WriteWithBackup(Path("dialogs.bi"), "DIALOGS.bak", std::string_view("new include"));
  EXPECT_EQ(writer.written(), (Names{Path("bak/dialogs.bak"), Path("a.bas"),
                                     Path("bak/DIALOGS..bak"), Path("dialogs.bi")}));
  EXPECT_EQ(dir_.Get("bak/dialogs.bak"), "old");
  EXPECT_EQ(dir_.Get("bak/DIALOGS..bak"), "include");
}

// A dry run links nothing and copies nothing: it lists the backup and reads it back from the
// old file, which stays as it was with its one name.
TEST_F(OutputWriterTest, ADryRunRecordsTheLinkAndWritesNothing) {
  dir_.Put("bak/a.bak", "older");
  DryRunFileSystem dry(*real_);
  OutputWriter writer(dry, OutputDir(), diagnostics_);
  writer.WriteWithBackup(Path("a.bas"), "a.bak", std::string_view("new"));
  EXPECT_EQ(writer.written(), (Names{Path("bak/a.bak"), Path("a.bas")}));
  EXPECT_TRUE(diagnostics_.items().empty());
  EXPECT_EQ(dry.ReadWhole(Path("bak/a.bak")).value_or(""), "old");
  EXPECT_EQ(dry.ReadWhole(Path("a.bas")).value_or(""), "new");
  EXPECT_EQ(dir_.Get("bak/a.bak"), "older");
  EXPECT_EQ(dir_.Get("a.bas"), "old");
  EXPECT_EQ(real_->Inspect(Path("a.bas")).links, 1u);
  EXPECT_EQ(Entries("bak"), 1u);
  // A folder where the backup goes fails the dry run as it fails the real one.
  TempFolder other;
  other.Put("a.bas", "old");
  other.Put("bak/a.bak/inside", "x");
  Diagnostics dryDiagnostics;
  OutputWriter dryWriter(dry, other.path() + real_->Separator(), dryDiagnostics);
  dryWriter.WriteWithBackup(other / "a.bas", "a.bak", std::string_view("new"));
  Diagnostics realDiagnostics;
  OutputWriter realWriter(*real_, other.path() + real_->Separator(), realDiagnostics);
  realWriter.WriteWithBackup(other / "a.bas", "a.bak", std::string_view("new"));
  ASSERT_EQ(dryDiagnostics.items().size(), 1u);
  ASSERT_EQ(realDiagnostics.items().size(), 1u);
  EXPECT_EQ(dryDiagnostics.items()[0].message, realDiagnostics.items()[0].message);
  EXPECT_EQ(other.Get("a.bas"), "old");
}

}  // namespace
}  // namespace fw
