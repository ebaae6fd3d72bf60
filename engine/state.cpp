#include "engine/state.h"

namespace fw {

GenerationState::GenerationState() {
  for (Buffer* b : AllBuffers()) b->ShareOverflow(&textOverflowed);
}

std::vector<Buffer*> GenerationState::AllBuffers() {
  return {&OptionText,        &IncludeText,      &ConstantText,  &GlobalText,  &DeclareText,
          &DialogIncludeText, &InitialText,      &SampleText,    &EventText,   &DlgProcText,
          &DimText,           &WmInitDialogText, &WmCommandText, &WmCloseText, &WmNotifyText,
          &WmTimerText,       &WmDestroyText};
}

void GenerationState::SetPlainSubstitution(bool plain) {
  plainSubstitution = plain;
  for (Buffer* b : AllBuffers()) b->SetPlain(plain);
}

void GenerationState::SetTextLimit(size_t limit) {
  textLimit = limit;
  for (Buffer* b : AllBuffers()) b->SetLimit(limit);
}

bool GenerationState::TextLimitExceeded() const {
  return textOverflowed;
}

void ResetRecord(GenerationState& state, DialogRecord& record) {
  record = state.BlankRecord;
}

}  // namespace fw
