// Removing the names of replaced files on a thread of its own. When the name removed is a
// file's last, the kernel frees its pages and blocks there and then: about a third of a second
// per gigabyte cached. A re-run's replaced backup is the size of the main source, and it is
// replaced just before the main source is written.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace fw {

class LateRemoval {
 public:
  LateRemoval() = default;
  LateRemoval(const LateRemoval&) = delete;
  LateRemoval& operator=(const LateRemoval&) = delete;
  // Waits until every name given is removed: nothing stays behind once the layer is gone.
  ~LateRemoval();

  // Removes `path` (a file, by unlink) after the names given before; the call does not wait.
  void Remove(std::string path);

 private:
  void Work();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> waiting_;  // guarded by mutex_, as is stop_
  bool stop_ = false;
  std::thread worker_;  // started at the first name
};

}  // namespace fw
