// A compiler without standard threads: the script is read on the generator's thread.
#include "generator/read_ahead.h"

namespace fw {

std::unique_ptr<ScriptReader> ReadAhead(ScriptReader&) {
  return nullptr;
}

std::unique_ptr<FileSystem> FilesForReadingAhead(FileSystem&) {
  return nullptr;
}

}  // namespace fw
