// fw-measure: for each FACE:POINTS argument, prints FACE|POINTS|WIDTH|HEIGHT|CX|CY, the extent
// of the 53-character measuring text and the dialog base units, measured as a dialog's "FONT"
// statement is. Built for every platform, so that two displays can be compared line by line.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/display.h"
#include "textutil/number.h"

namespace {

const char kMeasureText[] = " abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

using FaceAndPoints = std::pair<std::string, int32_t>;

const std::vector<FaceAndPoints> kDefaultFaces = {
    {"MS Sans Serif", 8}, {"MS Sans Serif", 10}, {"Tahoma", 8},
    {"MS Shell Dlg", 8},  {"Courier", 10},       {"No Such Face", 8},
};

// Measures as the reader does: the font made, selected, measured, the old font put back.
void PrintMeasurement(fw::Display& display, fw::DeviceContext dc, const FaceAndPoints& request) {
  fw::LogFont font;
  font.lfHeight = -fw::MulDiv(request.second, display.LogPixelsY(dc), 72);
  font.lfWeight = 400;
  std::strncpy(font.lfFaceName, request.first.c_str(), sizeof font.lfFaceName - 1);
  fw::FontHandle created = display.CreateFontIndirect(font);
  fw::FontHandle previous = display.SelectFont(dc, created);
  const fw::TextExtent extent = display.MeasureText(dc, kMeasureText);
  if (created) {
    display.SelectFont(dc, previous);
    display.DeleteFont(created);
  }
  const long cx = std::lround(extent.cx / 53.0);
  std::printf("%s|%d|%d|%d|%ld|%d\n", request.first.c_str(), static_cast<int>(request.second),
              static_cast<int>(extent.cx), static_cast<int>(extent.cy), cx,
              static_cast<int>(extent.cy));
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<FaceAndPoints> requests;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const size_t colon = arg.rfind(':');
    if (colon == std::string::npos) {
      std::fprintf(stderr, "usage: fw-measure [FACE:POINTS]...\n");
      return 1;
    }
    requests.emplace_back(arg.substr(0, colon), fw::ParseInteger(arg.substr(colon + 1)));
  }
  if (requests.empty()) requests = kDefaultFaces;
  std::unique_ptr<fw::Display> display = fw::MakePlatformDisplay();
  fw::DeviceContext dc = display->GetScreenContext();
  for (const FaceAndPoints& request : requests) PrintMeasurement(*display, dc, request);
  display->ReleaseScreenContext(dc);
  return 0;
}
