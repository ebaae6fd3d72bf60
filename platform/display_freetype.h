// The Linux display: fontconfig finds the face a font names and FreeType measures it as GDI
// would, at 96 pixels per inch. Debian's fonts-wine folder is added when present, so the
// classic dialog faces ("MS Sans Serif", "Tahoma", "Courier") measure as they do on Windows.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/display.h"
#include "platform/fontconfig_catalog.h"

namespace fw {

class FaceLibrary;

class FreeTypeDisplay : public Display {
 public:
  explicit FreeTypeDisplay(const FontSources& sources = {});
  ~FreeTypeDisplay() override;

  DeviceContext GetScreenContext() override;
  void ReleaseScreenContext(DeviceContext dc) override;
  int32_t LogPixelsY(DeviceContext dc) override;
  FontHandle CreateFontIndirect(const LogFont& font) override;
  FontHandle SelectFont(DeviceContext dc, FontHandle font) override;
  TextExtent MeasureText(DeviceContext dc, const std::string& text) override;
  void DeleteFont(FontHandle font) override;
  int32_t GetMetric(SystemMetric metric) override;

  // Fonts created and not yet deleted.
  size_t LiveFonts() const;
  // The family a font is drawn with, after substitution and fallback; empty for no font.
  std::string FamilyOf(FontHandle font) const;

 private:
  struct Font;
  struct Context;

  Font* FindFont(FontHandle handle) const;
  Context* FindContext(DeviceContext dc) const;
  Font* StockFont();
  bool IsSelected(const Font* font) const;
  void DropIfDeleted(Font* font);

  // The faces and their catalog, made at the first font: building the catalog reads every
  // font folder, which a run with fixed base units (asking only the metrics) never needs.
  FaceLibrary& Faces();
  FontSources sources_;
  std::unique_ptr<FaceLibrary> faces_;
  std::map<FontHandle, std::unique_ptr<Font>> fonts_;
  std::unique_ptr<Font> stock_;
  bool stockTried_ = false;
  std::vector<std::unique_ptr<Context>> contexts_;
};

}  // namespace fw
