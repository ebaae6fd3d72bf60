#include "reader/scanner.h"

#include "reader/declarations.h"
#include "reader/dialog_parser.h"
#include "reader/file_names.h"
#include "reader/output.h"
#include "textutil/number.h"
#include "textutil/text.h"

namespace fw {

namespace {

void ResetDialogBuffers(GenerationState& state) {
  ResetRecord(state, state.CurrentDialog);
  for (Buffer* b :
       {&state.DimText, &state.WmInitDialogText, &state.WmCommandText, &state.WmCloseText,
        &state.WmNotifyText, &state.WmTimerText, &state.WmDestroyText}) {
    b->Empty();
  }
  state.DlgStyleMap.clear();
  state.DlgExStyleMap.clear();
  if (state.MultiFileMode) {
    state.SampleText.Empty();
    state.EventText.Empty();
  }
}

// The dialog's include file, its backup and its project, include and declaration entries.
void WriteDialogFile(GenerationState& state, Platform& platform) {
  const std::string& name = state.CurrentDialog.name;
  state.FileCount = static_cast<int32_t>(static_cast<uint32_t>(state.FileCount) + 1);
  state.FileList += IntegerToText(state.FileCount) + "=" + name + ".bi\r\n";
  state.DialogIncludeText.Append("#include once \"" + name + ".bi\"\r\n");
  state.DeclareText.Append(BuildDeclarations(state.SampleText.text()));
  state.DeclareText.Append(BuildDeclarations(state.EventText.text()));
  state.SampleText.Append("\r\n\r\n");
  state.SampleText.Append(state.EventText.text());

  std::string path = state.OutputDir + name + ".bi";
  std::string unsafe = UnsafeFileNameReason(name);
  if (!unsafe.empty()) {
    state.diagnostics.NotWritten(
        path, "not written: dialog name \"" + name + "\" cannot be a file name (" + unsafe + ")");
    return;
  }
  if (state.TextLimitExceeded()) {
    state.diagnostics.NotWritten(path, TextLimitMessage(state.textLimit));
    return;
  }
  // A dialog named like the project keeps its backup apart from the main source's.
  bool clashes = EqualsIgnoringAsciiCase(name, state.ProjectName);
  std::string backupName = name + (clashes ? ".bi.bak" : ".bak");
  WriteWithBackup(state, platform, path, backupName, state.SampleText.text());
}

void ScanLine(GenerationState& state, Platform& platform) {
  std::string& line = state.LineBuffer;
  line = std::string(Trim(line));
  if (LowerAscii(std::string_view(line).substr(0, 7)) == "#define") {
    state.ConstantText.Append(line);
    state.ConstantText.Append("\r\n");
  } else if (line.find("DIALOGEX") != std::string::npos) {
    ResetDialogBuffers(state);
    ParseDialogStatement(state, platform);
    if (state.MultiFileMode) WriteDialogFile(state, platform);
  }
}

}  // namespace

bool ScanResourceScript(GenerationState& state, Platform& platform) {
  bool opened = false;
  state.ScriptFile = platform.files.OpenLines(state.RcPath + ".rc", &opened);
  while (!state.ScriptFile->AtEnd()) {
    state.ScriptFile->ReadLine(state.LineBuffer);
    ScanLine(state, platform);
  }
  state.ScriptFile.reset();
  return opened;
}

}  // namespace fw
