// The conversion run: one resource script and one template set into a project.
#pragma once

#include <string>
#include <vector>

#include "engine/buffer.h"
#include "engine/diagnostics.h"
#include "engine/record.h"
#include "platform/platform.h"

namespace fw {

// What the front end chooses for one run.
struct RunOptions {
  // The script's absolute path without its extension: the script read is this + ".rc", the
  // outputs are this + ".bas" and ".fbp", and the project is named after its last component.
  std::string scriptBase;
  bool multiFile = false;    // one include file per dialog
  std::string templateRoot;  // the folder holding NAME.tpl and NAME/
  std::string templateName;
  bool fullSyntax = false;  // the whole resource-script language, not the narrow form
  int32_t codePage = 1252;  // of a script with neither byte order mark nor code page pragma
  int32_t language = -1;    // the language whose dialogs are converted; -1: each name's first
};

// Long-lived texts beyond this size go to scratch files: memory then holds about a dialog.
inline constexpr size_t kDefaultSpillAbove = size_t{1} << 18;

// How the engine substitutes. Tests choose the plain method, the fuzzer a lower limit.
struct SubstitutionSettings {
  bool plain = false;  // every replacement over the whole buffer
  size_t textLimit = kDefaultTextLimit;
  // A long-lived text holding more than this is trimmed into a scratch file (Spill); 0: never.
  // The plain method keeps everything in memory.
  size_t spillAbove = kDefaultSpillAbove;
};

// What a program keeps from one run to the next. The dialog program keeps one session for its
// whole life, so a dialog without a "FONT" statement, in this run or a later one, is converted
// with the base units of the last dialog that had one.
struct Session {
  BaseUnits dialogBaseUnits;
  SubstitutionSettings substitution;
};

struct RunResult {
  // False when the run could not be made (script or main template unreadable); then nothing
  // was written and the diagnostics say why.
  bool made = false;
  // Every file written (backups included), in the order written.
  std::vector<std::string> written;
  // What the user should hear.
  Diagnostics diagnostics;
};

// Converts the script `options.scriptBase` + ".rc" with the template set `options.templateName`
// of `options.templateRoot`.
RunResult RunConversion(Session& session, Platform& platform, const RunOptions& options);

}  // namespace fw
