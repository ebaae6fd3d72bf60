// The values of one dialog or one control as the templates receive them.
#pragma once

#include <cstdint>
#include <string>

namespace fw {

// One dialog or one control: what the script says (name, class, styles, geometry in dialog
// units, text) and the geometry in pixels worked out from it.
struct DialogRecord {
  std::string name;
  std::string className;
  int32_t style = 0;
  int32_t exStyle = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t w = 0;
  int32_t h = 0;
  int32_t px = 0;
  int32_t py = 0;
  int32_t pw = 0;
  int32_t ph = 0;
  std::string text;
  // A control's name as a BASIC identifier, unique within its dialog.
  std::string identifier;
};
using ControlRecord = DialogRecord;

// The dialog base units: average character width and character height of the dialog font.
struct BaseUnits {
  int32_t cx = 0;
  int32_t cy = 0;
};

}  // namespace fw
