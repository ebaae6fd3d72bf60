// The fonts of this machine as fontconfig sees them, through a configuration of the program's
// own: the system's configuration plus a folder of classic dialog fonts, whose bitmap faces the
// system's configuration may reject.
#pragma once

#include <string>
#include <vector>

typedef struct _FcConfig FcConfig;

namespace fw {

struct FontSources {
  // The machine's fontconfig configuration, with its folders and substitution rules.
  bool system = true;
  // Added when it exists, bitmap fonts included (Debian's fonts-wine).
  std::string folder = "/usr/share/wine/fonts";
};

struct FaceFile {
  std::string path;
  long index = 0;  // face index within the file
};

class FontCatalog {
 public:
  explicit FontCatalog(const FontSources& sources);
  ~FontCatalog();
  FontCatalog(const FontCatalog&) = delete;
  FontCatalog& operator=(const FontCatalog&) = delete;

  // The installed family of that name (ASCII case ignored); else the family fontconfig
  // substitutes for the name, with `fallback` as the next choice. Empty when there is no font.
  std::string ResolveFamily(const std::string& name, const std::string& fallback) const;

  // Every face of the family, ordered by file and index.
  std::vector<FaceFile> FacesOf(const std::string& family) const;

 private:
  std::string MatchFamily(const std::string& name, const std::string& fallback) const;

  FcConfig* config_ = nullptr;
};

}  // namespace fw
