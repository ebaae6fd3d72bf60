#include "frontend/run.h"

#include "reader/declarations.h"
#include "reader/output.h"
#include "reader/scanner.h"
#include "textutil/text.h"

namespace fw {

namespace {

void ResetRun(GenerationState& s) {
  s.ProjectText.clear();
  s.MainDialogName.clear();
  for (Buffer* b :
       {&s.OptionText, &s.IncludeText, &s.GlobalText, &s.DeclareText, &s.InitialText,
        &s.DlgProcText, &s.SampleText, &s.ConstantText, &s.EventText, &s.DialogIncludeText}) {
    b->Empty();
  }
  s.diagnostics.Clear();
  s.templateCache.clear();
  s.backedUp.clear();
  s.missingClasses.clear();
  s.writtenFiles.clear();
}

void SetNames(GenerationState& s, char sep) {
  std::string separator(1, sep);
  s.ProjectName = FieldAt(s.RcPath, separator, FieldCount(s.RcPath, separator));
  s.OutputDir = s.RcPath.substr(0, s.RcPath.size() - s.ProjectName.size());
}

void ReadPreviousProject(GenerationState& s, FileSystem& files) {
  std::string previous = files.ReadWhole(s.RcPath + ".fbp").value_or("");
  s.ProjectHead = FieldAt(previous, "[File]", 1);
  s.ProjectInfoTail = FieldAt(previous, "[FileInfo]", 2);
  s.FileList = "1=" + s.ProjectName + ".bas\r\n2=" + s.ProjectName + ".rc\r\n";
  s.FileCount = 2;
}

// The set's main template, line by line, each line ended by CR LF. False when unreadable.
bool ReadProjectTemplate(GenerationState& s, FileSystem& files) {
  bool opened = false;
  std::unique_ptr<LineReader> file = files.OpenLines(s.TemplateDir + ".tpl", &opened);
  std::string line;
  while (!file->AtEnd()) {
    file->ReadLine(line);
    s.ProjectText.append(line);
    s.ProjectText.append("\r\n");
  }
  s.ProjectText = ReplaceAll("~PROJNAME~", s.RcPath, s.ProjectText);
  return opened;
}

// The run refuses to start when its two inputs are missing, so nothing gets overwritten with
// an empty project.
bool CheckInputs(GenerationState& s, FileSystem& files) {
  bool ok = true;
  bool opened = false;
  files.OpenLines(s.RcPath + ".rc", &opened);
  if (!opened) {
    s.diagnostics.Error(s.RcPath + ".rc", "cannot read the resource script");
    ok = false;
  }
  files.OpenLines(s.TemplateDir + ".tpl", &opened);
  if (!opened) {
    s.diagnostics.Error(s.TemplateDir + ".tpl", "cannot read the template set's main template");
    ok = false;
  }
  return ok;
}

void Scan(GenerationState& s, Platform& platform) {
  s.MeasureDC = platform.display.GetScreenContext();
  ScanResourceScript(s, platform);
  platform.display.ReleaseScreenContext(s.MeasureDC);
  s.MeasureDC = nullptr;
}

void CompleteDeclarations(GenerationState& s) {
  s.DeclareText.Append(BuildDeclarations(s.DlgProcText.text()));
  if (s.MultiFileMode) {
    s.DeclareText.Append("\r\n");
    s.DeclareText.Append(s.DialogIncludeText.text());
    return;
  }
  s.DeclareText.Append(BuildDeclarations(s.SampleText.text()));
  s.DeclareText.Append(BuildDeclarations(s.EventText.text()));
  s.DeclareText.Append("\r\n");
  s.DeclareText.Append(s.SampleText.text());
  s.DeclareText.Append("\r\n");
  s.DeclareText.Append(s.EventText.text());
}

void FillProject(GenerationState& s) {
  std::string& p = s.ProjectText;
  p = ReplaceAll("~OPTION~", s.OptionText.text(), p);
  p = ReplaceAll("~INCLUDE~", s.IncludeText.text(), p);
  p = ReplaceAll("~CONSTANT~", s.ConstantText.text(), p);
  p = ReplaceAll("~GLOBAL~", s.GlobalText.text(), p);
  p = ReplaceAll("~DECLARE~", s.DeclareText.text(), p);
  p = ReplaceAll("~INITIAL~", s.InitialText.text(), p);
  p = ReplaceAll("~DLGMAIN~", s.MainDialogName, p);
  p = ReplaceAll("~DIALOG~", s.DlgProcText.text(), p);
}

void WriteProjectFile(GenerationState& s, FileSystem& files) {
  std::string path = s.RcPath + ".fbp";
  std::string content =
      s.ProjectHead + "[File]\r\n" + s.FileList + "[FileInfo]" + s.ProjectInfoTail;
  WriteStatus status = files.WriteWhole(path, content);
  if (status == WriteStatus::kWritten) {
    s.writtenFiles.push_back(path);
  } else {
    s.diagnostics.NotWritten(path, "not written: the file cannot be created or replaced");
  }
}

}  // namespace

RunResult RunConversion(GenerationState& state, Platform& platform, const std::string& templateRoot,
                        const std::string& templateName) {
  FileSystem& files = platform.files;
  ResetRun(state);
  SetNames(state, files.Separator());
  state.TemplateDir = templateRoot + files.Separator() + templateName;
  RunResult result;
  if (!CheckInputs(state, files)) return result;
  ReadPreviousProject(state, files);
  ReadProjectTemplate(state, files);
  Scan(state, platform);
  CompleteDeclarations(state);
  FillProject(state);
  WriteWithBackup(state, platform, state.RcPath + ".bas", state.ProjectName + ".bak",
                  state.ProjectText);
  WriteProjectFile(state, files);
  result.made = true;
  result.written = state.writtenFiles;
  return result;
}

}  // namespace fw
