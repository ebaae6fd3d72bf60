// The script model: what a reader hands the generator, one item at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fw {

// A statement between a dialog's header and its control block, in source order. Repeated
// statements stay: the generator applies each in turn, as it stands.
struct DialogStatement {
  enum class Kind { kCaption, kFont, kStyle, kExStyle, kClass };
  Kind kind = Kind::kCaption;
  std::string text;    // the caption, the class name or the font's face name
  int32_t number = 0;  // the style, the extended style or the font's point size
  // A font's weight (0: normal), italic flag and character set; the narrow form has none.
  int32_t weight = 0;
  int32_t italic = 0;
  int32_t charSet = 0;
};

// One control of a dialog's control block, its fields as the script gives them.
struct ControlStatement {
  std::string text;
  std::string id;       // as written: a symbol, a number or an expression
  int32_t idValue = 0;  // its value, where the reader knows it
  std::string className;
  int32_t style = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
  int32_t exStyle = 0;
};

struct ScriptDialog {
  std::string name;  // an identifier (a numeric name is made one by the reader)
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
  std::vector<DialogStatement> statements;
  std::vector<ControlStatement> controls;
};

// One item of the script in reading order: a "#define" line (as it goes into the constants:
// the narrow reader's as it stands, trimmed) or a dialog.
struct ScriptItem {
  enum class Kind { kDefine, kDialog };
  Kind kind = Kind::kDefine;
  std::string define;
  ScriptDialog dialog;
};

// A reader of a script: the items one at a time, in reading order.
class ScriptReader {
 public:
  virtual ~ScriptReader() = default;
  // The next item into `item`; false at the end of the script.
  virtual bool Next(ScriptItem& item) = 0;
};

}  // namespace fw
