// How the preprocessor reaches files: an interface the caller implements over its own file
// layer, a version in memory for tests, and the path rules #include needs.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace fw {

class PpFiles {
 public:
  virtual ~PpFiles() = default;
  // The path of an existing file `name` (as written in an #include: '\' or '/', any letter
  // case) inside `folder` ("" for the current folder; ignored when `name` is absolute), or
  // nothing. A file layer that resolves names ignoring case does the matching.
  virtual std::optional<std::string> Find(const std::string& folder, const std::string& name) = 0;
  // The text of a file Find gave, decoded to UTF-8; nothing when it cannot be read.
  virtual std::optional<std::string> Read(const std::string& path) = 0;
};

// Files held in memory. Paths use '/'; names are found ignoring ASCII case, with "." and ".."
// folded.
class PpMemoryFiles : public PpFiles {
 public:
  void Add(const std::string& path, std::string text);
  std::optional<std::string> Find(const std::string& folder, const std::string& name) override;
  std::optional<std::string> Read(const std::string& path) override;

 private:
  std::map<std::string, std::pair<std::string, std::string>> files_;  // key -> path, text
};

// The folder part of a path ('\' or '/'), without the last separator; "" when there is none.
std::string PpFolderOf(const std::string& path);

// True for the files of which only the directives count: names ending in .h or .c.
bool PpDirectivesOnly(const std::string& path);

}  // namespace fw
