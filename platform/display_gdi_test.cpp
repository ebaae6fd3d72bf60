// The GDI display passes each call through; these checks hold on any Windows screen.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/display.h"

namespace fw {
namespace {

const std::string kMeasureText = " abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

LogFont Font(const char* face, int32_t height) {
  LogFont f;
  f.lfHeight = height;
  f.lfWeight = 400;
  std::strncpy(f.lfFaceName, face, sizeof f.lfFaceName - 1);
  return f;
}

TEST(GdiDisplayTest, MeasuresWithTheSelectedFontAndRestoresThePrevious) {
  auto display = MakePlatformDisplay();
  DeviceContext dc = display->GetScreenContext();
  ASSERT_NE(dc, nullptr);
  EXPECT_GT(display->LogPixelsY(dc), 0);

  FontHandle small = display->CreateFontIndirect(Font("Tahoma", -11));
  FontHandle large = display->CreateFontIndirect(Font("Tahoma", -22));
  ASSERT_NE(small, nullptr);
  ASSERT_NE(large, nullptr);
  FontHandle previous = display->SelectFont(dc, small);
  EXPECT_NE(previous, nullptr);
  TextExtent a = display->MeasureText(dc, kMeasureText);
  EXPECT_EQ(display->SelectFont(dc, large), small);
  TextExtent b = display->MeasureText(dc, kMeasureText);
  EXPECT_GT(a.cx, 53);
  EXPECT_GT(a.cy, 0);
  EXPECT_GT(b.cx, a.cx);
  EXPECT_GT(b.cy, a.cy);
  EXPECT_EQ(display->MeasureText(dc, "").cx, 0);
  EXPECT_EQ(display->SelectFont(dc, previous), large);
  display->DeleteFont(small);
  display->DeleteFont(large);
  display->ReleaseScreenContext(dc);
}

TEST(GdiDisplayTest, UnknownFaceStillGivesAFont) {
  auto display = MakePlatformDisplay();
  DeviceContext dc = display->GetScreenContext();
  FontHandle font = display->CreateFontIndirect(Font("No Such Face Anywhere", -13));
  ASSERT_NE(font, nullptr);
  FontHandle previous = display->SelectFont(dc, font);
  EXPECT_GT(display->MeasureText(dc, kMeasureText).cx, 53);
  display->SelectFont(dc, previous);
  display->DeleteFont(font);
  display->ReleaseScreenContext(dc);
}

TEST(GdiDisplayTest, FrameAndCaptionMetricsArePositive) {
  auto display = MakePlatformDisplay();
  EXPECT_GT(display->GetMetric(SystemMetric::kCxFrame), 0);
  EXPECT_GT(display->GetMetric(SystemMetric::kCyFrame), 0);
  EXPECT_GT(display->GetMetric(SystemMetric::kCyCaption), 0);
}

}  // namespace
}  // namespace fw
