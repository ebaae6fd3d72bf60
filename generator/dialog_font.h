// Measuring a dialog's font: its dialog base units on the display.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/record.h"
#include "platform/display.h"

namespace fw {

// The text whose average character width gives the dialog base unit.
inline constexpr char kMeasureText[] = " abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

// A font for the face and point size at `pixelsPerInch`; null when the platform refuses.
FontHandle CreateDialogFont(Display& display, int32_t pixelsPerInch, const std::string& faceName,
                            int32_t pointSize, int32_t weight, int32_t underline, int32_t italic,
                            int32_t strikeOut, int32_t charSet);

// The fonts one dialog selects into the measuring context. At its end the context gets back
// the font it had before the dialog, and every font the dialog made is deleted.
class DialogFonts {
 public:
  DialogFonts(Display& display, DeviceContext dc) : display_(display), dc_(dc) {}
  DialogFonts(const DialogFonts&) = delete;
  DialogFonts& operator=(const DialogFonts&) = delete;
  ~DialogFonts() { Release(); }

  // Selects the font of a "FONT" statement and measures it (weight 0 is normal). A font the
  // platform refuses is measured in the font the context holds.
  BaseUnits Measure(const std::string& faceName, int32_t pointSize, int32_t weight = 0,
                    int32_t italic = 0, int32_t charSet = 0);
  // Measures the font the context holds: the system font when the dialog selected none.
  BaseUnits MeasureCurrent();
  void Release();

 private:
  Display& display_;
  DeviceContext dc_;
  FontHandle previous_ = nullptr;
  std::vector<FontHandle> fonts_;
};

}  // namespace fw
