// Placeholder substitution: a template's sections into the section buffers, with a control's or
// a dialog's values filled in.
#pragma once

#include <string_view>

#include "engine/placeholder_set.h"
#include "engine/record.h"
#include "engine/sections.h"
#include "engine/style_names.h"
#include "engine/template_file.h"

namespace fw {

// The placeholder sets the buffers are settled with: the control set after each control, and
// at a dialog's end EventText's and DlgProcText's own sets.
PlaceholderSet ControlPlaceholders();
PlaceholderSet EventPlaceholders();
PlaceholderSet DlgProcPlaceholders();

// A control's template (null: none) into the buffers: its sections appended, then its values
// in the thirteen control buffers. The style maps are the template's own.
void AppendControl(SectionBuffers& buffers, const ParsedTemplate* parsed,
                   const ControlRecord& control, std::string_view dialogName,
                   StyleMapCache& styles);

// A dialog template's sections into the buffers and its style maps into `maps`, all but
// "[DLGPROC]", which SubstituteDialogFields adds with the dialog's values.
void AppendDialogSections(SectionBuffers& buffers, StyleMaps& maps, const ParsedTemplate& parsed);

// At a dialog's end: its values into EventText, then the template's "[DLGPROC]" with the
// dialog's values and gathered sections into DlgProcText.
void SubstituteDialogFields(SectionBuffers& buffers, const ParsedTemplate* dialogTemplate,
                            const DialogRecord& dialog, const StyleMaps& maps,
                            StyleMapCache& styles);

}  // namespace fw
