#include "script/pp_macro_table.h"

#include <gtest/gtest.h>

#include "script/pp_lexer.h"

namespace fw {
namespace {

using Defined = PpMacroTable::Defined;

class PpMacroTableTest : public ::testing::Test {
 protected:
  // Defines what a "#define" line holds after "define"; the table views the texts kept here.
  Defined Define(std::string_view text) {
    std::string error;
    return table.Define(Line(text), error);
  }
  std::vector<PpToken> Line(std::string_view text) {
    PpLexer lexer(texts_.Keep(std::string(text)), 0, false, "", diagnostics_, texts_);
    std::vector<PpToken> line;
    for (PpToken t = lexer.Next(); t.kind != PpKind::kNewline && t.kind != PpKind::kEnd;
         t = lexer.Next()) {
      line.push_back(t);
    }
    return line;
  }

  PpTextStore texts_;
  PpDiagnostics diagnostics_;
  PpMacroTable table;
};

TEST_F(PpMacroTableTest, OneTokenObjectLikeMacrosAreCompact) {
  EXPECT_EQ(Define("IDC_A 1000"), Defined::kNew);
  EXPECT_EQ(Define("EMPTY"), Defined::kNew);
  EXPECT_EQ(Define("TWO 1 + 1"), Defined::kNew);
  EXPECT_EQ(Define("F(x) x"), Defined::kNew);
  EXPECT_EQ(Define("P (x)"), Defined::kNew);     // object-like: a space before '('
  EXPECT_EQ(Define("S \"open"), Defined::kNew);  // keeps its unterminated mark
  const PpMacroTable::Entry& a = table.At(table.Find("IDC_A"));
  EXPECT_FALSE(a.full);
  EXPECT_TRUE(a.hasBody);
  EXPECT_EQ(a.body, "1000");
  EXPECT_EQ(a.bodyKind, PpKind::kNumber);
  EXPECT_FALSE(table.At(table.Find("EMPTY")).full);
  EXPECT_FALSE(table.At(table.Find("EMPTY")).hasBody);
  EXPECT_TRUE(table.At(table.Find("TWO")).full);
  EXPECT_TRUE(table.At(table.Find("F")).full->functionLike);
  EXPECT_FALSE(table.At(table.Find("P")).full->functionLike);
  EXPECT_TRUE(table.At(table.Find("S")).full->body[0].token.unterminated);
  EXPECT_EQ(table.Size(), 6u);
  EXPECT_FALSE(table.Contains("IDC"));
  std::string error;
  EXPECT_EQ(table.Define(Line("defined 1"), error), Defined::kError);
  EXPECT_EQ(table.Define(Line("A ##"), error), Defined::kError);
  EXPECT_EQ(table.Define(Line("1 2"), error), Defined::kError);
  EXPECT_EQ(error, "macro names must be identifiers");
}

TEST_F(PpMacroTableTest, RedefinitionsAreComparedAcrossBothForms) {
  Define("A 1");
  EXPECT_EQ(Define("A   1"), Defined::kSame);
  EXPECT_EQ(Define("A 2"), Defined::kRedefined);
  EXPECT_EQ(Define("A 2 + 0"), Defined::kRedefined);  // compact to full
  EXPECT_EQ(Define("A 2 + 0"), Defined::kSame);
  EXPECT_EQ(Define("A 2"), Defined::kRedefined);  // and back
  EXPECT_EQ(Define("A(x) 2"), Defined::kRedefined);
  EXPECT_EQ(Define("A"), Defined::kRedefined);
  EXPECT_EQ(Define("A"), Defined::kSame);
  EXPECT_EQ(table.Size(), 1u);
  EXPECT_FALSE(table.At(table.Find("A")).hasBody);
}

TEST_F(PpMacroTableTest, ManyNamesDefinedAndUndefinedStayFound) {
  const int kCount = 20000;
  for (int i = 0; i < kCount; ++i) {
    Define("IDC_" + std::to_string(i) + " " + std::to_string(i));
  }
  for (int i = 0; i < kCount; i += 2) EXPECT_TRUE(table.Undefine("IDC_" + std::to_string(i)));
  EXPECT_FALSE(table.Undefine("IDC_0"));
  EXPECT_EQ(table.Size(), size_t{kCount / 2});
  // Defined again over the tombstones, as many times as there were names.
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < kCount; i += 2) Define("X" + std::to_string(i) + " 1");
    for (int i = 0; i < kCount; i += 2) table.Undefine("X" + std::to_string(i));
  }
  for (int i = 0; i < kCount; ++i) {
    std::string name = "IDC_" + std::to_string(i);
    PpMacroTable::Id id = table.Find(name);
    ASSERT_EQ(id != PpMacroTable::kNone, i % 2 == 1) << name;
    if (i % 2 == 1) {
      EXPECT_EQ(table.At(id).body, std::to_string(i));
    }
  }
  EXPECT_EQ(table.Size(), size_t{kCount / 2});
}

TEST_F(PpMacroTableTest, AMacroReplacedWhileDisabledLivesUntilEnabled) {
  Define("A 1");
  PpMacroTable::Id old = table.Find("A");
  table.SetDisabled(old, true);
  EXPECT_TRUE(table.Disabled(old));
  EXPECT_EQ(Define("A 2"), Defined::kRedefined);
  PpMacroTable::Id now = table.Find("A");
  ASSERT_NE(now, old);
  EXPECT_FALSE(table.Disabled(now));   // the new definition expands inside the old one
  EXPECT_EQ(table.At(old).body, "1");  // still read by its open expansion
  table.SetDisabled(old, false);
  Define("B 3");  // takes the entry freed
  EXPECT_EQ(table.Find("B"), old);
  EXPECT_EQ(table.At(now).body, "2");
  // Undefined while disabled: the same.
  table.SetDisabled(now, true);
  EXPECT_TRUE(table.Undefine("A"));
  EXPECT_EQ(table.At(now).body, "2");
  table.SetDisabled(now, false);
  EXPECT_FALSE(table.Contains("A"));
  EXPECT_EQ(table.Size(), 1u);
}

}  // namespace
}  // namespace fw
