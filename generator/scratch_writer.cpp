#include "generator/scratch_writer.h"

namespace fw {

namespace {

class InPlace : public ScratchWriter {
 public:
  TextStore& Slot() override {
    slot_.clear();
    return slot_;
  }
  void Queue(ScratchFile& file, After after) override {
    if (slot_.size() == 0) return;
    try {
      Write(file, slot_);
      if (after) after(slot_);
    } catch (...) {  // as on the writer's thread: told by Finish
      lost_ = true;
    }
    slot_.clear();
  }
  bool Failed() override { return WriteFailed() || lost_; }
  bool Finish() override { return !lost_; }

 private:
  TextStore slot_;
  bool lost_ = false;
};

}  // namespace

std::string_view ScratchWriter::Kept(const ScratchFile& file) const {
  auto it = kept_.find(&file);
  return it == kept_.end() ? std::string_view() : std::string_view(it->second);
}

bool ScratchWriter::Write(ScratchFile& file, std::string_view bytes) {
  failed_ = failed_ || !file.Append(bytes);
  if (failed_) kept_[&file].append(bytes);
  return !failed_;
}

std::unique_ptr<ScratchWriter> MakeScratchWriterInPlace() {
  return std::make_unique<InPlace>();
}

}  // namespace fw
