#include "engine/substitute.h"

#include <array>

#include "engine/style_names.h"
#include "engine/template_loader.h"
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

ControlValues MakeControlValues(GenerationState& state) {
  const DialogRecord& c = state.CurrentControl;
  return ControlValues{{state.CurrentDialog.name, c.name, c.text, IntegerToText(c.x),
                        IntegerToText(c.y), IntegerToText(c.w), IntegerToText(c.h),
                        IntegerToText(c.px), IntegerToText(c.py), IntegerToText(c.pw),
                        IntegerToText(c.ph), state.styleMaps.FlagNames(c.style, state.CtlStyleMap),
                        state.styleMaps.FlagNames(c.exStyle, state.CtlExStyleMap)}};
}

void SubstituteControlFields(GenerationState& state, Buffer& buffer) {
  ControlValues values = MakeControlValues(state);
  std::string_view views[kControlPlaceholders.size()];
  for (size_t i = 0; i < kControlPlaceholders.size(); ++i) views[i] = values.values[i];
  buffer.Substitute(ControlPlaceholders(), views);
}

void SubstituteDialogFields(GenerationState& state) {
  const DialogRecord& d = state.CurrentDialog;
  std::string_view event[] = {state.WmInitDialogText.text(), d.name};
  state.EventText.Substitute(EventPlaceholders(), event);

  // In the order of kDlgProcPlaceholders.
  std::string numbers[] = {IntegerToText(d.x),  IntegerToText(d.y),  IntegerToText(d.w),
                           IntegerToText(d.h),  IntegerToText(d.px), IntegerToText(d.py),
                           IntegerToText(d.pw), IntegerToText(d.ph)};
  const std::string& style = state.styleMaps.FlagNames(d.style, state.DlgStyleMap);
  const std::string& exStyle = state.styleMaps.FlagNames(d.exStyle, state.DlgExStyleMap);
  std::string_view procedure[] = {state.DimText.text(),
                                  d.name,
                                  numbers[0],
                                  numbers[1],
                                  numbers[2],
                                  numbers[3],
                                  numbers[4],
                                  numbers[5],
                                  numbers[6],
                                  numbers[7],
                                  d.text,
                                  style,
                                  exStyle,
                                  state.WmInitDialogText.text(),
                                  state.WmCommandText.text(),
                                  state.WmCloseText.text(),
                                  state.WmNotifyText.text(),
                                  state.WmTimerText.text(),
                                  state.WmDestroyText.text()};
  AppendDialogProcedure(state, procedure);
}

}  // namespace fw
