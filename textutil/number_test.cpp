#include "textutil/number.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(ParseIntegerTest, PrefixedForms) {
  EXPECT_EQ(ParseInteger("&hFFFFFFFF"), -1);
  EXPECT_EQ(ParseInteger("&h50010000"), 0x50010000);
  EXPECT_EQ(ParseInteger("  &Hff"), 255);
  EXPECT_EQ(ParseInteger("&o17"), 15);
  EXPECT_EQ(ParseInteger("&b101"), 5);
  EXPECT_EQ(ParseInteger("&h1FFFFFFFF"), -1);  // wraps modulo 2^32
  EXPECT_EQ(ParseInteger("&h"), 0);
  EXPECT_EQ(ParseInteger("&hG1"), 0);
  EXPECT_EQ(ParseInteger("&o9"), 0);
  EXPECT_EQ(ParseInteger("&x12"), 0);
}

TEST(ParseIntegerTest, DecimalForms) {
  EXPECT_EQ(ParseInteger("42"), 42);
  EXPECT_EQ(ParseInteger("  -17abc"), -17);
  EXPECT_EQ(ParseInteger("+8"), 8);
  EXPECT_EQ(ParseInteger(" \t 9"), 9);
  EXPECT_EQ(ParseInteger("4294967297"), 1);
  EXPECT_EQ(ParseInteger("2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseInteger(""), 0);
  EXPECT_EQ(ParseInteger("abc"), 0);
  EXPECT_EQ(ParseInteger("- 5"), 0);
  EXPECT_EQ(ParseInteger("0x1F"), 0);
  EXPECT_EQ(ParseInteger("0X1F"), 0);
  EXPECT_EQ(ParseInteger(std::string(100, '9')), -1);  // (10^100 - 1) mod 2^32
}

TEST(IntegerToTextTest, PlainDigits) {
  EXPECT_EQ(IntegerToText(0), "0");
  EXPECT_EQ(IntegerToText(-5), "-5");
  EXPECT_EQ(IntegerToText(-2147483647 - 1), "-2147483648");
  for (int32_t v : {0, 7, -5, 2147483647, -2147483647 - 1}) {
    EXPECT_EQ(IntegerDigits(v).view(), IntegerToText(v));
  }
}

TEST(MulDivTest, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(4, 13, 8), 7);  // 6.5
  EXPECT_EQ(MulDiv(4, 6, 4), 6);
  EXPECT_EQ(MulDiv(6, 13, 8), 10);     // 9.75
  EXPECT_EQ(MulDiv(106, 13, 8), 172);  // 172.25
  EXPECT_EQ(MulDiv(-4, 13, 8), -7);    // -6.5
  EXPECT_EQ(MulDiv(8, 96, 72), 11);    // 10.67
  EXPECT_EQ(MulDiv(5, 1, -2), -3);     // -2.5
}

TEST(MulDivTest, LargeProductsDoNotOverflowAndQuotientsWrap) {
  EXPECT_EQ(MulDiv(2147483647, 2147483647, 2147483647), 2147483647);
  EXPECT_EQ(MulDiv(-2147483647 - 1, -2147483647 - 1, 4), 0);  // 2^60 wraps to 0
  EXPECT_EQ(MulDiv(2147483647, 8, 4), -2);                    // 2^32 - 2 wraps
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

}  // namespace
}  // namespace fw
