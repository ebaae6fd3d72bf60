#include "trace.h"

#include <cstdio>
#include <cstdlib>

namespace wxc {

namespace {

void AppendEscaped(std::string& out, const char* text) {
  for (const char* c = text ? text : ""; *c; ++c) {
    switch (*c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += *c;
    }
  }
}

}  // namespace

std::string TraceLine(const char* caption, const char* message) {
  std::string line;
  AppendEscaped(line, caption);
  line += '\t';
  AppendEscaped(line, message);
  line += '\n';
  return line;
}

void TraceMessageBox(const char* caption, const char* message) {
  const char* path = std::getenv("WXC_TRACE");
  if (!path || !*path) return;
  std::FILE* file = std::fopen(path, "ab");
  if (!file) return;
  const std::string line = TraceLine(caption, message);
  std::fwrite(line.data(), 1, line.size(), file);
  std::fclose(file);
}

}  // namespace wxc
