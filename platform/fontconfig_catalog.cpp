#include "platform/fontconfig_catalog.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <tuple>

#include "textutil/text.h"

namespace fw {
namespace {

bool IsFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}

std::string EscapeXml(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// Each file of the folder by name: only a pattern that names a font overrides the system's rules
// that reject bitmap fonts; a file-name glob would not.
std::string AcceptFiles(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file(error)) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  std::string xml = "<selectfont><acceptfont>";
  for (const std::string& file : files) {
    xml += "<pattern><patelt name=\"file\"><string>" + EscapeXml(file) +
           "</string></patelt></pattern>";
  }
  return xml + "</acceptfont></selectfont>";
}

std::string ExtraConfiguration(const FontSources& sources, bool systemLoaded) {
  std::string xml = "<fontconfig>";
  if (!systemLoaded) {
    xml += "<cachedir prefix=\"xdg\">fontconfig</cachedir>";
    if (sources.system) xml += "<dir>/usr/share/fonts</dir><dir>/usr/local/share/fonts</dir>";
  }
  if (IsFolder(sources.folder)) {
    xml += "<dir>" + EscapeXml(sources.folder) + "</dir>" + AcceptFiles(sources.folder);
  }
  return xml + "</fontconfig>";
}

FcConfig* BuildConfig(const FontSources& sources) {
  FcConfig* config = FcConfigCreate();
  if (!config) return nullptr;
  // A null name loads the system's configuration file (or the one FONTCONFIG_FILE names).
  const bool systemLoaded = sources.system && FcConfigParseAndLoad(config, nullptr, FcFalse);
  const std::string xml = ExtraConfiguration(sources, systemLoaded);
  FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(xml.c_str()), FcFalse);
  FcConfigBuildFonts(config);
  return config;
}

bool HasFamily(FcPattern* font, const std::string& family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (EqualsIgnoringAsciiCase(reinterpret_cast<const char*>(name), family)) return true;
  }
  return false;
}

}  // namespace

FontCatalog::FontCatalog(const FontSources& sources) : config_(BuildConfig(sources)) {}

FontCatalog::~FontCatalog() {
  if (config_) FcConfigDestroy(config_);
}

std::string FontCatalog::ResolveFamily(const std::string& name, const std::string& fallback) const {
  if (!name.empty() && !FacesOf(name).empty()) return name;
  return MatchFamily(name, fallback);
}

std::string FontCatalog::MatchFamily(const std::string& name, const std::string& fallback) const {
  if (!config_) return "";
  FcPattern* pattern = FcPatternCreate();
  for (const std::string& family : {name, fallback}) {
    if (!family.empty()) {
      FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    }
  }
  FcConfigSubstitute(config_, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(config_, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return "";
  std::string family;
  FcChar8* value = nullptr;
  if (FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch) {
    family = reinterpret_cast<const char*>(value);
  }
  FcPatternDestroy(match);
  return family;
}

std::vector<FaceFile> FontCatalog::FacesOf(const std::string& family) const {
  std::vector<FaceFile> faces;
  if (!config_) return faces;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FILE, FC_INDEX, nullptr);
  FcFontSet* set = FcFontList(config_, pattern, objects);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  if (!set) return faces;
  for (int i = 0; i < set->nfont; ++i) {
    FcPattern* font = set->fonts[i];
    FcChar8* file = nullptr;
    int index = 0;
    // fontconfig ignores blanks when it compares family names; GDI does not.
    if (!HasFamily(font, family)) continue;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) continue;
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    faces.push_back(FaceFile{reinterpret_cast<const char*>(file), index});
  }
  FcFontSetDestroy(set);
  auto key = [](const FaceFile& f) { return std::tie(f.path, f.index); };
  std::sort(faces.begin(), faces.end(),
            [&](const FaceFile& a, const FaceFile& b) { return key(a) < key(b); });
  faces.erase(std::unique(faces.begin(), faces.end(),
                          [&](const FaceFile& a, const FaceFile& b) { return key(a) == key(b); }),
              faces.end());
  return faces;
}

}  // namespace fw
