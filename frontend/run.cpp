#include "frontend/run.h"

#include "frontend/main_source.h"
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
  s.classTemplates.clear();
  s.DialogTemplate = nullptr;
  s.styleMaps.Clear();
  s.backedUp.clear();
  s.missingClasses.clear();
  s.writtenFiles.clear();
  s.textOverflowed = false;
}

void SetNames(GenerationState& s, char sep) {
  std::string separator(1, sep);
  s.ProjectName = FieldAt(s.RcPath, separator, FieldCount(s.RcPath, separator));
  s.OutputDir = s.RcPath.substr(0, s.RcPath.size() - s.ProjectName.size());
}

// False when a previous project file exists but cannot be read: rewriting it would lose what
// lies around its file list.
bool ReadPreviousProject(GenerationState& s, FileSystem& files) {
  std::string path = s.RcPath + ".fbp";
  std::optional<std::string> read = files.ReadWhole(path);
  bool readable = read.has_value() || !files.IsFile(path);
  std::string previous = read.value_or("");
  s.ProjectHead = FieldAt(previous, "[File]", 1);
  s.ProjectInfoTail = FieldAt(previous, "[FileInfo]", 2);
  s.FileList = "1=" + s.ProjectName + ".bas\r\n2=" + s.ProjectName + ".rc\r\n";
  s.FileCount = 2;
  return readable;
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

void WriteMainSource(GenerationState& s, Platform& platform, const MainSource& main) {
  std::string path = s.RcPath + ".bas";
  if (s.TextLimitExceeded()) {
    s.diagnostics.NotWritten(path, TextLimitMessage(s.textLimit));
    return;
  }
  WriteWithBackup(s, platform, path, s.ProjectName + ".bak", main.pieces);
}

void WriteProjectFile(GenerationState& s, FileSystem& files, bool readable) {
  std::string path = s.RcPath + ".fbp";
  if (!readable) {
    s.diagnostics.NotWritten(path, "not overwritten: its old content cannot be read");
    return;
  }
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
  bool projectReadable = ReadPreviousProject(state, files);
  ReadMainTemplate(state, files);
  Scan(state, platform);
  MainSource main;
  ComposeMainSource(state, main);
  WriteMainSource(state, platform, main);
  WriteProjectFile(state, files, projectReadable);
  result.made = true;
  result.written = state.writtenFiles;
  return result;
}

}  // namespace fw
