#include "engine/style_names.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

const std::string kMap = "&h1,FLAG_A\r\n&h2,FLAG_B\r\n&h4,FLAG_C\r\n";

TEST(StyleFlagNamesTest, EntriesWhoseBitsAreAllSet) {
  EXPECT_EQ(StyleFlagNames(5, kMap), "FLAG_A or FLAG_C");
  EXPECT_EQ(StyleFlagNames(2, kMap), "FLAG_B");
  EXPECT_EQ(StyleFlagNames(8, kMap), "0");
  EXPECT_EQ(StyleFlagNames(7, ""), "0");
  EXPECT_EQ(StyleFlagNames(1, "&h3,BOTH\r\n"), "0");
  EXPECT_EQ(StyleFlagNames(3, "&h3,BOTH\r\n"), "BOTH");
}

TEST(StyleFlagNamesTest, ZeroValuesQualifyAlways) {
  EXPECT_EQ(StyleFlagNames(0, "0,ZERO\r\n0x10,HEX_IGNORED\r\n"), "ZERO or HEX_IGNORED");
  EXPECT_EQ(StyleFlagNames(-2147483647 - 1, "&h80000000,TOP,ignored\r\n"), "TOP");
}

TEST(StyleFlagNamesTest, NamesContainedInTheResultAreLeftOut) {
  EXPECT_EQ(StyleFlagNames(3, "&h1,FLAG_AB\r\n&h2,FLAG_A\r\n"), "FLAG_AB");
  EXPECT_EQ(StyleFlagNames(3, "&h1,A\r\n&h2, or \r\n"), "A");
}

TEST(StyleFlagNamesTest, JunkLinesLeaveAnEmptySlot) {
  EXPECT_EQ(StyleFlagNames(3, "&h1,FLAG_A\r\njunk\r\n&h2,FLAG_B\r\n"), "FLAG_A or  or FLAG_B");
  EXPECT_EQ(StyleFlagNames(1, "&h1,FLAG_A\r\njunk\r\n"), "FLAG_A");
}

// The cache keeps a few maps to try first; with more maps in turn than that, each lookup must
// still give the names of its own map.
TEST(StyleMapCacheTest, GivesEachMapsOwnNamesWithManyMapsInTurn) {
  StyleMapCache cache;
  std::vector<std::string> maps;
  for (int i = 0; i < 40; ++i) {
    maps.push_back("&h1,A" + std::to_string(i) + "\r\n&h2,B\r\n" + std::string(i % 3, 'x'));
  }
  for (int round = 0; round < 3; ++round) {
    for (const std::string& map : maps) {
      for (int32_t value : {0, 1, 3, -1}) {
        ASSERT_EQ(cache.FlagNames(value, map), StyleFlagNames(value, map)) << map << value;
      }
    }
  }
  cache.Clear();
  EXPECT_EQ(cache.FlagNames(3, kMap), "FLAG_A or FLAG_B");
}

}  // namespace
}  // namespace fw
