// A display with given base units and metrics: the 53-character measuring text comes out as
// cx * 53 by cy pixels in every font, so every dialog font yields exactly (cx, cy). Used by
// tests and by the command line's --base-units, for output independent of the machine's fonts.
#pragma once

#include <vector>

#include "platform/display.h"

namespace fw {

struct Metrics {
  int32_t cxFrame = 4;
  int32_t cyFrame = 4;
  int32_t cyCaption = 19;
};

// The value of one metric.
int32_t MetricOf(const Metrics& metrics, SystemMetric metric);
// The three metrics a display gives.
Metrics MetricsOf(Display& display);

class FixedDisplay : public Display {
 public:
  FixedDisplay(int32_t cx, int32_t cy, Metrics metrics = {});
  ~FixedDisplay() override;

  DeviceContext GetScreenContext() override;
  void ReleaseScreenContext(DeviceContext dc) override;
  int32_t LogPixelsY(DeviceContext dc) override;
  FontHandle CreateFontIndirect(const LogFont& font) override;
  FontHandle SelectFont(DeviceContext dc, FontHandle font) override;
  TextExtent MeasureText(DeviceContext dc, const std::string& text) override;
  void DeleteFont(FontHandle font) override;
  int32_t GetMetric(SystemMetric metric) override;

  // Fonts created and not yet deleted; tests use it to see that every font is released.
  size_t LiveFonts() const { return fonts_.size(); }
  FontHandle CurrentFont() const { return current_; }

 private:
  int32_t cx_;
  int32_t cy_;
  Metrics metrics_;
  std::vector<LogFont*> fonts_;
  FontHandle current_ = nullptr;
  int context_ = 0;
};

}  // namespace fw
