#include "engine/state.h"

namespace fw {

GenerationState::GenerationState() = default;

std::vector<Buffer*> GenerationState::AllBuffers() {
  return {&OptionText,        &IncludeText,      &ConstantText,  &GlobalText,  &DeclareText,
          &DialogIncludeText, &InitialText,      &SampleText,    &EventText,   &DlgProcText,
          &DimText,           &WmInitDialogText, &WmCommandText, &WmCloseText, &WmNotifyText,
          &WmTimerText,       &WmDestroyText};
}

void GenerationState::SetPlainSubstitution(bool plain) {
  for (Buffer* b : AllBuffers()) b->SetPlain(plain);
}

void ResetRecord(GenerationState& state, DialogRecord& record) {
  record = state.BlankRecord;
}

}  // namespace fw
