#include "generator/run.h"

#include "generator/dialog_generator.h"
#include "generator/generation.h"
#include "generator/main_source.h"
#include "generator/read_ahead.h"
#include "generator/script_input.h"
#include "textutil/text.h"

namespace fw {

namespace {

std::string ProjectNameOf(const std::string& scriptBase, char sep) {
  std::string separator(1, sep);
  return FieldAt(scriptBase, separator, FieldCount(scriptBase, separator));
}

// The run refuses to start when either input is missing, so nothing gets overwritten with an
// empty project. Each input is opened once.
std::unique_ptr<LineReader> OpenMainTemplate(Generation& g) {
  FileSystem& files = g.platform.files;
  std::string path = g.options.templateRoot + files.Separator() + g.options.templateName + ".tpl";
  bool opened = false;
  std::unique_ptr<LineReader> lines = files.OpenLines(path, &opened);
  if (opened) return lines;
  g.diagnostics.Error(path, "cannot read the template set's main template");
  return nullptr;
}

// In the whole language, a dialog named like an earlier one (BASIC ignores letter case; the
// reader makes identifiers of other names) would define the earlier one's procedures again:
// only the first of a name is converted. The narrow reading converts every dialog, as it
// always has.
bool FirstOfItsName(Generation& g, const std::string& name) {
  if (!g.options.fullSyntax || g.dialogNames.insert(LowerAscii(name)).second) return true;
  g.diagnostics.Warn(g.options.scriptBase + ".rc",
                     "dialog \"" + name +
                         "\" is named like an earlier one (letter case ignored); the first one "
                         "is converted");
  return false;
}

// The buffer that takes the "declare" lines of the code in `tag`'s buffer, if any.
Buffer* DeclarationsOf(Generation& g, Section tag) {
  if (tag == kDlgProc) return &g.codeDeclarations[0];
  if (g.options.multiFile) return nullptr;
  if (tag == kSample) return &g.codeDeclarations[1];
  if (tag == kEvent) return &g.codeDeclarations[2];
  return nullptr;
}

// What outlives a dialog goes to scratch files as it grows.
void TrimRunTexts(Generation& g) {
  for (int i = 0; i < kBufferSectionCount; ++i) {
    auto tag = static_cast<Section>(i);
    Scope scope = InfoOf(tag).scope;
    if (scope == Scope::kDialog || (scope == Scope::kIncludeFile && g.options.multiFile)) continue;
    g.spill.Trim(g.sections[tag], DeclarationsOf(g, tag));
  }
  g.spill.Trim(g.declarations);
  g.spill.Trim(g.dialogIncludes);
  // The code's "declare" lines are set aside by the scratch writer, as it writes the code.
}

// Every "#define" line into the constants and every dialog through the generator, in the
// order of the script.
void GenerateScript(Generation& g, ScriptInput& script) {
  g.measureDC = g.platform.display.GetScreenContext();
  std::unique_ptr<ScriptReader> ahead = ReadAhead(script.reader());
  ScriptReader& reader = ahead ? *ahead : script.reader();
  ScriptItem item;
  while (reader.Next(item)) {
    if (item.kind == ScriptItem::Kind::kDefine) {
      g.sections[kConstant].Append(item.define);
      g.sections[kConstant].Append("\r\n");
    } else if (FirstOfItsName(g, item.dialog.name)) {
      GenerateDialog(g, item.dialog);
    }
    TrimRunTexts(g);
  }
  ahead.reset();  // its thread has ended: the reader's report is complete
  g.spill.Finish();
  script.Report(g.diagnostics);
  g.platform.display.ReleaseScreenContext(g.measureDC);
  g.measureDC = nullptr;
}

// A main source made from a part of the script is not written: it would lose the dialogs
// after the point where the reading stopped.
void WriteMainSource(Generation& g, const MainSource& main, const ScriptInput& script) {
  std::string path = g.options.scriptBase + ".bas";
  if (!script.ReadToItsEnd()) {
    g.output.NotWritten(path, "not written: the script was not read to its end (see above)");
    return;
  }
  if (g.TextLimitExceeded()) {
    g.output.NotWritten(path, TextLimitMessage(g.session.substitution.textLimit));
    return;
  }
  if (main.unreadable || g.spill.Lost()) {
    g.output.NotWritten(path, "not written: text set aside during the run cannot be read back");
    return;
  }
  g.output.WriteWithBackup(path, g.projectName + ".bak", main.pieces);
}

}  // namespace

Generation::Generation(Session& session, Platform& platform, const RunOptions& options)
    : session(session),
      platform(platform),
      options(options),
      projectName(ProjectNameOf(options.scriptBase, platform.files.Separator())),
      outputDir(options.scriptBase.substr(0, options.scriptBase.size() - projectName.size())),
      templates(platform.files,
                options.templateRoot + platform.files.Separator() + options.templateName,
                diagnostics),
      output(platform.files, outputDir, diagnostics),
      spill(platform.files, outputDir,
            session.substitution.plain ? 0 : session.substitution.spillAbove,
            [this](std::string_view text) { return output.WritesAsItStands(text); }) {
  const SubstitutionSettings& settings = session.substitution;
  sections.Configure(settings.plain, settings.textLimit);
  for (Buffer* b : {&declarations, &dialogIncludes}) {
    b->ShareOverflow(&overflowed);
    b->SetPlain(settings.plain);
    b->SetLimit(settings.textLimit);
  }
}

RunResult RunConversion(Session& session, Platform& platform, const RunOptions& options) {
  // Where the script is read ahead, the reader and the generator share the file layer.
  std::unique_ptr<FileSystem> shared = FilesForReadingAhead(platform.files);
  Platform used{shared ? *shared : platform.files, platform.display};
  Generation g(session, used, options);
  RunResult result;
  std::unique_ptr<ScriptInput> script = ScriptInput::Open(g);
  std::unique_ptr<LineReader> mainTemplate = OpenMainTemplate(g);
  if (script && mainTemplate) {
    g.project = ReadProjectFile(used.files, options.scriptBase + ".fbp", g.projectName);
    std::string mainText = ReadMainTemplate(*mainTemplate);
    mainTemplate.reset();
    FillProjectName(g, mainText);
    GenerateScript(g, *script);
    MainSource main;
    ComposeMainSource(g, mainText, main);
    WriteMainSource(g, main, *script);
    WriteProjectFile(g.project, options.scriptBase + ".fbp", g.output);
    result.made = true;
    result.written = g.output.TakeWritten();
  }
  result.diagnostics = std::move(g.diagnostics);
  return result;
}

}  // namespace fw
