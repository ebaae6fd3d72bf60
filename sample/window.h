// dlgsample's main window: dialog 1000 of dlgsample.rc, rebuilt control by control.
#ifndef DLGSAMPLE_WINDOW_H_
#define DLGSAMPLE_WINDOW_H_

#include "wxc/wxc.h"

namespace dlgsample {

// The panel that holds every control; null until BuildMainWindow has made it.
extern WxcWindow* g_panel;

// Makes the frame, its panel and the thirteen controls in the dialog's order, with their
// content and handlers, then centres the frame on the screen and shows it.
void BuildMainWindow();

}  // namespace dlgsample

#endif  // DLGSAMPLE_WINDOW_H_
