// The Windows display: each call passes straight through to GDI or user32 on the screen.
#include <windows.h>
// <windows.h> maps CreateFontIndirect to its ANSI or wide form; the Display method of that
// name must keep its own.
#undef CreateFontIndirect

#include <cstring>

#include "platform/display.h"

namespace fw {

namespace {

HDC Dc(DeviceContext dc) {
  return static_cast<HDC>(dc);
}

LOGFONTA ToLogFontA(const LogFont& f) {
  LOGFONTA out = {};
  out.lfHeight = f.lfHeight;
  out.lfWidth = f.lfWidth;
  out.lfEscapement = f.lfEscapement;
  out.lfOrientation = f.lfOrientation;
  out.lfWeight = f.lfWeight;
  out.lfItalic = f.lfItalic;
  out.lfUnderline = f.lfUnderline;
  out.lfStrikeOut = f.lfStrikeOut;
  out.lfCharSet = f.lfCharSet;
  out.lfOutPrecision = f.lfOutPrecision;
  out.lfClipPrecision = f.lfClipPrecision;
  out.lfQuality = f.lfQuality;
  out.lfPitchAndFamily = f.lfPitchAndFamily;
  static_assert(sizeof out.lfFaceName == sizeof f.lfFaceName);
  std::memcpy(out.lfFaceName, f.lfFaceName, sizeof out.lfFaceName);
  out.lfFaceName[sizeof out.lfFaceName - 1] = '\0';
  return out;
}

class GdiDisplay : public Display {
 public:
  DeviceContext GetScreenContext() override { return GetDC(nullptr); }

  void ReleaseScreenContext(DeviceContext dc) override { ReleaseDC(nullptr, Dc(dc)); }

  int32_t LogPixelsY(DeviceContext dc) override { return GetDeviceCaps(Dc(dc), LOGPIXELSY); }

  FontHandle CreateFontIndirect(const LogFont& font) override {
    LOGFONTA record = ToLogFontA(font);
    return ::CreateFontIndirectA(&record);
  }

  FontHandle SelectFont(DeviceContext dc, FontHandle font) override {
    return SelectObject(Dc(dc), static_cast<HGDIOBJ>(font));
  }

  TextExtent MeasureText(DeviceContext dc, const std::string& text) override {
    SIZE size = {};
    GetTextExtentPoint32A(Dc(dc), text.data(), static_cast<int>(text.size()), &size);
    return TextExtent{size.cx, size.cy};
  }

  void DeleteFont(FontHandle font) override { DeleteObject(static_cast<HGDIOBJ>(font)); }

  int32_t GetMetric(SystemMetric metric) override {
    switch (metric) {
      case SystemMetric::kCxFrame:
        return GetSystemMetrics(SM_CXFRAME);
      case SystemMetric::kCyFrame:
        return GetSystemMetrics(SM_CYFRAME);
      case SystemMetric::kCyCaption:
        return GetSystemMetrics(SM_CYCAPTION);
    }
    return 0;
  }
};

}  // namespace

std::unique_ptr<Display> MakePlatformDisplay() {
  return std::make_unique<GdiDisplay>();
}

}  // namespace fw
