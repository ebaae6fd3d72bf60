#include "script/pp_text.h"

namespace fw {

namespace {

// Whether two tokens written together would read as one (a space keeps them apart).
bool Joins(PpKind a, PpKind b) {
  auto word = [](PpKind k) { return k == PpKind::kIdentifier || k == PpKind::kNumber; };
  return word(a) && (word(b) || b == PpKind::kString || b == PpKind::kCharacter);
}

}  // namespace

std::string PpTokensToText(const std::vector<PpToken>& tokens,
                           const std::vector<std::string>& files) {
  std::string text;
  uint32_t file = UINT32_MAX;
  uint32_t line = 0;
  PpKind previous = PpKind::kPunctuator;
  for (const PpToken& t : tokens) {
    if (t.file != file || t.line < line || t.line > line + 8) {
      if (!text.empty()) text += '\n';
      std::string name = t.file < files.size() ? files[t.file] : "";
      text += "#line " + std::to_string(t.line) + " \"" + name + "\"\n";
      file = t.file;
      line = t.line;
    } else if (t.line > line) {
      text.append(t.line - line, '\n');
      line = t.line;
    } else if (t.spaceBefore || Joins(previous, t.kind)) {
      text += ' ';
    }
    previous = t.kind;
    text += t.text;
  }
  if (!text.empty()) text += '\n';
  return text;
}

}  // namespace fw
