#include "reader/control_parser.h"

#include <algorithm>

#include "engine/template_loader.h"
#include "textutil/number.h"
#include "textutil/text.h"

namespace fw {

int32_t ParseStyle(std::string_view field) {
  char copy[64];
  if (field.size() > sizeof copy) return ParseInteger(ReplaceAll("0x", "&h", field));
  // "&h" is as long as "0x": the replacement is made in place on a copy, left to right.
  std::copy(field.begin(), field.end(), copy);
  for (size_t i = 0; i + 1 < field.size(); ++i) {
    if (copy[i] == '0' && copy[i + 1] == 'x') {
      copy[i] = '&';
      copy[++i] = 'h';
    }
  }
  return ParseInteger(std::string_view(copy, field.size()));
}

void ParseControlStatement(GenerationState& state, const std::string& line) {
  ResetRecord(state, state.CurrentControl);
  ControlRecord& c = state.CurrentControl;
  std::string_view a[9];  // text, id, class, style, x, y, w, h, extended style
  FieldViews(FieldViewAt(line, "CONTROL ", 2), ",", a);
  std::string_view b = FieldViewAt(line, "CONTROL", 2);
  c.text = RemoveQuotes(a[0]);
  c.name = FieldViewAt(b, ",", 2);
  c.className = RemoveQuotes(a[2]);
  c.style = ParseStyle(a[3]);
  c.x = ParseInteger(a[4]);
  c.y = ParseInteger(a[5]);
  c.w = ParseInteger(a[6]);
  c.h = ParseInteger(a[7]);
  const BaseUnits& u = state.DialogBaseUnits;
  c.px = MulDiv(c.x, u.cx, 4);
  c.py = MulDiv(c.y, u.cy, 8);
  c.pw = MulDiv(c.w, u.cx, 4);
  c.ph = MulDiv(c.h, u.cy, 8);
  c.exStyle = ParseStyle(a[8]);
}

void ParseControlStatements(GenerationState& state, Platform& platform) {
  LineReader& script = *state.ScriptFile;
  std::string& line = state.LineBuffer;
  while (!script.AtEnd()) {
    script.ReadLine(line);
    line = std::string(Trim(line));
    if (StartsWith(line, "CONTROL")) {
      state.CtlStyleMap.clear();
      state.CtlExStyleMap.clear();
      ParseControlStatement(state, line);
      LoadControlTemplate(state, platform);
    } else if (StartsWith(line, "END")) {
      return;
    }
  }
}

}  // namespace fw
