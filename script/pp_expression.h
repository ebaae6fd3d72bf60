// The integer expressions of #if and #elif.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/pp_token.h"

namespace fw {

// Evaluates `tokens` (macros expanded, each "defined" already a 0 or 1, no padding) as C does
// in #if: 64-bit arithmetic, signed unless an operand is unsigned, identifiers left count as 0,
// && || and ?: evaluate only what they need. False with `error` set on a malformed
// expression, a division by zero, or nesting deeper than `maxNesting`.
bool EvaluatePpExpression(const std::vector<PpToken>& tokens, int64_t& value, std::string& error,
                          uint32_t maxNesting = 256);

// The value of an integer constant as #if reads it (suffixes u, l, ll in any case).
bool ParsePpInteger(std::string_view text, uint64_t& value, bool& isUnsigned);

}  // namespace fw
