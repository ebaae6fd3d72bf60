// The reader of the narrow script form: one statement per line, as a resource editor writes
// it, with "DIALOGEX" dialogs and "CONTROL" statements only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "script/model.h"
#include "script/narrow_skips.h"

namespace fw {

class NarrowReader : public ScriptReader {
 public:
  explicit NarrowReader(LineReader& lines) : lines_(lines) {}

  // The next "#define" line or dialog into `item`; false at the end of the script. Memory
  // holds one dialog at a time.
  bool Next(ScriptItem& item) override;

  // What the reading has passed over so far that the whole language would read.
  const NarrowSkips& skips() const { return skips_; }

 private:
  void ReadDialog(ScriptDialog& dialog);
  void ReadControls(ScriptDialog& dialog);
  void CountSymbolicStyle(DialogStatement::Kind kind);
  // The next line, trimmed of blanks; false at the end.
  bool NextLine();

  LineReader& lines_;
  std::string line_;
  NarrowSkips skips_;
};

// A style field: "0x" read as "&h", then the number.
int32_t ParseStyle(std::string_view field);

// The fields of one "CONTROL" statement (the trimmed line). `symbolic`, when given, is set when
// a style field holds a name (read as 0).
ControlStatement ParseControlStatement(const std::string& line, bool* symbolic = nullptr);

}  // namespace fw
