// A set of placeholders: the ones that the substitutions of one buffer can look for.
#pragma once

#include <cstddef>
#include <string_view>

namespace fw {

struct PlaceholderSet {
  const std::string_view* items;
  size_t count;
};

}  // namespace fw
