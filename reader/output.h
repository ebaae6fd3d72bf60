// Writing a generated file over its previous version, with a backup of that version.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "engine/state.h"

namespace fw {

// Writes `content`, the pieces one after another, to `path`. When the folder "bak" exists in
// `state.OutputDir` and the file holds something, its content before the run is first copied to
// "bak" + `backupName` (once per file and run). A backup that cannot be written keeps the file as
// it was. Failures go to the diagnostics; returns whether `path` was written.
bool WriteWithBackup(GenerationState& state, Platform& platform, const std::string& path,
                     const std::string& backupName, std::span<const std::string_view> content);
inline bool WriteWithBackup(GenerationState& state, Platform& platform, const std::string& path,
                            const std::string& backupName, std::string_view content) {
  return WriteWithBackup(state, platform, path, backupName,
                         std::span<const std::string_view>(&content, 1));
}

// Why an output was not written when its text passed the text limit.
std::string TextLimitMessage(size_t limit);

}  // namespace fw
