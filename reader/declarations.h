// Forward declarations for generated procedures.
#pragma once

#include <string>
#include <string_view>

namespace fw {

// One "declare " line for every line of `code` that begins with "sub " or "function " (any
// letter case), in order. The code is taken up to its first zero byte.
std::string BuildDeclarations(std::string_view code);

}  // namespace fw
