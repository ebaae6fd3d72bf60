#include "script/pp_expression.h"

#include <gtest/gtest.h>

#include "script/pp_lexer.h"

namespace fw {
namespace {

bool Eval(const std::string& text, int64_t& value, std::string& error) {
  PpDiagnostics d;
  PpTextStore texts;
  PpLexer lexer(text, 0, false, "", d, texts);
  std::vector<PpToken> tokens;
  for (PpToken t = lexer.Next(); t.kind != PpKind::kEnd; t = lexer.Next()) tokens.push_back(t);
  return EvaluatePpExpression(tokens, value, error);
}

int64_t Value(const std::string& text) {
  int64_t value = -12345;
  std::string error;
  EXPECT_TRUE(Eval(text, value, error)) << text << ": " << error;
  return value;
}

std::string Error(const std::string& text) {
  int64_t value = 0;
  std::string error;
  EXPECT_FALSE(Eval(text, value, error)) << text;
  return error;
}

TEST(PpExpressionTest, PrecedenceAndAssociativity) {
  EXPECT_EQ(Value("1 + 2 * 3"), 7);
  EXPECT_EQ(Value("10 - 4 - 3"), 3);
  EXPECT_EQ(Value("1 << 2 + 1"), 8);
  EXPECT_EQ(Value("1 | 2 ^ 3 & 4"), 1 | (2 ^ (3 & 4)));
  EXPECT_EQ(Value("1 < 2 == 1"), 1);
  EXPECT_EQ(Value("-(3) * ~0 + !0"), 4);
  EXPECT_EQ(Value("0 ? 1 : 2 ? 3 : 4"), 3);
  EXPECT_EQ(Value("(1, 2)"), 2);
  EXPECT_EQ(Value("7 / 2 + -7 / 2 + -7 % 3"), 0 + -1);
}

TEST(PpExpressionTest, ConstantsInEveryForm) {
  EXPECT_EQ(Value("0x10L + 010 + 0b11 + 12UL + 1ll"), 16 + 8 + 3 + 12 + 1);
  EXPECT_EQ(Value("'a' + '\\n' + '\\x41' + '\\101'"), 97 + 10 + 65 + 65);
  EXPECT_EQ(Value("'\\377'"), -1);  // a char is signed
  EXPECT_EQ(Value("'ab'"), 0x6162);
  EXPECT_EQ(Value("UNDEFINED_NAME + 1"), 1);
  EXPECT_NE(Error("1.5").find("invalid integer"), std::string::npos);
  EXPECT_NE(Error("0x").find("invalid integer"), std::string::npos);
  EXPECT_NE(Error("\"s\"").find("not valid"), std::string::npos);
}

TEST(PpExpressionTest, UnsignedOperandsMakeUnsignedArithmetic) {
  EXPECT_EQ(Value("-1 < 0"), 1);
  EXPECT_EQ(Value("-1 < 0u"), 0);
  EXPECT_EQ(Value("0xFFFFFFFFFFFFFFFF > 0"), 1);  // too large for the signed type
  EXPECT_EQ(Value("-1 / 2u > 0"), 1);
  EXPECT_EQ(Value("(0 ? 1u : -1) > 0"), 1);
  EXPECT_EQ(Value("0x80000000 > 0"), 1);  // 64-bit: a 32-bit style value stays positive
}

TEST(PpExpressionTest, ShiftsPastTheWidthAndNegativeCounts) {
  EXPECT_EQ(Value("1 << 64"), 0);
  EXPECT_EQ(Value("-8 >> 1"), -4);
  EXPECT_EQ(Value("-8 >> 70"), -1);
  EXPECT_EQ(Value("8 << -1"), 4);
  EXPECT_EQ(Value("(-9223372036854775807 - 1) / -1 < 0"), 1);  // wraps, no trap
}

TEST(PpExpressionTest, OnlyEvaluatedOperandsCanDivideByZero) {
  EXPECT_EQ(Value("0 && 1 / 0"), 0);
  EXPECT_EQ(Value("1 || 1 % 0"), 1);
  EXPECT_EQ(Value("1 ? 2 : 1 / 0"), 2);
  EXPECT_EQ(Value("0 ? 1 / 0 : 3"), 3);
  EXPECT_NE(Error("1 / 0").find("division by zero"), std::string::npos);
  EXPECT_NE(Error("1 && 1 % 0").find("division by zero"), std::string::npos);
}

TEST(PpExpressionTest, MalformedExpressions) {
  EXPECT_NE(Error("").find("no expression"), std::string::npos);
  EXPECT_NE(Error("1 +").find("no expression"), std::string::npos);
  EXPECT_NE(Error("(1").find("missing ')'"), std::string::npos);
  EXPECT_NE(Error("1 2").find("missing binary operator"), std::string::npos);
  EXPECT_NE(Error("1 ? 2").find("':'"), std::string::npos);
  Error(") 1");
  Error("1 = 2");
}

TEST(PpExpressionTest, DeepNestingIsAnErrorNotACrash) {
  EXPECT_EQ(Value(std::string(60, '(') + "1" + std::string(60, ')')), 1);
  EXPECT_NE(Error(std::string(100000, '(') + "1" + std::string(100000, ')')).find("deeply"),
            std::string::npos);
  std::string negations;
  for (int i = 0; i < 100000; ++i) negations += "- ";
  EXPECT_NE(Error(negations + "1").find("deeply"), std::string::npos);
  std::string chain = "1";
  for (int i = 0; i < 50000; ++i) chain += "+1";
  EXPECT_EQ(Value(chain), 50001);  // long, not deep
}

}  // namespace
}  // namespace fw
