#include "generator/dialog_include.h"

#include "generator/declarations.h"
#include "output/file_names.h"
#include "textutil/text.h"

namespace fw {

void WriteDialogInclude(Generation& g, const std::string& name) {
  Buffer& sample = g.sections[kSample];
  Buffer& event = g.sections[kEvent];
  AddProjectEntry(g.project, name + ".bi");
  g.dialogIncludes.Append("#include once \"" + name + ".bi\"\r\n");
  g.declarations.Append(BuildDeclarations(sample.text()));
  g.declarations.Append(BuildDeclarations(event.text()));
  sample.Append("\r\n\r\n");
  sample.Append(event.text());

  std::string path = g.outputDir + name + ".bi";
  std::string unsafe = UnsafeFileNameReason(name);
  if (!unsafe.empty()) {
    g.output.NotWritten(
        path, "not written: dialog name \"" + name + "\" cannot be a file name (" + unsafe + ")");
    return;
  }
  if (g.TextLimitExceeded()) {
    g.output.NotWritten(path, TextLimitMessage(g.session.substitution.textLimit));
    return;
  }
  // A dialog named like the project keeps its backup apart from the main source's.
  bool clashes = EqualsIgnoringAsciiCase(name, g.projectName);
  std::string backupName = name + (clashes ? ".bi.bak" : ".bak");
  g.output.WriteWithBackup(path, backupName, sample.text());
}

}  // namespace fw
