#include "platform/dry_run_files.h"

#include <unistd.h>

#include "textutil/text.h"

namespace fw {

std::optional<std::string> DryRunFileSystem::ReadWhole(const std::string& path) {
  std::string key = LowerAscii(real_.Resolve(path));
  auto it = written_.find(key);
  if (it != written_.end()) return it->second;
  auto link = linked_.find(key);
  return real_.ReadWhole(link != linked_.end() ? link->second : path);
}

bool DryRunFileSystem::IsFile(const std::string& path) {
  std::string key = LowerAscii(real_.Resolve(path));
  return written_.count(key) > 0 || linked_.count(key) > 0 || real_.IsFile(path);
}

FileFacts DryRunFileSystem::Inspect(const std::string& path) {
  std::string key = LowerAscii(real_.Resolve(path));
  auto it = written_.find(key);
  if (it != written_.end()) {
    // A file only this dry run made: one name, and no file on a volume to link to.
    FileFacts facts;
    facts.kind = FileFacts::Kind::kFile;
    facts.size = it->second.size();
    facts.links = 1;
    return facts;
  }
  auto link = linked_.find(key);
  if (link != linked_.end()) {
    FileFacts facts = real_.Inspect(link->second);
    ++facts.links;
    return facts;
  }
  return real_.Inspect(path);
}

// The real link needs a writable folder where nothing but a file stands at `to`; it is
// recorded as made then. A refusal the real system might still give (another volume,
// protected hard links) would make the real run copy instead, to the same outcome.
LinkStatus DryRunFileSystem::LinkAs(const std::string& from, const FileFacts& inspected,
                                    const std::string& to) {
  std::string source = LowerAscii(real_.Resolve(from));
  if (written_.count(source) || linked_.count(source)) return LinkStatus::kNotPossible;
  FileFacts now = real_.Inspect(from);
  if (now.kind != FileFacts::Kind::kFile || now.volume != inspected.volume ||
      now.id != inspected.id || now.links != inspected.links ||
      access(real_.Resolve(from).c_str(), R_OK) != 0) {
    return LinkStatus::kNotPossible;
  }
  if (!WouldWrite(to)) return LinkStatus::kFailed;
  std::string key = LowerAscii(real_.Resolve(to));
  written_.erase(key);
  linked_[key] = real_.Resolve(from);
  return LinkStatus::kLinked;
}

bool DryRunFileSystem::WouldWrite(const std::string& path) {
  std::string target = real_.Resolve(path);
  if (real_.IsFolder(target)) return false;
  size_t cut = target.find_last_of(Separator() == '\\' ? "\\/" : "/");
  std::string folder = cut == std::string::npos ? "." : target.substr(0, cut + 1);
  return real_.IsFolder(folder) && access(folder.c_str(), W_OK) == 0;
}

WriteStatus DryRunFileSystem::WriteParts(const std::string& path,
                                         std::span<const OutputPiece> pieces) {
  if (!WouldWrite(path)) return WriteStatus::kCannotCreate;
  std::string data;
  if (!JoinPieces(pieces, data)) return WriteStatus::kWriteFailed;
  std::string key = LowerAscii(real_.Resolve(path));
  linked_.erase(key);
  written_[key] = std::move(data);
  return WriteStatus::kWritten;
}

}  // namespace fw
