#include "frontend/cli.h"

#include <algorithm>

#include "frontend/cli_options.h"
#include "generator/run.h"
#include "platform/display_fixed.h"
#include "platform/dry_run_files.h"
#include "platform/metrics_display.h"
#include "textutil/text.h"

#ifndef FW_VERSION
#define FW_VERSION "0.0.0"
#endif

namespace fw {

namespace {

std::string DefaultTemplateRoot(FileSystem& files) {
  std::string sep(1, files.Separator());
  std::string exe = files.ExecutableFolder();
  std::string beside = exe + sep + "template";
  if (files.IsFolder(beside)) return beside;
  std::string installed = exe + sep + ".." + sep + "share" + sep + "formwright" + sep + "template";
  if (files.IsFolder(installed)) return files.AbsolutePath(installed);
  return beside;
}

// The template sets of a root: its *.tpl files, named up to their first ".", in
// case-insensitive order.
std::vector<std::string> ListTemplateSets(FileSystem& files, const std::string& root) {
  std::vector<std::string> sets;
  for (const FolderEntry& e : files.ListFolder(root)) {
    std::string lower = LowerAscii(e.name);
    if (e.isFolder || e.hidden || lower.size() < 4 || lower.substr(lower.size() - 4) != ".tpl") {
      continue;
    }
    sets.push_back(FieldAt(e.name, ".", 1));
  }
  std::stable_sort(sets.begin(), sets.end(), [](const std::string& a, const std::string& b) {
    return LowerAscii(a) < LowerAscii(b);
  });
  return sets;
}

// The script's path without extension: absolute, normal, cut before the first "." of its file
// name (never of a folder name).
std::string ScriptBaseOf(FileSystem& files, const std::string& script) {
  std::string full = files.AbsolutePath(script);
  size_t cut = full.rfind(files.Separator());
  size_t nameStart = cut == std::string::npos ? 0 : cut + 1;
  size_t dot = full.find('.', nameStart);
  return dot == std::string::npos ? full : full.substr(0, dot);
}

// A text from the input made safe for a terminal: control bytes written as \xNN (a dialog
// name may hold escape sequences), and a long text cut in the middle (names may be megabytes).
std::string Printable(std::string_view text) {
  constexpr size_t kHead = 160;
  constexpr size_t kTail = 40;
  std::string out;
  auto append = [&](std::string_view part) {
    for (char c : part) {
      unsigned char u = static_cast<unsigned char>(c);
      if (u >= 32 && u != 127) {
        out += c;
        continue;
      }
      const char* digits = "0123456789abcdef";
      out += {'\\', 'x', digits[u >> 4], digits[u & 15]};
    }
  };
  if (text.size() <= kHead + kTail + 32) {
    append(text);
    return out;
  }
  append(text.substr(0, kHead));
  out += "[... " + std::to_string(text.size() - kHead - kTail) + " bytes ...]";
  append(text.substr(text.size() - kTail));
  return out;
}

void Report(const Diagnostics& diagnostics, std::ostream& err) {
  for (const Diagnostic& d : diagnostics.items()) {
    err << "formwright: " << (d.severity == Severity::kWarning ? "warning: " : "error: ");
    if (!d.path.empty()) err << Printable(d.path) << ": ";
    err << Printable(d.message) << "\n";
  }
}

std::string TemplateRootOf(const CliOptions& o, FileSystem& files) {
  return o.templateRoot.empty() ? DefaultTemplateRoot(files) : o.templateRoot;
}

// The sets in the order the default is chosen from, so that the first line is the default.
int ListTemplates(const CliOptions& o, CliEnvironment& env) {
  std::string root = TemplateRootOf(o, env.files);
  std::vector<std::string> sets = ListTemplateSets(env.files, root);
  if (sets.empty()) {
    env.err << "formwright: warning: " << Printable(root) << ": no template set (NAME.tpl) found\n";
  }
  for (const std::string& name : sets) env.out << Printable(name) << "\n";
  return kExitOk;
}

// The display that replaces the platform's for --base-units or --metrics, or null. The frame
// and caption sizes are those of --metrics, else the platform's, base units or not.
std::unique_ptr<Display> OverrideDisplay(const CliOptions& o, Display& platform) {
  Metrics metrics = o.metrics.value_or(MetricsOf(platform));
  if (o.baseUnits) {
    return std::make_unique<FixedDisplay>(o.baseUnits->first, o.baseUnits->second, metrics);
  }
  if (o.metrics) return std::make_unique<MetricsDisplay>(platform, metrics);
  return nullptr;
}

int Convert(const CliOptions& o, CliEnvironment& env) {
  FileSystem& real = env.files;
  std::string root = TemplateRootOf(o, real);
  std::string name = o.templateName;
  if (name.empty()) {
    std::vector<std::string> sets = ListTemplateSets(real, root);
    if (sets.empty()) {
      env.err << "formwright: error: " << root << ": no template set (NAME.tpl) found\n";
      return kExitNotMade;
    }
    name = sets.front();
  }
  std::unique_ptr<Display> own = env.makeDisplay();
  std::unique_ptr<Display> display = OverrideDisplay(o, *own);
  DryRunFileSystem dry(real);
  Platform platform{o.dryRun ? static_cast<FileSystem&>(dry) : real, display ? *display : *own};

  Session session;
  RunOptions options{
      ScriptBaseOf(real, o.script), o.multi, root, name, o.fullSyntax, o.codePage, o.language};
  RunResult result = RunConversion(session, platform, options);
  Report(result.diagnostics, env.err);
  for (const std::string& path : result.written) {
    env.out << (o.dryRun ? "would write " : "wrote ") << path << "\n";
  }
  if (!result.made) return kExitNotMade;
  size_t missing = result.diagnostics.NotWrittenCount();
  if (missing > 0) {
    env.err << "formwright: error: " << missing << " output" << (missing == 1 ? "" : "s")
            << " not written\n";
    return kExitNotWritten;
  }
  return kExitOk;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, CliEnvironment& env) {
  ParsedOptions parsed = ParseCliOptions(args);
  if (!parsed.error.empty()) {
    env.err << "formwright: error: " << parsed.error << "\n" << kUsage;
    return kExitUsage;
  }
  if (parsed.options.help) {
    env.out << kUsage;
    return kExitOk;
  }
  if (parsed.options.version) {
    env.out << "formwright " << FW_VERSION << "\n";
    return kExitOk;
  }
  if (parsed.options.listTemplates) return ListTemplates(parsed.options, env);
  return Convert(parsed.options, env);
}

}  // namespace fw
