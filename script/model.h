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
};

// One control of a dialog's control block, its fields as the script gives them.
struct ControlStatement {
  std::string text;
  std::string id;
  std::string className;
  int32_t style = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
  int32_t exStyle = 0;
};

struct ScriptDialog {
  std::string name;
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
  std::vector<DialogStatement> statements;
  std::vector<ControlStatement> controls;
};

// One item of the script in reading order: a "#define" line (as it stands, trimmed) or a
// dialog.
struct ScriptItem {
  enum class Kind { kDefine, kDialog };
  Kind kind = Kind::kDefine;
  std::string define;
  ScriptDialog dialog;
};

}  // namespace fw
