#include "script/pp_macros.h"

#include <algorithm>

namespace fw {

namespace {

const char kVaArgs[] = "__VA_ARGS__";

// Reads "(a, b, ...)" from tokens[1]; leaves `at` after the ')'.
bool ParseParameters(const std::vector<PpToken>& tokens, size_t& at, PpMacro& macro,
                     std::string& error) {
  ++at;  // '('
  if (at < tokens.size() && tokens[at].IsPunctuator(")")) {
    ++at;
    return true;
  }
  for (; at < tokens.size(); ++at) {
    const PpToken& t = tokens[at];
    if (t.IsPunctuator("...")) {
      macro.variadic = true;
      macro.params.push_back(kVaArgs);
    } else if (t.kind == PpKind::kIdentifier && t.text != kVaArgs) {
      if (std::find(macro.params.begin(), macro.params.end(), t.text) != macro.params.end()) {
        error = "duplicate macro parameter \"" + std::string(t.text) + "\"";
        return false;
      }
      macro.params.emplace_back(t.text);
      if (at + 1 < tokens.size() && tokens[at + 1].IsPunctuator("...")) {
        macro.variadic = true;  // the named form "args..."
        ++at;
      }
    } else {
      error = "invalid macro parameter list";
      return false;
    }
    ++at;
    if (at < tokens.size() && tokens[at].IsPunctuator(")")) {
      ++at;
      return true;
    }
    if (macro.variadic || at >= tokens.size() || !tokens[at].IsPunctuator(",")) break;
  }
  error = "missing ')' in macro parameter list";
  return false;
}

int ParamIndex(const PpMacro& macro, const PpToken& t) {
  if (t.kind != PpKind::kIdentifier) return -1;
  for (size_t i = 0; i < macro.params.size(); ++i) {
    if (macro.params[i] == t.text) return static_cast<int>(i);
  }
  return -1;
}

bool ParseBody(const std::vector<PpToken>& tokens, size_t at, PpMacro& macro, std::string& error) {
  for (; at < tokens.size(); ++at) {
    const PpToken& t = tokens[at];
    if (t.IsPunctuator("##")) {
      if (macro.body.empty()) {
        error = "'##' cannot appear at either end of a macro expansion";
        return false;
      }
      macro.body.back().token.pasteLeft = true;
      continue;
    }
    PpBodyToken b{t};
    b.token.pasteLeft = false;
    b.param = macro.functionLike ? ParamIndex(macro, t) : -1;
    if (macro.functionLike && t.IsPunctuator("#")) {
      int param = at + 1 < tokens.size() ? ParamIndex(macro, tokens[at + 1]) : -1;
      if (param < 0) {
        error = "'#' is not followed by a macro parameter";
        return false;
      }
      b = PpBodyToken{tokens[++at], param, true};
      b.token.spaceBefore = t.spaceBefore;
    }
    macro.body.push_back(std::move(b));
  }
  if (!tokens.empty() && tokens.back().IsPunctuator("##")) {
    error = "'##' cannot appear at either end of a macro expansion";
    return false;
  }
  if (!macro.body.empty()) macro.body.front().token.spaceBefore = false;
  return true;
}

}  // namespace

std::shared_ptr<PpMacro> ParseMacroDefinition(const std::vector<PpToken>& tokens,
                                              std::string& error) {
  if (tokens.empty()) {
    error = "no macro name given in #define directive";
    return nullptr;
  }
  if (tokens[0].kind != PpKind::kIdentifier) {
    error = "macro names must be identifiers";
    return nullptr;
  }
  if (tokens[0].text == "defined") {
    error = "\"defined\" cannot be used as a macro name";
    return nullptr;
  }
  auto macro = std::make_shared<PpMacro>();
  macro->name = tokens[0].text;
  size_t at = 1;
  if (at < tokens.size() && tokens[at].IsPunctuator("(") && !tokens[at].spaceBefore) {
    macro->functionLike = true;
    if (!ParseParameters(tokens, at, *macro, error)) return nullptr;
  }
  if (!ParseBody(tokens, at, *macro, error)) return nullptr;
  return macro;
}

bool SameDefinition(const PpMacro& a, const PpMacro& b) {
  if (a.functionLike != b.functionLike || a.variadic != b.variadic || a.params != b.params ||
      a.body.size() != b.body.size()) {
    return false;
  }
  for (size_t i = 0; i < a.body.size(); ++i) {
    const PpBodyToken& x = a.body[i];
    const PpBodyToken& y = b.body[i];
    if (x.token.text != y.token.text || x.param != y.param || x.stringify != y.stringify ||
        x.token.pasteLeft != y.token.pasteLeft ||
        (i > 0 && x.token.spaceBefore != y.token.spaceBefore)) {
      return false;
    }
  }
  return true;
}

std::string SpellTokens(const std::vector<PpToken>& tokens, size_t from) {
  std::string text;
  for (size_t i = from; i < tokens.size(); ++i) {
    if (i > from && tokens[i].spaceBefore) text += ' ';
    text += tokens[i].text;
  }
  return text;
}

}  // namespace fw
