#include "script/pp_expander.h"

#include <gtest/gtest.h>

#include "script/pp_lexer.h"
#include "script/pp_operators.h"

namespace fw {
namespace {

// The texts the tokens view, kept for the whole test program.
PpTextStore& Texts() {
  static PpTextStore texts;
  return texts;
}

std::vector<PpToken> Tokens(std::string_view text, uint32_t file = 0) {
  PpDiagnostics d;
  PpLexer lexer(Texts().Keep(std::string(text)), file, false, "", d, Texts());
  std::vector<PpToken> tokens;
  for (PpToken t = lexer.Next(); t.kind != PpKind::kEnd; t = lexer.Next()) {
    if (t.kind != PpKind::kNewline) tokens.push_back(t);
  }
  return tokens;
}

// Macros from "#define"-less definition lines, then `input` expanded.
class Expansion {
 public:
  explicit Expansion(const std::vector<std::string>& definitions) {
    for (const std::string& d : definitions) {
      std::string error;
      EXPECT_NE(macros.Define(Tokens(d), error), PpMacroTable::Defined::kError)
          << d << ": " << error;
    }
  }

  std::vector<PpToken> Run(const std::string& input) {
    PpListInput in(Tokens(input, 0));
    PpExpander expander(macros, in, limits, names, diagnostics, Texts());
    std::vector<PpToken> out;
    for (PpToken t = expander.Get(); t.kind != PpKind::kEnd; t = expander.Get()) {
      if (t.kind != PpKind::kPadding) out.push_back(t);
    }
    failed = expander.Failed();
    return out;
  }

  std::string Text(const std::string& input) {
    std::string s;
    for (const PpToken& t : Run(input)) s.append(s.empty() ? "" : " ").append(t.text);
    return s;
  }

  PpMacroTable macros;
  PpExpansionLimits limits;
  std::vector<std::string> names{"t.rc"};
  PpDiagnostics diagnostics;
  bool failed = false;
};

std::string Expand(const std::vector<std::string>& definitions, const std::string& input) {
  return Expansion(definitions).Text(input);
}

TEST(PpExpanderTest, RescanningAndSelfReference) {
  EXPECT_EQ(Expand({"A B", "B A"}, "A B"), "A B");
  EXPECT_EQ(Expand({"x x + 1"}, "x"), "x + 1");
  EXPECT_EQ(Expand({"f(a) a*g", "g(a) f(a)"}, "f(2)(9)"), "2 * 9 * g");
  EXPECT_EQ(Expand({"f(x) x", "g f"}, "g(1) g"), "1 f");
  // A name painted inside its own expansion stays unexpanded after it.
  EXPECT_EQ(Expand({"f(x) x", "g f(g"}, "g)"), "g");
  EXPECT_EQ(Expand({"id(x) x"}, "id(id(id(3)))"), "3");
}

TEST(PpExpanderTest, ExamplesOfTheCLanguage) {
  Expansion e({"x 2", "f(a) f(x * (a))", "z z[0]", "g f", "h g(~", "m(a) a(w)", "w 0,1", "t(a) a",
               "p() int", "q(x) x", "r(x,y) x ## y", "str(x) # x"});
  EXPECT_EQ(
      e.Text("f(y+1) + f(f(z)) % t(t(g)(0) + t)(1);"),
      "f ( 2 * ( y + 1 ) ) + f ( 2 * ( f ( 2 * ( z [ 0 ] ) ) ) ) % f ( 2 * ( 0 ) ) + t ( 1 ) ;");
  EXPECT_EQ(
      e.Text("g(x+(3,4)-w) | h 5) & m (f)^m(m);"),
      "f ( 2 * ( 2 + ( 3 , 4 ) - 0 , 1 ) ) | f ( 2 * ( ~ 5 ) ) & f ( 2 * ( 0 , 1 ) ) ^ m ( 0 , "
      "1 ) ;");
  EXPECT_EQ(e.Text("p() q() r(,) str()"), "int \"\"");
}

TEST(PpExpanderTest, StringizingSpacesAndEscapes) {
  EXPECT_EQ(Expand({"s(x) #x"}, "s(  a  +b  ) s(\"a\\n\" 'q') s(L\"x\")"),
            "\"a +b\" \"\\\"a\\\\n\\\" 'q'\" \"L\\\"x\\\"\"");
  // Whitespace as the padding of nested expansions gives it, not as the tokens have it.
  EXPECT_EQ(Expand({"str(x) #x", "xstr(x) str(x)", "e", "a 1 + 2"}, "xstr(p e+q) xstr(p(a)q)"),
            "\"p +q\" \"p(1 + 2)q\"");
  EXPECT_EQ(Expand({"s(x) #x", "t(y) s(a-y)"}, "t( b)"), "\"a-b\"");
}

TEST(PpExpanderTest, PastingWithEmptyArguments) {
  Expansion e({"cat(a, b) a ## b", "c3(a, b, c) a ## b ## c", "hh # ## #"});
  EXPECT_EQ(e.Text("cat(x, y) cat(, y) cat(x, ) cat(, ) c3(a, , c) c3(, , ) cat(1, e5)"),
            "xy y x ac 1e5");
  EXPECT_EQ(e.Text("hh"), "##");
  EXPECT_TRUE(e.diagnostics.empty());
  EXPECT_EQ(e.Text("cat(+, -) cat(/, /)"), "+ - / /");
  EXPECT_EQ(e.diagnostics.size(), 2u);
}

TEST(PpExpanderTest, PastedNamesAreExpandedButNotTheMacroBeingRead) {
  EXPECT_EQ(Expand({"cat(a, b) a ## b", "xy done"}, "cat(x, y)"), "done");
  EXPECT_EQ(Expand({"ab a ## b"}, "ab"), "ab");
}

TEST(PpExpanderTest, ArgumentsWithCommasInParenthesesAndVariadics) {
  Expansion e({"f(a, b) [a|b]", "v(a, ...) a:__VA_ARGS__:#__VA_ARGS__"});
  EXPECT_EQ(e.Text("f((1, 2), (3)) f(,)"), "[ ( 1 , 2 ) | ( 3 ) ] [ | ]");
  EXPECT_EQ(e.Text("v(1) v(1, 2, 3)"), "1 : : \"\" 1 : 2 , 3 : \"2, 3\"");
  EXPECT_TRUE(e.diagnostics.empty());
}

TEST(PpExpanderTest, WrongArgumentCountsAndUnterminatedCallsAreErrors) {
  Expansion e({"f(a, b) a b", "g() 1"});
  EXPECT_EQ(e.Text("f(1) x"), "f x");
  EXPECT_EQ(e.Text("f(1, 2, 3) y"), "f y");
  EXPECT_EQ(e.Text("g(1) z"), "g z");
  EXPECT_EQ(e.Text("f(1, (2"), "f");
  ASSERT_EQ(e.diagnostics.size(), 4u);
  EXPECT_NE(e.diagnostics[0].message.find("requires 2 arguments, but only 1"), std::string::npos);
  EXPECT_NE(e.diagnostics[1].message.find("passed 3 arguments"), std::string::npos);
  EXPECT_NE(e.diagnostics[3].message.find("unterminated argument list"), std::string::npos);
  EXPECT_EQ(e.diagnostics[3].file, "t.rc");
  EXPECT_FALSE(e.failed);
}

TEST(PpExpanderTest, FunctionLikeNameWithoutParenthesisStaysAName) {
  EXPECT_EQ(Expand({"f(x) <x>"}, "f + f (1) f"), "f + < 1 > f");
}

TEST(PpExpanderTest, ExpandedTokensTakeTheLineOfTheOutermostCall) {
  Expansion e({"f(x) x x", "o f(1) 2"});
  std::vector<PpToken> out = e.Run("a\no\n(");
  ASSERT_EQ(out.size(), 5u);
  EXPECT_EQ(out[0].line, 1u);
  for (size_t i = 1; i < 4; ++i) EXPECT_EQ(out[i].line, 2u) << i;
  EXPECT_EQ(out[4].line, 3u);
}

TEST(PpExpanderTest, ExponentialExpansionStopsWithAnError) {
  std::vector<std::string> definitions = {"m0 x"};
  for (int i = 1; i <= 40; ++i) {
    definitions.push_back("m" + std::to_string(i) + " m" + std::to_string(i - 1) + " m" +
                          std::to_string(i - 1));
  }
  Expansion e(definitions);
  e.limits.tokensPerExpansion = 100000;
  std::vector<PpToken> out = e.Run("before\nm40");
  EXPECT_TRUE(e.failed);
  EXPECT_LE(out.size(), 100001u);
  ASSERT_FALSE(e.diagnostics.empty());
  EXPECT_EQ(e.diagnostics.back().line, 2u);
  EXPECT_NE(e.diagnostics.back().message.find("too large"), std::string::npos);
}

TEST(PpExpanderTest, DoublingArgumentsStopAtTheBudget) {
  Expansion e({"d(x) x x"});
  e.limits.totalTokens = 50000;
  std::string call = "1";
  for (int i = 0; i < 30; ++i) call = "d(" + call + ")";
  e.Run(call);
  EXPECT_TRUE(e.failed);
}

// Few tokens may hold a gigabyte: a long string doubled by nested macros, or a token pasted
// with itself in nested arguments (doubling its length at each level). Bytes are counted too.
TEST(PpExpanderTest, LongTokensStopAtTheByteBudget) {
  std::vector<std::string> doubling = {"s0 \"" + std::string(1000, 'x') + "\""};
  for (int i = 1; i <= 20; ++i) {
    doubling.push_back("s" + std::to_string(i) + " s" + std::to_string(i - 1) + " s" +
                       std::to_string(i - 1));
  }
  Expansion strings(doubling);
  strings.limits.bytesPerExpansion = 1 << 20;
  size_t bytes = 0;
  for (const PpToken& t : strings.Run("s20")) bytes += t.text.size();
  EXPECT_TRUE(strings.failed);
  EXPECT_LE(bytes, size_t{1} << 20);
  ASSERT_FALSE(strings.diagnostics.empty());
  EXPECT_EQ(strings.diagnostics.back().message,
            "macro expansion too large (more than 1 MiB of text)");

  Expansion pasting({"p(x) x##x", "q(x) p(x)"});
  pasting.limits.totalBytes = 4 << 20;
  std::string call = "ab";
  for (int i = 0; i < 40; ++i) call = "q(" + call + ")";
  std::vector<PpToken> out = pasting.Run(call);
  EXPECT_TRUE(pasting.failed);
  EXPECT_TRUE(out.empty() || out[0].text.size() <= (size_t{8} << 20));
  EXPECT_EQ(Expand({"p(x) x##x", "q(x) p(x)"}, "q(q(ab))"), "abababab");
  // A paste that fails names such tokens cut short, not whole.
  Expansion failing({"p(x) x##x", "q(x) p(x)", "r(x) x##+", "s(x) r(x)"});
  call = "ab";
  for (int i = 0; i < 16; ++i) call = "q(" + call + ")";
  failing.Run("s(" + call + ")");
  std::string start;
  for (int i = 0; i < 20; ++i) start += "ab";
  ASSERT_FALSE(failing.diagnostics.empty());
  EXPECT_EQ(failing.diagnostics[0].message,
            "pasting \"" + start + "...\" and \"+\" does not give a valid preprocessing token");
}

TEST(PpExpanderTest, DeeplyNestedArgumentsStopWithAnError) {
  Expansion e({"f(x) x"});
  std::string call = "1";
  for (int i = 0; i < 300; ++i) call = "f(" + call + ")";
  e.Run(call);
  EXPECT_TRUE(e.failed);
  ASSERT_FALSE(e.diagnostics.empty());
  EXPECT_NE(e.diagnostics.back().message.find("nested too deeply"), std::string::npos)
      << e.diagnostics.back().message;
  Expansion shallow({"f(x) x"});
  EXPECT_EQ(shallow.Text("f(f(f(f(f(7)))))"), "7");
}

TEST(PpOperatorsTest, PasteMakesOnlySingleTokens) {
  PpToken a = Tokens("a")[0], b = Tokens("12")[0], slash = Tokens("/")[0], dot = Tokens(".")[0];
  PpToken out;
  std::string joined;
  ASSERT_TRUE(PasteTokens(a, b, joined, out));
  EXPECT_EQ(out.text, "a12");
  EXPECT_EQ(out.kind, PpKind::kIdentifier);
  ASSERT_TRUE(PasteTokens(b, a, joined, out));
  EXPECT_EQ(out.kind, PpKind::kNumber);
  EXPECT_FALSE(PasteTokens(slash, slash, joined, out));  // a comment, not a token
  EXPECT_FALSE(PasteTokens(a, dot, joined, out));
  EXPECT_FALSE(PasteTokens(Tokens("\"")[0], Tokens("x")[0], joined, out));
}

}  // namespace
}  // namespace fw
