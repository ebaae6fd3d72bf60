#include "generator/run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/display_fixed.h"
#include "tests/support/conversion_test.h"
#include "tests/support/faulty_files.h"
#include "textutil/text.h"

namespace fw {
namespace {

class RunTest : public ConversionTest {
 protected:
  void SetUp() override {
    folder_.Put("root/set.tpl", "main ~PROJNAME~\n~OPTION~|~DECLARE~|~DLGMAIN~\n~DIALOG~");
    folder_.Put("root/set/dialogex.tpl",
                "[OPTION]\nopt ~DLGNAME~ ~PROJNAME~\n[DLGPROC]\nsub ~DLGNAME~_Proc()\nend sub\n");
    folder_.Put("root/set/Button.tpl",
                "[SAMPLE]\nsub ~CTLID~_Sample()\nend sub\n[EVENT]\nsub ~CTLID~_Click()\nend sub\n");
    folder_.Put("work/dialogs.rc", CrLf({"#define X 1", "A DIALOGEX 0,0,1,1", "BEGIN",
                                         "CONTROL \"b\",B1,\"Button\",0x0,1,1,1,1", "END",
                                         "B DIALOGEX 0,0,1,1", "BEGIN", "END"}));
    options_.scriptBase = folder_ / "work/dialogs";
  }
  RunResult Run(const std::string& set = "set") { return Convert(folder_ / "root", set); }
};

TEST_F(RunTest, FirstRunSingleFile) {
  RunResult result = Run();
  EXPECT_TRUE(result.made);
  std::string path = folder_ / "work/dialogs";
  EXPECT_EQ(folder_.Get("work/dialogs.bas"),
            "main " + path +
                "\r\nopt A ~PROJNAME~\r\nopt ~DLGNAME~ ~PROJNAME~\r\n|declare sub "
                "A_Proc()\r\ndeclare sub B_Proc()\r\ndeclare sub B1_Sample()\r\n"
                "declare sub B1_Click()\r\n\r\nsub B1_Sample()\r\nend sub\r\n\r\nsub B1_Click()\r\n"
                "end sub\r\n|A\r\nsub A_Proc()\r\nend sub\r\nsub B_Proc()\r\nend sub\r\n\r\n");
  EXPECT_EQ(folder_.Get("work/dialogs.fbp"),
            "[File]\r\n1=dialogs.bas\r\n2=dialogs.rc\r\n[FileInfo]");
  EXPECT_EQ(result.written.size(), 2u);
}

TEST_F(RunTest, OptionPlaceholderOfADialogWithoutControlsWaitsForTheNextControl) {
  Run();
  // B has no control, so nothing fills its "~DLGNAME~"; "~PROJNAME~" is only for the main template.
  EXPECT_NE(folder_.Get("work/dialogs.bas").find("opt ~DLGNAME~ ~PROJNAME~"), std::string::npos);
}

TEST_F(RunTest, SecondRunBacksUpTheFirstAndKeepsTheProjectFileAroundItsList) {
  folder_.MakeFolder("work/bak");
  Run();
  EXPECT_FALSE(folder_.Exists("work/bak/dialogs.bak"));  // nothing before the first run
  std::string first = folder_.Get("work/dialogs.bas");
  FileFacts firstFile = files_->Inspect(folder_ / "work/dialogs.bas");
  folder_.Put("work/dialogs.fbp", "head\r\n[File]\r\n1=old\r\n[FileInfo]\r\ntail\r\n[FileInfo]x");
  Run();
  EXPECT_EQ(folder_.Get("work/bak/dialogs.bak"), first);
  // The backup is the first run's file itself, linked and no longer its output's name.
  FileFacts backup = files_->Inspect(folder_ / "work/bak/dialogs.bak");
  EXPECT_EQ(backup.id, firstFile.id);
  EXPECT_EQ(backup.links, 1u);
  EXPECT_EQ(folder_.Get("work/dialogs.fbp"),
            "head\r\n[File]\r\n1=dialogs.bas\r\n2=dialogs.rc\r\n[FileInfo]\r\ntail\r\n");
}

TEST_F(RunTest, ProjectFilesWithoutTheirMarkers) {
  folder_.Put("work/dialogs.fbp", "only head\r\n");
  Run();
  EXPECT_EQ(folder_.Get("work/dialogs.fbp"),
            "only head\r\n[File]\r\n1=dialogs.bas\r\n2=dialogs.rc\r\n[FileInfo]");
  folder_.Put("work/dialogs.fbp", "h[File]\r\nlost");
  Run();
  EXPECT_EQ(folder_.Get("work/dialogs.fbp"),
            "h[File]\r\n1=dialogs.bas\r\n2=dialogs.rc\r\n[FileInfo]");
}

TEST_F(RunTest, MultiFileModeListsAndIncludesEachDialog) {
  options_.multiFile = true;
  Run();
  EXPECT_EQ(folder_.Get("work/dialogs.fbp"),
            "[File]\r\n1=dialogs.bas\r\n2=dialogs.rc\r\n3=A.bi\r\n4=B.bi\r\n[FileInfo]");
  std::string bas = folder_.Get("work/dialogs.bas");
  EXPECT_NE(bas.find("declare sub B1_Sample()\r\ndeclare sub B1_Click()\r\ndeclare sub A_Proc()\r\n"
                     "declare sub B_Proc()\r\n\r\n#include once \"A.bi\"\r\n"
                     "#include once \"B.bi\"\r\n|A"),
            std::string::npos)
      << bas;
  EXPECT_EQ(folder_.Get("work/A.bi"),
            "sub B1_Sample()\r\nend sub\r\n\r\n\r\nsub B1_Click()\r\nend sub\r\n");
}

// The whole language reads a dialog name once itself; names it makes into identifiers can
// still meet ("ABOUT.DLG" and ABOUT_DLG, a number and IDD_ with it).
TEST_F(RunTest, NamesMadeIdentifiersMeetOnlyOnce) {
  options_.fullSyntax = true;
  folder_.Put("work/dialogs.rc",
              CrLf({"\"about.dlg\" DIALOGEX 0,0,1,1", "BEGIN", "END", "ABOUT_DLG DIALOGEX 0,0,1,1",
                    "BEGIN", "END", "100 DIALOGEX 0,0,1,1", "BEGIN", "END",
                    "IDD_100 DIALOGEX 0,0,1,1", "BEGIN", "END"}));
  Run();
  std::string bas = folder_.Get("work/dialogs.bas");
  EXPECT_NE(bas.find("|ABOUT_DLG\r\nsub ABOUT_DLG_Proc()\r\nend sub\r\nsub IDD_100_Proc()\r\n"
                     "end sub\r\n\r\n"),
            std::string::npos)
      << bas;
  EXPECT_EQ(diagnostics_.items().size(), 2u);
}

TEST_F(RunTest, MainPlaceholdersRunInOrderOnTheGrowingText) {
  folder_.Put("root/order.tpl", "~DLGMAIN~ ~OPTION~\n");
  folder_.Put("root/order/dialogex.tpl", "[OPTION]\n~INCLUDE~ ~DIALOG~ ~PROJNAME~\n");
  folder_.Put("root/order/Button.tpl", "[INCLUDE]\ninc\n");
  Run("order");
  EXPECT_EQ(folder_.Get("work/dialogs.bas"),
            "A inc\r\n  ~PROJNAME~\r\ninc\r\n  ~PROJNAME~\r\n\r\n");
}

TEST_F(RunTest, MissingScriptOrMainTemplateWritesNothing) {
  folder_.Put("work/dialogs.bas", "keep");
  RunResult result = Run("absent");
  EXPECT_FALSE(result.made);
  EXPECT_EQ(folder_.Get("work/dialogs.bas"), "keep");
  EXPECT_FALSE(folder_.Exists("work/dialogs.fbp"));
  options_.scriptBase = folder_ / "work/nothing";
  EXPECT_FALSE(Run().made);
  EXPECT_FALSE(folder_.Exists("work/nothing.bas"));
  EXPECT_EQ(diagnostics_.items().size(), 1u);
}

TEST_F(RunTest, EmptyMainSourceGetsNoBackupAndAnOlderBackupStays) {
  folder_.MakeFolder("work/bak");
  folder_.Put("work/bak/dialogs.bak", "older backup");
  folder_.Put("work/dialogs.bas", "");
  Run();
  EXPECT_EQ(folder_.Get("work/bak/dialogs.bak"), "older backup");
}

TEST_F(RunTest, AFailedBackupKeepsTheMainSource) {
  folder_.MakeFolder("work/bak/dialogs.bak");  // a folder stands where the backup goes
  folder_.Put("work/dialogs.bas", "hand edited");
  RunResult result = Run();
  EXPECT_TRUE(result.made);
  EXPECT_EQ(folder_.Get("work/dialogs.bas"), "hand edited");
  EXPECT_EQ(diagnostics_.NotWrittenCount(), 1u);
  EXPECT_TRUE(folder_.Exists("work/dialogs.fbp"));
  // The link made for the backup could not take its name, and is gone.
  EXPECT_EQ(files_->ListFolder(folder_ / "work/bak").size(), 1u);
  EXPECT_EQ(files_->Inspect(folder_ / "work/dialogs.bas").links, 1u);
}

TEST_F(RunTest, ABakThatIsAFileMeansNoBackup) {
  folder_.Put("work/bak", "not a folder");
  folder_.Put("work/dialogs.bas", "old");
  Run();
  EXPECT_TRUE(diagnostics_.items().empty());
  EXPECT_NE(folder_.Get("work/dialogs.bas"), "old");
}

// Files found in another letter case are written under their own names, and named so.
TEST_F(RunTest, WrittenFilesAreNamedAsOnDisk) {
  folder_.MakeFolder("work/BAK");
  folder_.Put("work/DIALOGS.BAS", "old main");
  RunResult result = Run();
  EXPECT_EQ(result.written,
            (std::vector<std::string>{folder_ / "work/BAK/dialogs.bak",
                                      folder_ / "work/DIALOGS.BAS", folder_ / "work/dialogs.fbp"}));
  EXPECT_EQ(folder_.Get("work/BAK/dialogs.bak"), "old main");
}

TEST_F(RunTest, RunsDoNotMix) {
  Run();
  std::string first = folder_.Get("work/dialogs.bas");
  Run();
  EXPECT_EQ(folder_.Get("work/dialogs.bas"), first);
}

TEST_F(RunTest, AnUnreadableProjectFileIsNotOverwritten) {
  folder_.Put("work/dialogs.fbp", "head[File]\r\n1=x\r\n[FileInfo]tail");
  FaultyFileSystem faulty(*files_);
  faulty.FailReads("dialogs.fbp");
  Platform platform{faulty, display_};
  RunResult result = Convert(folder_ / "root", "set", platform);
  EXPECT_TRUE(result.made);
  EXPECT_EQ(folder_.Get("work/dialogs.fbp"), "head[File]\r\n1=x\r\n[FileInfo]tail");
  ASSERT_EQ(diagnostics_.NotWrittenCount(), 1u);
  EXPECT_EQ(diagnostics_.items()[0].path, folder_ / "work/dialogs.fbp");
  EXPECT_TRUE(folder_.Exists("work/dialogs.bas"));
}

// A control whose name holds its text's placeholder and whose text holds its name's doubles the
// placeholders with every control: the text limit stops it, and nothing made from it is written.
TEST_F(RunTest, PlaceholdersThatGrowWithoutEndStopAtTheTextLimit) {
  folder_.Put("root/set/Button.tpl", "[SAMPLE]\n~CTLID~\n[OPTION]\n~CTLID~\n");
  std::string script = "A DIALOGEX 0,0,1,1\r\nBEGIN\r\n";
  for (int i = 0; i < 40; ++i) {
    script += "CONTROL \"~CTLID~~CTLID~\",~CTLTEXT~~CTLTEXT~,\"Button\",0,1,1,1,1\r\n";
  }
  folder_.Put("work/dialogs.rc", script + "END\r\nB DIALOGEX 0,0,1,1\r\n");
  folder_.Put("work/dialogs.bas", "hand edited");
  session_.substitution.textLimit = size_t{1} << 20;
  options_.multiFile = true;
  RunResult result = Run();
  EXPECT_TRUE(result.made);
  EXPECT_EQ(folder_.Get("work/dialogs.bas"), "hand edited");
  EXPECT_FALSE(folder_.Exists("work/A.bi"));
  EXPECT_FALSE(folder_.Exists("work/B.bi"));
  EXPECT_TRUE(folder_.Exists("work/dialogs.fbp"));
  ASSERT_EQ(diagnostics_.NotWrittenCount(), 3u);
  EXPECT_NE(diagnostics_.items().back().message.find("larger than 1 MiB"), std::string::npos);
  // The next run starts afresh.
  folder_.Put("work/dialogs.rc", "C DIALOGEX 0,0,1,1\r\n");
  Run();
  EXPECT_EQ(diagnostics_.NotWrittenCount(), 0u);
  EXPECT_NE(folder_.Get("work/dialogs.bas"), "hand edited");
}

TEST_F(RunTest, MainTemplatePlaceholdersStopAtTheTextLimit) {
  std::string many;
  for (int i = 0; i < 20000; ++i) many += "~PROJNAME~~DIALOG~";
  folder_.Put("root/set.tpl", many);
  folder_.Put("work/dialogs.bas", "hand edited");
  session_.substitution.textLimit = size_t{1} << 20;
  Run();
  EXPECT_EQ(folder_.Get("work/dialogs.bas"), "hand edited");
  EXPECT_EQ(diagnostics_.NotWrittenCount(), 1u);
}

// Reading that stops before the script's end (here at the limit on nested #if) leaves a main
// source without the dialogs after that point: it is not written, and the limit is named.
TEST_F(RunTest, AScriptNotReadToItsEndWritesNoMainSource) {
  options_.fullSyntax = true;
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "#if 1\r\n";
  folder_.Put("work/dialogs.rc", "A DIALOGEX 0,0,1,1\r\nBEGIN\r\nEND\r\n" + deep +
                                     "B DIALOGEX 0,0,1,1\r\nBEGIN\r\nEND\r\n");
  folder_.Put("work/dialogs.bas", "hand edited");
  options_.multiFile = true;
  RunResult result = Run();
  EXPECT_TRUE(result.made);
  EXPECT_EQ(folder_.Get("work/dialogs.bas"), "hand edited");
  EXPECT_TRUE(folder_.Exists("work/A.bi"));  // whole in itself
  ASSERT_EQ(diagnostics_.NotWrittenCount(), 1u);
  EXPECT_EQ(diagnostics_.items().back().path, folder_ / "work/dialogs.bas");
  bool named = false;
  for (const Diagnostic& d : diagnostics_.items()) {
    named = named || d.path == (folder_ / "work/dialogs.rc") + ":4100";
  }
  EXPECT_TRUE(named);
  // Read to its end, the same script writes it.
  folder_.Put("work/dialogs.rc", "A DIALOGEX 0,0,1,1\r\nBEGIN\r\nEND\r\n");
  Run();
  EXPECT_EQ(diagnostics_.NotWrittenCount(), 0u);
  EXPECT_NE(folder_.Get("work/dialogs.bas"), "hand edited");
}

// Long-lived texts set aside in scratch files after every dialog give the same files; a
// scratch file that cannot be made or written keeps the rest in memory, one that cannot be
// read back leaves the old main source as it was.
TEST_F(RunTest, TextsSetAsideGiveTheSameFilesAndNothingIsLostWhenScratchFilesFail) {
  std::string script = "#define X 1\r\n";
  for (int d = 0; d < 40; ++d) {
    std::string n = std::to_string(d);
    for (const char* line :
         {"D DIALOGEX 0,0,1,1", "BEGIN", "CONTROL \"b\",B,\"Button\",0x0,1,1,1,1",
          "CONTROL \"c\",C,\"Button\",0x0,1,1,1,1", "END"}) {
      script += ReplaceAll("D ", "D" + n + " ", ReplaceAll(",B,", ",B" + n + ",", line)) + "\r\n";
    }
  }
  folder_.Put("work/dialogs.rc", script);
  for (bool multi : {false, true}) {
    options_.multiFile = multi;
    Run();
    std::string inMemory = folder_.Get("work/dialogs.bas");
    session_.substitution.spillAbove = 1;
    FaultyFileSystem faulty(*files_);
    Platform platform{faulty, display_};
    using Fault = FaultyFileSystem::ScratchFault;
    for (Fault fault : {Fault::kNone, Fault::kCannotMake, Fault::kAppend}) {
      faulty.FailScratch(fault, 25);
      Convert(folder_ / "root", "set", platform);
      EXPECT_EQ(folder_.Get("work/dialogs.bas"), inMemory) << multi << static_cast<int>(fault);
      EXPECT_EQ(diagnostics_.NotWrittenCount(), 0u);
    }
    faulty.FailScratch(Fault::kRead);
    folder_.Put("work/dialogs.bas", "hand edited");
    Convert(folder_ / "root", "set", platform);
    EXPECT_EQ(folder_.Get("work/dialogs.bas"), "hand edited");
    EXPECT_EQ(diagnostics_.NotWrittenCount(), 1u);
    session_.substitution.spillAbove = kDefaultSpillAbove;
  }
  for (const auto& entry : std::filesystem::directory_iterator(folder_ / "work")) {
    std::string name = entry.path().filename().string();
    EXPECT_EQ(name.find("fw"), std::string::npos) << name;  // no scratch or temporary file left
  }
}

}  // namespace
}  // namespace fw
