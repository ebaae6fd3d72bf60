// Translation of a style value into the flag names of a style map.
#pragma once

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

// Style maps read once per distinct text. A control's map is its template's "[STYLE]" section,
// the same for every control of a class, and reading it for each control cost more than all
// the rest of the control's placeholders.
class StyleMapCache {
 public:
  const StyleEntries& Get(std::string_view map);
  void Clear() { maps_.clear(); }

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::unordered_map<std::string, StyleEntries, Hash, std::equal_to<>> maps_;
};

}  // namespace fw
