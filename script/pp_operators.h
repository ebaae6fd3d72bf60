// The two macro operators on tokens: "#" (stringizing) and "##" (pasting).
#pragma once

#include <string>
#include <vector>

#include "script/pp_text_store.h"
#include "script/pp_token.h"

namespace fw {

// The string literal "#" makes of an argument: its tokens with one space where whitespace
// (or padding standing for it) came between them, quotes and backslashes of string and
// character constants escaped. Its spelling is kept in `texts`.
PpToken Stringify(const std::vector<PpToken>& tokens, PpTextStore& texts);

// The single token the spellings of `lhs` and `rhs` make together; false when they make
// none or more than one. The result takes the position and leading space of `lhs`; its
// spelling views `joined`, which is overwritten (so `lhs` and `rhs` must not view it).
bool PasteTokens(const PpToken& lhs, const PpToken& rhs, std::string& joined, PpToken& result);

// A padding token standing for the whitespace before `source`.
PpToken PaddingFor(const PpToken& source);

}  // namespace fw
