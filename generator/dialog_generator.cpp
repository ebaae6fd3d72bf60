#include "generator/dialog_generator.h"

#include "engine/substitute.h"
#include "generator/control_names.h"
#include "generator/dialog_font.h"
#include "generator/dialog_include.h"
#include "textutil/number.h"

namespace fw {

namespace {

constexpr uint32_t kWsCaption = 0x00C00000;

int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// The dialog's pixel geometry from the session's units, set afresh as the outer size of a
// framed window (so a caption height added by an earlier "STYLE" is lost).
void SetPixelGeometry(Generation& g, DialogRecord& d) {
  Display& display = g.platform.display;
  const BaseUnits& u = g.session.dialogBaseUnits;
  d.px = MulDiv(d.x, u.cx, 4);
  d.py = MulDiv(d.y, u.cy, 8);
  int32_t cxFrame = display.GetMetric(SystemMetric::kCxFrame);
  int32_t cyFrame = display.GetMetric(SystemMetric::kCyFrame);
  d.pw = WrappingAdd(MulDiv(d.w, u.cx, 4), WrappingAdd(cxFrame, cxFrame));
  d.ph = WrappingAdd(MulDiv(d.h, u.cy, 8), WrappingAdd(cyFrame, cyFrame));
}

// A "FONT" statement: the font is measured and its units become the session's.
void ApplyFont(Generation& g, DialogFonts& fonts, const DialogStatement& s, DialogRecord& d) {
  g.session.dialogBaseUnits = fonts.Measure(s.text, s.number, s.weight, s.italic, s.charSet);
  SetPixelGeometry(g, d);
}

bool HasFont(const ScriptDialog& dialog) {
  for (const DialogStatement& s : dialog.statements) {
    if (s.kind == DialogStatement::Kind::kFont) return true;
  }
  return false;
}

void ApplyStatement(Generation& g, DialogFonts& fonts, const DialogStatement& s, DialogRecord& d) {
  switch (s.kind) {
    case DialogStatement::Kind::kCaption:
      d.text = s.text;
      break;
    case DialogStatement::Kind::kFont:
      ApplyFont(g, fonts, s, d);
      break;
    case DialogStatement::Kind::kStyle:
      d.style = s.number;
      if ((static_cast<uint32_t>(d.style) & kWsCaption) == kWsCaption) {
        d.ph = WrappingAdd(d.ph, g.platform.display.GetMetric(SystemMetric::kCyCaption));
      }
      break;
    case DialogStatement::Kind::kExStyle:
      d.exStyle = s.number;
      break;
    case DialogStatement::Kind::kClass:
      d.className = s.text;
      break;
  }
}

// A control in pixels of the base units in effect: those of this dialog's last "FONT", else
// of the last dialog that had one.
ControlRecord ControlOf(const ControlStatement& s, const BaseUnits& u) {
  ControlRecord c;
  c.text = s.text;
  c.name = s.id;
  c.className = s.className;
  c.style = s.style;
  c.x = s.x;
  c.y = s.y;
  c.w = s.w;
  c.h = s.h;
  c.px = MulDiv(c.x, u.cx, 4);
  c.py = MulDiv(c.y, u.cy, 8);
  c.pw = MulDiv(c.w, u.cx, 4);
  c.ph = MulDiv(c.h, u.cy, 8);
  c.exStyle = s.exStyle;
  return c;
}

// The dialog's values: its header, then its statements in their order.
void ConvertDialog(Generation& g, const ScriptDialog& dialog, DialogRecord& d) {
  d.name = dialog.name;
  d.x = dialog.x;
  d.y = dialog.y;
  d.w = dialog.w;
  d.h = dialog.h;
  if (g.mainDialogName.empty()) g.mainDialogName = d.name;
  const ParsedTemplate& dialogTemplate = g.templates.Dialog();
  StyleMaps maps;
  AppendDialogSections(g.sections, maps, dialogTemplate);
  DialogFonts fonts(g.platform.display, g.measureDC);
  // The whole language gives a dialog without FONT the system font's units, as Windows does;
  // the narrow form keeps the last measured ones.
  if (g.options.fullSyntax && !HasFont(dialog)) {
    g.session.dialogBaseUnits = fonts.MeasureCurrent();
    SetPixelGeometry(g, d);
  }
  for (const DialogStatement& s : dialog.statements) ApplyStatement(g, fonts, s, d);
  ControlNames names;
  for (const ControlStatement& s : dialog.controls) {
    ControlRecord c = ControlOf(s, g.session.dialogBaseUnits);
    c.identifier = names.Take(s.id, s.idValue);
    AppendControl(g.sections, g.templates.ForClass(c.className), c, d.name, g.styles);
  }
  SubstituteDialogFields(g.sections, &dialogTemplate, d, maps, g.styles);
}

}  // namespace

void GenerateDialog(Generation& g, const ScriptDialog& dialog) {
  g.sections.EmptyScope(Scope::kDialog);
  if (g.options.multiFile) g.sections.EmptyScope(Scope::kIncludeFile);
  DialogRecord d;
  ConvertDialog(g, dialog, d);
  if (g.options.multiFile) WriteDialogInclude(g, d.name);
}

}  // namespace fw
