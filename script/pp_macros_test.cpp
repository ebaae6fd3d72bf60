#include "script/pp_macros.h"

#include <gtest/gtest.h>

#include "script/pp_lexer.h"

namespace fw {
namespace {

// The texts the tokens view, kept for the whole test program.
PpTextStore& Texts() {
  static PpTextStore texts;
  return texts;
}

std::vector<PpToken> Tokens(std::string_view text) {
  PpDiagnostics d;
  PpLexer lexer(Texts().Keep(std::string(text)), 0, false, "", d, Texts());
  std::vector<PpToken> tokens;
  for (PpToken t = lexer.Next(); t.kind != PpKind::kEnd; t = lexer.Next()) tokens.push_back(t);
  return tokens;
}

std::shared_ptr<PpMacro> Define(const std::string& text, std::string* error = nullptr) {
  std::string ignored;
  return ParseMacroDefinition(Tokens(text), error ? *error : ignored);
}

TEST(PpMacrosTest, ParenthesisRightAfterTheNameMakesAFunctionLikeMacro) {
  auto f = Define("F(a, b) a + b");
  ASSERT_TRUE(f);
  EXPECT_TRUE(f->functionLike);
  EXPECT_EQ(f->params, (std::vector<std::string>{"a", "b"}));
  ASSERT_EQ(f->body.size(), 3u);
  EXPECT_EQ(f->body[0].param, 0);
  EXPECT_EQ(f->body[1].param, -1);
  auto o = Define("O (a) a");
  ASSERT_TRUE(o);
  EXPECT_FALSE(o->functionLike);
  EXPECT_EQ(o->body.size(), 4u);
  EXPECT_EQ(o->body[3].param, -1);  // no parameters in object-like macros
}

TEST(PpMacrosTest, VariadicFormsAndEmptyParameterLists) {
  auto v = Define("V(a, ...) __VA_ARGS__");
  ASSERT_TRUE(v);
  EXPECT_TRUE(v->variadic);
  EXPECT_EQ(v->body[0].param, 1);
  auto named = Define("N(rest...) rest");
  ASSERT_TRUE(named);
  EXPECT_TRUE(named->variadic);
  EXPECT_EQ(named->body[0].param, 0);
  auto none = Define("Z() 1");
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->functionLike);
  EXPECT_TRUE(none->params.empty());
}

TEST(PpMacrosTest, OperatorsBecomeMarksOnTheirOperands) {
  auto m = Define("M(x, y) # x x ## y ## 1");
  ASSERT_TRUE(m);
  ASSERT_EQ(m->body.size(), 4u);
  EXPECT_TRUE(m->body[0].stringify);
  EXPECT_EQ(m->body[0].param, 0);
  EXPECT_TRUE(m->body[0].token.spaceBefore == false);  // first token
  EXPECT_TRUE(m->body[1].token.pasteLeft);
  EXPECT_TRUE(m->body[2].token.pasteLeft);
  EXPECT_FALSE(m->body[3].token.pasteLeft);
  auto o = Define("H # x");  // '#' is an ordinary token in object-like macros
  ASSERT_TRUE(o);
  EXPECT_EQ(o->body.size(), 2u);
}

TEST(PpMacrosTest, MalformedDefinitionsSayWhy) {
  std::string error;
  EXPECT_FALSE(Define("1X 2", &error));
  EXPECT_EQ(error, "macro names must be identifiers");
  EXPECT_FALSE(Define("F(a, a) a", &error));
  EXPECT_NE(error.find("duplicate"), std::string::npos);
  EXPECT_FALSE(Define("F(a) # b", &error));
  EXPECT_NE(error.find("'#'"), std::string::npos);
  EXPECT_FALSE(Define("F(a) ## a", &error));
  EXPECT_FALSE(Define("F(a) a ##", &error));
  EXPECT_FALSE(Define("F(a", &error));
  EXPECT_FALSE(Define("F(a,) a", &error));
  EXPECT_FALSE(Define("F(..., a) a", &error));
  EXPECT_FALSE(Define("defined 1", &error));
  EXPECT_FALSE(Define("", &error));
}

TEST(PpMacrosTest, RedefinitionsCompareTokensAndWhereWhitespaceIs) {
  auto a = Define("A(x) x + 1");
  EXPECT_TRUE(SameDefinition(*a, *Define("A(x)  x  +  1")));
  EXPECT_TRUE(SameDefinition(*a, *Define("A(x)x + 1")));  // leading whitespace does not count
  EXPECT_FALSE(SameDefinition(*a, *Define("A(x) x+1")));
  EXPECT_FALSE(SameDefinition(*a, *Define("A(y) y + 1")));
  EXPECT_FALSE(SameDefinition(*a, *Define("A (x) x + 1")));
}

TEST(PpMacrosTest, SpellTokensPutsOneSpaceWhereWhitespaceWas) {
  EXPECT_EQ(SpellTokens(Tokens("X  (WS_CHILD|/* c */ 0x10)  // end"), 1), "(WS_CHILD| 0x10)");
}

}  // namespace
}  // namespace fw
