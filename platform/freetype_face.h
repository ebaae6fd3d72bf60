// A font face opened with FreeType, measured the way GDI measures text: whole-pixel glyph
// advances, and the cell height (ascent plus descent) that the text extent reports.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/display.h"
#include "platform/face_choice.h"

namespace fw {

struct FaceSize {
  int32_t strike = -1;  // the bitmap strike, or -1 for an outline face
  int32_t scale = 1;    // whole-number enlargement of the strike
  int32_t ppem = 0;     // pixels per em of an outline face
};

class FreeTypeFace {
 public:
  // Null when the file is not a face FreeType can open, or has neither outlines nor strikes.
  static std::unique_ptr<FreeTypeFace> Open(FT_Library library, const std::string& path,
                                            long index);
  ~FreeTypeFace();
  FreeTypeFace(const FreeTypeFace&) = delete;
  FreeTypeFace& operator=(const FreeTypeFace&) = delete;

  // One candidate for an outline face or a Windows bitmap font (one strike per face), none for
  // any other face.
  std::vector<FaceCandidate> Candidates() const;

  // The size for a LOGFONT height, given the strike and scale chosen for a bitmap face.
  FaceSize SizeFor(int32_t strike, int32_t scale, int32_t height) const;

  // The text's bytes read as Windows-1252 (the Western ANSI code page).
  TextExtent Measure(const FaceSize& size, std::string_view text);

 private:
  explicit FreeTypeFace(FT_Face face);
  bool Apply(const FaceSize& size);
  int32_t CellHeight(const FaceSize& size) const;
  FT_UInt GlyphFor(unsigned char byte) const;
  int64_t CellUnits() const;

  FT_Face face_;
  bool unicode_ = false;
  bool symbol_ = false;
};

}  // namespace fw
