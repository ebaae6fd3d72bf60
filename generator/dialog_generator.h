// One dialog of the script model into the section buffers: its template, its font and
// geometry, each control's sections, then the dialog's own values.
#pragma once

#include "generator/generation.h"
#include "script/model.h"

namespace fw {

// Applies the dialog's statements in their order and converts its controls with the base
// units in effect; in multi-file mode, then writes the dialog's include file.
void GenerateDialog(Generation& g, const ScriptDialog& dialog);

}  // namespace fw
