#include "engine/substitute.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/substring_index.h"

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

TEST(SubstringIndexTest, AgreesWithADirectSearchPastItsThreshold) {
  std::mt19937 rng(7);
  SubstringIndex index;
  std::string plain;
  for (int i = 0; i < 6000; ++i) {
    std::string piece(1 + rng() % 6, 'a');
    for (char& c : piece) c = static_cast<char>('a' + rng() % 3);
    index.Append(piece);
    plain += piece;
    std::string probe(1 + rng() % 12, 'a');
    for (char& c : probe) c = static_cast<char>('a' + rng() % 3);
    ASSERT_EQ(index.Contains(probe), plain.find(probe) != std::string::npos) << i;
  }
  EXPECT_FALSE(index.Contains("d"));
}

class SubstituteTest : public ::testing::Test {
 protected:
  GenerationState s_;
};

TEST_F(SubstituteTest, ControlFieldsInOrderWithCascades) {
  DialogRecord& c = s_.CurrentControl;
  c.name = "IDC_1";
  c.text = "at ~CTLX~";
  c.x = -4;
  c.pw = 96;
  c.style = 5;
  s_.CurrentDialog.name = "IDD_MAIN";
  s_.CtlStyleMap = kMap;
  s_.OptionText.Append(
      "~DLGNAME~.~CTLID~ \"~CTLTEXT~\" ~CTLPW~ ~CTLSTYLE~ ~CTLEXSTYLE~ ~OTHER~\r\n");
  SubstituteControlFields(s_, s_.OptionText);
  EXPECT_EQ(s_.OptionText.text(), "IDD_MAIN.IDC_1 \"at -4\" 96 FLAG_A or FLAG_C 0 ~OTHER~\r\n");
}

TEST_F(SubstituteTest, DialogFieldsFillDimFirstAndWmTextsLast) {
  DialogRecord& d = s_.CurrentDialog;
  d.name = "DLG";
  d.x = 6;
  d.text = "T";
  s_.DimText.Append("\tdim ~DLGX~\r\n");
  s_.WmCommandText.Append("\t\t\tcase ~DLGX~\r\n");
  s_.WmInitDialogText.Append("\tinit\r\n");
  s_.DlgProcText.Append("~DIM~~WM_COMMAND~~WM_INITDIALOG~~DLGTEXT~ ~DLGSTYLE~\r\n");
  s_.EventText.Append("~WM_INITDIALOG~~DLGNAME~ ~WM_COMMAND~\r\n");
  SubstituteDialogFields(s_);
  EXPECT_EQ(s_.DlgProcText.text(), "\tdim 6\r\n\t\t\tcase ~DLGX~\r\n\tinit\r\nT 0\r\n");
  EXPECT_EQ(s_.EventText.text(), "\tinit\r\nDLG ~WM_COMMAND~\r\n");

  // The next dialog's pass fills what the first one left in the procedure text.
  d.x = 99;
  s_.DimText.Empty();
  s_.WmCommandText.Empty();
  s_.WmInitDialogText.Empty();
  SubstituteDialogFields(s_);
  EXPECT_EQ(s_.DlgProcText.text(), "\tdim 6\r\n\t\t\tcase 99\r\n\tinit\r\nT 0\r\n");
}

}  // namespace
}  // namespace fw
