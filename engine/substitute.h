// Placeholder substitution: a control's and a dialog's values into the section buffers, and
// style values into flag names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/state.h"
#include "engine/style_names.h"

namespace fw {

// The values of the thirteen control placeholders for the current control, in their order.
struct ControlValues {
  std::string values[13];
};
ControlValues MakeControlValues(GenerationState& state);

// The thirteen control placeholders, in their order, over one buffer.
void SubstituteControlFields(GenerationState& state, Buffer& buffer);

// The dialog's values and gathered sections into EventText and DlgProcText.
void SubstituteDialogFields(GenerationState& state);

// The placeholder sets the buffers are settled with: the control set after each control, and
// at a dialog's end EventText's and DlgProcText's own sets.
PlaceholderSet ControlPlaceholders();
PlaceholderSet EventPlaceholders();
PlaceholderSet DlgProcPlaceholders();

}  // namespace fw
