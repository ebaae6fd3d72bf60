// Template files: the section reader and the control and dialog template loaders.
#pragma once

#include <string>
#include <string_view>

#include "engine/state.h"

namespace fw {

enum class TemplateKind { kControl, kDialog };

// Reads one section body from `file`, appending each kept line (spaces runs shortened to one,
// blank lines dropped) behind `prefix` to `target`. Returns with the line that ended the
// section in `line`.
void ReadTemplateSection(LineReader& file, const std::string& prefix, std::string& line,
                         std::string& target);

// Reads a whole template file into its sections, keeping those the kind accepts.
ParsedTemplate ParseTemplateFile(LineReader& file, TemplateKind kind);

// Appends the sections of the current control's class template, then substitutes the
// control's values into the thirteen buffers.
void LoadControlTemplate(GenerationState& state, Platform& platform);

// Appends the sections of "dialogex.tpl" but its "[DLGPROC]", and keeps the template as the
// current dialog's.
void LoadDialogTemplate(GenerationState& state, Platform& platform);

// At the dialog's end: the current dialog template's "[DLGPROC]" into DlgProcText, then the
// procedure placeholders with `values` (in DlgProcPlaceholders' order), as
// DlgProcText.Substitute would after the section's append.
void AppendDialogProcedure(GenerationState& state, const std::string_view* values);

}  // namespace fw
