// The file layer: whole-file read and write, line reading, folder listing and name
// resolution. One implementation per platform (files_posix.cpp, files_win32.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/scratch.h"

namespace fw {

// Reads a file line by line: LF ends a line, a CR right before it is dropped, a lone CR stays,
// the last line counts without LF, no extra empty line, no length limit.
class LineReader {
 public:
  virtual ~LineReader() = default;
  // True when no line is left. A file that could not be opened is at its end at once.
  virtual bool AtEnd() = 0;
  // Reads the next line into `line` (empty when at the end).
  virtual void ReadLine(std::string& line) = 0;
};

struct FolderEntry {
  std::string name;
  bool isFolder = false;
  bool hidden = false;  // hidden or system file (Windows), or a dot file (POSIX)
};

enum class WriteStatus { kWritten, kCannotCreate, kWriteFailed };

// What a name is, a symbolic link (or any reparse point on Windows) at its end not followed.
struct FileFacts {
  enum class Kind { kMissing, kFile, kFolder, kLink, kOther };
  Kind kind = Kind::kMissing;  // kFile: a regular file; kLink: a symbolic link or reparse point
  uint64_t size = 0;           // of a file, in bytes
  uint64_t links = 0;          // how many names (hard links) the file has
  uint64_t volume = 0;         // the file system it lies on (st_dev, the volume serial number)
  uint64_t id = 0;             // the file on its volume (st_ino, the file index)
};

enum class LinkStatus {
  kLinked,       // `to` is now one more name of the file; an older `to` was replaced
  kNotPossible,  // nothing changed: the system refused the link (another file system, protected
                 // hard links, too many links, no links on this file system) or the file is no
                 // longer the one inspected; the caller copies instead
  kFailed,       // the link cannot take the name `to` (a folder stands there, or on Windows a
                 // read-only file); a link made for it was removed again, nothing changed
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The platform's path separator: '\\' on Windows, '/' on POSIX.
  virtual char Separator() const = 0;

  // The path as the platform finds it: on POSIX each component that does not exist as written
  // is replaced by the single entry of its folder equal to it ignoring ASCII case.
  virtual std::string Resolve(const std::string& path) = 0;

  // The whole content, or nothing when the file cannot be opened or read.
  virtual std::optional<std::string> ReadWhole(const std::string& path) = 0;

  // Writes the pieces one after another through a temporary file in the target's folder renamed
  // over the target, so a failed write leaves the old file as it was. The largest outputs are
  // written from the texts and scratch files they are made of, never joined in memory.
  virtual WriteStatus WriteParts(const std::string& path, std::span<const OutputPiece> pieces) = 0;
  WriteStatus WritePieces(const std::string& path, std::span<const std::string_view> pieces) {
    std::vector<OutputPiece> parts(pieces.begin(), pieces.end());
    return WriteParts(path, parts);
  }
  WriteStatus WriteWhole(const std::string& path, std::string_view data) {
    OutputPiece piece(data);
    return WriteParts(path, std::span<const OutputPiece>(&piece, 1));
  }

  // The file's content as a piece to copy from, read while it is written (a backup copied this
  // way holds no more than a chunk in memory); null when it cannot be opened as a regular
  // file. Its size is taken when it is opened. This default reads it whole.
  virtual std::unique_ptr<ScratchFile> OpenToCopy(const std::string& path) {
    std::optional<std::string> data = ReadWhole(path);
    return data ? ScratchOfText(std::move(*data)) : nullptr;
  }

  // A scratch file in `folder`, or null when this layer keeps no scratch files (a dry run) or
  // none can be made there: the run then keeps its texts in memory.
  virtual std::unique_ptr<ScratchFile> MakeScratch(const std::string& folder) {
    (void)folder;
    return nullptr;
  }

  // What `path` is, without following a symbolic link at its end (its folders are followed).
  virtual FileFacts Inspect(const std::string& path) = 0;

  // Gives the file `from` the further name `to` (a hard link: no byte is copied), replacing
  // whatever file `to` named. `inspected` is what Inspect told of `from`: the link is made only
  // while `from` is still that regular file (same volume and id, not a link, as many names) and
  // readable, so a file swapped in meanwhile is never linked. The link is made under a
  // temporary name in the folder of `to` and renamed to `to`, so an older `to` is replaced at
  // once or stays as it was; no temporary name is left behind. Whether linking is wise (one
  // name only, one volume, no link in the way) is the caller's choice.
  virtual LinkStatus LinkAs(const std::string& from, const FileFacts& inspected,
                            const std::string& to) = 0;

  // A line reader; never null (a file that cannot be opened gives a reader at its end).
  // `opened` tells whether the file could be opened.
  virtual std::unique_ptr<LineReader> OpenLines(const std::string& path, bool* opened) = 0;

  // The entries of a folder in the order the system yields them ("." and ".." left out).
  virtual std::vector<FolderEntry> ListFolder(const std::string& folder) = 0;

  virtual bool IsFolder(const std::string& path) = 0;
  virtual bool IsFile(const std::string& path) = 0;

  // Absolute, lexically normalised form of a path given on the command line.
  virtual std::string AbsolutePath(const std::string& path) = 0;

  // Folder of the running executable, without a trailing separator.
  virtual std::string ExecutableFolder() = 0;
};

// The file layer of the platform the program was built for.
std::unique_ptr<FileSystem> MakePlatformFileSystem();

}  // namespace fw
