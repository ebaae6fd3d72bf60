#include "generator/run.h"

#include "generator/dialog_generator.h"
#include "generator/generation.h"
#include "generator/main_source.h"
#include "script/narrow_reader.h"
#include "textutil/text.h"

namespace fw {

namespace {

std::string ProjectNameOf(const std::string& scriptBase, char sep) {
  std::string separator(1, sep);
  return FieldAt(scriptBase, separator, FieldCount(scriptBase, separator));
}

// The run's two inputs, each opened once. Null when it cannot be read.
struct Inputs {
  std::unique_ptr<LineReader> script;
  std::unique_ptr<LineReader> mainTemplate;
};

// The run refuses to start when either input is missing, so nothing gets overwritten with an
// empty project.
bool OpenInputs(Generation& g, Inputs& in) {
  FileSystem& files = g.platform.files;
  bool scriptOpened = false;
  bool templateOpened = false;
  std::string script = g.options.scriptBase + ".rc";
  std::string mainTemplate =
      g.options.templateRoot + files.Separator() + g.options.templateName + ".tpl";
  in.script = files.OpenLines(script, &scriptOpened);
  in.mainTemplate = files.OpenLines(mainTemplate, &templateOpened);
  if (!scriptOpened) g.diagnostics.Error(script, "cannot read the resource script");
  if (!templateOpened) {
    g.diagnostics.Error(mainTemplate, "cannot read the template set's main template");
  }
  return scriptOpened && templateOpened;
}

// Every "#define" line into the constants and every dialog through the generator, in the
// order of the script.
void GenerateScript(Generation& g, LineReader& script) {
  g.measureDC = g.platform.display.GetScreenContext();
  NarrowReader reader(script);
  ScriptItem item;
  while (reader.Next(item)) {
    if (item.kind == ScriptItem::Kind::kDefine) {
      g.sections[kConstant].Append(item.define);
      g.sections[kConstant].Append("\r\n");
    } else {
      GenerateDialog(g, item.dialog);
    }
  }
  std::string skipped = reader.skips().Message();
  if (!skipped.empty()) g.diagnostics.Warn(g.options.scriptBase + ".rc", skipped);
  g.platform.display.ReleaseScreenContext(g.measureDC);
  g.measureDC = nullptr;
}

void WriteMainSource(Generation& g, const MainSource& main) {
  std::string path = g.options.scriptBase + ".bas";
  if (g.TextLimitExceeded()) {
    g.output.NotWritten(path, TextLimitMessage(g.session.substitution.textLimit));
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
      output(platform.files, outputDir, diagnostics) {
  const SubstitutionSettings& settings = session.substitution;
  sections.Configure(settings.plain, settings.textLimit);
  for (Buffer* b : {&declarations, &dialogIncludes}) {
    b->ShareOverflow(&overflowed);
    b->SetPlain(settings.plain);
    b->SetLimit(settings.textLimit);
  }
}

RunResult RunConversion(Session& session, Platform& platform, const RunOptions& options) {
  Generation g(session, platform, options);
  RunResult result;
  Inputs in;
  if (OpenInputs(g, in)) {
    g.project = ReadProjectFile(platform.files, options.scriptBase + ".fbp", g.projectName);
    std::string mainText = ReadMainTemplate(*in.mainTemplate);
    in.mainTemplate.reset();
    FillProjectName(g, mainText);
    GenerateScript(g, *in.script);
    in.script.reset();
    MainSource main;
    ComposeMainSource(g, mainText, main);
    WriteMainSource(g, main);
    WriteProjectFile(g.project, options.scriptBase + ".fbp", g.output);
    result.made = true;
    result.written = g.output.TakeWritten();
  }
  result.diagnostics = std::move(g.diagnostics);
  return result;
}

}  // namespace fw
