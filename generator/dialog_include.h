// A dialog's include file in multi-file mode: its sample and event code, its backup, and its
// entries in the project file, the main source's includes and the declarations.
#pragma once

#include <string>

#include "generator/generation.h"

namespace fw {

void WriteDialogInclude(Generation& g, const std::string& name);

}  // namespace fw
