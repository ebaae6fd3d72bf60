// Reading ahead with the standard library's threads.
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "generator/read_ahead.h"

namespace fw {

namespace {

// Items travel in batches, so the threads meet once per batch, not per item. A batch closes
// at 64 items or about 1 MiB of text, and at most two wait: the reading runs ahead by a few
// MiB and items whatever the script holds.
constexpr size_t kBatchItems = 64;
constexpr size_t kBatchBytes = size_t{1} << 20;
constexpr size_t kBatchesWaiting = 2;

// About what an item holds.
size_t SizeOf(const ScriptItem& item) {
  size_t size = sizeof item + item.define.size() + item.dialog.name.size();
  for (const DialogStatement& s : item.dialog.statements) size += sizeof s + s.text.size();
  for (const ControlStatement& c : item.dialog.controls) {
    size += sizeof c + c.text.size() + c.id.size() + c.className.size();
  }
  return size;
}

class ReadingAhead : public ScriptReader {
 public:
  explicit ReadingAhead(ScriptReader& inner) : inner_(inner), worker_([this] { Read(); }) {}
  ~ReadingAhead() override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    worker_.join();
  }

  bool Next(ScriptItem& item) override {
    if (taken_ == batch_.size() && !TakeBatch()) return false;
    item = std::move(batch_[taken_++]);
    return true;
  }

 private:
  using Batch = std::vector<ScriptItem>;

  bool TakeBatch() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !waiting_.empty() || ended_; });
    if (waiting_.empty()) {
      if (error_) std::rethrow_exception(error_);
      return false;
    }
    batch_ = std::move(waiting_.front());
    waiting_.pop_front();
    taken_ = 0;
    lock.unlock();
    changed_.notify_all();
    return true;
  }

  void Read() {
    Batch batch;
    try {
      for (bool more = true; more; batch = Batch()) {
        more = Fill(batch);
        if (!Hand(std::move(batch), !more)) return;
      }
    } catch (...) {
      Fail(std::move(batch), std::current_exception());
    }
  }

  // The items read before the failure are given first, as they would be without reading ahead;
  // then Next throws. Past the bound of waiting batches by one at most.
  void Fail(Batch batch, std::exception_ptr error) {
    std::lock_guard<std::mutex> lock(mutex_);
    try {
      if (!batch.empty()) waiting_.push_back(std::move(batch));
    } catch (...) {  // no room for them: the failure alone is told
    }
    error_ = error;
    ended_ = true;
    changed_.notify_all();
  }

  // Reads a batch; false when the script's end was reached.
  bool Fill(Batch& batch) {
    size_t bytes = 0;
    while (batch.size() < kBatchItems && bytes < kBatchBytes) {
      ScriptItem item;
      if (!inner_.Next(item)) return false;
      bytes += SizeOf(item);
      batch.push_back(std::move(item));
    }
    return true;
  }

  // Queues a batch once there is room; false when the reader is going away.
  bool Hand(Batch batch, bool last) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < kBatchesWaiting || stop_; });
    if (stop_) return false;
    if (!batch.empty()) waiting_.push_back(std::move(batch));
    ended_ = last;
    lock.unlock();
    changed_.notify_all();
    return true;
  }

  ScriptReader& inner_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Batch> waiting_;  // guarded by mutex_, as are the three below
  bool ended_ = false;
  bool stop_ = false;
  std::exception_ptr error_;
  Batch batch_;  // the generator's side: the batch being given out
  size_t taken_ = 0;
  std::thread worker_;  // last: it starts once everything it uses is made
};

// Every call under one lock. Readers and scratch files it hands out are used by one thread
// each, so they are not wrapped.
class SerializedFiles : public FileSystem {
  // Ahead of the calls that use it: its return type is deduced.
  template <typename Call>
  auto Locked(Call call) {
    std::lock_guard<std::mutex> lock(mutex_);
    return call();
  }

 public:
  explicit SerializedFiles(FileSystem& files) : files_(files) {}

  char Separator() const override { return files_.Separator(); }
  std::string Resolve(const std::string& path) override {
    return Locked([&] { return files_.Resolve(path); });
  }
  std::optional<std::string> ReadWhole(const std::string& path) override {
    return Locked([&] { return files_.ReadWhole(path); });
  }
  WriteStatus WriteParts(const std::string& path, std::span<const OutputPiece> pieces) override {
    return Locked([&] { return files_.WriteParts(path, pieces); });
  }
  std::unique_ptr<ScratchFile> OpenToCopy(const std::string& path) override {
    return Locked([&] { return files_.OpenToCopy(path); });
  }
  std::unique_ptr<ScratchFile> MakeScratch(const std::string& folder) override {
    return Locked([&] { return files_.MakeScratch(folder); });
  }
  FileFacts Inspect(const std::string& path) override {
    return Locked([&] { return files_.Inspect(path); });
  }
  LinkStatus LinkAs(const std::string& from, const FileFacts& inspected,
                    const std::string& to) override {
    return Locked([&] { return files_.LinkAs(from, inspected, to); });
  }
  std::unique_ptr<LineReader> OpenLines(const std::string& path, bool* opened) override {
    return Locked([&] { return files_.OpenLines(path, opened); });
  }
  std::vector<FolderEntry> ListFolder(const std::string& folder) override {
    return Locked([&] { return files_.ListFolder(folder); });
  }
  bool IsFolder(const std::string& path) override {
    return Locked([&] { return files_.IsFolder(path); });
  }
  bool IsFile(const std::string& path) override {
    return Locked([&] { return files_.IsFile(path); });
  }
  std::string AbsolutePath(const std::string& path) override {
    return Locked([&] { return files_.AbsolutePath(path); });
  }
  std::string ExecutableFolder() override {
    return Locked([&] { return files_.ExecutableFolder(); });
  }

 private:
  FileSystem& files_;
  std::mutex mutex_;
};

}  // namespace

std::unique_ptr<ScriptReader> ReadAhead(ScriptReader& inner) {
  return std::make_unique<ReadingAhead>(inner);
}

std::unique_ptr<FileSystem> FilesForReadingAhead(FileSystem& files) {
  return std::make_unique<SerializedFiles>(files);
}

}  // namespace fw
