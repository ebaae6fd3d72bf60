// Preprocessed tokens written back as text, for looking at and for comparing.
#pragma once

#include <string>
#include <vector>

#include "script/pp_token.h"

namespace fw {

// One line per source line, a space where a token had whitespace before it, and a
// `#line N "file"` marker wherever the text does not go on at the next line of the same file.
std::string PpTokensToText(const std::vector<PpToken>& tokens,
                           const std::vector<std::string>& files);

}  // namespace fw
