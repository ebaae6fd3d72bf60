#include "reader/declarations.h"

#include "textutil/text.h"

namespace fw {

namespace {

// Whether `line` begins with `word` (lower case) in any ASCII letter case. Compares in place:
// this runs for every line of the generated code.
bool BeginsWith(std::string_view line, std::string_view word) {
  if (line.size() < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    char c = line[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return true;
}

bool OpensProcedure(std::string_view line) {
  return BeginsWith(line, "sub ") || BeginsWith(line, "function ");
}

}  // namespace

std::string BuildDeclarations(std::string_view code) {
  code = code.substr(0, code.find('\0'));
  std::string result;
  size_t start = 0;
  for (;;) {
    size_t end = code.find("\r\n", start);
    std::string_view line = code.substr(start, end == std::string_view::npos ? end : end - start);
    if (OpensProcedure(line)) {
      result.append("declare ");
      result.append(line);
      result.append("\r\n");
    }
    if (end == std::string_view::npos) break;
    start = end + 2;
  }
  return result;
}

}  // namespace fw
