// The reader of the whole resource-script language (--full-syntax): the preprocessor's tokens
// read as resource statements, every resource type passed over but DIALOG and DIALOGEX, which
// are handed over as the model with their final values. Memory holds one dialog at a time.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "script/model.h"
#include "script/pp_files.h"
#include "script/pp_token.h"
#include "script/rc_dialog.h"

namespace fw {

class Preprocessor;
class RcTokens;

struct FullReaderOptions {
  std::vector<std::string> includeFolders;  // searched after the script's folder
  // A LANGID (0x409: English, United States): only the dialogs of that language are read.
  // Without it every dialog is, and of a name defined again (another LANGUAGE block) only
  // the first; the others are named in a warning.
  std::optional<uint16_t> language;
  // Macros defined before the script is read, as a command line's /D NAME=VALUE gives them.
  std::vector<std::pair<std::string, std::string>> defines;
  size_t maxDiagnostics = 1000;  // the rest are counted in one last diagnostic
};

class FullReader : public ScriptReader {
 public:
  // `text`: the script at `scriptPath`, decoded to UTF-8; its includes come through `files`.
  FullReader(std::string_view text, const std::string& scriptPath, PpFiles& files,
             FullReaderOptions options = {});
  ~FullReader() override;

  // The next item: a "#define" of the script or its own headers (as BASIC writes it), one for
  // an id that only the system headers define (IDC_STATIC) before the first dialog that uses
  // it, or a dialog.
  bool Next(ScriptItem& item) override;

  // What went wrong so far, the preprocessor's diagnostics among them (file, line, message);
  // complete once Next returned false.
  const PpDiagnostics& Diagnostics();

  // True when a limit or a fatal error (an include cycle, a runaway macro) ended the reading
  // before the script's end: the items given are then only a part of the script.
  bool Stopped() const;

  // The dialog Next gave last, with what the model leaves out (its name's number, language,
  // help ids, ordinal texts, the font of a DIALOG).
  const RcDialog& LastDialog() const { return dialog_; }

 private:
  void ReadTopLevel();
  void ReadResource();
  void QueueDefines();
  void QueueSystemIds(const RcDialog& d);
  bool Wanted(const RcDialog& d);

  FullReaderOptions options_;
  std::unique_ptr<Preprocessor> pp_;
  std::unique_ptr<RcTokens> in_;
  std::deque<ScriptItem> pending_;
  RcDialog dialog_;
  uint16_t language_ = 0x409;  // LANGUAGE in force; the compilers' own default
  // Hashed, not ordered: a script may define hundreds of thousands of names.
  std::unordered_map<std::string, std::string> systemIds_;  // ID... names of the system headers
  // Names given a "#define" item, of those the system headers define: only they are asked.
  std::unordered_set<std::string> defined_;
  std::unordered_set<std::string> dialogNames_;  // of the dialogs read, by name and language
  bool finished_ = false;
};

}  // namespace fw
