// reference_convert [--fast] [--multi] SCRIPT TEMPLATE_ROOT TEMPLATE_NAME: converts a script
// as `formwright --base-units 6,13` does, with the plain method (every replacement over the
// whole buffer), or with the fast one when --fast is given. For benchmarks only.
#include <iostream>
#include <string>
#include <vector>

#include "platform/display_fixed.h"
#include "tests/support/reference.h"

namespace {

int Usage() {
  std::cerr << "usage: reference_convert [--fast] [--multi] SCRIPT TEMPLATE_ROOT TEMPLATE_NAME\n";
  return 1;
}

// The script's path without its extension, as the command line makes it.
std::string ScriptBaseOf(fw::FileSystem& files, const std::string& script) {
  std::string full = files.AbsolutePath(script);
  size_t nameStart = full.rfind('/') + 1;  // npos + 1 is 0
  return full.substr(0, full.find('.', nameStart));
}

}  // namespace

int main(int argc, char** argv) {
  bool fast = false;
  bool multi = false;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--fast") {
      fast = true;
    } else if (a == "--multi") {
      multi = true;
    } else {
      args.push_back(a);
    }
  }
  if (args.size() != 3) return Usage();

  std::unique_ptr<fw::FileSystem> files = fw::MakePlatformFileSystem();
  fw::FixedDisplay display(6, 13);
  fw::Platform platform{*files, display};
  fw::Session session;
  fw::RunOptions options{ScriptBaseOf(*files, args[0]), multi, args[1], args[2]};
  fw::RunResult result = fast ? fw::RunConversion(session, platform, options)
                              : fw::RunReferenceConversion(session, platform, options);
  for (const fw::Diagnostic& d : result.diagnostics.items()) {
    std::cerr << "reference_convert: " << d.path << ": " << d.message << "\n";
  }
  return result.made && result.diagnostics.NotWrittenCount() == 0 ? 0 : 2;
}
