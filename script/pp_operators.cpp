#include "script/pp_operators.h"

#include "script/pp_lexer.h"

namespace fw {

PpToken Stringify(const std::vector<PpToken>& tokens) {
  std::string text = "\"";
  // What decides the space before the next token: a padding's source, else the token.
  PadSource source = PadSource::kNone;
  for (const PpToken& t : tokens) {
    if (t.kind == PpKind::kPadding) {
      if (source == PadSource::kNone ||
          (source == PadSource::kNoWhite && t.pad == PadSource::kNone)) {
        source = t.pad;
      }
      continue;
    }
    if (text.size() > 1) {
      bool white = source == PadSource::kNone ? t.spaceBefore : source == PadSource::kWhite;
      if (white) text += ' ';
    }
    source = PadSource::kNone;
    bool escape = t.kind == PpKind::kString || t.kind == PpKind::kCharacter;
    for (char c : t.text) {
      if (escape && (c == '"' || c == '\\')) text += '\\';
      text += c;
    }
  }
  text += '"';
  PpToken result;
  result.kind = PpKind::kString;
  result.text = std::move(text);
  return result;
}

bool PasteTokens(const PpToken& lhs, const PpToken& rhs, PpToken& result) {
  PpDiagnostics ignored;
  std::string joined = lhs.text + rhs.text;  // outlives the lexer, which reads it in place
  PpLexer lexer(joined, lhs.file, false, "", ignored);
  PpToken pasted = lexer.Next();
  if (pasted.spaceBefore || pasted.unterminated || pasted.kind == PpKind::kEnd ||
      pasted.kind == PpKind::kNewline || lexer.Next().kind != PpKind::kEnd) {
    return false;
  }
  result = lhs;
  result.kind = pasted.kind;
  result.text = std::move(pasted.text);
  result.pasteLeft = false;
  result.noExpand = false;
  return true;
}

PpToken PaddingFor(const PpToken& source) {
  PpToken pad;
  pad.kind = PpKind::kPadding;
  pad.pad = source.spaceBefore ? PadSource::kWhite : PadSource::kNoWhite;
  return pad;
}

}  // namespace fw
