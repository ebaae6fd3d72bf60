// The plain method of conversion, kept as the reference that the fast method must match byte
// for byte: every placeholder replacement runs over the whole of its buffer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frontend/run.h"

namespace fw {

// RunConversion with every buffer of `state` on the plain method; afterwards the state is back
// on the fast method.
RunResult RunReferenceConversion(GenerationState& state, Platform& platform,
                                 const std::string& templateRoot, const std::string& templateName);

// Flag names of a style map, computed literally: every name is looked for in the whole result
// built so far. Slow for long results, which is why the engine indexes the result instead.
std::string PlainStyleFlagNames(int32_t value, std::string_view map);

}  // namespace fw
