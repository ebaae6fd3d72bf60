// The text of the main dialog's status line after a run.
#pragma once

#include <string>

#include "engine/diagnostics.h"
#include "generator/run.h"

namespace fw {

// "Ready" after a run that wrote every output with no warning; otherwise a short summary and
// the first message that matters: why nothing was written, the first output not written, or
// the first warning.
std::string StatusLineText(const RunResult& result, const Diagnostics& diagnostics);

}  // namespace fw
