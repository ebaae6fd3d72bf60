#include "platform/scratch.h"

namespace fw {

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
