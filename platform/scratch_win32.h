// Scratch files on Windows.
#pragma once

#include <memory>
#include <string>

#include "platform/scratch.h"

namespace fw {

// A scratch file in `folder` that the system deletes when it is closed, whatever ends the run;
// null when none can be made.
std::unique_ptr<ScratchFile> MakeWin32Scratch(const std::string& folder);

// The open file `file` (or INVALID_HANDLE_VALUE, given as a void*) as a piece to copy from:
// it takes no appends. Null for an invalid handle.
std::unique_ptr<ScratchFile> Win32FileToCopy(void* file);

}  // namespace fw
