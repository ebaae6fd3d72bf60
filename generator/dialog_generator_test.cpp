#include "generator/dialog_generator.h"

#include <gtest/gtest.h>

#include "tests/support/generator_test.h"

namespace fw {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(GeneratorTest, DialogHeaderStatementsAndUnits) {
  std::string bas = Run({"#define IDD_DLG1 1000", "IDD_DLG1 DIALOGEX 6,6,194,106",
                         "CAPTION \"Main \"\"x\"\"\"", "FONT 8,\"MS Sans Serif\",0,0,0",
                         "STYLE 0x10CB0840", "EXSTYLE 0x00000008", "BEGIN", "END"});
  EXPECT_EQ(bas,
            "[IDD_DLG1]\r\n#define IDD_DLG1 1000\r\n\r\n\r\n|dlg IDD_DLG1 6,6,194,106 px "
            "9,10,299,199 \"Main \"\"x\" [WS_CAPTION or WS_BORDER or WS_DLGFRAME] "
            "[WS_EX_TOPMOST]\r\n\r\n\r\n");
  EXPECT_EQ(display_.LiveFonts(), 0u);
  EXPECT_EQ(display_.CurrentFont(), nullptr);
}

// Statements apply in their order: a FONT sets the pixel size afresh, so the caption height
// of an earlier STYLE is lost; indented statements with trailing blanks count.
TEST_F(GeneratorTest, StyleBeforeFontLosesTheCaptionHeight) {
  std::string bas = Run({"A DIALOGEX 0,0,10,10", "STYLE 0x00C00000", "FONT 8, \"MS Sans Serif\"",
                         "BEGIN", "END", "  B DIALOGEX 0,0,10,10  ", "   FONT 8,\"X\"   ",
                         "  STYLE 0x00C00000 ", "  CAPTION \"c\"  ", "  BEGIN  ", "  END  "});
  EXPECT_TRUE(Has(bas, "dlg A 0,0,10,10 px 0,0,23,24")) << bas;
  EXPECT_TRUE(Has(bas, "dlg B 0,0,10,10 px 0,0,23,43 \"c\" [WS_CAPTION")) << bas;
}

// WS_CAPTION is two bits; either one alone is a border or a frame, with no caption.
TEST_F(GeneratorTest, OnlyBothCaptionBitsAddTheCaptionHeight) {
  std::string bas =
      Run({"A DIALOGEX 0,0,10,10", "FONT 8,\"X\"", "STYLE 0x00800000", "BEGIN", "END",
           "B DIALOGEX 0,0,10,10", "FONT 8,\"X\"", "STYLE 0x00400000", "BEGIN", "END",
           "C DIALOGEX 0,0,10,10", "FONT 8,\"X\"", "STYLE 0x00C00000", "BEGIN", "END"});
  EXPECT_TRUE(Has(bas, "dlg A 0,0,10,10 px 0,0,23,24 \"\" [WS_BORDER]")) << bas;
  EXPECT_TRUE(Has(bas, "dlg B 0,0,10,10 px 0,0,23,24 \"\" [WS_DLGFRAME]")) << bas;
  EXPECT_TRUE(Has(bas, "dlg C 0,0,10,10 px 0,0,23,43")) << bas;
}

TEST_F(GeneratorTest, HeaderFormsAndKeywordCase) {
  std::string bas = Run({"A DIALOGEX 6, 6, 194, 106", "BEGIN", "END", "B  DIALOGEX 1,2,3,4",
                         "caption \"lower\"", "EXSTYLE 0x00C00000", "BEGIN", "END"});
  EXPECT_TRUE(Has(bas, "dlg A 6,0,0,0 px 0,0,0,0")) << bas;
  EXPECT_TRUE(Has(bas, "dlg B 0,0,0,0 px 0,0,0,0 \"\" [0] [0]")) << bas;
}

TEST_F(GeneratorTest, ControlPixelsFromTheUnitsInEffect) {
  std::string bas =
      Run({"D DIALOGEX 0,0,10,10", "FONT 8,\"F\"", "BEGIN",
           "CONTROL \"rc file\",IDC_BTN1,\"Button\",0x50010000,4,4,64,13,0x00000000", "END"});
  EXPECT_TRUE(Has(bas, "ctl IDC_BTN1 \"rc file\" 4,4,64,13 px 6,7,96,21 [WS_CHILD_VISIBLE] [0]"))
      << bas;
}

// A dialog without FONT converts with the units of the last dialog that had one, in this run or
// an earlier one of the same session; with none, with zeros.
TEST_F(GeneratorTest, ControlsUseThePreviousDialogsUnitsOrZeros) {
  std::string bas =
      Run({"A DIALOGEX 0,0,10,10", "BEGIN", "CONTROL \"x\",I1,\"Button\",0x0,4,4,64,13", "END",
           "B DIALOGEX 0,0,10,10", "FONT 8,\"F\"", "BEGIN", "END", "C DIALOGEX 0,0,10,10", "BEGIN",
           "CONTROL \"y\",I2,\"Button\",0x50000000,4,4,64,13", "END"});
  EXPECT_TRUE(Has(bas, "ctl I1 \"x\" 4,4,64,13 px 0,0,0,0 [0] [0]")) << bas;
  EXPECT_TRUE(Has(bas, "ctl I2 \"y\" 4,4,64,13 px 6,7,96,21 [WS_CHILD_VISIBLE] [0]")) << bas;
  std::string next =
      Run({"E DIALOGEX 0,0,10,10", "BEGIN", "CONTROL \"z\",I3,\"Button\",0x0,4,4,64,13", "END"});
  EXPECT_TRUE(Has(next, "ctl I3 \"z\" 4,4,64,13 px 6,7,96,21")) << next;
}

TEST_F(GeneratorTest, TheFirstNamedDialogIsTheMainDialog) {
  std::string bas =
      Run({"// DIALOGEX in a comment", "BEGIN", "END", "B DIALOGEX 0,0,1,1", "BEGIN", "END"});
  EXPECT_EQ(bas.substr(0, 5), "[//]\r");
}

// Measures every text at a given width, and can refuse to create fonts.
class WidthDisplay : public FixedDisplay {
 public:
  WidthDisplay(int32_t width, bool refuse) : FixedDisplay(0, 13), width_(width), refuse_(refuse) {}
  TextExtent MeasureText(DeviceContext, const std::string&) override { return {width_, 13}; }
  FontHandle CreateFontIndirect(const LogFont& font) override {
    faces.push_back(font.lfFaceName);
    heights.push_back(font.lfHeight);
    return refuse_ ? nullptr : FixedDisplay::CreateFontIndirect(font);
  }
  std::vector<std::string> faces;
  std::vector<int32_t> heights;

 private:
  int32_t width_;
  bool refuse_;
};

TEST_F(GeneratorTest, AverageWidthRoundsToTheNearestPixel) {
  for (auto [width, cx] : {std::pair{318, 6}, {344, 6}, {345, 7}}) {
    WidthDisplay display(width, false);
    Platform platform{*files_, display};
    Run({"A DIALOGEX 0,0,1,1", "FONT 8,\"MS Sans Serif\"", "BEGIN", "END"}, platform);
    EXPECT_EQ(session_.dialogBaseUnits.cx, cx) << width;
    EXPECT_EQ(display.faces, std::vector<std::string>{"MS Sans Serif"});
    EXPECT_EQ(display.heights, std::vector<int32_t>{-11});  // 8 points at 96 pixels per inch
  }
}

TEST_F(GeneratorTest, SeveralFontsAreAllReleasedAndRefusedFontsStillMeasure) {
  WidthDisplay display(318, false);
  Platform platform{*files_, display};
  std::string longName(40, 'F');
  Run({"A DIALOGEX 0,0,1,1", "FONT 8,\"One\"", "FONT 10, \"Two\"", "FONT 9,\"" + longName + "\"",
       "BEGIN", "END"},
      platform);
  EXPECT_EQ(display.faces, (std::vector<std::string>{"One", " \"Two", longName.substr(0, 31)}));
  EXPECT_EQ(display.LiveFonts(), 0u);
  EXPECT_EQ(display.CurrentFont(), nullptr);

  WidthDisplay refusing(345, true);
  Platform refused{*files_, refusing};
  Run({"A DIALOGEX 0,0,1,1", "FONT 8,\"One\"", "BEGIN", "END"}, refused);
  EXPECT_EQ(session_.dialogBaseUnits.cx, 7);
  EXPECT_EQ(refusing.CurrentFont(), nullptr);
}

// With the whole language, a dialog without FONT takes the units of the font the context holds
// (the system font), as Windows gives it; the narrow form keeps those of the last FONT.
TEST_F(GeneratorTest, WithoutFontTheWholeLanguageMeasuresTheSystemFont) {
  WidthDisplay display(345, false);
  Platform platform{*files_, display};
  std::initializer_list<std::string> script = {"A DIALOGEX 0,0,40,80", "BEGIN",
                                               "CONTROL \"x\",I1,\"Button\",0x0,4,8,4,8", "END"};
  std::string narrow = Run(script, platform);
  EXPECT_TRUE(Has(narrow, "dlg A 0,0,40,80 px 0,0,0,0")) << narrow;
  EXPECT_TRUE(display.faces.empty());
  options_.fullSyntax = true;
  std::string full = Run(script, platform);
  EXPECT_TRUE(Has(full, "dlg A 0,0,40,80 px 0,0,78,138")) << full;  // 70 + 8, 130 + 8
  EXPECT_TRUE(Has(full, "ctl I1 \"x\" 4,8,4,8 px 7,13,7,13")) << full;
  EXPECT_TRUE(display.faces.empty());  // no font made: the context's own is measured
}

}  // namespace
}  // namespace fw
