// Translation of a style value into the flag names of a style map.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace fw {

// The names of the map's entries whose bits are all set in `value`, in map order, joined by
// " or "; a name already contained in the result so far is left out; "0" when none.
std::string StyleFlagNames(int32_t value, std::string_view map);

// A style map read: each entry's value and flag name, in map order.
struct StyleEntry {
  uint32_t bits;
  std::string name;
};
using StyleEntries = std::vector<StyleEntry>;
StyleEntries ReadStyleMap(std::string_view map);
std::string StyleFlagNames(int32_t value, const StyleEntries& map);

// Style maps read once per distinct text, and the names of each style value worked out once per
// map. A control's map is its template's "[STYLE]" section, the same for every control of a
// class, and reading it for each control cost more than all the rest of the control's
// placeholders; a script's controls of a class mostly share a handful of style values.
class StyleMapCache {
 public:
  const StyleEntries& Get(std::string_view map) { return Find(map).entries; }
  // StyleFlagNames(value, map).
  const std::string& FlagNames(int32_t value, std::string_view map);
  void Clear() {
    maps_.clear();
    recent_.fill(nullptr);
  }

 private:
  struct Map {
    StyleEntries entries;
    std::unordered_map<int32_t, std::string> names;
  };
  using Entry = std::pair<const std::string, Map>;
  Map& Find(std::string_view map);

  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::unordered_map<std::string, Map, Hash, std::equal_to<>> maps_;
  // The maps found last, tried first: a comparison (mostly of sizes) costs less than hashing
  // the text, and the classes of a dialog take turns.
  std::array<Entry*, 32> recent_ = {};
  size_t nextRecent_ = 0;
};

}  // namespace fw
