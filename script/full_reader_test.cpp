#include "script/full_reader.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

class FullReaderTest : public ::testing::Test {
 protected:
  // Reads `text` as "proj/app.rc": the items as lines ("#define ..." or "DIALOG name"), the
  // dialogs kept in `dialogs`, the diagnostics as "line: message".
  std::vector<std::string> Read(const std::string& text, FullReaderOptions options = {}) {
    files.Add("proj/app.rc", text);
    FullReader reader(text, "proj/app.rc", files, options);
    std::vector<std::string> items;
    dialogs.clear();
    details.clear();
    for (ScriptItem item; reader.Next(item);) {
      if (item.kind == ScriptItem::Kind::kDefine) {
        items.push_back(item.define);
      } else {
        items.push_back("DIALOG " + item.dialog.name);
        dialogs.push_back(item.dialog);
        details.push_back(reader.LastDialog());
      }
    }
    problems.clear();
    for (const PpDiagnostic& d : reader.Diagnostics()) {
      problems.push_back(std::to_string(d.line) + ": " + d.message);
    }
    return items;
  }

  PpMemoryFiles files;
  std::vector<ScriptDialog> dialogs;
  std::vector<RcDialog> details;
  std::vector<std::string> problems;
};

TEST_F(FullReaderTest, DefinesOfTheScriptAndItsHeadersInReadingOrderWithDialogs) {
  files.Add("proj/resource.h", "#define IDD_MAIN 100\n#define IDC_NAME 0x3E9L\n#define EMPTY\n");
  auto items = Read(
      "#include <windows.h>\n#include \"resource.h\"\n"
      "IDD_MAIN DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", IDC_STATIC, 0, 0, 1, 1\n"
      "  PUSHBUTTON \"b\", IDOK, 0, 0, 1, 1\nEND\n#define LATER 7\n");
  EXPECT_EQ(items, (std::vector<std::string>{"#define IDD_MAIN 100", "#define IDC_NAME &h3E9",
                                             "#define IDC_STATIC -1", "DIALOG IDD_MAIN",
                                             "#define LATER 7"}));
  ASSERT_EQ(dialogs[0].controls.size(), 2u);
  EXPECT_EQ(dialogs[0].controls[0].id, "IDC_STATIC");
  EXPECT_EQ(dialogs[0].controls[0].idValue, -1);
  EXPECT_EQ(details[0].name.ordinal, 100u);
}

// A define is handed over before the lines after it are read (the #error is not seen yet);
// one read inside a macro call goes before the dialog the call names.
TEST_F(FullReaderTest, DefinesAreHandedOverAsTheyAreRead) {
  std::string text =
      "#define A 1\n#error late\n#define NAME(x) x\nNAME(\n#define IDD_X 5\nIDD_X) DIALOG 0, 0, 1, "
      "1\n"
      "BEGIN\nEND\n#define AFTER 2\n";
  files.Add("proj/app.rc", text);
  FullReader reader(text, "proj/app.rc", files);
  ScriptItem item;
  ASSERT_TRUE(reader.Next(item));
  EXPECT_EQ(item.define, "#define A 1");
  EXPECT_TRUE(reader.Diagnostics().empty());
  EXPECT_EQ(Read(text), (std::vector<std::string>{"#define A 1", "#define IDD_X 5", "DIALOG IDD_5",
                                                  "#define AFTER 2"}));
  EXPECT_EQ(problems, (std::vector<std::string>{"2: #error late"}));
}

TEST_F(FullReaderTest, ControlsWithClassesDefaultsAndIdsAsWritten) {
  Read(
      "#include <windows.h>\n#define IDC_A 10\n"
      "1 DIALOG 0, 0, 100, 100\nBEGIN\n"
      "  CONTROL \"x\", IDC_A + 1, BUTTON, BS_CHECKBOX, 1, 2, 3, 4\n"
      "  CONTROL \"y\", 2, 0x81, 0, 1, 2, 3, 4\n"
      "  CONTROL 7, 3, \"my class\", NOT WS_VISIBLE, 1, 2, 3, 4\n"
      "  ltext \"q\"\"\", 4, 1, 2, 3, 4\n"
      "  ICON IDI_APP, 5, 1, 2\n"
      "  EDITTEXT 6, 1, 2, 3, 4, ES_MULTILINE, WS_EX_CLIENTEDGE\nEND\n");
  ASSERT_EQ(dialogs.size(), 1u);
  const auto& c = dialogs[0].controls;
  ASSERT_EQ(c.size(), 6u);
  EXPECT_EQ(dialogs[0].name, "IDD_1");
  EXPECT_EQ(c[0].className, "Button");
  EXPECT_EQ(c[0].id, "IDC_A + 1");
  EXPECT_EQ(c[0].idValue, 11);
  EXPECT_EQ(static_cast<uint32_t>(c[0].style), 0x50000002u);
  EXPECT_EQ(c[1].className, "Edit");
  EXPECT_EQ(c[2].className, "my class");
  EXPECT_EQ(static_cast<uint32_t>(c[2].style), 0x40000000u);
  EXPECT_EQ(details[0].controls[2].textOrdinal, 7u);
  EXPECT_EQ(c[3].text, "q\"\"");                              // BASIC's doubled quote
  EXPECT_EQ(static_cast<uint32_t>(c[3].style), 0x50020000u);  // any letter case, defaults kept
  EXPECT_EQ(c[4].text, "IDI_APP");
  EXPECT_EQ(c[4].w, 0);
  EXPECT_EQ(static_cast<uint32_t>(c[5].style), 0x50810004u);
  EXPECT_EQ(c[5].exStyle, 0x200);
  EXPECT_TRUE(problems.empty()) << problems[0];
}

TEST_F(FullReaderTest, EveryOtherResourceIsPassedOver) {
  auto items = Read(
      "1 TEXTINCLUDE\nBEGIN\n \"x\\0\"\nEND\n"
      "2 MENUEX\nBEGIN\n POPUP \"&a\", 1, 0, 0\n BEGIN\n  MENUITEM \"END\", 2\n END\nEND\n"
      "STRINGTABLE\nBEGIN\n 1, \"BEGIN\"\nEND\n"
      "3 ACCELERATORS\nBEGIN\n \"A\", 1, VIRTKEY, CONTROL\nEND\n"
      "GUIDELINES DESIGNINFO\nBEGIN\n 1, DIALOG\n BEGIN\n  LEFTMARGIN, 7\n END\nEND\n"
      "4 TOOLBAR 16, 15\nBEGIN\n BUTTON 1\n SEPARATOR\nEND\n"
      "5 ICON DISCARDABLE \"res\\\\a.ico\"\n6 BITMAP res\\b.bmp\n7 RCDATA { 1, 2 }\n"
      "8 MYTYPE MOVEABLE BEGIN \"raw\" END\n9 HTML \"a.htm\"\n10 24 \"app.manifest\"\n"
      "1 VERSIONINFO\n FILEVERSION 1,0,0,0\nBEGIN\n BLOCK \"x\"\n BEGIN\n  VALUE \"a\", \"b\"\n"
      " END\nEND\n"
      "LANGUAGE 7, 1\nCHARACTERISTICS 3\nVERSION 2\n"
      "11 DIALOG 0, 0, 1, 1 BEGIN END\n");
  EXPECT_EQ(items, (std::vector<std::string>{"DIALOG IDD_11"}));
  EXPECT_EQ(details[0].language, 0x407);
  EXPECT_TRUE(problems.empty()) << problems[0];
}

TEST_F(FullReaderTest, DialogStatementsAndTheirFinalValues) {
  Read(
      "1 DIALOGEX DISCARDABLE 1, 2, 3, 4, 55\n"
      "STYLE 0x80000000\nCAPTION \"a\" \"b\"\nFONT 9, \"Tahoma\"\nMENU 77\nCLASS 5\n"
      "LANGUAGE 9, 2\nEXSTYLE 0x8\nBEGIN\nEND\n");
  ASSERT_EQ(dialogs.size(), 1u);
  const RcDialog& d = details[0];
  EXPECT_EQ(d.helpId, 55u);
  EXPECT_EQ(d.language, 0x809);
  EXPECT_EQ(d.menu->ordinal, 77u);
  EXPECT_EQ(d.windowClass->ordinal, 5u);
  EXPECT_EQ(d.font->charSet, 1u);
  EXPECT_EQ(*d.caption, "ab");
  EXPECT_EQ(d.FinalStyle(), 0x80C00040u);
}

TEST_F(FullReaderTest, ADialogDefinedAgainIsNamedOrChosenByLanguage) {
  std::string text =
      "LANGUAGE 9, 1\nIDD_A DIALOG 0, 0, 1, 1\nCAPTION \"en\"\nBEGIN\nEND\n"
      "LANGUAGE 7, 1\nIDD_A DIALOG 0, 0, 1, 1\nCAPTION \"de\"\nBEGIN\nEND\n";
  EXPECT_EQ(Read(text), (std::vector<std::string>{"DIALOG IDD_A"}));
  EXPECT_EQ(details[0].caption, "en");
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0],
            "7: dialog IDD_A (language 0x407) is defined again; the first one is read");
  FullReaderOptions german;
  german.language = 0x407;
  EXPECT_EQ(Read(text, german), (std::vector<std::string>{"DIALOG IDD_A"}));
  EXPECT_EQ(details[0].caption, "de");
  EXPECT_TRUE(problems.empty());
}

TEST_F(FullReaderTest, LayoutIsFree) {
  Read(
      "1 DIALOGEX 0, 0,\n 10,\n 10 STYLE 1 {\n"
      "  LTEXT \"a\", 1, 1, 2, 3, 4 LTEXT \"b\", 2, 1, 2,\n  3, 4,\n"
      "  LTEXT \"c\" 3, 1, 2, 3, 4\n"
      "  CONTROL \"d\", 4, \"x\", 0, 1, 2, 3, 4 BEGIN 1, 2 END\n}\n");
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].controls.size(), 4u);
  ASSERT_EQ(problems.size(), 1u);  // the comma missing before 3 is a warning
  EXPECT_EQ(problems[0], "6: ',' missing before \"3\"");
}

TEST_F(FullReaderTest, BadStatementsAreNamedAndPassedOver) {
  auto items = Read(
      "1 DIALOG 0, 0, 10, 10\nSTYLE\nBOGUS 1\nBEGIN\n"
      "  LTEXT \"a\", 1, 2\n"
      "  LTEXT \"b\", 2, 1, 2, 3, 4\n"
      "  junk here\n"
      "  PUSHBUTTON \"c\", IDC_NONE, 1, 2, 3, 4\n"
      "END\n; 2 DIALOG 0, 0, 1, 1 BEGIN END\n3 DIALOG 0, 0, 1, 1 BEGIN\n");
  EXPECT_EQ(items, (std::vector<std::string>{"DIALOG IDD_1", "DIALOG IDD_3"}));
  EXPECT_EQ(dialogs[0].controls.size(), 2u);
  EXPECT_EQ(dialogs[0].controls[1].id, "IDC_NONE");
  EXPECT_EQ(
      problems,
      (std::vector<std::string>{
          "3: no value for the name BOGUS (read as 0)",  // STYLE reads on over the line end
          "3: a dialog statement or BEGIN expected, found \"1\"", "6: y expected, found \"LTEXT\"",
          "7: a control statement or END expected, found \"junk\"",
          "8: no value for the name IDC_NONE (read as 0)",
          "10: a resource or statement expected, found \";\"",
          "11: END missing for the controls of this BEGIN"}));
}

TEST_F(FullReaderTest, NestingAndHostileInputStayBounded) {
  std::string deep = "1 RCDATA\n" + std::string(200000, '{') + "\n";
  EXPECT_TRUE(Read(deep).empty());
  EXPECT_EQ(problems.size(), 1u);
  std::string many = "1 DIALOG 0, 0, 1, 1\nBEGIN\n";
  for (int i = 0; i < 5000; ++i) many += "  LTEXT\n";
  FullReaderOptions few;
  few.maxDiagnostics = 10;
  Read(many + "END\n", few);
  ASSERT_EQ(problems.size(), 11u);
  EXPECT_EQ(problems.back(), "0: 4990 more diagnostics left out");
}

}  // namespace
}  // namespace fw
