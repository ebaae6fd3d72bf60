// The display: what the reader needs of the platform to measure dialog fonts. A thin stand-in
// for the GDI and user32 calls (GetDC, GetDeviceCaps, CreateFontIndirectA, SelectObject,
// GetTextExtentPoint32A, DeleteObject, GetSystemMetrics).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace fw {

using DeviceContext = void*;
using FontHandle = void*;

// The fields of a Win32 LOGFONT, in its order; the face name holds at most 31 bytes.
struct LogFont {
  int32_t lfHeight = 0;
  int32_t lfWidth = 0;
  int32_t lfEscapement = 0;
  int32_t lfOrientation = 0;
  int32_t lfWeight = 0;
  uint8_t lfItalic = 0;
  uint8_t lfUnderline = 0;
  uint8_t lfStrikeOut = 0;
  uint8_t lfCharSet = 0;
  uint8_t lfOutPrecision = 0;
  uint8_t lfClipPrecision = 0;
  uint8_t lfQuality = 0;
  uint8_t lfPitchAndFamily = 0;
  char lfFaceName[32] = {};
};

struct TextExtent {
  int32_t cx = 0;
  int32_t cy = 0;
};

enum class SystemMetric { kCxFrame, kCyFrame, kCyCaption };

class Display {
 public:
  virtual ~Display() = default;
  // The device context of the whole screen, and its release.
  virtual DeviceContext GetScreenContext() = 0;
  virtual void ReleaseScreenContext(DeviceContext dc) = 0;
  // Pixels per logical inch, vertically.
  virtual int32_t LogPixelsY(DeviceContext dc) = 0;
  // A font for the record, or null when the platform refuses.
  virtual FontHandle CreateFontIndirect(const LogFont& font) = 0;
  // Makes the font current in the context; returns the font it replaced.
  virtual FontHandle SelectFont(DeviceContext dc, FontHandle font) = 0;
  // Width and height in pixels of the text in the context's current font.
  virtual TextExtent MeasureText(DeviceContext dc, const std::string& text) = 0;
  virtual void DeleteFont(FontHandle font) = 0;
  virtual int32_t GetMetric(SystemMetric metric) = 0;
};

}  // namespace fw

namespace fw {

// The display of the platform the program was built for: GDI on Windows, FreeType and
// fontconfig on Linux.
std::unique_ptr<Display> MakePlatformDisplay();

}  // namespace fw
