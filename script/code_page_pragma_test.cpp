#include "script/code_page_pragma.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(CodePagePragmaTest, ReadsNumbersAndDefaultAsWritten) {
  const auto plain = ParseCodePagePragma("#pragma code_page(932)\r\n");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->codePage, 932);
  EXPECT_FALSE(plain->toDefault);
  const auto spaced = ParseCodePagePragma("  #  pragma\tCODE_PAGE ( 1251 ) // Russian");
  ASSERT_TRUE(spaced);
  EXPECT_EQ(spaced->codePage, 1251);
  const auto back = ParseCodePagePragma("#pragma code_page(Default)");
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->toDefault);
  const auto bad = ParseCodePagePragma("#pragma code_page(utf8)");
  ASSERT_TRUE(bad);
  EXPECT_EQ(bad->codePage, 0);
  EXPECT_EQ(bad->argument, "utf8");
}

TEST(CodePagePragmaTest, OtherLinesAreNotPragmas) {
  for (const char* line : {"\"#pragma code_page(932)\\r\\n\"", "#pragmacode_page(932)",
                           "#pragma once", "// #pragma code_page(932)", "#Pragma code_page(1)",
                           "LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT"}) {
    EXPECT_FALSE(ParseCodePagePragma(line)) << line;
  }
}

TEST(CodePagePragmaTest, BlockCommentsSpanLinesButNotStringsOrLineComments) {
  CommentTracker comments;
  EXPECT_TRUE(comments.Scan("x /* open é").startsOutside);
  EXPECT_FALSE(comments.Scan("#pragma code_page(932)").startsOutside);
  EXPECT_FALSE(comments.Scan("still é */ y").startsOutside);
  EXPECT_TRUE(comments.Scan("LTEXT \"/* not a comment \\\"\", 1 // /* nor this").startsOutside);
  EXPECT_TRUE(comments.Scan("CAPTION \"a \"\" b /*\"").startsOutside);
  EXPECT_TRUE(comments.Scan("#pragma code_page(932)").startsOutside);
}

TEST(CodePagePragmaTest, NonAsciiCountsOnlyOutsideComments) {
  CommentTracker comments;
  EXPECT_FALSE(comments.Scan("// 日本語 resources").nonAscii);
  EXPECT_FALSE(comments.Scan("/* é").nonAscii);
  EXPECT_FALSE(comments.Scan("é */").nonAscii);
  EXPECT_TRUE(comments.Scan("CAPTION \"日本\" // é").nonAscii);
  EXPECT_TRUE(comments.Scan("\"// é\"").nonAscii);
}

}  // namespace
}  // namespace fw
