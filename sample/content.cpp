#include "content.h"

#include <string>

namespace dlgsample {

void FillCombo(WxcWindow* combo) {
  for (int r = 0; r < 4; ++r) wxComboBox_Append(combo, ("r " + std::to_string(r)).c_str());
}

void FillListView(WxcWindow* list) {
  WxcListItem* item = wxListItem_ctor();
  for (int c = 0; c < 3; ++c) {
    wxListCtrl_InsertTextColumn(list, c, ("Col" + std::to_string(c)).c_str(), 0, 60);
  }
  for (int r = 0; r < 3; ++r) wxListCtrl_InsertItem(list, item);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const std::string text = "R" + std::to_string(r) + "C" + std::to_string(c);
      wxListCtrl_SetItem_By_Row_Col(list, r, c, text.c_str(), 0);
    }
  }
}

}  // namespace dlgsample
