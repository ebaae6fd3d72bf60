#include "reader/output.h"

#include "textutil/text.h"

namespace fw {

namespace {

std::string WriteFailure(WriteStatus status) {
  return status == WriteStatus::kCannotCreate ? "cannot be created or replaced"
                                              : "could not be written in full";
}

// Copies the file's current content to the backup when there is one to make. False when a
// backup was due but could not be made.
bool BackUp(GenerationState& state, Platform& platform, const std::string& path,
            const std::string& backupName) {
  FileSystem& files = platform.files;
  std::string folder = state.OutputDir + "bak";
  if (!files.IsFolder(folder)) return true;
  std::string key = LowerAscii(files.Resolve(path));
  if (state.backedUp.count(key)) return true;
  std::optional<std::string> old = files.ReadWhole(path);
  if (!old) {
    if (!files.IsFile(path)) return true;
    state.diagnostics.NotWritten(path, "not overwritten: its old content cannot be read");
    return false;
  }
  state.BackupText = std::move(*old);
  if (state.BackupText.empty()) return true;
  std::string backup = folder + files.Separator() + backupName;
  WriteStatus status = files.WriteWhole(backup, state.BackupText);
  if (status != WriteStatus::kWritten) {
    state.diagnostics.NotWritten(
        path, "not overwritten: its backup " + backup + " " + WriteFailure(status));
    return false;
  }
  state.backedUp.insert(key);
  state.writtenFiles.push_back(backup);
  return true;
}

}  // namespace

bool WriteWithBackup(GenerationState& state, Platform& platform, const std::string& path,
                     const std::string& backupName, std::span<const std::string_view> content) {
  if (!BackUp(state, platform, path, backupName)) return false;
  WriteStatus status = platform.files.WritePieces(path, content);
  if (status != WriteStatus::kWritten) {
    state.diagnostics.NotWritten(path, "not written: the file " + WriteFailure(status));
    return false;
  }
  // A file first created in this run has no content from before the run to protect.
  state.backedUp.insert(LowerAscii(platform.files.Resolve(path)));
  state.writtenFiles.push_back(path);
  return true;
}

std::string TextLimitMessage(size_t limit) {
  return "not written: filling in the placeholders would make the generated text larger than " +
         std::to_string(limit >> 20) + " MiB";
}

}  // namespace fw
