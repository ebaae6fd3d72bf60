#include "script/rc_string.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

// Escapes as llvm-rc-14 reads them (tests/full_syntax/constructs/strings.rc compares them).
TEST(RcStringTest, EscapesAsTheCompilerReadsThem) {
  EXPECT_EQ(DecodeRcString(R"("a""b")"), "a\"b");
  EXPECT_EQ(DecodeRcString(R"("\n\r\t\\")"), "\n\r\t\\");
  EXPECT_EQ(DecodeRcString(R"("\x41\101\x4g")"), "AA\x04g");
  EXPECT_EQ(DecodeRcString(R"("bell\a")"), "bell\x08");
  EXPECT_EQ(DecodeRcString(R"("\q\b")"), "\\q\\b");  // unknown escapes stay
  EXPECT_EQ(DecodeRcString(R"("x\"y")"), "x\"y");
  EXPECT_EQ(DecodeRcString(R"("ab\0cd")"), "ab");  // the text ends at a NUL
  EXPECT_EQ(DecodeRcString(R"("\xe9")"), "\xC3\xA9");
  EXPECT_EQ(DecodeRcString("\"caf\xC3\xA9\""), "caf\xC3\xA9");
}

TEST(RcStringTest, WideTextsTakeFourHexDigitsAndPairSurrogates) {
  EXPECT_EQ(DecodeRcString(R"(L"\x263Ag")"), "\xE2\x98\xBAg");
  EXPECT_EQ(DecodeRcString(R"(L"\xD83D\xDE00")"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(DecodeRcString(R"(L"\xD83Dx")"), "\xEF\xBF\xBDx");
  EXPECT_EQ(DecodeRcString(R"(L"a\qb")"), "ab");  // llvm-rc drops an unknown escape here
}

TEST(RcStringTest, BasicDoublesQuotes) {
  EXPECT_EQ(BasicQuoted("say \"hi\""), "say \"\"hi\"\"");
  EXPECT_EQ(BasicQuoted(""), "");
}

}  // namespace
}  // namespace fw
