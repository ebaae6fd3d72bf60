// Text a run sets aside until its outputs are written, and the pieces an output is written from.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace fw {

// A temporary file beside the outputs, removed when the object goes. A run moves into it the
// text that no later replacement can change, so that memory holds about one dialog's text
// however long the outputs grow.
class ScratchFile {
 public:
  virtual ~ScratchFile() = default;
  // Appends `bytes`. False when they could not all be written: the file then holds what it
  // held before (a later append writes over the rest).
  virtual bool Append(std::string_view bytes) = 0;
  // Reads `count` bytes from `offset`, which lie within size(); false when they cannot be read.
  virtual bool Read(uint64_t offset, char* out, size_t count) = 0;
  uint64_t size() const { return size_; }

 protected:
  uint64_t size_ = 0;
};

// A text held in memory, read as a scratch file (for layers that keep no files of their own).
std::unique_ptr<ScratchFile> ScratchOfText(std::string text);

// One piece of an output: a text in memory, or the whole of a scratch file.
struct OutputPiece {
  OutputPiece() = default;
  OutputPiece(std::string_view text) : text(text) {}  // NOLINT: a text is a piece
  explicit OutputPiece(ScratchFile* scratch) : scratch(scratch) {}

  std::string_view text;
  ScratchFile* scratch = nullptr;
  uint64_t size() const { return scratch != nullptr ? scratch->size() : text.size(); }
};

// The pieces joined in memory; nothing when a scratch file cannot be read.
bool JoinPieces(std::span<const OutputPiece> pieces, std::string& out);

// Passes the bytes of `piece` to `write` in stretches of at most `chunk` bytes (a text as it
// is); false when a scratch file cannot be read or `write` fails.
template <typename Write>
bool ForEachStretch(const OutputPiece& piece, std::string& buffer, size_t chunk, Write write) {
  if (piece.scratch == nullptr) return write(piece.text);
  uint64_t total = piece.scratch->size();
  for (uint64_t at = 0; at < total;) {
    size_t count = static_cast<size_t>(std::min<uint64_t>(chunk, total - at));
    buffer.resize(count);
    if (!piece.scratch->Read(at, buffer.data(), count)) return false;
    if (!write(std::string_view(buffer.data(), count))) return false;
    at += count;
  }
  return true;
}

}  // namespace fw
