// The plain method of conversion, kept as the reference that the fast method must match byte
// for byte: every placeholder replacement runs over the whole of its buffer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "generator/run.h"

namespace fw {

// RunConversion with every buffer on the plain method; the session's own setting is kept.
RunResult RunReferenceConversion(Session& session, Platform& platform, const RunOptions& options);

// Flag names of a style map, computed literally: every name is looked for in the whole result
// built so far. Slow for long results, which is why the engine indexes the result instead.
std::string PlainStyleFlagNames(int32_t value, std::string_view map);

}  // namespace fw
