// A compiler without standard threads: scratch files are written on the generator's thread.
#include "generator/scratch_writer.h"

namespace fw {

std::unique_ptr<ScratchWriter> MakeScratchWriter() {
  return MakeScratchWriterInPlace();
}

}  // namespace fw
