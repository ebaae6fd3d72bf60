// A set of placeholders: the ones that the substitutions of one buffer can look for. Buffers
// know a set by its address and keep what they learn of it, so its items never change.
#pragma once

#include <cstddef>
#include <string_view>

namespace fw {

struct PlaceholderSet {
  const std::string_view* items;
  size_t count;
};

}  // namespace fw
