// The command line: options, the run, and what the user sees on stdout and stderr.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/display.h"
#include "platform/files.h"

namespace fw {

// Exit codes.
enum ExitCode {
  kExitOk = 0,          // every output written
  kExitUsage = 1,       // the command line is wrong
  kExitNotMade = 2,     // the script or the main template cannot be read: nothing written
  kExitNotWritten = 3,  // the run was made but an output was not written
};

struct CliEnvironment {
  FileSystem& files;
  // Makes the platform's own display when no base units are given.
  std::function<std::unique_ptr<Display>()> makeDisplay;
  std::ostream& out;
  std::ostream& err;
};

// Runs the command line `args` (without the program name) and returns the exit code.
int RunCommandLine(const std::vector<std::string>& args, CliEnvironment& env);

}  // namespace fw
