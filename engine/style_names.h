// Translation of a style value into the flag names of a style map.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

// The names of the map's entries whose bits are all set in `value`, in map order, joined by
// " or "; a name already contained in the result so far is left out; "0" when none.
std::string StyleFlagNames(int32_t value, std::string_view map);

}  // namespace fw
