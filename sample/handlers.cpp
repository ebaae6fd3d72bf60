#include "handlers.h"

#include <string>

#include "styles.h"

namespace dlgsample {

namespace {

void ShowEvent(const std::string& message) {
  WxcSize* pos = wxSize_ctor(-1, -1);
  wxMsgBox(nullptr, message.c_str(), "Event", kMessageBoxStyle, pos);
}

// The prefix and the index in decimal, "-1" when nothing is selected.
void ShowSelection(const char* prefix, long index) {
  ShowEvent(prefix + std::to_string(index));
}

}  // namespace

// Reads the panel's client area and leaves the controls where they are.
void OnPanelSize(WxcEvent* event, int) {
  WxcRect rect;
  wxWindow_GetClientRect(wxEvent_GetEventObject(event), &rect);
}

void OnBtn1Clicked(WxcEvent*, int) {
  ShowEvent("IDC_BTN1_Clicked");
}
void OnBtn2Clicked(WxcEvent*, int) {
  ShowEvent("IDC_BTN2_Clicked");
}
void OnBtn3Clicked(WxcEvent*, int) {
  ShowEvent("IDC_BTN3_Clicked");
}
void OnBtn4Clicked(WxcEvent*, int) {
  ShowEvent("IDC_BTN4_Clicked");
}

void OnCbo1Selected(WxcEvent* event, int) {
  ShowSelection("IDC_CBO1_Selected ", wxComboBox_GetSelection(wxEvent_GetEventObject(event)));
}

void OnLsv1Selected(WxcEvent* event, int) {
  ShowSelection("IDC_LSV1_Selected ", wxListView_GetFirstSelected(wxEvent_GetEventObject(event)));
}

void OnLsv2Selected(WxcEvent* event, int) {
  ShowSelection("IDC_LSV2_Selected ", wxListView_GetFirstSelected(wxEvent_GetEventObject(event)));
}

}  // namespace dlgsample
