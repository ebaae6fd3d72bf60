#include "platform/scratch.h"

namespace fw {

namespace {

class TextScratch : public ScratchFile {
 public:
  explicit TextScratch(std::string text) : text_(std::move(text)) { size_ = text_.size(); }
  bool Append(std::string_view bytes) override {
    text_.append(bytes);
    size_ = text_.size();
    return true;
  }
  bool Read(uint64_t offset, char* out, size_t count) override {
    if (offset + count > text_.size()) return false;
    text_.copy(out, count, static_cast<size_t>(offset));
    return true;
  }

 private:
  std::string text_;
};

}  // namespace

std::unique_ptr<ScratchFile> ScratchOfText(std::string text) {
  return std::make_unique<TextScratch>(std::move(text));
}

bool JoinPieces(std::span<const OutputPiece> pieces, std::string& out) {
  uint64_t total = 0;
  for (const OutputPiece& piece : pieces) total += piece.size();
  out.clear();
  out.reserve(static_cast<size_t>(total));
  for (const OutputPiece& piece : pieces) {
    if (piece.scratch == nullptr) {
      out.append(piece.text);
      continue;
    }
    size_t at = out.size();
    out.resize(at + static_cast<size_t>(piece.scratch->size()));
    if (!piece.scratch->Read(0, out.data() + at, static_cast<size_t>(piece.scratch->size()))) {
      return false;
    }
  }
  return true;
}

}  // namespace fw
