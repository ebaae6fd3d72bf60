#include "script/code_page_pragma.h"

#include <cctype>

#include "textutil/utf8.h"

namespace fw {
namespace {

void SkipBlanks(std::string_view text, size_t& pos) {
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
}

bool TakeWord(std::string_view text, size_t& pos, std::string_view word, bool anyCase) {
  if (text.substr(pos, word.size()).size() != word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    const char ch = text[pos + i];
    const bool same =
        anyCase ? std::tolower(static_cast<unsigned char>(ch)) == word[i] : ch == word[i];
    if (!same) return false;
  }
  pos += word.size();
  return true;
}

}  // namespace

std::optional<CodePagePragma> ParseCodePagePragma(std::string_view line) {
  size_t pos = 0;
  SkipBlanks(line, pos);
  if (!TakeWord(line, pos, "#", false)) return std::nullopt;
  SkipBlanks(line, pos);
  if (!TakeWord(line, pos, "pragma", false)) return std::nullopt;
  const size_t beforeBlank = pos;
  SkipBlanks(line, pos);
  if (pos == beforeBlank || !TakeWord(line, pos, "code_page", true)) return std::nullopt;
  SkipBlanks(line, pos);
  if (!TakeWord(line, pos, "(", false)) return std::nullopt;
  const size_t close = line.find(')', pos);
  CodePagePragma pragma;
  std::string_view argument = line.substr(pos, close == std::string_view::npos ? 0 : close - pos);
  while (!argument.empty() && (argument.front() == ' ' || argument.front() == '\t')) {
    argument.remove_prefix(1);
  }
  while (!argument.empty() && (argument.back() == ' ' || argument.back() == '\t')) {
    argument.remove_suffix(1);
  }
  pragma.argument = argument;
  size_t at = 0;
  if (TakeWord(argument, at, "default", true) && at == argument.size()) {
    pragma.toDefault = true;
  } else if (!argument.empty() && argument.size() <= 5 &&
             argument.find_first_not_of("0123456789") == std::string_view::npos) {
    pragma.codePage = std::stoi(std::string(argument));
  }
  return pragma;
}

LineScan CommentTracker::Scan(std::string_view line) {
  LineScan scan{!inComment_, false};
  // Without a '/' no comment begins or ends here (most lines): one search instead of a walk.
  if (line.find('/') == std::string_view::npos) {
    scan.nonAscii = !inComment_ && HasNonAscii(line);
    return scan;
  }
  bool inString = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char ch = line[i];
    const char next = i + 1 < line.size() ? line[i + 1] : '\0';
    if (!inComment_ && static_cast<unsigned char>(ch) >= 0x80) scan.nonAscii = true;
    if (inComment_) {
      if (ch == '*' && next == '/') inComment_ = false, ++i;
    } else if (inString) {
      if (ch == '\\')
        ++i;  // an escaped character, a quote among them
      else if (ch == '"')
        inString = false;  // "" reads as two quotes: out and in again
    } else if (ch == '"') {
      inString = true;
    } else if (ch == '/' && next == '/') {
      break;
    } else if (ch == '/' && next == '*') {
      inComment_ = true, ++i;
    }
  }
  return scan;
}

}  // namespace fw
