// A file layer for tests of failures: it passes everything to the real layer but fails the
// writes, links and reads of the paths a test names, as a full disk, a file system without hard
// links or a broken file would.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"

namespace fw {

class FaultyFileSystem : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& real) : real_(real) {}

  // Writes to paths ending in `suffix` fail with `status` and leave the file alone; no link
  // can be made there either (the caller is told to copy, and the copy fails).
  void FailWrites(std::string suffix, WriteStatus status = WriteStatus::kWriteFailed) {
    writeFaults_.push_back({std::move(suffix), status});
  }
  // Whole reads of paths ending in `suffix` fail; such a file is not linked either.
  void FailReads(std::string suffix) { readFaults_.push_back(std::move(suffix)); }
  // Scratch files: none can be made, or appends fail from the `after`-th one on, or reads fail.
  enum class ScratchFault { kNone, kCannotMake, kAppend, kRead };
  void FailScratch(ScratchFault fault, int after = 0) {
    scratchFault_ = fault;
    appendsBeforeFault_ = after;
  }
  // Links to paths ending in `suffix` fail at `step`: the system refuses the link
  // (kNotPossible), or the link made cannot be renamed to its name (kFailed; the real layer
  // then removes it, so the faulty one makes none). Nothing changes on disk either way.
  void FailLinks(std::string suffix, LinkStatus step = LinkStatus::kNotPossible) {
    linkFaults_.push_back({std::move(suffix), step});
  }
  // Every write attempted, failed ones included.
  const std::vector<std::string>& attempts() const { return attempts_; }
  // The names every link was attempted to, and those made.
  const std::vector<std::string>& linkAttempts() const { return linkAttempts_; }
  const std::vector<std::string>& linked() const { return linked_; }

  char Separator() const override { return real_.Separator(); }
  std::string Resolve(const std::string& path) override { return real_.Resolve(path); }
  std::optional<std::string> ReadWhole(const std::string& path) override {
    for (const std::string& suffix : readFaults_) {
      if (EndsWith(path, suffix)) return std::nullopt;
    }
    return real_.ReadWhole(path);
  }
  WriteStatus WriteParts(const std::string& path, std::span<const OutputPiece> pieces) override {
    attempts_.push_back(path);
    for (const WriteFault& f : writeFaults_) {
      if (EndsWith(path, f.suffix)) return f.status;
    }
    return real_.WriteParts(path, pieces);
  }
  std::unique_ptr<ScratchFile> OpenToCopy(const std::string& path) override {
    for (const std::string& suffix : readFaults_) {
      if (EndsWith(path, suffix)) return nullptr;
    }
    return real_.OpenToCopy(path);
  }
  std::unique_ptr<ScratchFile> MakeScratch(const std::string& folder) override {
    if (scratchFault_ == ScratchFault::kCannotMake) return nullptr;
    std::unique_ptr<ScratchFile> real = real_.MakeScratch(folder);
    if (!real || scratchFault_ == ScratchFault::kNone) return real;
    return std::make_unique<FaultyScratch>(std::move(real), scratchFault_, appendsBeforeFault_);
  }
  FileFacts Inspect(const std::string& path) override { return real_.Inspect(path); }
  LinkStatus LinkAs(const std::string& from, const FileFacts& inspected,
                    const std::string& to) override {
    linkAttempts_.push_back(to);
    for (const LinkFault& f : linkFaults_) {
      if (EndsWith(to, f.suffix)) return f.step;
    }
    for (const WriteFault& f : writeFaults_) {
      if (EndsWith(to, f.suffix)) return LinkStatus::kNotPossible;
    }
    for (const std::string& suffix : readFaults_) {
      if (EndsWith(from, suffix)) return LinkStatus::kNotPossible;
    }
    LinkStatus status = real_.LinkAs(from, inspected, to);
    if (status == LinkStatus::kLinked) linked_.push_back(to);
    return status;
  }
  std::unique_ptr<LineReader> OpenLines(const std::string& path, bool* opened) override {
    return real_.OpenLines(path, opened);
  }
  std::vector<FolderEntry> ListFolder(const std::string& folder) override {
    return real_.ListFolder(folder);
  }
  bool IsFolder(const std::string& path) override { return real_.IsFolder(path); }
  bool IsFile(const std::string& path) override { return real_.IsFile(path); }
  std::string AbsolutePath(const std::string& path) override { return real_.AbsolutePath(path); }
  std::string ExecutableFolder() override { return real_.ExecutableFolder(); }

 private:
  // A real scratch file that fails as told; its bytes reach an output only through Read.
  class FaultyScratch : public ScratchFile {
   public:
    FaultyScratch(std::unique_ptr<ScratchFile> real, ScratchFault fault, int appendsLeft)
        : real_(std::move(real)), fault_(fault), appendsLeft_(appendsLeft) {}
    bool Append(std::string_view bytes) override {
      if (fault_ == ScratchFault::kAppend && appendsLeft_-- <= 0) return false;
      if (!real_->Append(bytes)) return false;
      size_ = real_->size();
      return true;
    }
    bool Read(uint64_t offset, char* out, size_t count) override {
      return fault_ != ScratchFault::kRead && real_->Read(offset, out, count);
    }

   private:
    std::unique_ptr<ScratchFile> real_;
    ScratchFault fault_;
    int appendsLeft_;
  };
  struct WriteFault {
    std::string suffix;
    WriteStatus status;
  };
  struct LinkFault {
    std::string suffix;
    LinkStatus step;
  };
  static bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
  }

  FileSystem& real_;
  std::vector<WriteFault> writeFaults_;
  std::vector<std::string> readFaults_;
  std::vector<LinkFault> linkFaults_;
  std::vector<std::string> attempts_;
  ScratchFault scratchFault_ = ScratchFault::kNone;
  int appendsBeforeFault_ = 0;
  std::vector<std::string> linkAttempts_;
  std::vector<std::string> linked_;
};

}  // namespace fw
