// dlgsample's event handlers: each control event is answered with a message box naming it.
#ifndef DLGSAMPLE_HANDLERS_H_
#define DLGSAMPLE_HANDLERS_H_

#include "wxc/wxc.h"

namespace dlgsample {

void OnPanelSize(WxcEvent* event, int unused);
void OnBtn1Clicked(WxcEvent* event, int unused);
void OnBtn2Clicked(WxcEvent* event, int unused);
void OnBtn3Clicked(WxcEvent* event, int unused);
void OnBtn4Clicked(WxcEvent* event, int unused);
void OnCbo1Selected(WxcEvent* event, int unused);
void OnLsv1Selected(WxcEvent* event, int unused);
void OnLsv2Selected(WxcEvent* event, int unused);

}  // namespace dlgsample

#endif  // DLGSAMPLE_HANDLERS_H_
