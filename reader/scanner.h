// The resource script scanner: "#define" lines, every dialog, and in multi-file mode each
// dialog's include file.
#pragma once

#include "engine/state.h"

namespace fw {

// Reads `state.RcPath` + ".rc" from its first line to its last. Returns whether the script
// could be opened.
bool ScanResourceScript(GenerationState& state, Platform& platform);

}  // namespace fw
