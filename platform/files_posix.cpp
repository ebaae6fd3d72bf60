// POSIX file layer. Names that do not exist as written are looked up ignoring ASCII case, so
// scripts and template sets made on Windows work unchanged.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <set>

#include "platform/files.h"
#include "platform/line_reader.h"
#include "platform/removal_posix.h"
#include "platform/scratch_posix.h"
#include "textutil/text.h"

namespace fw {

namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

std::vector<FolderEntry> List(const std::string& folder) {
  std::vector<FolderEntry> entries;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return entries;
  while (dirent* e = readdir(dir)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.name = name;
    entry.hidden = name[0] == '.';
    struct stat st;
    std::string full = (folder.empty() ? "" : folder + "/") + name;
    entry.isFolder = stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    entries.push_back(entry);
  }
  closedir(dir);
  return entries;
}

// Folder listings by lower-case name, so that looking for a name's case variants does not
// read the folder again for every name: writing thousands of new include files into one folder
// read it once per file, in time quadratic in the number of dialogs. A listing serves while the
// folder's modification and change times and identity are those it was read at (a change by
// another program within the same clock tick goes unseen: the lookup then keeps the name as
// written, as for a new file); the layer's own writes keep it current.
class FolderNames {
 public:
  // The single entry of `folder` that equals `name` ignoring ASCII case, or `name` itself.
  std::string Match(const std::string& folder, const std::string& name) {
    Listing* listing = Read(folder);
    if (listing == nullptr) return name;
    auto it = listing->names.find(LowerAscii(name));
    return it != listing->names.end() && it->second.size() == 1 ? *it->second.begin() : name;
  }

  // Whether the listing of `folder` is current; asked before the layer changes the folder.
  bool Current(const std::string& folder) {
    auto it = listings_.find(folder);
    struct stat st;
    return it != listings_.end() && stat(folder.c_str(), &st) == 0 && Same(it->second.stamp, st);
  }

  // Records `name` as made in `folder` by the layer; `wasCurrent` is Current() from before.
  void Added(const std::string& folder, const std::string& name, bool wasCurrent) {
    auto it = listings_.find(folder);
    struct stat st;
    if (it == listings_.end()) return;
    if (!wasCurrent || stat(folder.c_str(), &st) != 0) {
      listings_.erase(it);
      return;
    }
    it->second.stamp = st;
    it->second.names[LowerAscii(name)].insert(name);
  }

 private:
  struct Listing {
    struct stat stamp {};
    std::map<std::string, std::set<std::string>> names;
  };

  static bool Same(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec && a.st_ctim.tv_sec == b.st_ctim.tv_sec &&
           a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
  }

  Listing* Read(const std::string& folder) {
    struct stat st;
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return nullptr;
    Listing& listing = listings_[folder];
    if (Same(listing.stamp, st)) return &listing;
    listing.stamp = st;
    listing.names.clear();
    if (DIR* dir = opendir(folder.c_str())) {
      while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name != "." && name != "..") listing.names[LowerAscii(name)].insert(name);
      }
      closedir(dir);
    }
    return &listing;
  }

  std::map<std::string, Listing> listings_;
};

class FdLineReader : public BufferedLineReader {
 public:
  explicit FdLineReader(int fd) : fd_(fd) {}
  ~FdLineReader() override {
    if (fd_ >= 0) close(fd_);
  }

 protected:
  size_t Fill(char* data, size_t size) override {
    if (fd_ < 0) return 0;
    for (;;) {
      ssize_t n = read(fd_, data, size);
      if (n < 0 && errno == EINTR) continue;
      return n > 0 ? static_cast<size_t>(n) : 0;
    }
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::span<const OutputPiece> pieces) {
  for (const OutputPiece& piece : pieces) {
    if (!WritePieceTo(fd, piece)) return false;
  }
  return true;
}

// Old files from this size on have their last name removed by `later`: freeing their pages takes
// the kernel a while, and the run goes on meanwhile. Smaller ones go at once.
constexpr off_t kRemovedLaterFrom = off_t{16} << 20;

// Puts the file `temp` in the place of `target`, atomically: the name `target` never goes
// missing, and no name `temp` is left once it has. Over a regular file the two names are
// exchanged and the old file's new name removed: ext4 flushes a file renamed over another before
// the rename returns (hundreds of milliseconds for a large output), an exchange it leaves alone.
// Elsewhere, or where the system offers no exchange, a rename.
bool Replace(const std::string& temp, const std::string& target, LateRemoval& later) {
#if defined(__linux__) && defined(RENAME_EXCHANGE)
  struct stat st;
  if (lstat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
      renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0) {
    // `temp` now names the old file.
    if (st.st_nlink == 1 && st.st_size >= kRemovedLaterFrom) {
      later.Remove(temp);
    } else {
      unlink(temp.c_str());
    }
    return true;
  }
#endif
  if (rename(temp.c_str(), target.c_str()) != 0) return false;
  // rename() does nothing when both names are links to one file already.
  struct stat left;
  if (lstat(temp.c_str(), &left) == 0) unlink(temp.c_str());
  return true;
}

// A descriptor for reading a regular file, or -1. A FIFO, a device or a folder is no file to
// read: opening a FIFO would wait for a writer and /dev/zero would never end, so the open does
// not block and anything but a regular file is refused.
int OpenRegularFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return -1;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

FileFacts FactsOf(const struct stat& st) {
  FileFacts facts;
  facts.kind = S_ISREG(st.st_mode)   ? FileFacts::Kind::kFile
               : S_ISDIR(st.st_mode) ? FileFacts::Kind::kFolder
               : S_ISLNK(st.st_mode) ? FileFacts::Kind::kLink
                                     : FileFacts::Kind::kOther;
  facts.size = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
  facts.links = static_cast<uint64_t>(st.st_nlink);
  facts.volume = static_cast<uint64_t>(st.st_dev);
  facts.id = static_cast<uint64_t>(st.st_ino);
  return facts;
}

bool SameFile(const struct stat& st, const FileFacts& facts) {
  return S_ISREG(st.st_mode) && static_cast<uint64_t>(st.st_dev) == facts.volume &&
         static_cast<uint64_t>(st.st_ino) == facts.id;
}

// A name for a temporary link beside `target`, in the form of WritePieces' temporary files.
std::string TemporaryName(const std::string& folder, const std::string& base) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::mt19937_64 random{std::random_device{}()};
  std::string name = folder + "." + base + ".fwtmp";
  for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
  return name;
}

mode_t NewFileMode(const std::string& target) {
  struct stat st;
  if (stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// The working folder as the shell names it: $PWD when it is absolute and is the working folder
// (same device and inode), so a folder reached through a symbolic link keeps the link's name;
// otherwise the physical path.
std::string WorkingFolder() {
  const char* pwd = std::getenv("PWD");
  struct stat named;
  struct stat here;
  if (pwd != nullptr && pwd[0] == '/' && stat(pwd, &named) == 0 && stat(".", &here) == 0 &&
      named.st_dev == here.st_dev && named.st_ino == here.st_ino) {
    return pwd;
  }
  char cwd[4096];
  return getcwd(cwd, sizeof cwd) ? cwd : ".";
}

class PosixFileSystem : public FileSystem {
 public:
  char Separator() const override { return '/'; }

  std::string Resolve(const std::string& path) override {
    if (path.empty() || Exists(path)) return path;
    std::string result;
    size_t start = 0;
    if (path[0] == '/') {
      result = "/";
      start = 1;
    }
    while (start <= path.size()) {
      size_t end = path.find('/', start);
      if (end == std::string::npos) end = path.size();
      std::string part = path.substr(start, end - start);
      std::string candidate = result + part;
      if (!part.empty() && part != "." && part != ".." && !Exists(candidate)) {
        candidate = result + names_.Match(result.empty() ? "." : result, part);
      }
      result = candidate;
      if (end == path.size()) break;
      result += "/";
      start = end + 1;
    }
    return result;
  }

  std::optional<std::string> ReadWhole(const std::string& path) override {
    int fd = OpenRegularFile(Resolve(path));
    if (fd < 0) return std::nullopt;
    struct stat st;
    fstat(fd, &st);
    std::string data;
    data.reserve(static_cast<size_t>(st.st_size));
    char chunk[1 << 16];
    for (;;) {
      ssize_t n = read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        close(fd);
        return std::nullopt;
      }
      if (n == 0) break;
      data.append(chunk, static_cast<size_t>(n));
    }
    close(fd);
    return data;
  }

  WriteStatus WriteParts(const std::string& path, std::span<const OutputPiece> pieces) override {
    std::string target = Resolve(path);
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = (slash == std::string::npos ? "" : folder) + "." + base + ".fwtmpXXXXXX";
    bool current = names_.Current(folder);
    int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return WriteStatus::kCannotCreate;
    fchmod(fd, NewFileMode(target));
    bool ok = WriteAll(fd, pieces);
    ok = close(fd) == 0 && ok;
    if (!ok) {
      unlink(temp.c_str());
      return WriteStatus::kWriteFailed;
    }
    if (!Replace(temp, target, later_)) {
      unlink(temp.c_str());
      return WriteStatus::kCannotCreate;
    }
    names_.Added(folder, base, current);
    return WriteStatus::kWritten;
  }

  FileFacts Inspect(const std::string& path) override {
    std::string name = Resolve(path);
    while (name.size() > 1 && name.back() == '/') name.pop_back();  // "x/" would follow a link
    struct stat st;
    if (lstat(name.c_str(), &st) != 0) return FileFacts{};
    return FactsOf(st);
  }

  LinkStatus LinkAs(const std::string& from, const FileFacts& inspected,
                    const std::string& to) override {
    std::string source = Resolve(from);
    std::string target = Resolve(to);
    // Opened without following a link and without blocking on a FIFO: the file must still be
    // the one inspected, readable (as a copy would need), with no further name made meanwhile.
    int fd = open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return LinkStatus::kNotPossible;
    struct stat before;
    bool same = fstat(fd, &before) == 0 && SameFile(before, inspected) &&
                static_cast<uint64_t>(before.st_nlink) == inspected.links;
    close(fd);
    if (!same) return LinkStatus::kNotPossible;
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string listed = folder.empty() ? "." : folder;
    bool current = names_.Current(listed);
    std::string temp;
    for (int attempt = 0;; ++attempt) {
      temp = TemporaryName(folder, base);
      // linkat with no flags links `source` itself, never what a link there would point to.
      if (linkat(AT_FDCWD, source.c_str(), AT_FDCWD, temp.c_str(), 0) == 0) break;
      // Any refusal (EXDEV, EPERM from protected hard links, EMLINK, ENOTSUP, EACCES, ...)
      // means a copy instead.
      if (errno != EEXIST || attempt == 100) return LinkStatus::kNotPossible;
    }
    // The new name must be the file opened above, now with one name more: otherwise the file
    // was swapped between the look and the link, and it is not kept.
    struct stat made;
    if (lstat(temp.c_str(), &made) != 0 || !SameFile(made, inspected) ||
        static_cast<uint64_t>(made.st_nlink) != inspected.links + 1) {
      unlink(temp.c_str());
      return LinkStatus::kNotPossible;
    }
    if (!Replace(temp, target, later_)) {
      unlink(temp.c_str());
      return LinkStatus::kFailed;
    }
    names_.Added(listed, base, current);
    return LinkStatus::kLinked;
  }

  std::unique_ptr<ScratchFile> OpenToCopy(const std::string& path) override {
    return PosixFileToCopy(OpenRegularFile(Resolve(path)));
  }

  std::unique_ptr<ScratchFile> MakeScratch(const std::string& folder) override {
    return MakePosixScratch(Resolve(folder));
  }

  std::unique_ptr<LineReader> OpenLines(const std::string& path, bool* opened) override {
    int fd = OpenRegularFile(Resolve(path));
    if (opened != nullptr) *opened = fd >= 0;
    return std::make_unique<FdLineReader>(fd);
  }

  std::vector<FolderEntry> ListFolder(const std::string& folder) override {
    return List(Resolve(folder));
  }

  bool IsFolder(const std::string& path) override {
    struct stat st;
    return stat(Resolve(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  bool IsFile(const std::string& path) override {
    struct stat st;
    return stat(Resolve(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  std::string AbsolutePath(const std::string& path) override {
    std::string full = path;
    if (path.empty() || path[0] != '/') full = WorkingFolder() + "/" + path;
    return NormalisePath(full, '/');
  }

  std::string ExecutableFolder() override {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return ".";
    std::string exe(buffer, static_cast<size_t>(n));
    return exe.substr(0, exe.rfind('/'));
  }

 private:
  FolderNames names_;
  LateRemoval later_;  // last: it waits for its removals before the rest goes
};

}  // namespace

std::unique_ptr<FileSystem> MakePlatformFileSystem() {
  return std::make_unique<PosixFileSystem>();
}

}  // namespace fw
