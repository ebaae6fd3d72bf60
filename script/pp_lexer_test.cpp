#include "script/pp_lexer.h"

#include <gtest/gtest.h>

#include <memory>

namespace fw {
namespace {

struct Lexed {
  std::unique_ptr<PpTextStore> texts = std::make_unique<PpTextStore>();  // what tokens view
  std::vector<PpToken> tokens;                                           // newlines as tokens too
  PpDiagnostics diagnostics;
};

Lexed Lex(std::string_view text, bool doubledQuotes = false) {
  Lexed out;
  PpLexer lexer(out.texts->Keep(std::string(text)), 0, doubledQuotes, "t.rc", out.diagnostics,
                *out.texts);
  for (PpToken t = lexer.Next(); t.kind != PpKind::kEnd; t = lexer.Next()) {
    out.tokens.push_back(t);
  }
  return out;
}

std::string Spellings(const Lexed& lexed) {
  std::string s;
  for (const PpToken& t : lexed.tokens) {
    if (!s.empty()) s += '|';
    s += t.kind == PpKind::kNewline ? "\\n" : t.text;
  }
  return s;
}

TEST(PpLexerTest, SplicesJoinLinesButLinesKeepCounting) {
  Lexed l = Lex("ab\\\ncd x\\\r\n\\\ny\nz");
  EXPECT_EQ(Spellings(l), "abcd|xy|\\n|z");
  EXPECT_EQ(l.tokens[0].line, 1u);
  EXPECT_EQ(l.tokens[1].line, 2u);
  EXPECT_EQ(l.tokens[3].line, 5u);
}

TEST(PpLexerTest, CommentsAreWhitespaceAndBlockCommentsHideNewlines) {
  Lexed l = Lex("a/* 1\n2 */b // c \"d\ne/**/f");
  EXPECT_EQ(Spellings(l), "a|b|\\n|e|f");
  EXPECT_TRUE(l.tokens[1].spaceBefore);
  EXPECT_EQ(l.tokens[1].line, 2u);
  EXPECT_EQ(l.tokens[3].line, 3u);
  EXPECT_TRUE(l.tokens[4].spaceBefore);
  EXPECT_TRUE(l.diagnostics.empty());
}

TEST(PpLexerTest, UnterminatedCommentIsAnErrorWithItsLine) {
  Lexed l = Lex("a\n/* open\n\n");
  ASSERT_EQ(l.diagnostics.size(), 1u);
  EXPECT_TRUE(l.diagnostics[0].error);
  EXPECT_EQ(l.diagnostics[0].line, 2u);
  EXPECT_EQ(l.diagnostics[0].file, "t.rc");
}

TEST(PpLexerTest, DoubledQuotesMakeOneStringOnlyInResourceScripts) {
  EXPECT_EQ(Spellings(Lex("\"a\"\"b\" \"c\"", true)), "\"a\"\"b\"|\"c\"");
  EXPECT_EQ(Spellings(Lex("\"a\"\"b\"", false)), "\"a\"|\"b\"");
  EXPECT_EQ(Spellings(Lex("\"a\\\"b\" 'x'", true)), "\"a\\\"b\"|'x'");
}

TEST(PpLexerTest, StringsAndCharactersWithPrefixesAndOtherBytes) {
  Lexed l = Lex("L\"w\" u8\"\xc3\xa9 /* no comment */\" L'x' Lx \"open\nnext");
  EXPECT_EQ(Spellings(l), "L\"w\"|u8\"\xc3\xa9 /* no comment */\"|L'x'|Lx|\"open|\\n|next");
  EXPECT_EQ(l.tokens[0].kind, PpKind::kString);
  EXPECT_EQ(l.tokens[2].kind, PpKind::kCharacter);
  EXPECT_EQ(l.tokens[3].kind, PpKind::kIdentifier);
  EXPECT_TRUE(l.tokens[4].unterminated);
  EXPECT_FALSE(l.tokens[0].unterminated);
}

TEST(PpLexerTest, NumbersTakeSuffixesAndExponentSigns) {
  EXPECT_EQ(Spellings(Lex("0x10L 1e+5 1.5f .5 1+2 0x1e+1 12UL")),
            "0x10L|1e+5|1.5f|.5|1|+|2|0x1e+1|12UL");
  Lexed l = Lex("7 . 5");
  EXPECT_EQ(l.tokens[1].kind, PpKind::kPunctuator);
}

TEST(PpLexerTest, PunctuatorsTakeTheLongestMatch) {
  EXPECT_EQ(Spellings(Lex("a<<=b...##c#d->e|||f")), "a|<<=|b|...|##|c|#|d|->|e||||||f");
  Lexed l = Lex("@ `");
  EXPECT_EQ(l.tokens[0].kind, PpKind::kOther);
}

TEST(PpLexerTest, HeaderNamesKeepBackslashesAndLeaveOtherTextAlone) {
  PpDiagnostics d;
  PpTextStore texts;
  PpLexer lexer(" \"res\\Dlg.h\" x\n <Windows.h>\n FOO", 0, false, "t", d, texts);
  std::string name;
  bool angled = true;
  ASSERT_TRUE(lexer.LexHeaderName(name, angled));
  EXPECT_EQ(name, "res\\Dlg.h");
  EXPECT_FALSE(angled);
  EXPECT_EQ(lexer.Next().text, "x");
  EXPECT_EQ(lexer.Next().kind, PpKind::kNewline);
  ASSERT_TRUE(lexer.LexHeaderName(name, angled));
  EXPECT_EQ(name, "Windows.h");
  EXPECT_TRUE(angled);
  EXPECT_EQ(lexer.Next().kind, PpKind::kNewline);
  EXPECT_FALSE(lexer.LexHeaderName(name, angled));
  EXPECT_EQ(lexer.Next().text, "FOO");
}

// The lexer counts a block comment's newlines as it passes them: a header name looked for and
// not found passes the comment twice, and must count it once.
TEST(PpLexerTest, LinesCountOnceWhenAHeaderNameIsNotFoundAfterAComment) {
  PpDiagnostics d;
  PpTextStore texts;
  PpLexer lexer(" /* a\n b */ FOO\nBAR /* c\n\n", 0, false, "t", d, texts);
  std::string name;
  bool angled = false;
  EXPECT_FALSE(lexer.LexHeaderName(name, angled));
  EXPECT_EQ(lexer.Line(), 1u);
  PpToken foo = lexer.Next();
  EXPECT_EQ(foo.text, "FOO");
  EXPECT_EQ(foo.line, 2u);
  EXPECT_EQ(lexer.Next().kind, PpKind::kNewline);
  EXPECT_EQ(lexer.Next().line, 3u);
  EXPECT_FALSE(lexer.LexHeaderName(name, angled));  // an unterminated comment, then the end
  EXPECT_EQ(lexer.Line(), 3u);
  EXPECT_EQ(lexer.Next().kind, PpKind::kEnd);
  EXPECT_EQ(lexer.Line(), 5u);  // the end, after the comment's two newlines
}

}  // namespace
}  // namespace fw
