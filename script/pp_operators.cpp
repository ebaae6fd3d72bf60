#include "script/pp_operators.h"

#include "script/pp_lexer.h"

namespace fw {

PpToken Stringify(const std::vector<PpToken>& tokens, PpTextStore& texts) {
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
  result.text = texts.Copy(text);
  return result;
}

bool PasteTokens(const PpToken& lhs, const PpToken& rhs, std::string& joined, PpToken& result) {
  PpDiagnostics ignored;
  PpTextStore none;  // no token holds a newline, so there is no splice to keep
  joined.assign(lhs.text);
  joined.append(rhs.text);
  PpLexer lexer(joined, lhs.file, false, "", ignored, none);
  PpToken pasted = lexer.Next();
  if (pasted.spaceBefore || pasted.unterminated || pasted.kind == PpKind::kEnd ||
      pasted.kind == PpKind::kNewline || lexer.Next().kind != PpKind::kEnd) {
    return false;
  }
  result = lhs;
  result.kind = pasted.kind;
  result.text = pasted.text;
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
