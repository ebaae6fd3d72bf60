// dlgsample: a window of thirteen controls built through wx-c, answering each control event
// with a message box that names it.
#include "window.h"
#include "wxc/wxc.h"

namespace {

// Held for the whole run; the two callbacks hand it back to the application's own behaviour.
WxcApp* g_app = nullptr;

int AppOnInit(WxcApp*) {
  dlgsample::BuildMainWindow();
  return wxApp_OnInit(g_app);
}

int AppOnExit(void) {
  return wxApp_OnExit(g_app);
}

}  // namespace

int main() {
  g_app = wxApp_ctor();
  wxApp_RegisterVirtual(g_app, AppOnInit, AppOnExit);
  wxApp_Run(0, nullptr);
  return 0;
}
