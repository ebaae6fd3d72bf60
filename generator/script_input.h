// The script of a run as a reader of the model: the narrow form read line by line, or the whole
// resource-script language decoded, preprocessed and parsed (--full-syntax).
#pragma once

#include <memory>

#include "generator/generation.h"
#include "script/model.h"

namespace fw {

class ScriptInput {
 public:
  virtual ~ScriptInput() = default;
  // The script `options.scriptBase` + ".rc" opened as the run's options say; null (with an
  // error in the diagnostics) when it cannot be read. In whole-language mode this also
  // chooses the encoding of the run's outputs.
  static std::unique_ptr<ScriptInput> Open(Generation& g);

  virtual ScriptReader& reader() = 0;
  // After the last item: what the reading has to tell the user.
  virtual void Report(Diagnostics& diagnostics) = 0;
  // After the last item: false when the reading stopped before the script's end.
  virtual bool ReadToItsEnd() const { return true; }
};

}  // namespace fw
