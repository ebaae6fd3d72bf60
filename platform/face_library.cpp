#include "platform/face_library.h"

#include "textutil/text.h"

namespace fw {
namespace {

// The face-name substitutes a Western Windows installation registers for the Western character
// set. Those with a character set of their own ("Arial CE,238" and the like) never apply here.
constexpr std::pair<std::string_view, std::string_view> kSubstitutes[] = {
    {"MS Shell Dlg", "Tahoma"}, {"MS Shell Dlg 2", "Tahoma"}, {"Helv", "MS Sans Serif"},
    {"Helvetica", "Arial"},     {"Times", "Times New Roman"}, {"Tms Rmn", "MS Serif"},
};

// GDI's face for a name it cannot find; fontconfig maps it to its metric twin when there is one.
constexpr std::string_view kFallbackFace = "Arial";

}  // namespace

std::string SubstituteFaceName(std::string_view name) {
  for (const auto& [from, to] : kSubstitutes) {
    if (EqualsIgnoringAsciiCase(name, from)) return std::string(to);
  }
  return std::string(name);
}

FaceLibrary::FaceLibrary(const FontSources& sources) : catalog_(sources) {
  if (FT_Init_FreeType(&freetype_) != 0) freetype_ = nullptr;
}

FaceLibrary::~FaceLibrary() {
  faces_.clear();
  if (freetype_) FT_Done_FreeType(freetype_);
}

// A family with no face for Western text is passed over for the stand-in face, as a missing one.
std::optional<FoundFace> FaceLibrary::Find(std::string_view faceName, int32_t height,
                                           FontStyle style) {
  std::optional<FoundFace> found = FindIn(Family(SubstituteFaceName(faceName)), height, style);
  if (!found) found = FindIn(Family(std::string(kFallbackFace)), height, style);
  return found;
}

std::optional<FoundFace> FaceLibrary::FindIn(const std::string& family, int32_t height,
                                             FontStyle style) {
  if (family.empty()) return std::nullopt;
  const std::vector<Strike>& strikes = Strikes(family);
  std::vector<FaceCandidate> candidates;
  for (const Strike& s : strikes) candidates.push_back(s.candidate);
  const std::optional<FaceChoice> choice = ChooseFace(candidates, height, style);
  if (!choice) return std::nullopt;
  const Strike& chosen = strikes[choice->candidate];
  return FoundFace{chosen.face, chosen.face->SizeFor(chosen.strike, choice->scale, height), family};
}

const std::string& FaceLibrary::Family(const std::string& name) {
  const std::string key = LowerAscii(name);
  auto it = families_.find(key);
  if (it == families_.end()) {
    it = families_.emplace(key, catalog_.ResolveFamily(name, std::string(kFallbackFace))).first;
  }
  return it->second;
}

const std::vector<FaceLibrary::Strike>& FaceLibrary::Strikes(const std::string& family) {
  const std::string key = LowerAscii(family);
  if (auto it = strikes_.find(key); it != strikes_.end()) return it->second;
  std::vector<Strike> strikes;
  for (const FaceFile& file : catalog_.FacesOf(family)) {
    std::unique_ptr<FreeTypeFace> face = FreeTypeFace::Open(freetype_, file.path, file.index);
    if (!face) continue;
    const std::vector<FaceCandidate> candidates = face->Candidates();
    for (size_t i = 0; i < candidates.size(); ++i) {
      const int32_t strike = candidates[i].scalable ? -1 : static_cast<int32_t>(i);
      strikes.push_back(Strike{face.get(), strike, candidates[i]});
    }
    faces_.push_back(std::move(face));
  }
  return strikes_.emplace(key, std::move(strikes)).first->second;
}

}  // namespace fw
