// Appends to scratch files on a thread of their own, with the standard library's threads.
#include <array>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "generator/scratch_writer.h"

namespace fw {

namespace {

// An append's text is in one of two slots: one is written while the generator fills the other,
// so the generator runs ahead by one append, not by the output. The slots' storage changes
// hands with the buffers' (Buffer::MoveFront), so no text is copied and none freshly allocated.
constexpr size_t kSlots = 2;

class Behind : public ScratchWriter {
 public:
  Behind() : free_{0, 1} {}
  ~Behind() override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
  }

  TextStore& Slot() override {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !free_.empty(); });
    filling_ = free_.back();
    free_.pop_back();
    slots_[filling_].clear();  // the slot is this thread's until it is queued
    return slots_[filling_];
  }

  void Queue(ScratchFile& file, After after) override {
    std::unique_lock<std::mutex> lock(mutex_);
    if (slots_[filling_].size() == 0) {
      free_.push_back(filling_);
      return;
    }
    waiting_.push_back(Job{&file, filling_, std::move(after)});
    // Started at the first append: most runs set nothing aside.
    if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
    lock.unlock();
    changed_.notify_all();
  }

  bool Failed() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return failed_;
  }

  bool Finish() override {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return free_.size() == kSlots; });
    return !lost_;
  }

 private:
  struct Job {
    ScratchFile* file;
    size_t slot;
    After after;
  };

  void Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return !waiting_.empty() || stop_; });
      if (stop_) return;  // going away unfinished: the run is not writing its outputs
      Job job = std::move(waiting_.front());
      waiting_.pop_front();
      lock.unlock();
      bool written = false;
      bool lost = false;
      try {
        written = Write(*job.file, slots_[job.slot]);
        if (job.after) job.after(slots_[job.slot]);
      } catch (...) {  // no memory for the bytes of a failed append, or for what After makes
        lost = true;
      }
      lock.lock();
      failed_ = failed_ || !written || lost || WriteFailed();
      lost_ = lost_ || lost;
      free_.push_back(job.slot);
      changed_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::array<TextStore, kSlots> slots_;  // each used by the thread holding its number
  size_t filling_ = 0;                   // the slot Slot gave, until it is queued
  std::vector<size_t> free_;             // guarded by mutex_, as are the four below
  std::deque<Job> waiting_;
  bool failed_ = false;
  bool lost_ = false;
  bool stop_ = false;
  std::thread worker_;
};

}  // namespace

std::unique_ptr<ScratchWriter> MakeScratchWriter() {
  return std::make_unique<Behind>();
}

}  // namespace fw
