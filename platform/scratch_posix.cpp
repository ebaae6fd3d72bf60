#include "platform/scratch_posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace fw {

namespace {

bool WriteAllTo(int fd, std::string_view data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

class PosixScratch : public ScratchFile {
 public:
  explicit PosixScratch(int fd) : fd_(fd) {}
  // An existing file, read only.
  PosixScratch(int fd, uint64_t size) : fd_(fd), readOnly_(true) { size_ = size; }
  ~PosixScratch() override { close(fd_); }

  bool Append(std::string_view bytes) override {
    if (readOnly_) return false;
    size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n =
          pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(size_ + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<size_t>(n);
    }
    size_ += bytes.size();
    return true;
  }

  bool Read(uint64_t offset, char* out, size_t count) override {
    if (offset < givenUp_) return false;
    size_t done = 0;
    while (done < count) {
      ssize_t n = pread(fd_, out + done, count - done, static_cast<off_t>(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<size_t>(n);
    }
    return true;
  }

  // The whole file to `out` by copy_file_range: the bytes stay in the kernel. kUnsupported
  // when the system offers no such copy here, before anything was written.
  //
  // A run writes each scratch file into one output once, so a copied stretch is given up at
  // once (a hole punched where it was): its pages leave the page cache without being written
  // to disk. Otherwise a run whose outputs pass the kernel's limit of unwritten pages (some
  // gigabytes) holds them twice, in the scratch files and in the output, and waits on the
  // disk for both. Bytes given up cannot be read again (Read refuses them).
  enum class Copy { kDone, kFailed, kUnsupported };
  Copy CopyTo(int out) {
#ifdef __linux__
    constexpr uint64_t kStretch = uint64_t{64} << 20;
    loff_t from = 0;
    while (static_cast<uint64_t>(from) < size_) {
      uint64_t stretch = std::min(kStretch, size_ - static_cast<uint64_t>(from));
      loff_t start = from;
      ssize_t n = copy_file_range(fd_, &from, out, nullptr, static_cast<size_t>(stretch), 0);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && from == 0 &&
          (errno == ENOSYS || errno == EXDEV || errno == EINVAL || errno == EOPNOTSUPP)) {
        return Copy::kUnsupported;
      }
      if (n <= 0) return Copy::kFailed;
      if (!readOnly_) GiveUp(start, from);
    }
    return Copy::kDone;
#else
    (void)out;
    return Copy::kUnsupported;
#endif
  }

 private:
#ifdef __linux__
  // Punches out [start, end) where the file system can (a file system that cannot keeps the
  // bytes: only the saving is lost).
  void GiveUp(loff_t start, loff_t end) {
    fallocate(fd_, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, start, end - start);
    givenUp_ = static_cast<uint64_t>(end);
  }
#endif

  int fd_;
  bool readOnly_ = false;
  uint64_t givenUp_ = 0;  // bytes before it were copied out and may be gone
};

}  // namespace

std::unique_ptr<ScratchFile> MakePosixScratch(const std::string& folder) {
  std::string where = folder.empty() ? "." : folder;
  int fd = -1;
#ifdef O_TMPFILE
  fd = open(where.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return std::make_unique<PosixScratch>(fd);
#endif
  std::string name = where + "/.fwscratchXXXXXX";
  fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return nullptr;
  unlink(name.c_str());
  return std::make_unique<PosixScratch>(fd);
}

std::unique_ptr<ScratchFile> PosixFileToCopy(int fd) {
  if (fd < 0) return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0) {
    close(fd);
    return nullptr;
  }
  return std::make_unique<PosixScratch>(fd, static_cast<uint64_t>(st.st_size));
}

bool WritePieceTo(int fd, const OutputPiece& piece) {
  if (piece.scratch == nullptr) return WriteAllTo(fd, piece.text);
  if (auto* own = dynamic_cast<PosixScratch*>(piece.scratch)) {
    PosixScratch::Copy copy = own->CopyTo(fd);
    if (copy != PosixScratch::Copy::kUnsupported) return copy == PosixScratch::Copy::kDone;
  }
  std::string buffer;
  return ForEachStretch(piece, buffer, size_t{1} << 20,
                        [&](std::string_view stretch) { return WriteAllTo(fd, stretch); });
}

}  // namespace fw
