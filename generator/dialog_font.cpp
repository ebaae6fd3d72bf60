#include "generator/dialog_font.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "textutil/number.h"

namespace fw {

FontHandle CreateDialogFont(Display& display, int32_t pixelsPerInch, const std::string& faceName,
                            int32_t pointSize, int32_t weight, int32_t underline, int32_t italic,
                            int32_t strikeOut, int32_t charSet) {
  LogFont font;
  font.lfHeight =
      static_cast<int32_t>(0u - static_cast<uint32_t>(MulDiv(pointSize, pixelsPerInch, 72)));
  size_t length = std::min<size_t>(faceName.size(), 31);
  std::memcpy(font.lfFaceName, faceName.data(), length);
  font.lfFaceName[length] = '\0';
  font.lfWeight = weight == 0 ? 400 : weight;
  font.lfUnderline = static_cast<uint8_t>(underline);
  font.lfItalic = static_cast<uint8_t>(italic);
  font.lfStrikeOut = static_cast<uint8_t>(strikeOut);
  font.lfCharSet = static_cast<uint8_t>(charSet);
  return display.CreateFontIndirect(font);
}

BaseUnits DialogFonts::Measure(const std::string& faceName, int32_t pointSize, int32_t weight,
                               int32_t italic, int32_t charSet) {
  int32_t ppi = display_.LogPixelsY(dc_);
  FontHandle font =
      CreateDialogFont(display_, ppi, faceName, pointSize, weight, 0, italic, 0, charSet);
  if (font != nullptr) {
    FontHandle replaced = display_.SelectFont(dc_, font);
    // With several FONT statements the context goes back to the font it had before the first.
    if (fonts_.empty()) previous_ = replaced;
    fonts_.push_back(font);
  }
  return MeasureCurrent();
}

BaseUnits DialogFonts::MeasureCurrent() {
  TextExtent extent = display_.MeasureText(dc_, kMeasureText);
  return {static_cast<int32_t>(std::lround(extent.cx / 53.0)), extent.cy};
}

void DialogFonts::Release() {
  if (fonts_.empty()) return;
  display_.SelectFont(dc_, previous_);
  for (FontHandle font : fonts_) display_.DeleteFont(font);
  fonts_.clear();
  previous_ = nullptr;
}

}  // namespace fw
