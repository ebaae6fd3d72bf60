// Writing a run's outputs: each over its previous version, with a backup of that version.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/diagnostics.h"
#include "platform/files.h"

namespace fw {

class OutputWriter {
 public:
  // Outputs go beside the script in `outputDir` (ending in a separator); backups into its
  // folder "bak" when that exists. Failures go to `diagnostics`.
  OutputWriter(FileSystem& files, std::string outputDir, Diagnostics& diagnostics);

  // Writes `content`, the pieces one after another, to `path`. When the folder "bak" exists
  // and the file holds something, its content before the run is first kept as "bak" +
  // `backupName` (once per file and run): a hard link to the old file where that is safe, which
  // the new file then replaces under the old name, else a copy. A backup that cannot be made
  // keeps the file as it was.
  void WriteWithBackup(const std::string& path, const std::string& backupName,
                       std::span<const OutputPiece> content);
  void WriteWithBackup(const std::string& path, const std::string& backupName,
                       std::string_view content) {
    OutputPiece piece(content);
    WriteWithBackup(path, backupName, std::span<const OutputPiece>(&piece, 1));
  }
  // Writes `content` to `path` with no backup.
  void WriteWhole(const std::string& path, std::string_view content);
  // Turns every output's text (not the backups, which keep the old bytes) into the run's one
  // encoding; a piece of ASCII alone is written as it is.
  void SetEncoder(std::function<std::string(std::string_view)> encode) {
    encode_ = std::move(encode);
  }
  // Whether `text` goes into the outputs as it stands. Scratch files hold only such text, and
  // are written as they are.
  bool WritesAsItStands(std::string_view text) const;
  // Reports `path` as not written, with `reason`.
  void NotWritten(const std::string& path, std::string reason) {
    diagnostics_.NotWritten(path, std::move(reason));
  }

  // Every file written (backups included), in the order written, named as it is on disk (a
  // name looked up ignoring case is the one found).
  const std::vector<std::string>& written() const { return written_; }
  std::vector<std::string> TakeWritten() { return std::move(written_); }

 private:
  bool BackUp(const std::string& path, const std::string& backupName);
  // The backup as a link to the old file, when that is safe; kNotPossible: copy instead.
  LinkStatus LinkBackup(const std::string& path, const std::string& backupName,
                        const std::string& folder, const std::string& key);
  // `content` in the run's encoding; encoded pieces are kept in `owned`.
  std::vector<OutputPiece> Encoded(std::span<const OutputPiece> content,
                                   std::vector<std::string>& owned) const;
  // `backupName`, or when another file's backup of this run took that name (ignoring case), a
  // name no other backup can have; taken for the file `key`.
  std::string FreeBackupName(const std::string& backupName, const std::string& key);

  FileSystem& files_;
  std::string outputDir_;
  Diagnostics& diagnostics_;
  std::set<std::string> backedUp_;  // by resolved path in lower case: each at most once
  std::map<std::string, std::string> backupOwners_;  // backup name in lower case -> file key
  std::vector<std::string> written_;
  std::function<std::string(std::string_view)> encode_;
};

// Why an output was not written when its text passed the text limit.
std::string TextLimitMessage(size_t limit);

}  // namespace fw
