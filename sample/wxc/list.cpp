// List views. wxGTK refuses a list without a view mode, and columns, and cells beyond the first
// column, in every view but the report view (with assertions, which would otherwise open a
// dialog). Here such a list gets the icon view, which is what a list view without a view style
// shows on Windows, and calls its view cannot take are left out; each with a note on stderr,
// while the rest of the list is still built and filled.
#include <wx/listctrl.h>

#include "diag.h"
#include "handles.h"
#include "text.h"

using namespace wxc;

extern "C" {

WxcWindow* wxListView_ctor(void) {
  return ToHandle(new wxListView());
}

int wxListView_Create(WxcWindow* self, WxcWindow* parent, int id, const WxcSize* pos,
                      const WxcSize* size, long style, const WxcValidator* validator,
                      const char* name) {
  auto* list = As<wxListView>(self);
  if (!list || !parent) return 0;
  if (!(style & wxLC_MASK_TYPE)) {
    Note("list %d has no view mode, which wxGTK refuses: shown in icon view", id);
    style |= wxLC_ICON;
  }
  return list->Create(ToWindow(parent), id, PointOf(pos), SizeOf(size), style,
                      ValidatorOf(validator), NameOr(name, wxListCtrlNameStr));
}

WxcListItem* wxListItem_ctor(void) {
  return ToHandle(new wxListItem());
}

long wxListCtrl_InsertTextColumn(WxcWindow* self, long col, const char* heading, int format,
                                 int width) {
  auto* list = As<wxListCtrl>(self);
  if (!list) return -1;
  if (!list->InReportView()) {
    Note("list %d has no report view: column %ld \"%s\" left out", list->GetId(), col,
         heading ? heading : "");
    return -1;
  }
  return list->InsertColumn(col, FromBytes(heading), format, width);
}

long wxListCtrl_InsertItem(WxcWindow* self, const WxcListItem* item) {
  auto* list = As<wxListCtrl>(self);
  if (!list || !item) return -1;
  // A fresh item has no index (-1) in wxWidgets 3; it then goes at the end. A copy keeps the
  // caller's item as it was, so that it can be inserted again.
  wxListItem row = *ToListItem(item);
  const long count = list->GetItemCount();
  if (row.GetId() < 0 || row.GetId() > count) row.SetId(count);
  return list->InsertItem(row);
}

int wxListCtrl_SetItem_By_Row_Col(WxcWindow* self, long row, int col, const char* text, int image) {
  auto* list = As<wxListCtrl>(self);
  if (!list) return 0;
  const char* shown = text ? text : "";
  if (row < 0 || row >= list->GetItemCount()) {
    Note("list %d has no row %ld: \"%s\" left out", list->GetId(), row, shown);
    return 0;
  }
  const int columns = list->InReportView() ? list->GetColumnCount() : 1;
  if (col < 0 || col >= columns) {
    Note("list %d has no column %d%s: cell %ld,%d \"%s\" left out", list->GetId(), col,
         list->InReportView() ? "" : " outside the report view", row, col, shown);
    return 0;
  }
  return list->SetItem(row, col, FromBytes(text), image);
}

long wxListView_GetFirstSelected(WxcWindow* self) {
  auto* list = As<wxListView>(self);
  return list ? list->GetFirstSelected() : -1;
}

}  // extern "C"
