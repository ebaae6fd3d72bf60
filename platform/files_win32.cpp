// Win32 file layer. The file system compares names without regard to case by itself, so names
// are used as written; '/' is accepted wherever '\' is.
#include <windows.h>

#include "platform/files.h"
#include "platform/line_reader.h"
#include "platform/scratch_win32.h"

namespace fw {

namespace {

// Reads and writes are done in chunks that fit the DWORD counts of ReadFile and WriteFile.
constexpr DWORD kChunk = 1 << 20;

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// The folder part of a path including its final separator, or "" when there is none.
std::string FolderOf(const std::string& path) {
  size_t i = path.size();
  while (i > 0 && !IsSeparator(path[i - 1]) && path[i - 1] != ':') --i;
  return path.substr(0, i);
}

DWORD Attributes(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

HANDLE OpenForReading(const std::string& path) {
  // A folder cannot be opened this way (it would need FILE_FLAG_BACKUP_SEMANTICS).
  return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

class HandleLineReader : public BufferedLineReader {
 public:
  explicit HandleLineReader(HANDLE file) : file_(file) {}
  ~HandleLineReader() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }

 protected:
  size_t Fill(char* data, size_t size) override {
    if (file_ == INVALID_HANDLE_VALUE) return 0;
    DWORD read = 0;
    DWORD want = size < kChunk ? static_cast<DWORD>(size) : kChunk;
    if (!ReadFile(file_, data, want, &read, nullptr)) return 0;
    return read;
  }

 private:
  HANDLE file_;
};

bool WriteAll(HANDLE file, std::string_view data) {
  size_t done = 0;
  while (done < data.size()) {
    size_t left = data.size() - done;
    DWORD want = left < kChunk ? static_cast<DWORD>(left) : kChunk;
    DWORD written = 0;
    if (!WriteFile(file, data.data() + done, want, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

// `part` as spelt in the folder `folder` (ending in a separator, or empty), or as given when it
// does not exist or would be a pattern.
std::string OnDisk(const std::string& folder, const std::string& part) {
  if (part.empty() || part == "." || part == ".." ||
      part.find_first_of("*?") != std::string::npos) {
    return part;
  }
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + part).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return part;
  FindClose(search);
  return found.cFileName;
}

// What the handle's file is, or nothing when the system cannot tell.
std::optional<FileFacts> FactsOf(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
  FileFacts facts;
  facts.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? FileFacts::Kind::kLink
               : (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileFacts::Kind::kFolder
                                                                         : FileFacts::Kind::kFile;
  facts.size = facts.kind == FileFacts::Kind::kFile
                   ? (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow
                   : 0;
  facts.links = info.nNumberOfLinks;
  facts.volume = info.dwVolumeSerialNumber;
  facts.id = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  return facts;
}

// What `path` is, a reparse point (a symbolic link, a junction) at its end not followed; a
// folder is opened too (FILE_FLAG_BACKUP_SEMANTICS). `access` 0 asks for attributes only.
std::optional<FileFacts> FactsOf(const std::string& path, DWORD access) {
  HANDLE file = CreateFileA(
      path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<FileFacts> facts = FactsOf(file);
  CloseHandle(file);
  return facts;
}

bool SameFile(const std::optional<FileFacts>& now, const FileFacts& inspected) {
  return now && now->kind == FileFacts::Kind::kFile && now->volume == inspected.volume &&
         now->id == inspected.id;
}

// A name for a temporary link in `folder` (".fwtmp" and hex digits after the backup's name).
std::string TemporaryName(const std::string& folder, const std::string& base) {
  static unsigned counter = 0;
  unsigned long long stamp = GetTickCount64() ^ (uint64_t{GetCurrentProcessId()} << 32);
  stamp += ++counter * 0x9E3779B97F4A7C15ull;
  static const char kDigits[] = "0123456789abcdef";
  std::string name = folder + base + ".fwtmp";
  for (int i = 0; i < 8; ++i) name += kDigits[(stamp >> (4 * i)) & 15];
  return name;
}

class Win32FileSystem : public FileSystem {
 public:
  char Separator() const override { return '\\'; }

  // Names are found whatever their case; this gives the spelling on disk of each part that
  // exists, so a file found as "Dialogs.bas" is reported under that name.
  std::string Resolve(const std::string& path) override {
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return path;  // UNC
    size_t start = path.size() >= 2 && path[1] == ':' ? 2 : 0;
    if (start < path.size() && IsSeparator(path[start])) ++start;
    std::string result = path.substr(0, start);
    while (start < path.size()) {
      size_t end = start;
      while (end < path.size() && !IsSeparator(path[end])) ++end;
      result += OnDisk(result, path.substr(start, end - start));
      if (end < path.size()) result += path[end];
      start = end + 1;
    }
    return result;
  }

  std::optional<std::string> ReadWhole(const std::string& path) override {
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::string> data = ReadAll(file);
    CloseHandle(file);
    return data;
  }

  WriteStatus WriteParts(const std::string& path, std::span<const OutputPiece> pieces) override {
    // Windows refuses to replace a read-only file; Wine's MoveFileExA would replace it, so
    // the check is made here to behave the same on both.
    DWORD existing = Attributes(path);
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY) != 0) {
      return WriteStatus::kCannotCreate;
    }
    std::string folder = FolderOf(path);
    char temp[MAX_PATH];
    // Creates an empty, uniquely named file in the target's folder, so the rename below
    // stays on one volume.
    if (GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "fw", 0, temp) == 0) {
      return WriteStatus::kCannotCreate;
    }
    HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      DeleteFileA(temp);
      return WriteStatus::kCannotCreate;
    }
    bool ok = true;
    std::string buffer;
    for (const OutputPiece& piece : pieces) {
      ok = ok && ForEachStretch(piece, buffer, kChunk,
                                [&](std::string_view stretch) { return WriteAll(file, stretch); });
    }
    ok = CloseHandle(file) && ok;
    if (!ok) {
      DeleteFileA(temp);
      return WriteStatus::kWriteFailed;
    }
    if (!MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      DeleteFileA(temp);
      return WriteStatus::kCannotCreate;
    }
    return WriteStatus::kWritten;
  }

  FileFacts Inspect(const std::string& path) override {
    std::string name = path;
    // "x\\" names the folder a junction points to; the name itself is what is asked about.
    while (name.size() > 1 && IsSeparator(name.back()) && name[name.size() - 2] != ':') {
      name.pop_back();
    }
    return FactsOf(name, 0).value_or(FileFacts{});
  }

  LinkStatus LinkAs(const std::string& from, const FileFacts& inspected,
                    const std::string& to) override {
    // Windows refuses to replace a read-only file (see WritePieces); a read-only backup stays.
    DWORD existing = Attributes(to);
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY) != 0) {
      return LinkStatus::kFailed;
    }
    // Still the file inspected, with no further name made meanwhile, and readable (as a copy
    // would need).
    std::optional<FileFacts> now = FactsOf(from, GENERIC_READ);
    if (!SameFile(now, inspected) || now->links != inspected.links) {
      return LinkStatus::kNotPossible;
    }
    std::string folder = FolderOf(to);
    std::string base = to.substr(folder.size());
    std::string temp;
    for (int attempt = 0;; ++attempt) {
      temp = TemporaryName(folder, base);
      if (CreateHardLinkA(temp.c_str(), from.c_str(), nullptr)) break;
      DWORD error = GetLastError();
      // Any refusal (another volume, FAT, too many links, access) means a copy instead.
      if ((error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) || attempt == 100) {
        return LinkStatus::kNotPossible;
      }
    }
    // The new name must be the file inspected, now with one name more: otherwise the file was
    // swapped between the look and the link, and it is not kept.
    std::optional<FileFacts> made = FactsOf(temp, 0);
    if (!SameFile(made, inspected) || made->links != inspected.links + 1) {
      DeleteFileA(temp.c_str());
      return LinkStatus::kNotPossible;
    }
    if (!MoveFileExA(temp.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      DeleteFileA(temp.c_str());
      return LinkStatus::kFailed;
    }
    return LinkStatus::kLinked;
  }

  // Shared for deletion too: the copy may be written over another name of this very file (a
  // backup that is a hard link of the output), which replaces that name while it is read.
  std::unique_ptr<ScratchFile> OpenToCopy(const std::string& path) override {
    return Win32FileToCopy(CreateFileA(path.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  }

  std::unique_ptr<ScratchFile> MakeScratch(const std::string& folder) override {
    return MakeWin32Scratch(folder);
  }

  std::unique_ptr<LineReader> OpenLines(const std::string& path, bool* opened) override {
    HANDLE file = OpenForReading(path);
    if (opened != nullptr) *opened = file != INVALID_HANDLE_VALUE;
    return std::make_unique<HandleLineReader>(file);
  }

  std::vector<FolderEntry> ListFolder(const std::string& folder) override {
    std::vector<FolderEntry> entries;
    std::string pattern = folder;
    if (!pattern.empty() && !IsSeparator(pattern.back())) pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      FolderEntry entry;
      entry.name = name;
      entry.isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      entry.hidden =
          (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
      entries.push_back(entry);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
  }

  bool IsFolder(const std::string& path) override {
    DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  bool IsFile(const std::string& path) override {
    DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  std::string AbsolutePath(const std::string& path) override {
    // GetFullPathNameA works on the text alone: it supplies the current drive and folder,
    // turns '/' into '\' and removes "." and ".." without touching the disk.
    DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return NormalisePath(path, '\\');
    std::string full(size, '\0');
    DWORD n = GetFullPathNameA(path.c_str(), size, full.data(), nullptr);
    if (n == 0 || n >= size) return NormalisePath(path, '\\');
    full.resize(n);
    return full;
  }

  std::string ExecutableFolder() override {
    std::string exe(MAX_PATH, '\0');
    for (;;) {
      DWORD n = GetModuleFileNameA(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
      if (n == 0) return ".";
      if (n < exe.size()) {
        exe.resize(n);
        break;
      }
      exe.resize(exe.size() * 2);
    }
    size_t cut = exe.find_last_of("\\/");
    return cut == std::string::npos ? "." : exe.substr(0, cut);
  }

 private:
  static std::optional<std::string> ReadAll(HANDLE file) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) return std::nullopt;
    std::string data;
    data.reserve(static_cast<size_t>(size.QuadPart));
    std::string chunk(kChunk, '\0');
    for (;;) {
      DWORD read = 0;
      if (!ReadFile(file, chunk.data(), kChunk, &read, nullptr)) return std::nullopt;
      if (read == 0) break;
      data.append(chunk.data(), read);
    }
    return data;
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakePlatformFileSystem() {
  return std::make_unique<Win32FileSystem>();
}

}  // namespace fw
