#include "platform/display_fixed.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(FixedDisplayTest, EveryFontMeasuresTheGivenUnitsAndFontsAreTracked) {
  FixedDisplay display(6, 13, Metrics{3, 5, 20});
  DeviceContext dc = display.GetScreenContext();
  LogFont font;
  FontHandle a = display.CreateFontIndirect(font);
  FontHandle b = display.CreateFontIndirect(font);
  EXPECT_EQ(display.SelectFont(dc, a), nullptr);
  EXPECT_EQ(display.SelectFont(dc, b), a);
  TextExtent e = display.MeasureText(dc, std::string(53, 'x'));
  EXPECT_EQ(e.cx, 318);
  EXPECT_EQ(e.cy, 13);
  EXPECT_EQ(display.LiveFonts(), 2u);
  display.DeleteFont(a);
  display.DeleteFont(nullptr);
  EXPECT_EQ(display.LiveFonts(), 1u);
  EXPECT_EQ(display.GetMetric(SystemMetric::kCyCaption), 20);
  EXPECT_EQ(display.GetMetric(SystemMetric::kCyFrame), 5);
}

}  // namespace
}  // namespace fw
