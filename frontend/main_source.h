// The main source: the set's main template with its placeholders filled from the section texts
// of the run.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/state.h"
#include "engine/text_store.h"

namespace fw {

// Reads the set's main template into `state.ProjectText`, each line ended by CR LF, and puts
// the script's path in place of "~PROJNAME~". False when the template cannot be read.
bool ReadMainTemplate(GenerationState& state, FileSystem& files);

// The main source as the pieces it is written from, one after another. The largest texts of a
// run (sample, event and procedure code) go into it as they stand, never copied into one text.
struct MainSource {
  std::array<TextStore, 3> declarations;  // of the procedures, samples and events
  std::vector<std::string_view> pieces;
};

// Fills the main template's placeholders after the scan: "~DECLARE~" gets the declarations
// and, in single-file mode, the sample and event code. Leaves no pieces when the text limit
// refuses a replacement (the run's text limit flag then says so).
void ComposeMainSource(GenerationState& state, MainSource& out);

}  // namespace fw
