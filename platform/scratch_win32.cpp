#include "platform/scratch_win32.h"

#include <windows.h>

#include <algorithm>

namespace fw {

namespace {

// ReadFile and WriteFile count in DWORDs.
constexpr size_t kChunk = 1 << 20;

OVERLAPPED At(uint64_t offset) {
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return at;
}

class Win32Scratch : public ScratchFile {
 public:
  explicit Win32Scratch(HANDLE file) : file_(file) {}
  // An existing file, read only.
  Win32Scratch(HANDLE file, uint64_t size) : file_(file), readOnly_(true) { size_ = size; }
  ~Win32Scratch() override { CloseHandle(file_); }

  bool Append(std::string_view bytes) override {
    if (readOnly_) return false;
    for (size_t done = 0; done < bytes.size();) {
      DWORD want = static_cast<DWORD>(std::min(kChunk, bytes.size() - done));
      OVERLAPPED at = At(size_ + done);
      DWORD written = 0;
      if (!WriteFile(file_, bytes.data() + done, want, &written, &at) || written == 0) return false;
      done += written;
    }
    size_ += bytes.size();
    return true;
  }

  bool Read(uint64_t offset, char* out, size_t count) override {
    for (size_t done = 0; done < count;) {
      DWORD want = static_cast<DWORD>(std::min(kChunk, count - done));
      OVERLAPPED at = At(offset + done);
      DWORD read = 0;
      if (!ReadFile(file_, out + done, want, &read, &at) || read == 0) return false;
      done += read;
    }
    return true;
  }

 private:
  HANDLE file_;
  bool readOnly_ = false;
};

}  // namespace

std::unique_ptr<ScratchFile> MakeWin32Scratch(const std::string& folder) {
  char name[MAX_PATH];
  if (GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "fws", 0, name) == 0) return nullptr;
  HANDLE file = CreateFileA(
      name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DeleteFileA(name);
    return nullptr;
  }
  return std::make_unique<Win32Scratch>(file);
}

std::unique_ptr<ScratchFile> Win32FileToCopy(void* handle) {
  HANDLE file = static_cast<HANDLE>(handle);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size)) {
    CloseHandle(file);
    return nullptr;
  }
  return std::make_unique<Win32Scratch>(file, static_cast<uint64_t>(size.QuadPart));
}

}  // namespace fw
