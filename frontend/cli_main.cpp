// formwright: the command line.
#include <iostream>

#include "frontend/cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::unique_ptr<fw::FileSystem> files = fw::MakePlatformFileSystem();
  fw::CliEnvironment env{*files, [] { return fw::MakePlatformDisplay(); }, std::cout, std::cerr};
  return fw::RunCommandLine(args, env);
}
