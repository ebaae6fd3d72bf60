// Parsing the command line's words into options.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/display_fixed.h"

namespace fw {

struct CliOptions {
  std::string templateName;  // empty: the first set of the root
  std::string templateRoot;  // empty: beside the executable
  bool multi = false;
  bool fullSyntax = false;
  int32_t codePage = 1252;
  int32_t language = -1;  // -1: the first definition of each dialog name
  std::optional<std::pair<int32_t, int32_t>> baseUnits;
  std::optional<Metrics> metrics;
  bool dryRun = false;
  bool help = false;
  bool version = false;
  bool listTemplates = false;  // print the sets of the root instead of converting
  std::string script;
};

// The options, or an error message for a usage error.
struct ParsedOptions {
  CliOptions options;
  std::string error;
};
ParsedOptions ParseCliOptions(const std::vector<std::string>& args);

extern const char kUsage[];

}  // namespace fw
