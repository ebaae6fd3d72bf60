// The conversion run: one resource script and one template set into a project.
#pragma once

#include <string>
#include <vector>

#include "engine/state.h"

namespace fw {

struct RunResult {
  // False when the run could not be made (script or main template unreadable); then nothing
  // was written and the diagnostics say why.
  bool made = false;
  // Every file written (backups included), in the order written.
  std::vector<std::string> written;
};

// Converts the script `state.RcPath` + ".rc" with the template set `templateName` found in
// `templateRoot` (the folder holding NAME.tpl and NAME/). Reads `state.MultiFileMode`. What the
// user should hear is left in `state.diagnostics`.
RunResult RunConversion(GenerationState& state, Platform& platform, const std::string& templateRoot,
                        const std::string& templateName);

}  // namespace fw
