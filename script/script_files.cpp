#include "script/script_files.h"

#include "script/decode.h"

namespace fw {

ScriptFiles::ScriptFiles(FileSystem& files, CodePages& pages, int codePage, int defaultCodePage)
    : files_(files), pages_(pages), codePage_(codePage), defaultCodePage_(defaultCodePage) {}

// An #include names its file with '\' or '/' in any letter case; the file layer finds names
// ignoring case where the platform does not.
std::optional<std::string> ScriptFiles::Find(const std::string& folder, const std::string& name) {
  char sep = files_.Separator();
  std::string path = name;
  for (char& c : path) {
    if (c == '\\' || c == '/') c = sep;
  }
  bool absolute = (!path.empty() && path[0] == sep) || (path.size() > 1 && path[1] == ':');
  if (!absolute && !folder.empty()) path = folder + sep + path;
  if (!files_.IsFile(path)) return std::nullopt;
  return files_.Resolve(path);
}

std::optional<std::string> ScriptFiles::Read(const std::string& path) {
  std::optional<std::string> bytes = files_.ReadWhole(path);
  if (!bytes) return std::nullopt;
  return DecodeIncludedScript(*bytes, codePage_, defaultCodePage_, pages_).text;
}

}  // namespace fw
