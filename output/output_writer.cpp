#include "output/output_writer.h"

#include "textutil/text.h"
#include "textutil/utf8.h"

namespace fw {

namespace {

std::string WriteFailure(WriteStatus status) {
  return status == WriteStatus::kCannotCreate ? "cannot be created or replaced"
                                              : "could not be written in full";
}

}  // namespace

OutputWriter::OutputWriter(FileSystem& files, std::string outputDir, Diagnostics& diagnostics)
    : files_(files), outputDir_(std::move(outputDir)), diagnostics_(diagnostics) {}

// Keeps the file's current content as its backup when there is one to make: as a further name
// of the old file where that is safe (no byte copied; the new output then takes the name of the
// old one and the old file lives on under the backup's name), else as a copy. False when a
// backup was due but could not be made.
bool OutputWriter::BackUp(const std::string& path, const std::string& backupName) {
  std::string folder = outputDir_ + "bak";
  if (!files_.IsFolder(folder)) return true;
  std::string key = LowerAscii(files_.Resolve(path));
  if (backedUp_.count(key)) return true;
  switch (LinkBackup(path, backupName, folder, key)) {
    case LinkStatus::kLinked:
      return true;
    case LinkStatus::kFailed:
      return false;
    case LinkStatus::kNotPossible:
      break;
  }
  // The copy is read as it is written: the old file is never held in memory.
  std::unique_ptr<ScratchFile> old = files_.OpenToCopy(path);
  if (!old) {
    if (!files_.IsFile(path)) return true;
    diagnostics_.NotWritten(path, "not overwritten: its old content cannot be read");
    return false;
  }
  if (old->size() == 0) return true;
  std::string backup = folder + files_.Separator() + FreeBackupName(backupName, key);
  OutputPiece piece(old.get());
  WriteStatus status = files_.WriteParts(backup, std::span<const OutputPiece>(&piece, 1));
  if (status != WriteStatus::kWritten) {
    diagnostics_.NotWritten(path,
                            "not overwritten: its backup " + backup + " " + WriteFailure(status));
    return false;
  }
  backedUp_.insert(key);
  written_.push_back(files_.Resolve(backup));
  return true;
}

// A link is safe when the old file is a regular file with this one name (a second name, a hard
// link made by the user, must keep the old content, and would share its bytes with the backup),
// neither it nor "bak" is a symbolic link (a link would make the backup a link too, or put it
// beyond the output's folder; "bak" then is followed and its backups copied, as documented),
// and both lie on one file system. The folders on the way are the same for both, so a link
// among them changes nothing. An empty file is read, as ever: it has no backup.
LinkStatus OutputWriter::LinkBackup(const std::string& path, const std::string& backupName,
                                    const std::string& folder, const std::string& key) {
  FileFacts old = files_.Inspect(path);
  if (old.kind != FileFacts::Kind::kFile || old.size == 0) return LinkStatus::kNotPossible;
  FileFacts bak = files_.Inspect(folder);
  if (bak.kind != FileFacts::Kind::kFolder || bak.volume != old.volume) {
    return LinkStatus::kNotPossible;
  }
  std::string backup = folder + files_.Separator() + FreeBackupName(backupName, key);
  if (old.links != 1) {
    // The backup may already be the old file's other name (a run whose output failed after the
    // link): it holds the old content, and replacing the output leaves it so. Copying the file
    // over another name of itself is what Windows refuses while the copy reads it.
    FileFacts named = files_.Inspect(backup);
    if (old.links != 2 || named.kind != FileFacts::Kind::kFile || named.volume != old.volume ||
        named.id != old.id) {
      return LinkStatus::kNotPossible;
    }
    backedUp_.insert(key);
    written_.push_back(files_.Resolve(backup));
    return LinkStatus::kLinked;
  }
  LinkStatus status = files_.LinkAs(path, old, backup);
  if (status == LinkStatus::kFailed) {
    diagnostics_.NotWritten(path, "not overwritten: its backup " + backup + " " +
                                      WriteFailure(WriteStatus::kCannotCreate));
  } else if (status == LinkStatus::kLinked) {
    backedUp_.insert(key);
    written_.push_back(files_.Resolve(backup));
  }
  return status;
}

// A dialog name never ends in "." (it could not name a file), so a stem followed by "..bak"
// is no dialog's backup name, nor the main source's; more dots make further ones.
std::string OutputWriter::FreeBackupName(const std::string& backupName, const std::string& key) {
  std::string name = backupName;
  std::string stem = backupName.substr(0, backupName.size() - 4);  // without ".bak"
  for (std::string dots = ".";; dots += ".") {
    auto [it, added] = backupOwners_.emplace(LowerAscii(name), key);
    if (added || it->second == key) return name;
    name = stem + dots + ".bak";
  }
}

std::vector<OutputPiece> OutputWriter::Encoded(std::span<const OutputPiece> content,
                                               std::vector<std::string>& owned) const {
  std::vector<OutputPiece> pieces(content.begin(), content.end());
  if (!encode_) return pieces;
  owned.reserve(pieces.size());
  for (OutputPiece& piece : pieces) {
    if (piece.scratch != nullptr || !HasNonAscii(piece.text)) continue;
    owned.push_back(encode_(piece.text));
    piece.text = owned.back();
  }
  return pieces;
}

bool OutputWriter::WritesAsItStands(std::string_view text) const {
  return !encode_ || !HasNonAscii(text) || encode_(text) == text;
}

void OutputWriter::WriteWithBackup(const std::string& path, const std::string& backupName,
                                   std::span<const OutputPiece> content) {
  if (!BackUp(path, backupName)) return;
  std::vector<std::string> owned;
  WriteStatus status = files_.WriteParts(path, Encoded(content, owned));
  if (status != WriteStatus::kWritten) {
    diagnostics_.NotWritten(path, "not written: the file " + WriteFailure(status));
    return;
  }
  // A file first created in this run has no content from before the run to protect.
  std::string written = files_.Resolve(path);
  backedUp_.insert(LowerAscii(written));
  written_.push_back(written);
}

void OutputWriter::WriteWhole(const std::string& path, std::string_view content) {
  std::vector<std::string> owned;
  OutputPiece piece(content);
  if (files_.WriteParts(path, Encoded(std::span<const OutputPiece>(&piece, 1), owned)) !=
      WriteStatus::kWritten) {
    diagnostics_.NotWritten(path, "not written: the file cannot be created or replaced");
    return;
  }
  written_.push_back(files_.Resolve(path));
}

std::string TextLimitMessage(size_t limit) {
  return "not written: filling in the placeholders would make the generated text larger than " +
         std::to_string(limit >> 20) + " MiB";
}

}  // namespace fw
