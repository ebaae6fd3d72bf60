#include "reader/control_parser.h"

#include "engine/template_loader.h"
#include "textutil/number.h"
#include "textutil/text.h"

namespace fw {

namespace {

// A style field: "0x" rewritten as "&h", then read as a number.
int32_t ParseStyle(std::string_view field) {
  return ParseInteger(ReplaceAll("0x", "&h", field));
}

}  // namespace

void ParseControlStatement(GenerationState& state, const std::string& line) {
  ResetRecord(state, state.CurrentControl);
  ControlRecord& c = state.CurrentControl;
  std::string_view a = FieldViewAt(line, "CONTROL ", 2);
  std::string_view b = FieldViewAt(line, "CONTROL", 2);
  c.text = RemoveQuotes(FieldViewAt(a, ",", 1));
  c.name = FieldViewAt(b, ",", 2);
  c.className = RemoveQuotes(FieldViewAt(a, ",", 3));
  c.style = ParseStyle(FieldViewAt(a, ",", 4));
  c.x = ParseInteger(FieldViewAt(a, ",", 5));
  c.y = ParseInteger(FieldViewAt(a, ",", 6));
  c.w = ParseInteger(FieldViewAt(a, ",", 7));
  c.h = ParseInteger(FieldViewAt(a, ",", 8));
  const BaseUnits& u = state.DialogBaseUnits;
  c.px = MulDiv(c.x, u.cx, 4);
  c.py = MulDiv(c.y, u.cy, 8);
  c.pw = MulDiv(c.w, u.cx, 4);
  c.ph = MulDiv(c.h, u.cy, 8);
  c.exStyle = ParseStyle(FieldViewAt(a, ",", 9));
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
