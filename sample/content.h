// The sample content of dlgsample's combo box and list views.
#ifndef DLGSAMPLE_CONTENT_H_
#define DLGSAMPLE_CONTENT_H_

#include "wxc/wxc.h"

namespace dlgsample {

// Appends "r 0" to "r 3".
void FillCombo(WxcWindow* combo);

// Three columns "Col0" to "Col2" of width 60, three rows, cell r,c reading "RrCc".
void FillListView(WxcWindow* list);

}  // namespace dlgsample

#endif  // DLGSAMPLE_CONTENT_H_
