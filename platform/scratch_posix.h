// Scratch files on POSIX, and the copy of one into an output.
#pragma once

#include <memory>
#include <string>

#include "platform/scratch.h"

namespace fw {

// A scratch file in `folder` that has no name from the start (or loses it at once), so nothing
// is left behind whatever ends the run; null when none can be made.
std::unique_ptr<ScratchFile> MakePosixScratch(const std::string& folder);

// The open regular file `fd` (or -1) as a piece to copy from: it takes no appends. Null for -1.
std::unique_ptr<ScratchFile> PosixFileToCopy(int fd);

// Writes `piece` to the descriptor `fd`: a scratch file of this layer by a copy in the kernel
// where the system offers one, any other through a buffer.
bool WritePieceTo(int fd, const OutputPiece& piece);

}  // namespace fw
