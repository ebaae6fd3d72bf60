// Macro definitions: what "#define" makes of its line (the table is pp_macro_table.h).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "script/pp_token.h"

namespace fw {

// A token of a replacement list. `token.pasteLeft` marks a following "##" (removed).
struct PpBodyToken {
  PpToken token;
  int param = -1;          // index of the parameter it names, or -1
  bool stringify = false;  // "#param": spaceBefore is that of the '#'
};

struct PpMacro {
  std::string name;
  bool functionLike = false;
  bool variadic = false;            // the last parameter takes the remaining arguments
  std::vector<std::string> params;  // "..." is named __VA_ARGS__
  std::vector<PpBodyToken> body;
  bool disabled = false;  // while its own expansion is read
};

// The macro a "#define" line makes of `tokens` (the tokens after "define", up to the line end),
// or null with `error` set.
std::shared_ptr<PpMacro> ParseMacroDefinition(const std::vector<PpToken>& tokens,
                                              std::string& error);

// Whether a redefinition may replace a macro without a warning: same kind, parameters,
// replacement tokens and whitespace between them.
bool SameDefinition(const PpMacro& a, const PpMacro& b);

// Tokens spelled one after another, one space where the text had whitespace.
std::string SpellTokens(const std::vector<PpToken>& tokens, size_t from);

}  // namespace fw
