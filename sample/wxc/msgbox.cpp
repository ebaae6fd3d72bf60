// Message boxes.
#include <wx/msgdlg.h>

#include "handles.h"
#include "text.h"
#include "trace.h"

using namespace wxc;

namespace {

// Every button wxWidgets can put on a message box.
constexpr long kButtons = wxOK | wxCANCEL | wxYES_NO | wxHELP;

}  // namespace

extern "C" {

int wxMsgBox(WxcWindow* parent, const char* message, const char* caption, long style,
             const WxcSize* pos) {
  TraceMessageBox(caption, message);
  // A box without buttons could not be closed but through the window manager.
  if (!(style & kButtons)) style |= wxOK;
  const wxPoint at = PointOf(pos);
  return wxMessageBox(FromBytes(message), FromBytes(caption), style, ToWindow(parent), at.x, at.y);
}

}  // extern "C"
