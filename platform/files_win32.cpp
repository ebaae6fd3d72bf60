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
