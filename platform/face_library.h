// Finds the face GDI would draw a font request with: the face name's standard substitute, the
// family fontconfig knows by that name (or its stand-in), and the face and size within it.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/fontconfig_catalog.h"
#include "platform/freetype_face.h"

namespace fw {

struct FoundFace {
  FreeTypeFace* face = nullptr;  // owned by the library
  FaceSize size;
  std::string family;
};

class FaceLibrary {
 public:
  explicit FaceLibrary(const FontSources& sources);
  ~FaceLibrary();
  FaceLibrary(const FaceLibrary&) = delete;
  FaceLibrary& operator=(const FaceLibrary&) = delete;

  // `height` as in a LOGFONT. Null when the machine has no font for it at all.
  std::optional<FoundFace> Find(std::string_view faceName, int32_t height, FontStyle style);

 private:
  struct Strike {
    FreeTypeFace* face;
    int32_t strike;  // -1 for an outline face
    FaceCandidate candidate;
  };

  std::optional<FoundFace> FindIn(const std::string& family, int32_t height, FontStyle style);
  const std::string& Family(const std::string& name);
  const std::vector<Strike>& Strikes(const std::string& family);

  FontCatalog catalog_;
  FT_Library freetype_ = nullptr;
  std::vector<std::unique_ptr<FreeTypeFace>> faces_;
  std::map<std::string, std::string> families_;         // lower-case name -> family
  std::map<std::string, std::vector<Strike>> strikes_;  // lower-case family -> its strikes
};

// The face GDI actually looks for when asked for `name` (the standard Western substitutes,
// such as "Tahoma" for "MS Shell Dlg"); any other name as it is.
std::string SubstituteFaceName(std::string_view name);

}  // namespace fw
