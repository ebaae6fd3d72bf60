#include "platform/display_freetype.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "textutil/number.h"

namespace fw {
namespace {

const std::string kMeasureText = " abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

LogFont DialogFont(const std::string& face, int32_t points) {
  LogFont font;
  font.lfHeight = -MulDiv(points, 96, 72);
  font.lfWeight = 400;
  std::strncpy(font.lfFaceName, face.c_str(), sizeof font.lfFaceName - 1);
  return font;
}

class FreeTypeDisplayTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { display_ = new FreeTypeDisplay(); }
  static void TearDownTestSuite() {
    delete display_;
    display_ = nullptr;
  }
  void SetUp() override { dc_ = display_->GetScreenContext(); }
  void TearDown() override { display_->ReleaseScreenContext(dc_); }

  static bool HasWineFonts() { return std::filesystem::is_directory(FontSources{}.folder); }

  // As a dialog's "FONT" statement: created, selected, measured, and given back.
  TextExtent Measure(const std::string& face, int32_t points) {
    FontHandle font = display_->CreateFontIndirect(DialogFont(face, points));
    EXPECT_NE(font, nullptr) << face;
    FontHandle previous = display_->SelectFont(dc_, font);
    const TextExtent extent = display_->MeasureText(dc_, kMeasureText);
    display_->SelectFont(dc_, previous);
    display_->DeleteFont(font);
    return extent;
  }

  static FreeTypeDisplay* display_;
  DeviceContext dc_ = nullptr;
};

FreeTypeDisplay* FreeTypeDisplayTest::display_ = nullptr;

struct Measurement {
  const char* face;
  int32_t points;
  int32_t cx;
  int32_t cy;
};

// What GDI measures under Wine with the fonts-wine files in the prefix.
TEST_F(FreeTypeDisplayTest, DialogFacesMeasureAsGdiDoes) {
  if (!HasWineFonts()) GTEST_SKIP() << "fonts-wine is not installed";
  const Measurement cases[] = {{"MS Sans Serif", 8, 326, 13},
                               {"MS Sans Serif", 10, 408, 16},
                               {"Tahoma", 8, 333, 13},
                               {"MS Shell Dlg", 8, 333, 13},
                               {"Courier", 10, 424, 13}};
  for (const Measurement& m : cases) {
    const TextExtent e = Measure(m.face, m.points);
    EXPECT_EQ(e.cx, m.cx) << m.face << " " << m.points;
    EXPECT_EQ(e.cy, m.cy) << m.face << " " << m.points;
  }
  const TextExtent units = Measure("MS Sans Serif", 8);
  EXPECT_EQ(std::lround(units.cx / 53.0), 6);
}

// Substitutes, letter case, enlarged strikes, outline sizes, the other bitmap families, and the
// font a new context holds: again as GDI under Wine.
TEST_F(FreeTypeDisplayTest, OtherNamesAndSizesMeasureAsGdiDoes) {
  if (!HasWineFonts()) GTEST_SKIP() << "fonts-wine is not installed";
  const Measurement cases[] = {
      {"Helv", 8, 326, 13},           {"ms sans serif", 8, 326, 13}, {"MS Shell Dlg 2", 8, 333, 13},
      {"MS Sans Serif", 24, 974, 40}, {"Courier", 18, 848, 26},      {"Tahoma", 18, 711, 29},
      {"Small Fonts", 8, 285, 11},    {"System", 8, 433, 16},        {"Fixedsys", 8, 424, 15}};
  for (const Measurement& m : cases) {
    const TextExtent e = Measure(m.face, m.points);
    EXPECT_EQ(e.cx, m.cx) << m.face << " " << m.points;
    EXPECT_EQ(e.cy, m.cy) << m.face << " " << m.points;
  }
  const TextExtent stock = display_->MeasureText(dc_, kMeasureText);
  EXPECT_EQ(stock.cx, 433);
  EXPECT_EQ(stock.cy, 16);
}

TEST_F(FreeTypeDisplayTest, MissingFaceFallsBackToARealFace) {
  FontHandle font = display_->CreateFontIndirect(DialogFont("No Such Face", 8));
  ASSERT_NE(font, nullptr);
  const std::string family = display_->FamilyOf(font);
  display_->DeleteFont(font);
  EXPECT_FALSE(family.empty());
  EXPECT_NE(family, "No Such Face");
  const TextExtent missing = Measure("No Such Face", 8);
  const TextExtent substitute = Measure(family, 8);
  EXPECT_GT(missing.cx, 0);
  EXPECT_EQ(missing.cx, substitute.cx);
  EXPECT_EQ(missing.cy, substitute.cy);
  // GDI's stand-in is Arial, whose metric twin fontconfig picks when it is installed.
  if (family == "Liberation Sans") {
    EXPECT_EQ(missing.cx, 337);
    EXPECT_EQ(missing.cy, 12);
  }
  // A family with no face for Western text falls back the same way.
  if (HasWineFonts()) {
    const TextExtent symbols = Measure("Marlett", 8);
    EXPECT_EQ(symbols.cx, missing.cx);
  }
}

// A dialog with several "FONT" statements: each font selected over the last, then the first
// previous font put back and every font deleted.
TEST_F(FreeTypeDisplayTest, SeveralFontsLeaveTheContextWithItsFont) {
  const TextExtent before = display_->MeasureText(dc_, kMeasureText);
  const size_t live = display_->LiveFonts();
  FontHandle first = display_->CreateFontIndirect(DialogFont("MS Sans Serif", 8));
  FontHandle second = display_->CreateFontIndirect(DialogFont("Tahoma", 12));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(display_->LiveFonts(), live + 2);
  FontHandle original = display_->SelectFont(dc_, first);
  EXPECT_EQ(display_->SelectFont(dc_, second), first);
  const TextExtent large = display_->MeasureText(dc_, kMeasureText);
  display_->DeleteFont(first);
  EXPECT_EQ(display_->SelectFont(dc_, original), second);
  display_->DeleteFont(second);
  EXPECT_EQ(display_->LiveFonts(), live);
  const TextExtent after = display_->MeasureText(dc_, kMeasureText);
  EXPECT_EQ(after.cx, before.cx);
  EXPECT_EQ(after.cy, before.cy);
  EXPECT_NE(large.cx, after.cx);
}

// A font deleted while selected keeps measuring until it is replaced, and is gone after.
TEST_F(FreeTypeDisplayTest, FontDeletedWhileSelectedGoesWhenReplaced) {
  const size_t live = display_->LiveFonts();
  FontHandle font = display_->CreateFontIndirect(DialogFont("Tahoma", 8));
  FontHandle original = display_->SelectFont(dc_, font);
  const TextExtent selected = display_->MeasureText(dc_, kMeasureText);
  display_->DeleteFont(font);
  EXPECT_EQ(display_->LiveFonts(), live);
  EXPECT_EQ(display_->MeasureText(dc_, kMeasureText).cx, selected.cx);
  EXPECT_EQ(display_->SelectFont(dc_, original), font);
  EXPECT_EQ(display_->SelectFont(dc_, font), nullptr);
  EXPECT_EQ(display_->FamilyOf(font), "");
}

TEST_F(FreeTypeDisplayTest, UnknownHandlesChangeNothing) {
  const TextExtent before = display_->MeasureText(dc_, kMeasureText);
  int bogus = 0;
  display_->DeleteFont(nullptr);
  display_->DeleteFont(&bogus);
  EXPECT_EQ(display_->SelectFont(dc_, nullptr), nullptr);
  EXPECT_EQ(display_->SelectFont(dc_, &bogus), nullptr);
  EXPECT_EQ(display_->MeasureText(dc_, kMeasureText).cx, before.cx);
  FontHandle font = display_->CreateFontIndirect(DialogFont("Tahoma", 8));
  EXPECT_EQ(display_->SelectFont(&bogus, font), nullptr);
  EXPECT_EQ(display_->MeasureText(&bogus, kMeasureText).cx, 0);
  display_->ReleaseScreenContext(&bogus);
  display_->DeleteFont(font);
  EXPECT_EQ(display_->LogPixelsY(dc_), 96);
  EXPECT_EQ(display_->GetMetric(SystemMetric::kCxFrame), 4);
  EXPECT_EQ(display_->GetMetric(SystemMetric::kCyFrame), 4);
  EXPECT_EQ(display_->GetMetric(SystemMetric::kCyCaption), 19);
}

// Without any font the font cannot be made, and a context measures nothing.
TEST(FreeTypeDisplayWithoutFontsTest, FontIsRefusedAndTheContextMeasuresZero) {
  FreeTypeDisplay display(FontSources{false, "/nonexistent/fonts"});
  DeviceContext dc = display.GetScreenContext();
  FontHandle font = display.CreateFontIndirect(DialogFont("MS Sans Serif", 8));
  EXPECT_EQ(font, nullptr);
  EXPECT_EQ(display.SelectFont(dc, font), nullptr);
  const TextExtent e = display.MeasureText(dc, kMeasureText);
  EXPECT_EQ(e.cx, 0);
  EXPECT_EQ(e.cy, 0);
  display.ReleaseScreenContext(dc);
}

}  // namespace
}  // namespace fw
