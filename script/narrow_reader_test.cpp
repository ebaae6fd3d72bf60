#include "script/narrow_reader.h"

#include <gtest/gtest.h>

#include "platform/line_reader.h"
#include "textutil/number.h"
#include "textutil/text.h"

namespace fw {
namespace {

using Kind = DialogStatement::Kind;

// Every item of `script` (lines joined with CR LF).
std::vector<ScriptItem> Read(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  StringLineReader reader(text);
  NarrowReader narrow(reader);
  std::vector<ScriptItem> items;
  ScriptItem item;
  while (narrow.Next(item)) items.push_back(item);
  return items;
}

ControlStatement Control(const std::string& line) {
  return ParseControlStatement(line);
}

TEST(NarrowReaderTest, ControlStatementFields) {
  ControlStatement c =
      Control("CONTROL \"rc file\",IDC_BTN1,\"Button\",0x50010000,4,4,64,13,0x00000008");
  EXPECT_EQ(c.text, "rc file");
  EXPECT_EQ(c.id, "IDC_BTN1");
  EXPECT_EQ(c.className, "Button");
  EXPECT_EQ(c.style, 0x50010000);
  EXPECT_EQ(std::vector<int>({c.x, c.y, c.w, c.h, c.exStyle}), std::vector<int>({4, 4, 64, 13, 8}));
  EXPECT_EQ(Control("CONTROL \"\",ID,\"Static\",0x1,1,2,3,4").exStyle, 0);
}

TEST(NarrowReaderTest, ControlStatementOddities) {
  ControlStatement comma = Control("CONTROL \"a,b\",ID,\"Button\",0x1,1,2,3,4");
  EXPECT_EQ(comma.text, "a");
  EXPECT_EQ(comma.id, "b\"");
  EXPECT_EQ(comma.className, "ID");
  ControlStatement blanks = Control("CONTROL \"t\", ID, \"Button\", 0x10, 5, 6, 7, 8");
  EXPECT_EQ(blanks.id, " ID");
  EXPECT_EQ(blanks.className, " \"Button");
  EXPECT_EQ(blanks.x, 5);
  EXPECT_EQ(blanks.style, 16);  // leading blanks are skipped
  ControlStatement nested = Control("CONTROL \"say CONTROL now\",ID,\"Button\",0x1,1,2,3,4");
  EXPECT_EQ(nested.text, "say ");
  EXPECT_EQ(nested.id, "");
  EXPECT_EQ(nested.x, 0);
  ControlStatement glued = Control("CONTROL \"CONTROLS\",ID,\"Button\",0x1,1,2,3,4");
  EXPECT_EQ(glued.text, "CONTROLS");
  EXPECT_EQ(glued.id, "");
  EXPECT_EQ(glued.x, 1);
  EXPECT_EQ(Control("CONTROL \"t\",ID,\"B\",0x1,0x10,2,3,4").x, 0);
  // Only blanks go before a "&h" number; after a tab it is read as a decimal, so a style
  // after a tab is 0 in either form, while a decimal after a tab still reads.
  EXPECT_EQ(Control("CONTROL \"t\",ID,\"B\",\t0x50010000,1,2,3,4").style, 0);
  EXPECT_EQ(Control("CONTROL \"t\",ID,\"B\",\t&h10,1,2,3,4").style, 0);
  EXPECT_EQ(Control("CONTROL \"t\",ID,\"B\", &h10,1,2,3,4").style, 16);
  EXPECT_EQ(Control("CONTROL \"t\",ID,\"B\",0x1,\t7,2,3,4").x, 7);
}

TEST(NarrowReaderTest, DefinesAndDialogsInReadingOrder) {
  std::vector<ScriptItem> items =
      Read({"#DEFINE UPPER 1", "#define IDD_DIALOGEX 5", "\t#define TABBED 2",
            "  #define BLANKED 3  ", "#defineX glued", "// DIALOGEX in a comment", "BEGIN",
            "\tCONTROL \"t\",T,\"Button\",0x0,1,1,1,1", "  CONTROL \"b\",BL,\"Button\",0x0,1,1,1,1",
            "control \"l\",L,\"Button\",0x0,1,1,1,1", "ENDING", "#define AFTER 4",
            "x dialogex 1,1,1,1", "Y DIALOG 1,1,1,1"});
  std::vector<std::string> seen;
  for (const ScriptItem& item : items) {
    seen.push_back(item.kind == ScriptItem::Kind::kDefine ? item.define
                                                          : "dialog " + item.dialog.name);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"#DEFINE UPPER 1", "#define IDD_DIALOGEX 5",
                                            "#define BLANKED 3", "#defineX glued", "dialog //",
                                            "#define AFTER 4"}));
  ASSERT_EQ(items[4].dialog.controls.size(), 1u);
  EXPECT_EQ(items[4].dialog.controls[0].id, "BL");
}

TEST(NarrowReaderTest, HeaderForms) {
  std::vector<ScriptItem> items =
      Read({"IDD_DLG1 DIALOGEX 6,6,194,106", "BEGIN", "END", "A DIALOGEX 6, 6, 194, 106", "BEGIN",
            "END", "B  DIALOGEX 1,2,3,4", "BEGIN", "END"});
  ASSERT_EQ(items.size(), 3u);
  const ScriptDialog& d = items[0].dialog;
  EXPECT_EQ(std::vector<int>({d.x, d.y, d.w, d.h}), std::vector<int>({6, 6, 194, 106}));
  const ScriptDialog& blanks = items[1].dialog;
  EXPECT_EQ(std::vector<int>({blanks.x, blanks.y, blanks.w, blanks.h}),
            std::vector<int>({6, 0, 0, 0}));
  const ScriptDialog& twoBlanks = items[2].dialog;
  EXPECT_EQ(twoBlanks.name, "B");
  EXPECT_EQ(std::vector<int>({twoBlanks.x, twoBlanks.y, twoBlanks.w, twoBlanks.h}),
            std::vector<int>({0, 0, 0, 0}));
}

// Statements come in source order with repeats; indented and trailing blanks are trimmed, tabs
// and lower case are not read; "#define" and "END" before "BEGIN" are consumed unread.
TEST(NarrowReaderTest, StatementsInOrderWithRepeats) {
  std::vector<ScriptItem> items = Read(
      {"A DIALOGEX 0,0,10,10", "  STYLE 0x00C00000  ", "FONT 8, \"MS Sans Serif\"",
       "   CAPTION \"One \"\"x\"\"\"   ", "CAPTION \"Two CAPTION three\"", "\tFONT 9,\"Tab\"",
       "font 9,\"lower\"", "#define INSIDE 1", "END", "FONTS 10,\"Glued\",0,0", "EXSTYLE 0x8",
       "CLASS \"Cls\"", "STYLE 0X10", "  BEGIN  ", "  CONTROL \"c\",C1,\"Button\",0x1,1,2,3,4  ",
       "#define AMONG 2", "  END  ", "#define AFTER 3"});
  ASSERT_EQ(items.size(), 2u);
  const ScriptDialog& d = items[0].dialog;
  std::vector<std::tuple<Kind, std::string, int>> got;
  for (const DialogStatement& s : d.statements) got.emplace_back(s.kind, s.text, s.number);
  std::vector<std::tuple<Kind, std::string, int>> want = {{Kind::kStyle, "", 0x00C00000},
                                                          {Kind::kFont, " \"MS Sans Serif", 8},
                                                          {Kind::kCaption, "One \"\"x", 0},
                                                          {Kind::kCaption, "Two ", 0},
                                                          {Kind::kFont, "", 0},
                                                          {Kind::kExStyle, "", 8},
                                                          {Kind::kClass, "Cls", 0},
                                                          {Kind::kStyle, "", 0}};
  EXPECT_EQ(got, want);
  ASSERT_EQ(d.controls.size(), 1u);
  EXPECT_EQ(d.controls[0].h, 4);
  EXPECT_EQ(items[1].define, "#define AFTER 3");
}

TEST(NarrowReaderTest, TheScriptsEndEndsADialog) {
  std::vector<ScriptItem> noEnd =
      Read({"A DIALOGEX 0,0,1,1", "BEGIN", "CONTROL \"x\",I1,\"Button\",0x0,1,1,1,1",
            "B DIALOGEX 0,0,1,1"});
  ASSERT_EQ(noEnd.size(), 1u);
  EXPECT_EQ(noEnd[0].dialog.controls.size(), 1u);
  std::vector<ScriptItem> noBegin = Read({"A DIALOGEX 0,0,1,1", "CAPTION \"c\""});
  ASSERT_EQ(noBegin.size(), 1u);
  EXPECT_EQ(noBegin[0].dialog.statements.size(), 1u);
  EXPECT_TRUE(Read({}).empty());
}

TEST(StyleFieldTest, ReadsHexLikeTheRewriteToAmpersandH) {
  std::string longField = " " + std::string(70, '0') + "x10";
  for (std::string field : {"0x50010000", " 0x10", "0X10", "00x1", "0x0x", "x0", "0", "", "-12",
                            "&h7f", "\t0x10", longField.c_str()}) {
    EXPECT_EQ(ParseStyle(field), ParseInteger(ReplaceAll("0x", "&h", field))) << field;
  }
  EXPECT_EQ(ParseStyle("0x50010000"), 0x50010000);
}

}  // namespace
}  // namespace fw
