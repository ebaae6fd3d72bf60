// What a run tells the user: skipped outputs, unsafe names, missing templates.
#pragma once

#include <string>
#include <vector>

namespace fw {

enum class Severity { kWarning, kError };

struct Diagnostic {
  Severity severity = Severity::kWarning;
  std::string path;               // the file concerned, when there is one
  std::string message;            // what happened, without the path
  bool outputNotWritten = false;  // an output (.bas, .fbp, .bi) the run did not write
};

class Diagnostics {
 public:
  void Warn(std::string path, std::string message) {
    items_.push_back({Severity::kWarning, std::move(path), std::move(message), false});
  }
  void NotWritten(std::string path, std::string message) {
    items_.push_back({Severity::kError, std::move(path), std::move(message), true});
  }
  void Error(std::string path, std::string message) {
    items_.push_back({Severity::kError, std::move(path), std::move(message), false});
  }
  void Clear() { items_.clear(); }

  const std::vector<Diagnostic>& items() const { return items_; }
  size_t NotWrittenCount() const {
    size_t n = 0;
    for (const Diagnostic& d : items_) n += d.outputNotWritten ? 1 : 0;
    return n;
  }

 private:
  std::vector<Diagnostic> items_;
};

}  // namespace fw
