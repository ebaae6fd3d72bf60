// formwright: the command line.
#include <csignal>
#include <iostream>

#include "frontend/cli.h"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
  // Past a file size limit a write must fail and be reported, not kill the program midway.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  std::vector<std::string> args(argv + 1, argv + argc);
  std::unique_ptr<fw::FileSystem> files = fw::MakePlatformFileSystem();
  fw::CliEnvironment env{*files, [] { return fw::MakePlatformDisplay(); }, std::cout, std::cerr};
  return fw::RunCommandLine(args, env);
}
