// fw-write-projects: writes random projects to disk, so that two builds convert the very same
// files. The same COUNT and START give the same projects on every build.
//
// usage: fw-write-projects FOLDER COUNT START
// Project i (from 0) goes to FOLDER/pNNNNN/, with the script in work/dialogs.rc and the
// template set "set" beside work/ (see tests/support/random_project.h).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

#include "tests/support/random_project.h"

namespace {

namespace fs = std::filesystem;

bool WriteProject(const fs::path& folder, const fw::Project& project) {
  fs::create_directories(folder / "work");
  for (const auto& [path, content] : project.files) {
    fs::path target = folder / path;
    if (path.back() == '/') {
      fs::create_directories(target);
      continue;
    }
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out << content;
    if (!out) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: fw-write-projects FOLDER COUNT START\n";
    return 1;
  }
  fs::path folder = argv[1];
  long count = std::strtol(argv[2], nullptr, 10);
  auto start = static_cast<std::mt19937::result_type>(std::strtoul(argv[3], nullptr, 10));
  std::mt19937 rng(start);
  for (long i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "p%05ld", i);
    if (!WriteProject(folder / name, fw::RandomProject(rng))) {
      std::cerr << "fw-write-projects: cannot write " << (folder / name).string() << "\n";
      return 1;
    }
  }
  return 0;
}
