// The control block of a dialog: one template load per "CONTROL" statement.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/state.h"

namespace fw {

// A style field: "0x" read as "&h", then the number.
int32_t ParseStyle(std::string_view field);

// Fills `state.CurrentControl` from one "CONTROL" statement (the trimmed line), with pixel
// geometry from `state.DialogBaseUnits`.
void ParseControlStatement(GenerationState& state, const std::string& line);

// Reads the script's lines after "BEGIN" up to the first line that starts with "END" (or the
// end of the script), converting every "CONTROL" statement.
void ParseControlStatements(GenerationState& state, Platform& platform);

}  // namespace fw
