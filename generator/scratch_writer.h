// The appends of the text a run sets aside into its scratch files. Where the build has threads
// they are made on a thread of their own, so that the generator goes on while the kernel takes
// the bytes (on a machine whose page cache was slow to fill, a third of the generator's thread
// at 10,000 dialogs).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "engine/text_store.h"
#include "platform/scratch.h"

namespace fw {

class ScratchWriter {
 public:
  virtual ~ScratchWriter() = default;
  // The storage for the next append, empty; waits while both slots are taken. The caller fills
  // it (Buffer::MoveFront hands text over without a copy) and gives it with Queue.
  virtual TextStore& Slot() = 0;
  // Run on the writer's thread after an append, with its bytes (written or kept).
  using After = std::function<void(std::string_view bytes)>;
  // Appends the slot's bytes to `file` after everything queued before, then runs `after`
  // (may be empty). Once an append has failed, its bytes and those of every later append are
  // kept in memory instead (Kept), so each file holds a beginning of what it was given and
  // Kept the rest, in order.
  virtual void Queue(ScratchFile& file, After after) = 0;
  // For an After: appends `bytes` to `file` at once, in order with the appends before it.
  bool WriteNow(ScratchFile& file, std::string_view bytes) { return Write(file, bytes); }
  // Whether an append is known to have failed (the caller then keeps its text in memory).
  virtual bool Failed() = 0;
  // Waits until every append given has been made or kept; false when the bytes of one could
  // be neither (no memory left to keep them). Until then no file given may be read or its
  // size asked.
  virtual bool Finish() = 0;
  // What `file` lacks of what it was given, once Finish has returned.
  std::string_view Kept(const ScratchFile& file) const;

 protected:
  // Makes one append where it is called (or keeps its bytes); false once one has failed.
  bool Write(ScratchFile& file, std::string_view bytes);
  bool WriteFailed() const { return failed_; }

 private:
  bool failed_ = false;
  std::map<const ScratchFile*, std::string> kept_;
};

// Appends on a thread of their own where the build has standard threads, else where called.
std::unique_ptr<ScratchWriter> MakeScratchWriter();

// Appends where they are called (what MakeScratchWriter gives without threads).
std::unique_ptr<ScratchWriter> MakeScratchWriterInPlace();

}  // namespace fw
