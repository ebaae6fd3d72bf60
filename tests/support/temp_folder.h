// A temporary folder for tests that work on real files, removed when the test ends.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace fw {

class TempFolder {
 public:
  TempFolder() {
    char tmpl[] = "/tmp/fw-test-XXXXXX";
    path_ = mkdtemp(tmpl);
  }
  ~TempFolder() { std::system(("chmod -R u+w '" + path_ + "'; rm -rf '" + path_ + "'").c_str()); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  // Writes `data` to `name`, making the folders on the way.
  void Put(const std::string& name, const std::string& data) const {
    size_t slash = name.rfind('/');
    if (slash != std::string::npos) MakeFolder(name.substr(0, slash));
    std::ofstream(*this / name, std::ios::binary) << data;
  }
  void MakeFolder(const std::string& name) const {
    std::system(("mkdir -p '" + (*this / name) + "'").c_str());
  }
  std::string Get(const std::string& name) const {
    std::ifstream in(*this / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool Exists(const std::string& name) const {
    struct stat st;
    return stat((*this / name).c_str(), &st) == 0;
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
