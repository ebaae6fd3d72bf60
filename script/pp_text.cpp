#include "script/pp_text.h"

namespace fw {

std::string PpTokensToText(const std::vector<PpToken>& tokens,
                           const std::vector<std::string>& files) {
  std::string text;
  uint32_t file = UINT32_MAX;
  uint32_t line = 0;
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
    } else if (t.spaceBefore) {
      text += ' ';
    }
    text += t.text;
  }
  if (!text.empty()) text += '\n';
  return text;
}

}  // namespace fw
