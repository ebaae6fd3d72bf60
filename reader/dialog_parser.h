// One dialog definition: header, statements, font and dialog units, then its controls.
#pragma once

#include <string>

#include "engine/state.h"

namespace fw {

// Converts the dialog whose header line (trimmed) is in `state.LineBuffer`, reading its further
// lines from `state.ScriptFile`. Returns after the control block's "END" or the script's end.
void ParseDialogStatement(GenerationState& state, Platform& platform);

// A font for the face and point size at `pixelsPerInch`; null when the platform refuses.
FontHandle CreateDialogFont(Display& display, int32_t pixelsPerInch, const std::string& faceName,
                            int32_t pointSize, int32_t weight, int32_t underline, int32_t italic,
                            int32_t strikeOut, int32_t charSet);

// The text whose average character width gives the dialog base unit.
inline constexpr char kMeasureText[] = " abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

}  // namespace fw
