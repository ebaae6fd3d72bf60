#include "reader/dialog_parser.h"

#include <cmath>
#include <cstring>

#include "engine/substitute.h"
#include "engine/template_loader.h"
#include "reader/control_parser.h"
#include "textutil/number.h"
#include "textutil/text.h"

namespace fw {

namespace {

constexpr uint32_t kWsCaption = 0x00C00000;

int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

void ParseHeader(GenerationState& state, const std::string& line) {
  DialogRecord& d = state.CurrentDialog;
  d.name = FieldViewAt(line, " ", 1);
  std::string_view coordinates = FieldViewAt(line, " ", 3);
  d.x = ParseInteger(FieldViewAt(coordinates, ",", 1));
  d.y = ParseInteger(FieldViewAt(coordinates, ",", 2));
  d.w = ParseInteger(FieldViewAt(coordinates, ",", 3));
  d.h = ParseInteger(FieldViewAt(coordinates, ",", 4));
  if (state.MainDialogName.empty()) state.MainDialogName = d.name;
}

// Measures the dialog font and sets the base units and the dialog's pixel geometry.
void ApplyFont(GenerationState& state, Platform& platform, const std::string& line) {
  Display& display = platform.display;
  std::string_view value = FieldViewAt(line, "FONT ", 2);
  state.FontPointSize = ParseInteger(FieldViewAt(value, ",", 1));
  state.FontFaceName = RemoveQuotes(FieldViewAt(value, ",", 2));
  int32_t ppi = display.LogPixelsY(state.MeasureDC);
  FontHandle font =
      CreateDialogFont(display, ppi, state.FontFaceName, state.FontPointSize, 400, 0, 0, 0, 0);
  if (font != nullptr) {
    FontHandle replaced = display.SelectFont(state.MeasureDC, font);
    // With several FONT statements the context goes back to the font it had before the first.
    if (state.DialogFonts.empty()) state.PreviousFont = replaced;
    state.DialogFonts.push_back(font);
    state.DialogFont = font;
  }
  TextExtent extent = display.MeasureText(state.MeasureDC, kMeasureText);
  state.DialogBaseUnits.cx = static_cast<int32_t>(std::lround(extent.cx / 53.0));
  state.DialogBaseUnits.cy = extent.cy;

  DialogRecord& d = state.CurrentDialog;
  const BaseUnits& u = state.DialogBaseUnits;
  d.px = MulDiv(d.x, u.cx, 4);
  d.py = MulDiv(d.y, u.cy, 8);
  int32_t cxFrame = display.GetMetric(SystemMetric::kCxFrame);
  int32_t cyFrame = display.GetMetric(SystemMetric::kCyFrame);
  d.pw = WrappingAdd(MulDiv(d.w, u.cx, 4), WrappingAdd(cxFrame, cxFrame));
  d.ph = WrappingAdd(MulDiv(d.h, u.cy, 8), WrappingAdd(cyFrame, cyFrame));
}

void ApplyStyle(GenerationState& state, Platform& platform, const std::string& line) {
  DialogRecord& d = state.CurrentDialog;
  d.style = ParseStyle(FieldViewAt(line, "STYLE ", 2));
  if ((static_cast<uint32_t>(d.style) & kWsCaption) == kWsCaption) {
    d.ph = WrappingAdd(d.ph, platform.display.GetMetric(SystemMetric::kCyCaption));
  }
}

// One statement between the header and "BEGIN"; true when it was "BEGIN" and the controls
// have been read.
bool ParseStatement(GenerationState& state, Platform& platform, const std::string& line) {
  DialogRecord& d = state.CurrentDialog;
  if (StartsWith(line, "CAPTION")) {
    d.text = RemoveQuotes(FieldViewAt(line, "CAPTION ", 2));
  } else if (StartsWith(line, "FONT")) {
    ApplyFont(state, platform, line);
  } else if (StartsWith(line, "STYLE")) {
    ApplyStyle(state, platform, line);
  } else if (StartsWith(line, "EXSTYLE")) {
    d.exStyle = ParseStyle(FieldViewAt(line, "EXSTYLE ", 2));
  } else if (StartsWith(line, "CLASS")) {
    d.className = RemoveQuotes(FieldViewAt(line, "CLASS ", 2));
  } else if (StartsWith(line, "BEGIN")) {
    ParseControlStatements(state, platform);
    return true;
  }
  return false;
}

// Gives the context back its font from before the dialog and deletes every font it created.
void ReleaseDialogFonts(GenerationState& state, Platform& platform) {
  if (state.DialogFonts.empty()) return;
  platform.display.SelectFont(state.MeasureDC, state.PreviousFont);
  for (FontHandle font : state.DialogFonts) platform.display.DeleteFont(font);
  state.DialogFonts.clear();
  state.DialogFont = nullptr;
  state.PreviousFont = nullptr;
}

}  // namespace

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

void ParseDialogStatement(GenerationState& state, Platform& platform) {
  ParseHeader(state, state.LineBuffer);
  LoadDialogTemplate(state, platform);
  LineReader& script = *state.ScriptFile;
  std::string& line = state.LineBuffer;
  while (!script.AtEnd()) {
    script.ReadLine(line);
    line = std::string(Trim(line));
    if (ParseStatement(state, platform, line)) break;
  }
  SubstituteDialogFields(state);
  ReleaseDialogFonts(state, platform);
}

}  // namespace fw
