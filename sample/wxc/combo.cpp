// Combo boxes.
#include <wx/arrstr.h>
#include <wx/combobox.h>

#include "handles.h"
#include "text.h"

using namespace wxc;

extern "C" {

WxcWindow* wxComboBox_ctor(void) {
  return ToHandle(new wxComboBox());
}

int wxComboBox_Create(WxcWindow* self, WxcWindow* parent, int id, const char* value,
                      const WxcSize* pos, const WxcSize* size, int n, const char* const* choices,
                      long style, const WxcValidator* validator, const char* name) {
  auto* combo = As<wxComboBox>(self);
  if (!combo || !parent) return 0;
  wxArrayString items;
  for (int i = 0; choices && i < n; ++i) items.Add(FromBytes(choices[i]));
  return combo->Create(ToWindow(parent), id, FromBytes(value), PointOf(pos), SizeOf(size), items,
                       style, ValidatorOf(validator), NameOr(name, wxComboBoxNameStr));
}

int wxComboBox_Append(WxcWindow* self, const char* item) {
  auto* combo = As<wxComboBox>(self);
  return combo ? combo->Append(FromBytes(item)) : -1;
}

int wxComboBox_GetSelection(WxcWindow* self) {
  auto* combo = As<wxComboBox>(self);
  return combo ? combo->GetSelection() : -1;
}

}  // extern "C"
