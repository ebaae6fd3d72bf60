#include "script/pp_files.h"

#include <vector>

#include "textutil/text.h"

namespace fw {

namespace {

// Lower case, '/' separators, "." and ".." folded: the key a name is found by.
std::string Normalize(const std::string& path) {
  std::string lower = LowerAscii(path);
  std::vector<std::string> parts;
  std::string part;
  for (size_t i = 0; i <= lower.size(); ++i) {
    char c = i < lower.size() ? lower[i] : '/';
    if (c != '/' && c != '\\') {
      part += c;
      continue;
    }
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  }
  std::string key = !lower.empty() && (lower[0] == '/' || lower[0] == '\\') ? "/" : "";
  for (size_t i = 0; i < parts.size(); ++i) key += (i ? "/" : "") + parts[i];
  return key;
}

bool IsAbsolute(const std::string& name) {
  return (!name.empty() && (name[0] == '/' || name[0] == '\\')) ||
         (name.size() > 1 && name[1] == ':');
}

}  // namespace

void PpMemoryFiles::Add(const std::string& path, std::string text) {
  files_[Normalize(path)] = {path, std::move(text)};
}

std::optional<std::string> PpMemoryFiles::Find(const std::string& folder, const std::string& name) {
  std::string joined = IsAbsolute(name) || folder.empty() ? name : folder + "/" + name;
  auto found = files_.find(Normalize(joined));
  if (found == files_.end()) return std::nullopt;
  return found->second.first;
}

std::optional<std::string> PpMemoryFiles::Read(const std::string& path) {
  auto found = files_.find(Normalize(path));
  if (found == files_.end()) return std::nullopt;
  return found->second.second;
}

std::string PpFolderOf(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? "" : path.substr(0, slash == 0 ? 1 : slash);
}

bool PpDirectivesOnly(const std::string& path) {
  std::string lower = LowerAscii(path);
  return lower.ends_with(".h") || lower.ends_with(".c");
}

}  // namespace fw
