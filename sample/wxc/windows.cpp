// Frames, panels, static texts, buttons and text fields, and what every window can do.
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "handles.h"
#include "text.h"

using namespace wxc;

extern "C" {

WxcSize* wxSize_ctor(int width, int height) {
  return ToHandle(new wxSize(width, height));
}

WxcWindow* wxFrame_ctor(void) {
  return ToHandle(new wxFrame());
}

int wxFrame_Create(WxcWindow* self, WxcWindow* parent, int id, const char* title,
                   const WxcSize* pos, const WxcSize* size, long style, const char* name) {
  auto* frame = As<wxFrame>(self);
  return frame && frame->Create(ToWindow(parent), id, FromBytes(title), PointOf(pos), SizeOf(size),
                                style, NameOr(name, wxFrameNameStr));
}

WxcWindow* wxPanel_ctor(void) {
  return ToHandle(new wxPanel());
}

int wxPanel_Create(WxcWindow* self, WxcWindow* parent, int id, const WxcSize* pos,
                   const WxcSize* size, long style, const char* name) {
  auto* panel = As<wxPanel>(self);
  return panel && parent &&
         panel->Create(ToWindow(parent), id, PointOf(pos), SizeOf(size), style,
                       NameOr(name, wxPanelNameStr));
}

WxcWindow* wxStaticText_ctor(void) {
  return ToHandle(new wxStaticText());
}

int wxStaticText_Create(WxcWindow* self, WxcWindow* parent, int id, const char* label,
                        const WxcSize* pos, const WxcSize* size, long style, const char* name) {
  auto* text = As<wxStaticText>(self);
  return text && parent &&
         text->Create(ToWindow(parent), id, FromBytes(label), PointOf(pos), SizeOf(size), style,
                      NameOr(name, wxStaticTextNameStr));
}

WxcWindow* wxButton_ctor(void) {
  return ToHandle(new wxButton());
}

int wxButton_Create(WxcWindow* self, WxcWindow* parent, int id, const char* label,
                    const WxcSize* pos, const WxcSize* size, long style,
                    const WxcValidator* validator, const char* name) {
  auto* button = As<wxButton>(self);
  return button && parent &&
         button->Create(ToWindow(parent), id, FromBytes(label), PointOf(pos), SizeOf(size), style,
                        ValidatorOf(validator), NameOr(name, wxButtonNameStr));
}

WxcWindow* wxTextCtrl_ctor(void) {
  return ToHandle(new wxTextCtrl());
}

int wxTextCtrl_Create(WxcWindow* self, WxcWindow* parent, int id, const char* value,
                      const WxcSize* pos, const WxcSize* size, long style,
                      const WxcValidator* validator, const char* name) {
  auto* text = As<wxTextCtrl>(self);
  return text && parent &&
         text->Create(ToWindow(parent), id, FromBytes(value), PointOf(pos), SizeOf(size), style,
                      ValidatorOf(validator), NameOr(name, wxTextCtrlNameStr));
}

void wxWindow_GetClientRect(WxcWindow* self, WxcRect* rect) {
  if (!self || !rect) return;
  const wxRect r = ToWindow(self)->GetClientRect();
  *rect = WxcRect{r.x, r.y, r.width, r.height};
}

void wxWindow_CenterOnScreen(WxcWindow* self, int direction) {
  if (self) ToWindow(self)->Centre(direction | wxCENTRE_ON_SCREEN);
}

int wxWindow_Show(WxcWindow* self, int show) {
  return self && ToWindow(self)->Show(show != 0);
}

}  // extern "C"
