#include <gtest/gtest.h>

#include <filesystem>

#include "engine/state.h"
#include "platform/display_fixed.h"
#include "platform/line_reader.h"
#include "reader/control_parser.h"
#include "reader/declarations.h"
#include "reader/dialog_parser.h"
#include "reader/file_names.h"
#include "reader/scanner.h"
#include "tests/support/conversion_test.h"
#include "textutil/number.h"
#include "textutil/text.h"

namespace fw {
namespace {

const char kDialogTemplate[] =
    "[DLGPROC]\n"
    "dlg ~DLGNAME~ ~DLGX~,~DLGY~,~DLGW~,~DLGH~ px ~DLGPX~,~DLGPY~,~DLGPW~,~DLGPH~ "
    "\"~DLGTEXT~\" [~DLGSTYLE~] [~DLGEXSTYLE~]\n"
    "~WM_COMMAND~\n"
    "[STYLE]\n&h00C00000,WS_CAPTION\n";
const char kButtonTemplate[] =
    "[WM_COMMAND]\n"
    "ctl ~CTLID~ \"~CTLTEXT~\" ~CTLX~,~CTLY~,~CTLW~,~CTLH~ px ~CTLPX~,~CTLPY~,~CTLPW~,~CTLPH~ "
    "[~CTLSTYLE~] [~CTLEXSTYLE~]\n"
    "[SAMPLE]\nsub ~CTLID~_Sample()\nend sub\n"
    "[EVENT]\nsub ~CTLID~_Click()\nend sub\n"
    "[STYLE]\n&h50000000,WS_CHILD_VISIBLE\n";

class ReaderTest : public ConversionTest {
 protected:
  void SetUp() override {
    folder_.Put("set/dialogex.tpl", kDialogTemplate);
    folder_.Put("set/Button.tpl", kButtonTemplate);
    state_.TemplateDir = folder_ / "set";
    state_.RcPath = folder_ / "dialogs";
    state_.OutputDir = folder_.path() + "/";
    state_.ProjectName = "dialogs";
    state_.FileCount = 2;
  }
  // Scans `script` (lines joined with CR LF) and returns the dialog procedure text.
  std::string Scan(std::initializer_list<std::string> script) {
    folder_.Put("dialogs.rc", CrLf(script));
    state_.MeasureDC = display_.GetScreenContext();
    ScanResourceScript(state_, platform_);
    return std::string(state_.DlgProcText.text());
  }
  ControlRecord Control(const std::string& line, BaseUnits units = {6, 13}) {
    state_.DialogBaseUnits = units;
    ParseControlStatement(state_, line);
    return state_.CurrentControl;
  }
};

TEST_F(ReaderTest, ControlStatementFieldsAndPixels) {
  ControlRecord c =
      Control("CONTROL \"rc file\",IDC_BTN1,\"Button\",0x50010000,4,4,64,13,0x00000000");
  EXPECT_EQ(c.text, "rc file");
  EXPECT_EQ(c.name, "IDC_BTN1");
  EXPECT_EQ(c.className, "Button");
  EXPECT_EQ(c.style, 0x50010000);
  EXPECT_EQ(std::vector<int>({c.x, c.y, c.w, c.h, c.px, c.py, c.pw, c.ph, c.exStyle}),
            std::vector<int>({4, 4, 64, 13, 6, 7, 96, 21, 0}));
  EXPECT_EQ(Control("CONTROL \"\",ID,\"Static\",0x1,1,2,3,4").exStyle, 0);
}

TEST_F(ReaderTest, ControlStatementOddities) {
  ControlRecord comma = Control("CONTROL \"a,b\",ID,\"Button\",0x1,1,2,3,4");
  EXPECT_EQ(comma.text, "a");
  EXPECT_EQ(comma.name, "b\"");
  EXPECT_EQ(comma.className, "ID");
  ControlRecord blanks = Control("CONTROL \"t\", ID, \"Button\", 0x10, 5, 6, 7, 8");
  EXPECT_EQ(blanks.name, " ID");
  EXPECT_EQ(blanks.className, " \"Button");
  EXPECT_EQ(blanks.x, 5);
  EXPECT_EQ(blanks.style, 16);  // leading blanks are skipped
  ControlRecord nested = Control("CONTROL \"say CONTROL now\",ID,\"Button\",0x1,1,2,3,4");
  EXPECT_EQ(nested.text, "say ");
  EXPECT_EQ(nested.name, "");
  EXPECT_EQ(nested.x, 0);
  ControlRecord glued = Control("CONTROL \"CONTROLS\",ID,\"Button\",0x1,1,2,3,4");
  EXPECT_EQ(glued.text, "CONTROLS");
  EXPECT_EQ(glued.name, "");
  EXPECT_EQ(glued.x, 1);
  EXPECT_EQ(Control("CONTROL \"t\",ID,\"B\",0x1,0x10,2,3,4").x, 0);
  EXPECT_EQ(Control("CONTROL \"t\",ID,\"B\",0x1,8,8,8,8", {0, 0}).pw, 0);
}

TEST_F(ReaderTest, DialogHeaderStatementsAndUnits) {
  std::string proc = Scan({"#define IDD_DLG1 1000", "IDD_DLG1 DIALOGEX 6,6,194,106",
                           "CAPTION \"Main \"\"x\"\"\"", "FONT 8,\"MS Sans Serif\",0,0,0",
                           "STYLE 0x10CB0840", "EXSTYLE 0x00000008", "BEGIN", "END"});
  EXPECT_EQ(proc,
            "dlg IDD_DLG1 6,6,194,106 px 9,10,299,199 \"Main \"\"x\" [WS_CAPTION] [0]\r\n\r\n");
  EXPECT_EQ(state_.CurrentDialog.exStyle, 8);
  EXPECT_EQ(state_.FontFaceName, "MS Sans Serif");
  EXPECT_EQ(state_.FontPointSize, 8);
  EXPECT_EQ(state_.MainDialogName, "IDD_DLG1");
  EXPECT_EQ(state_.ConstantText.text(), "#define IDD_DLG1 1000\r\n");
  EXPECT_EQ(display_.LiveFonts(), 0u);
  EXPECT_EQ(display_.CurrentFont(), nullptr);
}

TEST_F(ReaderTest, StyleBeforeFontLosesTheCaptionHeight) {
  Scan({"A DIALOGEX 0,0,10,10", "STYLE 0x00C00000", "FONT 8, \"MS Sans Serif\"", "BEGIN", "END",
        "B DIALOGEX 0,0,10,10", "FONT 8,\"X\"", "STYLE 0x00C00000", "BEGIN", "END"});
  EXPECT_EQ(state_.FontFaceName, "X");
  std::string proc(state_.DlgProcText.text());
  EXPECT_NE(proc.find("dlg A 0,0,10,10 px 0,0,23,24"), std::string::npos) << proc;
  EXPECT_NE(proc.find("dlg B 0,0,10,10 px 0,0,23,43"), std::string::npos) << proc;
}

TEST_F(ReaderTest, HeaderFormsAndKeywordCase) {
  std::string proc = Scan({"A DIALOGEX 6, 6, 194, 106", "BEGIN", "END", "B  DIALOGEX 1,2,3,4",
                           "caption \"lower\"", "EXSTYLE 0x00C00000", "BEGIN", "END"});
  EXPECT_NE(proc.find("dlg A 6,0,0,0 px 0,0,0,0"), std::string::npos) << proc;
  EXPECT_NE(proc.find("dlg B 0,0,0,0 px 0,0,0,0 \"\" [0] [0]"), std::string::npos) << proc;
}

TEST_F(ReaderTest, ControlsUseThePreviousDialogsUnitsOrZeros) {
  std::string proc =
      Scan({"A DIALOGEX 0,0,10,10", "BEGIN", "CONTROL \"x\",I1,\"Button\",0x0,4,4,64,13", "END",
            "B DIALOGEX 0,0,10,10", "FONT 8,\"F\"", "BEGIN", "END", "C DIALOGEX 0,0,10,10", "BEGIN",
            "CONTROL \"y\",I2,\"Button\",0x50000000,4,4,64,13", "END"});
  EXPECT_NE(proc.find("ctl I1 \"x\" 4,4,64,13 px 0,0,0,0 [0] [0]"), std::string::npos) << proc;
  EXPECT_NE(proc.find("ctl I2 \"y\" 4,4,64,13 px 6,7,96,21 [WS_CHILD_VISIBLE] [0]"),
            std::string::npos)
      << proc;
}

TEST_F(ReaderTest, ScannerLineRules) {
  Scan({"#DEFINE UPPER 1", "#define IDD_DIALOGEX 5", "\t#define TABBED 2", "  #define BLANKED 3",
        "// DIALOGEX in a comment starts a dialog", "BEGIN",
        "\tCONTROL \"t\",T,\"Button\",0x0,1,1,1,1", "  CONTROL \"b\",BL,\"Button\",0x0,1,1,1,1",
        "control \"l\",L,\"Button\",0x0,1,1,1,1", "ENDING", "#define AFTER 4", "x dialogex 1,1,1,1",
        "Y DIALOG 1,1,1,1"});
  EXPECT_EQ(
      state_.ConstantText.text(),
      "#DEFINE UPPER 1\r\n#define IDD_DIALOGEX 5\r\n#define BLANKED 3\r\n#define AFTER 4\r\n");
  std::string proc(state_.DlgProcText.text());
  EXPECT_NE(proc.find("dlg //"), std::string::npos);
  EXPECT_NE(proc.find("ctl BL"), std::string::npos);
  EXPECT_EQ(proc.find("ctl T"), std::string::npos);
  EXPECT_EQ(proc.find("ctl L"), std::string::npos);
  EXPECT_EQ(state_.MainDialogName, "//");
}

TEST_F(ReaderTest, ADialogWithoutEndReadsToTheEndOfTheScript) {
  Scan({"A DIALOGEX 0,0,1,1", "BEGIN", "CONTROL \"x\",I1,\"Button\",0x0,1,1,1,1",
        "B DIALOGEX 0,0,1,1"});
  EXPECT_EQ(state_.DlgProcText.text().find("dlg B"), std::string::npos);
}

TEST_F(ReaderTest, MultiFileModeWritesOneIncludeFilePerDialog) {
  state_.MultiFileMode = 1;
  state_.FileCount = 2;
  folder_.MakeFolder("bak");
  folder_.Put("A.bi", "old A");
  Scan({"A DIALOGEX 0,0,1,1", "BEGIN", "CONTROL \"x\",I1,\"Button\",0x0,1,1,1,1", "END",
        "B DIALOGEX 0,0,1,1", "BEGIN", "END"});
  EXPECT_EQ(folder_.Get("A.bi"),
            "sub I1_Sample()\r\nend sub\r\n\r\n\r\nsub I1_Click()\r\nend sub\r\n");
  EXPECT_EQ(folder_.Get("B.bi"), "\r\n\r\n");
  EXPECT_EQ(folder_.Get("bak/A.bak"), "old A");
  EXPECT_FALSE(folder_.Exists("bak/B.bak"));  // nothing to keep: no empty backup
  EXPECT_EQ(state_.FileList, "3=A.bi\r\n4=B.bi\r\n");
  EXPECT_EQ(state_.DialogIncludeText.text(),
            "#include once \"A.bi\"\r\n#include once \"B.bi\"\r\n");
  EXPECT_EQ(state_.DeclareText.text(), "declare sub I1_Sample()\r\ndeclare sub I1_Click()\r\n");
}

TEST_F(ReaderTest, SameNameTwiceAndProjectNameBackups) {
  state_.MultiFileMode = 1;
  folder_.MakeFolder("bak");
  folder_.Put("A.bi", "before the run");
  folder_.Put("dialogs.bi", "old dialogs include");
  Scan({"A DIALOGEX 0,0,1,1", "BEGIN", "END", "a DIALOGEX 0,0,1,1", "BEGIN",
        "CONTROL \"x\",I1,\"Button\",0x0,1,1,1,1", "END", "dialogs DIALOGEX 0,0,1,1", "BEGIN",
        "END"});
  EXPECT_EQ(folder_.Get("bak/A.bak"), "before the run");
  EXPECT_EQ(folder_.Get("A.bi").substr(0, 6), "sub I1");
  // One include file, named after the first dialog (checked by listing, as a file system that
  // ignores case finds "a.bi" too).
  std::vector<std::string> includes;
  for (const auto& e : std::filesystem::directory_iterator(folder_.path())) {
    if (EqualsIgnoringAsciiCase(e.path().filename().string(), "a.bi")) {
      includes.push_back(e.path().filename().string());
    }
  }
  EXPECT_EQ(includes, std::vector<std::string>{"A.bi"});
  EXPECT_EQ(folder_.Get("bak/dialogs.bi.bak"), "old dialogs include");
  EXPECT_TRUE(state_.diagnostics.items().empty());
}

TEST_F(ReaderTest, UnsafeNamesAndFailedBackupsWriteNothing) {
  state_.MultiFileMode = 1;
  folder_.MakeFolder("bak/K.bak");  // a folder where the backup file should go
  folder_.Put("K.bi", "keep me");
  Scan({"../evil DIALOGEX 0,0,1,1", "BEGIN", "END", "CON DIALOGEX 0,0,1,1", "BEGIN", "END",
        "K DIALOGEX 0,0,1,1", "BEGIN", "END"});
  EXPECT_EQ(folder_.Get("K.bi"), "keep me");
  EXPECT_FALSE(folder_.Exists("../evil.bi"));
  EXPECT_EQ(state_.diagnostics.NotWrittenCount(), 3u);
  EXPECT_EQ(state_.FileList, "3=../evil.bi\r\n4=CON.bi\r\n5=K.bi\r\n");
}

TEST_F(ReaderTest, MissingScriptIsAtItsEnd) {
  EXPECT_FALSE(ScanResourceScript(state_, platform_));
  EXPECT_EQ(state_.DlgProcText.text(), "");
}

// Measures every text at a given width, and can refuse to create fonts.
class WidthDisplay : public FixedDisplay {
 public:
  WidthDisplay(int32_t width, bool refuse) : FixedDisplay(0, 13), width_(width), refuse_(refuse) {}
  TextExtent MeasureText(DeviceContext, const std::string&) override { return {width_, 13}; }
  FontHandle CreateFontIndirect(const LogFont& font) override {
    faces.push_back(font.lfFaceName);
    heights.push_back(font.lfHeight);
    return refuse_ ? nullptr : FixedDisplay::CreateFontIndirect(font);
  }
  std::vector<std::string> faces;
  std::vector<int32_t> heights;

 private:
  int32_t width_;
  bool refuse_;
};

TEST_F(ReaderTest, AverageWidthRoundsToTheNearestPixel) {
  for (auto [width, cx] : {std::pair{318, 6}, {344, 6}, {345, 7}}) {
    WidthDisplay display(width, false);
    Platform platform{*files_, display};
    folder_.Put("dialogs.rc",
                CrLf({"A DIALOGEX 0,0,1,1", "FONT 8,\"MS Sans Serif\"", "BEGIN", "END"}));
    state_.MeasureDC = display.GetScreenContext();
    ScanResourceScript(state_, platform);
    EXPECT_EQ(state_.DialogBaseUnits.cx, cx) << width;
    EXPECT_EQ(display.heights, std::vector<int32_t>{-11});  // 8 points at 96 pixels per inch
  }
}

TEST_F(ReaderTest, SeveralFontsAreAllReleasedAndRefusedFontsStillMeasure) {
  WidthDisplay display(318, false);
  Platform platform{*files_, display};
  std::string longName(40, 'F');
  folder_.Put("dialogs.rc", CrLf({"A DIALOGEX 0,0,1,1", "FONT 8,\"One\"", "FONT 10, \"Two\"",
                                  "FONT 9,\"" + longName + "\"", "BEGIN", "END"}));
  state_.MeasureDC = display.GetScreenContext();
  ScanResourceScript(state_, platform);
  EXPECT_EQ(display.faces, (std::vector<std::string>{"One", " \"Two", longName.substr(0, 31)}));
  EXPECT_EQ(display.LiveFonts(), 0u);
  EXPECT_EQ(display.CurrentFont(), nullptr);

  WidthDisplay refusing(345, true);
  Platform refused{*files_, refusing};
  ScanResourceScript(state_, refused);
  EXPECT_EQ(state_.DialogBaseUnits.cx, 7);
  EXPECT_EQ(refusing.CurrentFont(), nullptr);
}

TEST(StyleFieldTest, ReadsHexLikeTheRewriteToAmpersandH) {
  std::string longField = " " + std::string(70, '0') + "x10";
  for (std::string field : {"0x50010000", " 0x10", "0X10", "00x1", "0x0x", "x0", "0", "", "-12",
                            "&h7f", longField.c_str()}) {
    EXPECT_EQ(ParseStyle(field), ParseInteger(ReplaceAll("0x", "&h", field))) << field;
  }
  EXPECT_EQ(ParseStyle("0x50010000"), 0x50010000);
}

TEST(DeclarationsTest, ProcedureHeadersAtTheStartOfALine) {
  EXPECT_EQ(BuildDeclarations("Sub Main()\r\n  print 1\r\nEnd Sub\r\n"), "declare Sub Main()\r\n");
  EXPECT_EQ(BuildDeclarations("FUNCTION Area(byval w as integer) as integer"),
            "declare FUNCTION Area(byval w as integer) as integer\r\n");
  EXPECT_EQ(BuildDeclarations(" sub a()\r\n\tsub b()\r\nprivate sub c()\r\nsub\td\r\nsub\r\n"), "");
  EXPECT_EQ(BuildDeclarations(std::string("sub a()\r\n\0sub b()\r\n", 20)), "declare sub a()\r\n");
  EXPECT_EQ(BuildDeclarations("sub x()\r\nsub x()\r\n"), "declare sub x()\r\ndeclare sub x()\r\n");
  EXPECT_EQ(BuildDeclarations(""), "");
}

TEST(FileNamesTest, NamesThatCannotBeFiles) {
  for (const char* bad :
       {"",     ".",   "..",  "a.",  "a ",  "a/b",   "a\\b", "C:x",  "a<b",      "a>b",
        "a\"b", "a|b", "a?b", "a*b", "CON", "con.x", "Nul",  "COM1", "lpt9.txt", "AUX"}) {
    EXPECT_NE(UnsafeFileNameReason(bad), "") << bad;
  }
  EXPECT_NE(UnsafeFileNameReason(std::string("a\x01", 2)), "");
  EXPECT_NE(UnsafeFileNameReason("a\x7f"), "");
  for (const char* good : {"IDD_DLG1", "CONSOLE", "COM10", "a.b", "LPT", "Dlg-2"}) {
    EXPECT_EQ(UnsafeFileNameReason(good), "") << good;
  }
}

}  // namespace
}  // namespace fw
