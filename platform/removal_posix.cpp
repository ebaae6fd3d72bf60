#include "platform/removal_posix.h"

#include <unistd.h>

namespace fw {

LateRemoval::~LateRemoval() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;  // the names waiting are still removed: the worker leaves once none is left
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void LateRemoval::Remove(std::string path) {
  try {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
    waiting_.push_back(path);
    lock.unlock();
    changed_.notify_all();
  } catch (...) {  // no memory or no thread to be had: removed here, as it was before
    unlink(path.c_str());
  }
}

void LateRemoval::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return !waiting_.empty() || stop_; });
    if (waiting_.empty()) return;
    std::string path = std::move(waiting_.front());
    waiting_.pop_front();
    lock.unlock();
    unlink(path.c_str());  // a name already gone is no failure: the old bytes were to go
    lock.lock();
  }
}

}  // namespace fw
