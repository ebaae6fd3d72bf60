// The state of one conversion run, made fresh for each run and passed by reference to the
// steps of the generator. What outlives the run is in the Session.
#pragma once

#include <array>
#include <set>
#include <string>

#include "engine/buffer.h"
#include "engine/diagnostics.h"
#include "engine/sections.h"
#include "engine/style_names.h"
#include "engine/template_set.h"
#include "generator/project_file.h"
#include "generator/run.h"
#include "generator/spill.h"
#include "output/output_writer.h"

namespace fw {

struct Generation {
  Generation(Session& session, Platform& platform, const RunOptions& options);
  Generation(const Generation&) = delete;
  Generation& operator=(const Generation&) = delete;

  // Whether a replacement was refused for the text limit in this run.
  bool TextLimitExceeded() const { return overflowed; }

  Session& session;
  Platform& platform;
  const RunOptions& options;
  std::string projectName;  // the script's file name up to its first "."
  std::string outputDir;    // the script's folder, ending in a separator

  Diagnostics diagnostics;
  // Set by the first replacement refused for the text limit, in any buffer or the main source.
  bool overflowed = false;
  SectionBuffers sections{&overflowed};
  Buffer declarations;    // of the dialogs' include files' procedures, in multi-file mode
  Buffer dialogIncludes;  // one include line per dialog, in multi-file mode
  // The "declare" lines of the procedure, sample and event code, made on the scratch writer's
  // thread as that code is set aside (Spill; the run leaves them alone until Spill::Finish) and
  // completed when the main source is composed.
  std::array<Buffer, 3> codeDeclarations;
  std::string mainDialogName;         // the first dialog's name
  std::set<std::string> dialogNames;  // of the dialogs converted, in lower case

  TemplateSet templates;
  StyleMapCache styles;
  OutputWriter output;
  Spill spill;
  ProjectFile project;
  DeviceContext measureDC = nullptr;
};

}  // namespace fw
