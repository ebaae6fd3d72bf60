// GDI's choice of a face for a font request: which face of a family, and for a bitmap face which
// strike and by what whole-number factor it is enlarged.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace fw {

// One face of a family, as the choice sees it; a bitmap face is one strike.
struct FaceCandidate {
  bool scalable = false;
  int32_t weight = 400;    // 100 (thin) to 900 (black); 400 is regular, 700 bold
  int32_t widthClass = 5;  // 1 (ultra-condensed) to 9 (ultra-expanded); 5 is normal
  bool italic = false;
  bool latin1 = true;  // serves the Western (ANSI) character set
  // Bitmap strikes only: cell height and internal leading in pixels.
  int32_t height = 0;
  int32_t internalLeading = 0;
};

struct FontStyle {
  int32_t weight = 400;  // a LOGFONT weight; 0 means regular
  bool italic = false;
};

struct FaceChoice {
  size_t candidate = 0;
  int32_t scale = 1;  // bitmap strikes are drawn this many times their size
};

// The requested character height beyond which a request is treated as this large.
constexpr int32_t kMaxPixelHeight = 0xFFFF;

// `height` is a LOGFONT height: negative asks for that em height (without internal leading),
// positive for that cell height, zero for the default. Null when no candidate serves the
// Western character set.
std::optional<FaceChoice> ChooseFace(const std::vector<FaceCandidate>& candidates, int32_t height,
                                     FontStyle style);

// The height clamped to what the choice and the measurement handle.
int32_t ClampHeight(int32_t height);

}  // namespace fw
