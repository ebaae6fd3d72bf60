#include "engine/substitute.h"

#include <array>

#include "engine/style_names.h"
#include "textutil/number.h"

namespace fw {

namespace {

constexpr std::array<std::string_view, 13> kControlPlaceholders = {
    "~DLGNAME~", "~CTLID~", "~CTLTEXT~", "~CTLX~",  "~CTLY~",     "~CTLW~",      "~CTLH~",
    "~CTLPX~",   "~CTLPY~", "~CTLPW~",   "~CTLPH~", "~CTLSTYLE~", "~CTLEXSTYLE~"};

// EventText takes the control placeholders after each control and these at the end of a
// dialog. Its "~WM_INITDIALOG~" waits for the dialog's end, so it is settled on its own: in the
// control set it would hold back every control's search.
constexpr std::array<std::string_view, 2> kEventPlaceholders = {"~WM_INITDIALOG~", "~DLGNAME~"};

constexpr std::array<std::string_view, 19> kDlgProcPlaceholders = {
    "~DIM~",      "~DLGNAME~",   "~DLGX~",       "~DLGY~",          "~DLGW~",
    "~DLGH~",     "~DLGPX~",     "~DLGPY~",      "~DLGPW~",         "~DLGPH~",
    "~DLGTEXT~",  "~DLGSTYLE~",  "~DLGEXSTYLE~", "~WM_INITDIALOG~", "~WM_COMMAND~",
    "~WM_CLOSE~", "~WM_NOTIFY~", "~WM_TIMER~",   "~WM_DESTROY~"};

template <size_t N>
PlaceholderSet SetOf(const std::array<std::string_view, N>& items) {
  return PlaceholderSet{items.data(), N};
}

}  // namespace

PlaceholderSet ControlPlaceholders() {
  return SetOf(kControlPlaceholders);
}
PlaceholderSet EventPlaceholders() {
  return SetOf(kEventPlaceholders);
}
PlaceholderSet DlgProcPlaceholders() {
  return SetOf(kDlgProcPlaceholders);
}

ControlValues MakeControlValues(const GenerationState& state) {
  const DialogRecord& c = state.CurrentControl;
  return ControlValues{{state.CurrentDialog.name, c.name, c.text, IntegerToText(c.x),
                        IntegerToText(c.y), IntegerToText(c.w), IntegerToText(c.h),
                        IntegerToText(c.px), IntegerToText(c.py), IntegerToText(c.pw),
                        IntegerToText(c.ph), StyleFlagNames(c.style, state.CtlStyleMap),
                        StyleFlagNames(c.exStyle, state.CtlExStyleMap)}};
}

void SubstituteControlFields(const GenerationState& /*state*/, const ControlValues& values,
                             Buffer& buffer) {
  for (size_t i = 0; i < kControlPlaceholders.size(); ++i) {
    buffer.Replace(kControlPlaceholders[i], values.values[i]);
  }
  buffer.Settle(ControlPlaceholders());
}

void SubstituteControlFields(GenerationState& state, Buffer& buffer) {
  SubstituteControlFields(state, MakeControlValues(state), buffer);
}

void SubstituteDialogFields(GenerationState& state) {
  const DialogRecord& d = state.CurrentDialog;
  state.EventText.Replace("~WM_INITDIALOG~", state.WmInitDialogText.text());
  state.EventText.Replace("~DLGNAME~", d.name);
  state.EventText.Settle(EventPlaceholders());

  Buffer& p = state.DlgProcText;
  p.Replace("~DIM~", state.DimText.text());
  p.Replace("~DLGNAME~", d.name);
  p.Replace("~DLGX~", IntegerToText(d.x));
  p.Replace("~DLGY~", IntegerToText(d.y));
  p.Replace("~DLGW~", IntegerToText(d.w));
  p.Replace("~DLGH~", IntegerToText(d.h));
  p.Replace("~DLGPX~", IntegerToText(d.px));
  p.Replace("~DLGPY~", IntegerToText(d.py));
  p.Replace("~DLGPW~", IntegerToText(d.pw));
  p.Replace("~DLGPH~", IntegerToText(d.ph));
  p.Replace("~DLGTEXT~", d.text);
  p.Replace("~DLGSTYLE~", StyleFlagNames(d.style, state.DlgStyleMap));
  p.Replace("~DLGEXSTYLE~", StyleFlagNames(d.exStyle, state.DlgExStyleMap));
  p.Replace("~WM_INITDIALOG~", state.WmInitDialogText.text());
  p.Replace("~WM_COMMAND~", state.WmCommandText.text());
  p.Replace("~WM_CLOSE~", state.WmCloseText.text());
  p.Replace("~WM_NOTIFY~", state.WmNotifyText.text());
  p.Replace("~WM_TIMER~", state.WmTimerText.text());
  p.Replace("~WM_DESTROY~", state.WmDestroyText.text());
  p.Settle(DlgProcPlaceholders());
}

}  // namespace fw
