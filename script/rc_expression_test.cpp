#include "script/rc_expression.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

// The value of `text` read as one expression, and the diagnostics it gave.
struct Read {
  RcValue value;
  bool ok = false;
  std::string written;
  PpDiagnostics problems;
};

Read Evaluate(const std::string& text) {
  PpMemoryFiles files;
  files.Add("e.rc", text);
  Preprocessor pp(files);
  pp.Start("e.rc", text);
  RcTokens in(pp, 100);
  RcExpression e;
  Read r;
  r.ok = ReadRcExpression(in, e);
  r.value = e.value;
  r.written = in.Written(e.tokens);
  r.problems = in.Diagnostics();
  return r;
}

TEST(RcExpressionTest, OperatorsHaveOnePrecedenceAndReadLeftToRight) {
  EXPECT_EQ(Evaluate("1 | 2 + 3").value.value, 6u);
  EXPECT_EQ(Evaluate("8 | 6 & 3").value.value, 2u);
  EXPECT_EQ(Evaluate("2 + 3 * 4").value.value, 20u);
  EXPECT_EQ(Evaluate("20 / 3 - 1").value.value, 5u);
  EXPECT_EQ(Evaluate("2 - (3 - 1)").value.value, 0u);
  EXPECT_EQ(Evaluate("-1").value.value, 0xFFFFFFFFu);
  EXPECT_EQ(Evaluate("~0x10L").value.value, 0xFFFFFFEFu);
  EXPECT_EQ(Evaluate("0x7FFFFFFF + 1").value.value, 0x80000000u);
}

TEST(RcExpressionTest, NumbersInEveryBaseWithSuffixes) {
  EXPECT_EQ(Evaluate("010").value.value, 8u);
  EXPECT_EQ(Evaluate("0x1fUL").value.value, 31u);
  EXPECT_EQ(Evaluate("12l").value.value, 12u);
  EXPECT_EQ(Evaluate("0o17").value.value, 15u);
  uint32_t v = 0;
  EXPECT_FALSE(ParseRcNumber("09", v));
  EXPECT_FALSE(ParseRcNumber("1.5", v));
  EXPECT_FALSE(ParseRcNumber("0x", v));
}

// NOT takes its bits from the left operand before the operator, and from the defaults the
// value is put over; these are llvm-rc's values (tests/full_syntax/constructs/expressions.rc).
TEST(RcExpressionTest, NotTakesBitsFromTheLeftAndFromTheDefaults) {
  EXPECT_EQ(Evaluate("3 | NOT 1").value.Over(0x50000000), 0x50000002u);
  EXPECT_EQ(Evaluate("NOT 1 | 3").value.Over(0x50000001), 0x50000003u);
  EXPECT_EQ(Evaluate("7 + NOT 1").value.value, 6u);
  EXPECT_EQ(Evaluate("3 & NOT 1").value.value, 0u);
  EXPECT_EQ(Evaluate("NOT 0x10000000").value.Over(0x50010000), 0x40010000u);
  EXPECT_EQ(Evaluate("0x80 - (NOT 0x20 - 0x200 | 0x20)").value.value, 0x260u);
}

TEST(RcExpressionTest, MacroCallsAreWrittenAsTheScriptWritesThem) {
  Read r = Evaluate("#define IDC_A 100\n#define ID(n) (IDC_A + n)\nIDC_A + 1 | ID(2)\n");
  EXPECT_EQ(r.value.value, 101u | 102u);
  EXPECT_EQ(r.written, "IDC_A + 1 | ID(2)");
  // A macro of one number given at once, beside one that names another macro.
  Read chained = Evaluate("#define IDC_A 100\n#define G IDC_A\nG +IDC_A- -IDC_A\n");
  EXPECT_EQ(chained.value.value, 300u);
  EXPECT_EQ(chained.written, "G +IDC_A- -IDC_A");
}

TEST(RcExpressionTest, ProblemsAreNamedAndBounded) {
  Read undefined = Evaluate("IDC_MISSING + 1");
  EXPECT_TRUE(undefined.ok);
  EXPECT_EQ(undefined.value.value, 1u);
  ASSERT_EQ(undefined.problems.size(), 1u);
  EXPECT_EQ(undefined.problems[0].message, "no value for the name IDC_MISSING (read as 0)");
  EXPECT_EQ(undefined.problems[0].file, "e.rc");
  // A name pasted in nested macro arguments is named cut short.
  std::string call = "ab";
  for (int i = 0; i < 16; ++i) call = "q(" + call + ")";
  Read pasted = Evaluate("#define p(x) x##x\n#define q(x) p(x)\n" + call + "\n");
  ASSERT_EQ(pasted.problems.size(), 1u);
  EXPECT_EQ(pasted.problems[0].message.size(),
            std::string("no value for the name ").size() + 43 + std::string(" (read as 0)").size());
  EXPECT_FALSE(Evaluate("(1 + 2").ok);
  EXPECT_FALSE(Evaluate("\"text\"").ok);
  EXPECT_FALSE(Evaluate("LTEXT").ok);  // a statement's word is never a name without a value
  EXPECT_TRUE(Evaluate("5 / 0").ok);
  EXPECT_EQ(Evaluate("5 / 0").problems.size(), 1u);
  // Deep nesting is refused, not recursed into without bound.
  Read deep = Evaluate(std::string(100000, '(') + "1");
  EXPECT_FALSE(deep.ok);
  EXPECT_EQ(deep.problems[0].message, "expression nested too deeply");
  EXPECT_FALSE(Evaluate(std::string(100000, '-') + "1").ok);
  // So is a long one: its tokens are kept, and a 100 MB line would hold gigabytes of them.
  std::string terms;
  for (int i = 0; i < 5000; ++i) terms += "1|";
  EXPECT_TRUE(Evaluate(terms + "1").ok);
  Read longer = Evaluate(terms + terms + "1");
  EXPECT_FALSE(longer.ok);
  EXPECT_EQ(longer.problems[0].message, "expression too long (more than 10000 tokens)");
}

}  // namespace
}  // namespace fw
