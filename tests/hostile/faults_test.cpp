// Failed writes through the command line: every old file stays as it was, each output not
// written is named, and the exit code says so. Also what --dry-run and the diagnostics promise.
#include <gtest/gtest.h>

#include <sstream>

#include "frontend/cli.h"
#include "platform/display_fixed.h"
#include "tests/support/faulty_files.h"
#include "tests/support/temp_folder.h"

namespace fw {
namespace {

class FaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Put("root/set.tpl", "main\n~DECLARE~\n~DIALOG~\n");
    folder_.Put("root/set/dialogex.tpl", "[DLGPROC]\nsub ~DLGNAME~_Proc()\nend sub\n");
    folder_.Put("root/set/Button.tpl", "[SAMPLE]\nsub ~CTLID~_Sample()\nend sub\n");
    folder_.Put("work/dialogs.rc",
                CrLf({"A DIALOGEX 0,0,1,1", "BEGIN", "CONTROL \"b\",B1,\"Button\",0,1,1,1,1", "END",
                      "B DIALOGEX 0,0,1,1", "BEGIN", "END"}));
    folder_.MakeFolder("work/bak");
    for (const char* name : {"dialogs.bas", "dialogs.fbp", "A.bi", "B.bi"}) {
      folder_.Put(std::string("work/") + name, std::string("old ") + name);
    }
  }

  int Run(FileSystem& files, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"--base-units", "6,13", "--multi", "--template-root",
                                     folder_ / "root"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(folder_ / "work/dialogs.rc");
    out_.str("");
    err_.str("");
    CliEnvironment env{files, [] { return std::make_unique<FixedDisplay>(6, 13); }, out_, err_};
    return RunCommandLine(args, env);
  }
  bool Named(const std::string& name) const {
    return err_.str().find(folder_ / ("work/" + name) + ": not") != std::string::npos;
  }

  TempFolder folder_;
  std::unique_ptr<FileSystem> real_ = MakePlatformFileSystem();
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(FaultsTest, EachFailedWriteKeepsItsFileAndIsNamed) {
  struct Case {
    std::string failing;  // the write that fails
    std::string keeps;    // the output that must stay as it was
    WriteStatus status;
  };
  const Case cases[] = {
      {"work/dialogs.bas", "dialogs.bas", WriteStatus::kWriteFailed},
      {"work/dialogs.fbp", "dialogs.fbp", WriteStatus::kCannotCreate},
      {"work/A.bi", "A.bi", WriteStatus::kWriteFailed},
      {"bak/dialogs.bak", "dialogs.bas", WriteStatus::kWriteFailed},  // no backup, no overwrite
      {"bak/B.bak", "B.bi", WriteStatus::kCannotCreate},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failing);
    SetUp();
    FaultyFileSystem faulty(*real_);
    faulty.FailWrites(c.failing, c.status);
    EXPECT_EQ(Run(faulty), kExitNotWritten);
    EXPECT_EQ(folder_.Get("work/" + c.keeps), "old " + c.keeps);
    EXPECT_TRUE(Named(c.keeps)) << err_.str();
    EXPECT_NE(err_.str().find("1 output not written"), std::string::npos) << err_.str();
    // Every other output was written, after its backup.
    for (const char* name : {"dialogs.bas", "dialogs.fbp", "A.bi", "B.bi"}) {
      if (name == c.keeps) continue;
      EXPECT_NE(folder_.Get(std::string("work/") + name), std::string("old ") + name) << name;
    }
    EXPECT_NE(out_.str().find("wrote"), std::string::npos);
  }
}

// The backups are links to the old files; each step of making one can fail. A refused link
// gives a copy and the output is written; a link that cannot take its name keeps the output
// and the older backup, names it, and leaves no temporary name.
TEST_F(FaultsTest, EachFailedBackupLinkLosesNothing) {
  for (LinkStatus step : {LinkStatus::kNotPossible, LinkStatus::kFailed}) {
    SCOPED_TRACE(static_cast<int>(step));
    SetUp();
    folder_.Put("work/bak/A.bak", "older A");
    FaultyFileSystem faulty(*real_);
    faulty.FailLinks("bak/A.bak", step);
    bool copies = step == LinkStatus::kNotPossible;
    EXPECT_EQ(Run(faulty), copies ? kExitOk : kExitNotWritten);
    EXPECT_EQ(folder_.Get("work/bak/A.bak"), copies ? "old A.bi" : "older A");
    EXPECT_EQ(folder_.Get("work/A.bi") == "old A.bi", !copies);
    EXPECT_EQ(Named("A.bi"), !copies) << err_.str();
    EXPECT_EQ(faulty.linked().size(), 2u);  // dialogs.bak and B.bak
    for (const char* name : {"dialogs.bak", "B.bak"}) {
      EXPECT_EQ(real_->Inspect(folder_ / (std::string("work/bak/") + name)).links, 1u) << name;
    }
    for (const FolderEntry& e : real_->ListFolder(folder_ / "work/bak")) {
      EXPECT_EQ(e.name.find(".fwtmp"), std::string::npos) << e.name;
    }
    EXPECT_EQ(real_->ListFolder(folder_ / "work/bak").size(), 3u);
  }
}

TEST_F(FaultsTest, EveryWriteFailingLeavesEverythingAndNamesEachOutput) {
  FaultyFileSystem faulty(*real_);
  faulty.FailWrites("");  // every path ends in the empty text
  EXPECT_EQ(Run(faulty), kExitNotWritten);
  for (const char* name : {"dialogs.bas", "dialogs.fbp", "A.bi", "B.bi"}) {
    EXPECT_EQ(folder_.Get(std::string("work/") + name), std::string("old ") + name);
    EXPECT_TRUE(Named(name)) << name << "\n" << err_.str();
  }
  EXPECT_NE(err_.str().find("4 outputs not written"), std::string::npos);
  EXPECT_EQ(out_.str(), "");
}

TEST_F(FaultsTest, ExitZeroOnlyWhenEveryOutputWasWritten) {
  folder_.Put("work/dialogs.rc", CrLf({"A DIALOGEX 0,0,1,1", "BEGIN",
                                       "CONTROL \"x\",X1,\"NoSuchClass\",0,1,1,1,1", "END"}));
  EXPECT_EQ(Run(*real_), kExitOk);  // a warning alone does not fail the run
  EXPECT_NE(err_.str().find("warning"), std::string::npos);
  EXPECT_EQ(folder_.Get("work/bak/dialogs.bak"), "old dialogs.bas");
}

TEST_F(FaultsTest, DryRunExitsAsTheRealRunAndWritesNothing) {
  folder_.MakeFolder("work/A.bi.d");
  EXPECT_EQ(Run(*real_, {"--dry-run"}), kExitOk);
  EXPECT_EQ(folder_.Get("work/dialogs.bas"), "old dialogs.bas");
  EXPECT_FALSE(folder_.Exists("work/bak/dialogs.bak"));
  EXPECT_NE(out_.str().find("would write"), std::string::npos);

  std::filesystem::remove(folder_ / "work/A.bi");
  folder_.MakeFolder("work/A.bi");  // an output that is a folder cannot be written
  EXPECT_EQ(Run(*real_, {"--dry-run"}), kExitNotWritten);
  EXPECT_TRUE(Named("A.bi")) << err_.str();
  EXPECT_EQ(folder_.Get("work/dialogs.bas"), "old dialogs.bas");
  EXPECT_EQ(Run(*real_), kExitNotWritten);
  EXPECT_TRUE(Named("A.bi")) << err_.str();
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / "work/A.bi"));
}

// Names come from the script: escape sequences and megabytes must not reach the terminal.
TEST_F(FaultsTest, DiagnosticsShowNamesSafelyAndShortly) {
  std::string longName(100000, 'n');
  folder_.Put("work/dialogs.rc", CrLf({"\x1b]0;owned\x07 DIALOGEX 0,0,1,1", "BEGIN", "END",
                                       longName + " DIALOGEX 0,0,1,1", "BEGIN", "END"}));
  EXPECT_EQ(Run(*real_), kExitNotWritten);
  std::string err = err_.str();
  EXPECT_EQ(err.find('\x1b'), std::string::npos);
  EXPECT_NE(err.find("\\x1b]0;owned\\x07"), std::string::npos) << err;
  EXPECT_LT(err.size(), 2000u);
  EXPECT_NE(err.find("bytes ...]"), std::string::npos) << err;
}

}  // namespace
}  // namespace fw
