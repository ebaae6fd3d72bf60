// Test tool: decodes each script named on the command line (with its byte order mark and
// pragmas, starting in code page 1252 or the one given by --code-page N before it) and prints one
// Markdown table row per file: the encoding found, the code pages in effect, the script's single
// code page, and the lines holding invalid bytes. Not a production program.
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>

#include "script/decode.h"

namespace {

std::string EncodingName(fw::ScriptEncoding encoding) {
  switch (encoding) {
    case fw::ScriptEncoding::kUtf8Bom:
      return "UTF-8 with BOM";
    case fw::ScriptEncoding::kUtf16Le:
      return "UTF-16LE";
    case fw::ScriptEncoding::kUtf16Be:
      return "UTF-16BE";
    case fw::ScriptEncoding::kCodePage:
      break;
  }
  return "code pages";
}

std::string Row(const std::string& path, const fw::DecodedScript& script) {
  std::ostringstream row;
  row << "| " << path << " | " << EncodingName(script.encoding) << " | ";
  for (size_t i = 0; i < script.spans.size(); ++i) {
    const fw::CodePageSpan& span = script.spans[i];
    row << (i ? ", " : "") << span.codePage << "@" << span.firstLine << (span.nonAscii ? "*" : "");
  }
  row << " | " << (script.singleCodePage ? std::to_string(*script.singleCodePage) : "none")
      << " | ";
  std::set<int> invalidLines;
  std::string other;
  for (const fw::DecodeNote& note : script.notes) {
    if (note.message.find("kept as they are") != std::string::npos) {
      invalidLines.insert(note.line);
    } else {
      other += (other.empty() ? "" : "; ") + std::to_string(note.line) + ": " + note.message;
    }
  }
  row << (invalidLines.empty() ? "none" : std::to_string(invalidLines.size()) + " lines:");
  int shown = 0;
  for (int line : invalidLines) {
    if (shown++ < 8) row << " " << line;
  }
  if (invalidLines.size() > 8) row << " ...";
  row << " | " << (other.empty() ? "" : other) << " |";
  return row.str();
}

}  // namespace

int main(int argc, char** argv) {
  auto pages = fw::MakePlatformCodePages();
  std::cout << "| file | read as | code pages (page@line, * = non-ASCII) | single page |"
               " invalid bytes | notes |\n|---|---|---|---|---|---|\n";
  int codePage = 1252;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--code-page" && i + 1 < argc) {
      codePage = std::stoi(argv[++i]);  // for the files after it, as --code-page gives it
      continue;
    }
    std::ifstream in(argv[i], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::cout << Row(argv[i], fw::DecodeScript(bytes, codePage, *pages)) << "\n";
  }
  return 0;
}
