#include "platform/dry_run_files.h"

#include <unistd.h>

#include "textutil/text.h"

namespace fw {

std::optional<std::string> DryRunFileSystem::ReadWhole(const std::string& path) {
  auto it = written_.find(LowerAscii(real_.Resolve(path)));
  if (it != written_.end()) return it->second;
  return real_.ReadWhole(path);
}

bool DryRunFileSystem::IsFile(const std::string& path) {
  return written_.count(LowerAscii(real_.Resolve(path))) > 0 || real_.IsFile(path);
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
  written_[LowerAscii(real_.Resolve(path))] = std::move(data);
  return WriteStatus::kWritten;
}

}  // namespace fw
