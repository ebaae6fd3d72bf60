// Reading ahead: the script's items read on a thread of their own while the generator turns the
// ones before them into text. Reading is a quarter of a narrow run and over half of a run in
// the whole language, and it shares nothing with the generator but the file layer.
#pragma once

#include <memory>

#include "platform/files.h"
#include "script/model.h"

namespace fw {

// A reader that gives `inner`'s items in their order, read a few batches ahead on another
// thread; null where this build has no standard threads. Until it has given its last item or
// is gone, nothing else may use `inner`; once it has, `inner`'s own report (diagnostics,
// whether it read to the end) is complete. An exception thrown while reading is thrown again
// from Next.
std::unique_ptr<ScriptReader> ReadAhead(ScriptReader& inner);

// The file layer for a run that reads ahead: the same files, one call at a time, since the
// reader opens included files while the generator writes. Null where ReadAhead is.
std::unique_ptr<FileSystem> FilesForReadingAhead(FileSystem& files);

}  // namespace fw
