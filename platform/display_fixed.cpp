#include "platform/display_fixed.h"

#include <algorithm>

namespace fw {

FixedDisplay::FixedDisplay(int32_t cx, int32_t cy, Metrics metrics)
    : cx_(cx), cy_(cy), metrics_(metrics) {}

FixedDisplay::~FixedDisplay() {
  for (LogFont* f : fonts_) delete f;
}

DeviceContext FixedDisplay::GetScreenContext() {
  return &context_;
}

void FixedDisplay::ReleaseScreenContext(DeviceContext) {}

int32_t FixedDisplay::LogPixelsY(DeviceContext) {
  return 96;
}

FontHandle FixedDisplay::CreateFontIndirect(const LogFont& font) {
  fonts_.push_back(new LogFont(font));
  return fonts_.back();
}

FontHandle FixedDisplay::SelectFont(DeviceContext, FontHandle font) {
  FontHandle previous = current_;
  current_ = font;
  return previous;
}

TextExtent FixedDisplay::MeasureText(DeviceContext, const std::string& text) {
  // The width scales with the text so that any text of n characters averages cx per character.
  return TextExtent{static_cast<int32_t>(static_cast<uint32_t>(cx_) * text.size()), cy_};
}

void FixedDisplay::DeleteFont(FontHandle font) {
  auto it = std::find(fonts_.begin(), fonts_.end(), static_cast<LogFont*>(font));
  if (it == fonts_.end()) return;
  delete *it;
  fonts_.erase(it);
}

Metrics MetricsOf(Display& display) {
  return {display.GetMetric(SystemMetric::kCxFrame), display.GetMetric(SystemMetric::kCyFrame),
          display.GetMetric(SystemMetric::kCyCaption)};
}

int32_t MetricOf(const Metrics& metrics, SystemMetric metric) {
  switch (metric) {
    case SystemMetric::kCxFrame:
      return metrics.cxFrame;
    case SystemMetric::kCyFrame:
      return metrics.cyFrame;
    case SystemMetric::kCyCaption:
      return metrics.cyCaption;
  }
  return 0;
}

int32_t FixedDisplay::GetMetric(SystemMetric metric) {
  return MetricOf(metrics_, metric);
}

}  // namespace fw
