#include "reader/declarations.h"

#include "textutil/text.h"

namespace fw {

namespace {

bool OpensProcedure(std::string_view line) {
  return LowerAscii(line.substr(0, 4)) == "sub " || LowerAscii(line.substr(0, 9)) == "function ";
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
