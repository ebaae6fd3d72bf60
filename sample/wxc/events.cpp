// Event routing: each window has at most one handler function, named with wxEvtHandler_proxy;
// wxEvtHandler_Connect binds event types and ids of that window to whatever handler the window
// has when the event arrives.
#include <wx/combobox.h>
#include <wx/event.h>
#include <wx/listctrl.h>

#include <unordered_map>

#include "handles.h"

using namespace wxc;

namespace {

std::unordered_map<const wxEvtHandler*, WxcEventFunc>& Handlers() {
  static std::unordered_map<const wxEvtHandler*, WxcEventFunc> handlers;
  return handlers;
}

// Calls the window's handler, then lets wxWidgets go on with the event as if nobody had seen
// it, so that the controls' own behaviour stays as it is.
class Dispatch {
 public:
  Dispatch(wxWindow* window, int data) : window_(window), data_(data) {}

  void operator()(wxEvent& event) const {
    event.Skip();
    auto found = Handlers().find(window_);
    if (found != Handlers().end() && found->second) {
      found->second(reinterpret_cast<WxcEvent*>(&event), data_);
    }
  }

 private:
  wxWindow* window_;
  int data_;
};

// A destroyed window's address may be reused by the next window; its handler must not be.
void ForgetOnDestroy(wxWindow* window) {
  window->Bind(wxEVT_DESTROY, [window](wxWindowDestroyEvent& event) {
    event.Skip();
    if (event.GetEventObject() == window) Handlers().erase(window);
  });
}

}  // namespace

extern "C" {

void wxEvtHandler_proxy(WxcWindow* self, WxcEventFunc handler) {
  if (!self) return;
  wxWindow* window = ToWindow(self);
  if (Handlers().insert_or_assign(window, handler).second) ForgetOnDestroy(window);
}

void wxEvtHandler_Connect(WxcWindow* self, int event_type, int id, int last_id, int data) {
  if (!self) return;
  wxWindow* window = ToWindow(self);
  window->Bind(wxEventTypeTag<wxEvent>(event_type), Dispatch(window, data), id, last_id);
}

int wxEvent_EVT_COMMAND_BUTTON_CLICKED(void) {
  return wxEVT_BUTTON;
}
int wxEvent_EVT_COMMAND_COMBOBOX_SELECTED(void) {
  return wxEVT_COMBOBOX;
}
int wxEvent_EVT_COMMAND_LIST_ITEM_SELECTED(void) {
  return wxEVT_LIST_ITEM_SELECTED;
}
int wxEvent_EVT_SIZE(void) {
  return wxEVT_SIZE;
}

WxcWindow* wxEvent_GetEventObject(WxcEvent* event) {
  if (!event) return nullptr;
  auto* sender = reinterpret_cast<wxEvent*>(event)->GetEventObject();
  return ToHandle(dynamic_cast<wxWindow*>(sender));
}

}  // extern "C"
