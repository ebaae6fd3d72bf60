// The two macro operators on tokens: "#" (stringizing) and "##" (pasting).
#pragma once

#include <vector>

#include "script/pp_token.h"

namespace fw {

// The string literal "#" makes of an argument: its tokens with one space where whitespace
// (or padding standing for it) came between them, quotes and backslashes of string and
// character constants escaped.
PpToken Stringify(const std::vector<PpToken>& tokens);

// The single token the spellings of `lhs` and `rhs` make together; false when they make
// none or more than one. The result takes the position and leading space of `lhs`.
bool PasteTokens(const PpToken& lhs, const PpToken& rhs, PpToken& result);

// A padding token standing for the whitespace before `source`.
PpToken PaddingFor(const PpToken& source);

}  // namespace fw
