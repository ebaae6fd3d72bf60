// A file layer that writes nothing: writes are kept in memory and read back from there, so a
// dry run makes exactly the decisions the real run would. A link is kept as the name of the
// real file it would be made to, read from there when asked for; no content is copied.
#pragma once

#include <map>

#include "platform/files.h"

namespace fw {

class DryRunFileSystem : public FileSystem {
 public:
  explicit DryRunFileSystem(FileSystem& real) : real_(real) {}

  char Separator() const override { return real_.Separator(); }
  std::string Resolve(const std::string& path) override { return real_.Resolve(path); }
  std::optional<std::string> ReadWhole(const std::string& path) override;
  WriteStatus WriteParts(const std::string& path, std::span<const OutputPiece> pieces) override;
  FileFacts Inspect(const std::string& path) override;
  LinkStatus LinkAs(const std::string& from, const FileFacts& inspected,
                    const std::string& to) override;
  std::unique_ptr<LineReader> OpenLines(const std::string& path, bool* opened) override {
    return real_.OpenLines(path, opened);
  }
  std::vector<FolderEntry> ListFolder(const std::string& folder) override {
    return real_.ListFolder(folder);
  }
  bool IsFolder(const std::string& path) override { return real_.IsFolder(path); }
  bool IsFile(const std::string& path) override;
  std::string AbsolutePath(const std::string& path) override { return real_.AbsolutePath(path); }
  std::string ExecutableFolder() override { return real_.ExecutableFolder(); }

 private:
  // Whether the real write would succeed: the folder exists and the target is no folder.
  bool WouldWrite(const std::string& path);

  FileSystem& real_;
  std::map<std::string, std::string> written_;  // by resolved path in lower case
  std::map<std::string, std::string> linked_;   // the same -> the real file it names
};

}  // namespace fw
