// The run's long-lived texts, set aside in scratch files beside the outputs as they grow, so
// that memory holds about one dialog's text however long the outputs are.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/buffer.h"
#include "platform/files.h"

namespace fw {

class Spill {
 public:
  // Whether a text goes into the outputs as it stands (their encoding leaves it unchanged).
  using AsItStands = std::function<bool(std::string_view text)>;

  // Scratch files go into `folder`; a buffer is trimmed once it holds more than `above` bytes
  // (0: never). Only lines that the outputs' encoding leaves as they are are set aside, so
  // that what is read back is what was held.
  Spill(FileSystem& files, std::string folder, size_t above, AsItStands asItStands);
  Spill(const Spill&) = delete;
  Spill& operator=(const Spill&) = delete;

  // Once `buffer` holds more than the threshold, moves its final lines (Buffer::FinalLines:
  // no later replacement can change them) to its scratch file.
  // `declarations`, when given, receives the "declare" lines of the lines moved, in order.
  // A buffer whose lines are not final (a tilde near its start) stays in memory; so does
  // every buffer once a scratch file could not be made or written.
  void Trim(Buffer& buffer, Buffer* declarations = nullptr);
  // Appends `buffer`'s text as pieces: what was set aside, then what is in memory.
  void AppendPieces(const Buffer& buffer, std::vector<OutputPiece>& out) const;
  // Whether the "declare" lines of `buffer` have ended: the code they are taken from ends at
  // its first zero byte, and one was in the lines set aside.
  bool DeclarationsEnded(const Buffer& buffer) const;

 private:
  struct Aside {
    std::unique_ptr<ScratchFile> file;
    size_t retryAt = 0;  // a size in memory below which no new try is made
    bool declarationsEnded = false;
  };
  bool MoveAside(Aside& aside, std::string_view lines);

  FileSystem& files_;
  std::string folder_;
  size_t above_;
  AsItStands asItStands_;
  bool failed_ = false;
  std::map<const Buffer*, Aside> asides_;
};

}  // namespace fw
