// A display that measures with another one but answers the system metrics it is given.
#pragma once

#include "platform/display.h"
#include "platform/display_fixed.h"

namespace fw {

class MetricsDisplay : public Display {
 public:
  MetricsDisplay(Display& inner, Metrics metrics) : inner_(inner), metrics_(metrics) {}

  DeviceContext GetScreenContext() override { return inner_.GetScreenContext(); }
  void ReleaseScreenContext(DeviceContext dc) override { inner_.ReleaseScreenContext(dc); }
  int32_t LogPixelsY(DeviceContext dc) override { return inner_.LogPixelsY(dc); }
  FontHandle CreateFontIndirect(const LogFont& font) override {
    return inner_.CreateFontIndirect(font);
  }
  FontHandle SelectFont(DeviceContext dc, FontHandle font) override {
    return inner_.SelectFont(dc, font);
  }
  TextExtent MeasureText(DeviceContext dc, const std::string& text) override {
    return inner_.MeasureText(dc, text);
  }
  void DeleteFont(FontHandle font) override { inner_.DeleteFont(font); }
  int32_t GetMetric(SystemMetric metric) override { return MetricOf(metrics_, metric); }

 private:
  Display& inner_;
  Metrics metrics_;
};

}  // namespace fw
