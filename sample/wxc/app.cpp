// The application object and its event loop.
#include <errno.h>  // program_invocation_name
#include <wx/app.h>
#include <wx/init.h>
#include <wx/timer.h>

#include <cstdlib>
#include <memory>

#include "diag.h"
#include "dump.h"
#include "wxc.h"

namespace {

// A wxApp whose start-up and exit are the caller's callbacks.
class App : public wxApp {
 public:
  App() { wxc::QuietenWxDiagnostics(); }

  void Register(WxcInitFunc on_init, WxcExitFunc on_exit) {
    on_init_ = on_init;
    on_exit_ = on_exit;
  }

  bool OnInit() override {
    const bool ok = on_init_ ? on_init_(reinterpret_cast<WxcApp*>(this)) != 0 : wxApp::OnInit();
    if (ok) DumpLater();
    return ok;
  }
  int OnExit() override { return on_exit_ ? on_exit_() : wxApp::OnExit(); }

  bool BaseOnInit() { return wxApp::OnInit(); }
  int BaseOnExit() { return wxApp::OnExit(); }

 private:
  // With WXC_DUMP set, describes the windows once start-up is over and the toolkit has had half
  // a second to lay them out.
  void DumpLater() {
    if (!std::getenv("WXC_DUMP")) return;
    Bind(wxEVT_TIMER, [](wxTimerEvent&) {
      if (const char* path = std::getenv("WXC_DUMP")) wxc::WriteDump(path);
    });
    dump_timer_ = std::make_unique<wxTimer>(this);
    dump_timer_->StartOnce(500);
  }

  WxcInitFunc on_init_ = nullptr;
  WxcExitFunc on_exit_ = nullptr;
  std::unique_ptr<wxTimer> dump_timer_;
};

App* ToApp(WxcApp* handle) {
  return reinterpret_cast<App*>(handle);
}

}  // namespace

extern "C" {

WxcApp* wxApp_ctor(void) {
  auto* app = new App();
  wxApp::SetInstance(app);
  return reinterpret_cast<WxcApp*>(app);
}

void wxApp_RegisterVirtual(WxcApp* app, WxcInitFunc on_init, WxcExitFunc on_exit) {
  if (app) ToApp(app)->Register(on_init, on_exit);
}

int wxApp_Run(int argc, char** argv) {
  // Without arguments, the toolkit still gets the program's name: it names the windows' class
  // after it and reads its own options from the rest.
  char* fallback[] = {program_invocation_name, nullptr};
  if (argc <= 0 || !argv) {
    argc = 1;
    argv = fallback;
  }
  return wxEntry(argc, argv);
}

int wxApp_OnInit(WxcApp* app) {
  return app && ToApp(app)->BaseOnInit() ? 1 : 0;
}

int wxApp_OnExit(WxcApp* app) {
  return app ? ToApp(app)->BaseOnExit() : 0;
}

}  // extern "C"
