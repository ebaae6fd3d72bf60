#include "generator/scratch_writer.h"

namespace fw {

namespace {

class InPlace : public ScratchWriter {
 public:
  void Append(ScratchFile& file, std::string_view bytes) override { Write(file, bytes); }
  bool Failed() override { return WriteFailed(); }
  bool Finish() override { return true; }
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
