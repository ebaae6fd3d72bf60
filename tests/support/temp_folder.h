// A temporary folder for tests that work on real files, removed when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace fw {

class TempFolder {
 public:
  TempFolder() {
    namespace fs = std::filesystem;
    std::random_device random;
    for (;;) {
      fs::path candidate = fs::temp_directory_path() / ("fw-test-" + std::to_string(random()));
      if (fs::create_directory(candidate)) {
        path_ = candidate.string();
        break;
      }
    }
  }
  ~TempFolder() {
    namespace fs = std::filesystem;
    std::error_code error;
    // Read-only entries (left by tests of failed writes) must become writable to be removed.
    for (const auto& e : fs::recursive_directory_iterator(path_, error)) {
      fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add, error);
    }
    fs::permissions(path_, fs::perms::owner_write, fs::perm_options::add, error);
    fs::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // The path of `name` (which may use '/') with the platform's separators.
  std::string operator/(const std::string& name) const {
    return (std::filesystem::path(path_) / name).make_preferred().string();
  }

  // Writes `data` to `name`, making the folders on the way.
  void Put(const std::string& name, const std::string& data) const {
    size_t slash = name.rfind('/');
    if (slash != std::string::npos) MakeFolder(name.substr(0, slash));
    std::ofstream(*this / name, std::ios::binary) << data;
  }
  void MakeFolder(const std::string& name) const {
    std::filesystem::create_directories(*this / name);
  }
  std::string Get(const std::string& name) const {
    std::ifstream in(*this / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool Exists(const std::string& name) const {
    std::error_code error;
    return std::filesystem::exists(*this / name, error);
  }

 private:
  std::string path_;
};

// Joins lines, each ended by CR LF.
inline std::string CrLf(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace fw
