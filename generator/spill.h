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
#include "generator/scratch_writer.h"
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
  // `declarations`, when given, receives the "declare" lines of the lines moved, in order,
  // made on the writer's thread: until Finish the run leaves that buffer alone.
  // A buffer whose lines are not final (a tilde near its start) stays in memory; so does
  // every buffer once a scratch file could not be made or written.
  void Trim(Buffer& buffer, Buffer* declarations = nullptr);
  // Waits until what was set aside is written (ScratchWriter); after it, nothing more is.
  void Finish();
  // Whether some of what was set aside was lost (no memory to keep what a scratch file could
  // not take): no output may be made from the pieces.
  bool Lost() const { return lost_; }
  // Appends `buffer`'s text as pieces, once Finish has returned: what was set aside (in its
  // scratch file, and in memory what the file could not take), then what memory holds.
  void AppendPieces(const Buffer& buffer, std::vector<OutputPiece>& out) const;
  // Whether the "declare" lines of `buffer` have ended: the code they are taken from ends at
  // its first zero byte, and one was in the lines set aside.
  bool DeclarationsEnded(const Buffer& buffer) const;

 private:
  // The "declare" lines of a code buffer's text set aside, made on the writer's thread as it
  // writes that text: until Finish only that thread touches `lines` and `ended`.
  struct CodeDeclarations {
    Buffer* lines;      // the run's buffer for them
    ScratchFile* file;  // where they go past the threshold (null: they stay in `lines`)
    size_t above;
    bool ended = false;  // the code ended (a zero byte) in what was set aside
    void Take(std::string_view code, ScratchWriter& writer);
  };
  struct Aside {
    std::unique_ptr<ScratchFile> file;
    size_t retryAt = 0;  // a size in memory below which no new try is made
    std::unique_ptr<CodeDeclarations> declarations;
  };
  ScratchWriter::After DeclarationsAfter(Aside& aside, Buffer* declarations);

  FileSystem& files_;
  std::string folder_;
  size_t above_;
  AsItStands asItStands_;
  bool failed_ = false;  // or finished: text stays in memory
  bool lost_ = false;
  std::map<const Buffer*, Aside> asides_;
  // After asides_: it goes first, and its thread with it, while the files it writes remain.
  std::unique_ptr<ScratchWriter> writer_;
};

}  // namespace fw
