// fw-pp-dump: runs the preprocessor on a file and prints its tokens, one per line, or its
// text with line markers (--text). Diagnostics go to stderr; the exit code is 1 when any is an
// error. Used by the differential test against another preprocessor.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "script/pp_text.h"
#include "script/preprocessor.h"

namespace {

// Files as they are on disk, names matched as written.
class DiskFiles : public fw::PpFiles {
 public:
  std::optional<std::string> Find(const std::string& folder, const std::string& name) override {
    std::filesystem::path path =
        folder.empty() ? std::filesystem::path(name) : std::filesystem::path(folder) / name;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    return path.string();
  }
  std::optional<std::string> Read(const std::string& path) override {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
};

}  // namespace

int main(int argc, char** argv) {
  bool asText = false;
  fw::PreprocessOptions options;
  std::string path;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--text") {
      asText = true;
    } else if (arg == "--no-predefined") {
      options.predefined.clear();
    } else {
      path = arg;
    }
  }
  DiskFiles files;
  std::optional<std::string> text = path.empty() ? std::nullopt : files.Read(path);
  if (!text) {
    std::cerr << "usage: fw-pp-dump [--text] [--no-predefined] FILE\n";
    return 2;
  }
  fw::PreprocessResult result = fw::Preprocess(files, path, *text, options);
  if (asText) {
    std::cout << fw::PpTokensToText(result.tokens, result.files);
  } else {
    for (const fw::PpToken& t : result.tokens) std::cout << t.text << '\n';
  }
  for (const fw::PpDiagnostic& d : result.diagnostics) {
    std::cerr << d.file << ':' << d.line << ": " << (d.error ? "error: " : "warning: ") << d.message
              << '\n';
  }
  return result.HasErrors() ? 1 : 0;
}
