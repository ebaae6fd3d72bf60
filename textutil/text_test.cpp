#include "textutil/text.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(ReplaceAllTest, ReplacesLeftmostNonOverlapping) {
  EXPECT_EQ(ReplaceAll("xx", "y", "xxx"), "yx");
  EXPECT_EQ(ReplaceAll("~CTLX~", "5", "~CTLX~,~CTLX~"), "5,5");
  EXPECT_EQ(ReplaceAll("  ", " ", "a    b"), "a  b");
  EXPECT_EQ(ReplaceAll("ab", "", "abcab"), "c");
  EXPECT_EQ(ReplaceAll("a", "b", "a"), "b");
}

TEST(ReplaceAllTest, InsertedTextIsNotSearchedAgain) {
  EXPECT_EQ(ReplaceAll("x", "xx", "xAx"), "xxAxx");
}

TEST(ReplaceAllTest, EmptyPatternOrTextAndCaseSensitivity) {
  EXPECT_EQ(ReplaceAll("", "z", "abc"), "abc");
  EXPECT_EQ(ReplaceAll("a", "z", ""), "");
  EXPECT_EQ(ReplaceAll("0x", "&h", "0X1F"), "0X1F");
  EXPECT_EQ(ReplaceAll("abcd", "z", "abc"), "abc");
}

TEST(ReplaceAllTest, FromOffsetMatchesWholeTextReplacementAfterIt) {
  std::string text = "~A~ keep ~A~~A~";
  ReplaceAllFrom(text, "~A~", "1", 4);
  EXPECT_EQ(text, "~A~ keep 11");
  std::string same = "aXbXc";
  ReplaceAllFrom(same, "X", "Y", 0);
  EXPECT_EQ(same, "aYbYc");
  EXPECT_FALSE(ReplaceAllFrom(same, "X", "Y", 0));
}

// In place the text moves under itself: growing within its capacity and beyond it, shrinking,
// overlapping candidates, and a replacement that is a piece of the text itself.
TEST(ReplaceAllTest, InPlaceGrowthAndShrinkKeepTheHeadAndMatchTheCopy) {
  const std::string text = "~X~X~ head ~X~ mid ~X~~X~ tail ~X";
  for (std::string_view r : {"", "1", "123", "a much longer value than the text"}) {
    for (size_t from : {0, 3, 11, 20, 33}) {
      for (size_t room : {0, 200}) {
        std::string inPlace = text;
        inPlace.reserve(text.size() + room);
        ReplaceAllFrom(inPlace, "~X~", r, from);
        EXPECT_EQ(inPlace, text.substr(0, from) + ReplaceAll("~X~", r, text.substr(from)))
            << r << " " << from << " " << room;
      }
    }
  }
  std::string self = "~X~ and ~X~";
  ReplaceAllFrom(self, "~X~", std::string_view(self).substr(4, 7), 0);
  EXPECT_EQ(self, "and ~X~ and and ~X~");
}

TEST(FieldTest, CommaFieldsAndIndexesOutOfRange) {
  EXPECT_EQ(FieldCount("x,y,z", ","), 3);
  EXPECT_EQ(FieldAt("x,y,z", ",", 1), "x");
  EXPECT_EQ(FieldAt("x,y,z", ",", 3), "z");
  EXPECT_EQ(FieldAt("x,y,z", ",", 4), "");
  EXPECT_EQ(FieldAt("x,y,z", ",", 0), "");
  EXPECT_EQ(FieldAt("x,y,z", ",", -1), "");
}

TEST(FieldTest, EmptyFieldsAndLineBreaks) {
  EXPECT_EQ(FieldCount(",x,,y,", ","), 5);
  const char* expected[] = {"", "x", "", "y", ""};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(FieldAt(",x,,y,", ",", i + 1), expected[i]);
  EXPECT_EQ(FieldCount("x\r\ny\r\n", "\r\n"), 3);
  EXPECT_EQ(FieldAt("x\r\ny\r\n", "\r\n", 3), "");
}

TEST(FieldTest, MissingEmptyAndMultiCharacterDelimiters) {
  EXPECT_EQ(FieldCount("abc", ";"), 1);
  EXPECT_EQ(FieldAt("abc", ";", 1), "abc");
  EXPECT_EQ(FieldCount("abc", ""), 1);
  EXPECT_EQ(FieldAt("abc", "", 1), "abc");
  EXPECT_EQ(FieldAt("abc", "", 2), "");
  EXPECT_EQ(FieldCount("", ","), 1);
  EXPECT_EQ(FieldAt("", ",", 1), "");
  EXPECT_EQ(FieldCount("xxx", "xx"), 2);
  EXPECT_EQ(FieldAt("xxx", "xx", 1), "");
  EXPECT_EQ(FieldAt("xxx", "xx", 2), "x");
  EXPECT_EQ(FieldAt("a CONTROL b CONTROL c", "CONTROL ", 2), "b ");
}

TEST(FieldTest, FieldViewsGivesWhatFieldViewAtGivesForEachIndex) {
  const char* texts[] = {"x,y,z", ",x,,y,", "", ",", "abc", "a,b,", "xxx", "xxxx,xx"};
  const char* delimiters[] = {",", "", "xx", ";"};
  for (const char* text : texts) {
    for (const char* delimiter : delimiters) {
      std::string_view fields[6];
      FieldViews(text, delimiter, fields);
      for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(fields[i], FieldViewAt(text, delimiter, i + 1))
            << "\"" << text << "\" by \"" << delimiter << "\" field " << i + 1;
      }
    }
  }
}

TEST(UncalledFamilyTest, CharacterSetsRemovalAndCounting) {
  EXPECT_EQ(ReplaceAnyChar("ab", "ab", "xaby"), "xababy");
  EXPECT_EQ(RemoveAll("ababXabYab", "ab"), "XY");
  EXPECT_EQ(RemoveAll("", "ab"), "");
  EXPECT_EQ(RemoveAll("aabb", "ab"), "ab");
  EXPECT_EQ(RemoveAnyChar("a-b_c", "-_"), "abc");
  EXPECT_EQ(OccurrenceCount("xxxx", "xx"), 2);
  EXPECT_EQ(OccurrenceCount("abc", ""), 0);
  EXPECT_EQ(OccurrenceCountAny("a,b;c", ",;"), 2);
  EXPECT_EQ(FieldCountAny("a,b;c", ",;"), 3);
  EXPECT_EQ(FieldAtAny("a,b;c", ",;", 3), "c");
  EXPECT_EQ(FieldAtAny("a,b;c", ",;", 4), "");
  EXPECT_EQ(FieldAtAny("a,b;c", "", 1), "a,b;c");
}

TEST(TrimAndQuotesTest, BlanksOnlyAndQuotesAtTheEnds) {
  EXPECT_EQ(Trim("  a b \t "), "a b \t");
  EXPECT_EQ(Trim("\ta "), "\ta");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(RemoveQuotes("\"\"say \"\"hi\"\"\"\""), "say \"\"hi");
  EXPECT_EQ(RemoveQuotes(" \"MS Sans Serif\""), " \"MS Sans Serif");
  EXPECT_EQ(RemoveQuotes("\"\"\""), "");
}

TEST(SizeAfterReplaceAllTest, MatchesTheSizeTheReplacementGives) {
  for (std::string_view r : {"", "y", "xx", "longer"}) {
    for (size_t from : {0, 1, 4}) {
      std::string text = "xxAxxBxx";
      size_t predicted = SizeAfterReplaceAll(text, "xx", r, from);
      ReplaceAllFrom(text, "xx", r, from);
      EXPECT_EQ(predicted, text.size()) << r << " " << from;
    }
  }
  EXPECT_EQ(SizeAfterReplaceAll("abc", "", "zz", 0), 3u);  // an empty pattern never matches
  EXPECT_EQ(SizeAfterReplaceAll("", "x", "y", 0), 0u);
}

}  // namespace
}  // namespace fw
