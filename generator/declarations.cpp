#include "generator/declarations.h"

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

}  // namespace

bool OpensProcedure(std::string_view line) {
  return BeginsWith(line, "sub ") || BeginsWith(line, "function ");
}

void AppendDeclarations(std::string_view code, Buffer& out) {
  struct Appender {
    Buffer& buffer;
    void append(std::string_view more) { buffer.Append(more); }
  } appender{out};
  AppendDeclarations(code, appender);
}

std::string BuildDeclarations(std::string_view code) {
  std::string result;
  AppendDeclarations(code, result);
  return result;
}

}  // namespace fw
