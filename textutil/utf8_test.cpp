#include "textutil/utf8.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(Utf8Test, ReadsWhatItAppends) {
  for (char32_t c : {0x41u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0xFFFFu, 0x10000u, 0x10FFFFu}) {
    std::string text;
    AppendUtf8(text, c);
    const Utf8Step step = ReadUtf8(text, 0);
    EXPECT_TRUE(step.valid) << static_cast<uint32_t>(c);
    EXPECT_EQ(static_cast<uint32_t>(step.c), static_cast<uint32_t>(c));
    EXPECT_EQ(step.length, text.size());
  }
}

TEST(Utf8Test, RejectsMalformedSequencesOneByteAtATime) {
  for (std::string_view bad : {"\x80", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                               "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xE6\x97", "\xC3x"}) {
    const Utf8Step step = ReadUtf8(bad, 0);
    EXPECT_FALSE(step.valid) << bad;
    EXPECT_EQ(step.length, 1u);
    EXPECT_EQ(static_cast<uint32_t>(step.c), static_cast<unsigned char>(bad[0]));
  }
}

TEST(Utf8Test, InvalidBytesAreKeptAsPrivateUseCodePoints) {
  std::vector<size_t> invalid;
  const std::string kept = KeepInvalidUtf8("a\xA9\xC3\xA9\xE6\x97", &invalid);
  EXPECT_EQ(kept, "a\xEE\xBE\xA9\xC3\xA9\xEE\xBF\xA6\xEE\xBE\x97");  // a U+EFA9 é U+EFE6 U+EF97
  EXPECT_EQ(invalid, (std::vector<size_t>{1, 4, 5}));
  const Utf8Step step = ReadUtf8(kept, 1);
  EXPECT_TRUE(IsKeptByte(step.c));
  EXPECT_EQ(KeptByteValue(step.c), 0xA9);
  EXPECT_FALSE(IsKeptByte(0xEF7F));
  EXPECT_FALSE(HasNonAscii("plain\t\r\n"));
  EXPECT_TRUE(HasNonAscii(kept));
}

}  // namespace
}  // namespace fw
