#include "frontend/run.h"

#include <array>

#include "engine/sweep.h"
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

// One replacement over the main source, refused when it would pass the text limit.
void ReplaceWithinLimit(GenerationState& s, std::string_view placeholder, std::string_view value) {
  if (s.textOverflowed) return;
  if (SizeAfterReplaceAll(s.ProjectText, placeholder, value, 0) > s.textLimit) {
    s.textOverflowed = true;
    return;
  }
  ReplaceAllFrom(s.ProjectText, placeholder, value, 0);
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
  ReplaceWithinLimit(s, "~PROJNAME~", s.RcPath);
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
  std::string samples = BuildDeclarations(s.SampleText.text());
  std::string events = BuildDeclarations(s.EventText.text());
  // The sample and event code are the largest texts of a run: room for them is made at once.
  s.DeclareText.Reserve(s.DeclareText.text().size() + samples.size() + events.size() +
                        s.SampleText.text().size() + s.EventText.text().size() + 4);
  s.DeclareText.Append(samples);
  s.DeclareText.Append(events);
  s.DeclareText.Append("\r\n");
  s.DeclareText.Append(s.SampleText.text());
  s.DeclareText.Append("\r\n");
  s.DeclareText.Append(s.EventText.text());
}

constexpr std::array<std::string_view, 8> kProjectPlaceholders = {
    "~OPTION~",  "~INCLUDE~", "~CONSTANT~", "~GLOBAL~",
    "~DECLARE~", "~INITIAL~", "~DLGMAIN~",  "~DIALOG~"};

// The main source's replacements in one sweep over the template, where that gives what they
// give in turn: the text is then made once, at its final size, instead of growing through
// eight copies of everything before and after each placeholder.
bool SweepProject(GenerationState& s, const std::string_view* values) {
  PlaceholderSet set{kProjectPlaceholders.data(), kProjectPlaceholders.size()};
  SetTraits traits = TraitsOf(set);
  SweepPlan plan = PlanSweep(s.ProjectText, 0, set, traits, values);
  if (!plan.same) return false;
  size_t largest = 0;
  size_t size = SweptSize(s.ProjectText.size(), plan, set, values, &largest);
  if (largest > s.textLimit) return false;  // in turn, to be refused at the same replacement
  std::string text;
  text.reserve(size);
  text.append(s.ProjectText, 0, plan.changed);
  AppendSwept(s.ProjectText, plan, set, traits, values, text);
  s.ProjectText = std::move(text);
  return true;
}

void FillProject(GenerationState& s) {
  std::string_view values[] = {s.OptionText.text(), s.IncludeText.text(), s.ConstantText.text(),
                               s.GlobalText.text(), s.DeclareText.text(), s.InitialText.text(),
                               s.MainDialogName,    s.DlgProcText.text()};
  if (!s.plainSubstitution && !s.textOverflowed && SweepProject(s, values)) return;
  for (size_t i = 0; i < kProjectPlaceholders.size(); ++i) {
    ReplaceWithinLimit(s, kProjectPlaceholders[i], values[i]);
  }
}

void WriteMainSource(GenerationState& s, Platform& platform) {
  std::string path = s.RcPath + ".bas";
  if (s.TextLimitExceeded()) {
    s.diagnostics.NotWritten(path, TextLimitMessage(s.textLimit));
    return;
  }
  WriteWithBackup(s, platform, path, s.ProjectName + ".bak", s.ProjectText);
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
  ReadProjectTemplate(state, files);
  Scan(state, platform);
  if (!state.TextLimitExceeded()) {  // else the main source is not written: spare the copies
    CompleteDeclarations(state);
    FillProject(state);
  }
  WriteMainSource(state, platform);
  WriteProjectFile(state, files, projectReadable);
  result.made = true;
  result.written = state.writtenFiles;
  return result;
}

}  // namespace fw
