// Entry of the windowed program: runs the main dialog until it is closed.
#include <windows.h>
#undef CreateFontIndirect

#include "frontend/win32/main_dialog.h"
#include "frontend/win32/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::unique_ptr<fw::FileSystem> files = fw::MakePlatformFileSystem();
  std::unique_ptr<fw::Display> display = fw::MakePlatformDisplay();
  // The session and the options live as long as the program, so the chosen script, the mode
  // and the measured units carry over from one run to the next.
  fw::Session session;
  fw::RunOptions options;
  auto context = std::make_unique<fw::MainDialogContext>(fw::MainDialogContext{
      session, options, fw::Platform{*files, *display}, files->ExecutableFolder() + "\\template"});
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, fw::MainDialogProc,
                  reinterpret_cast<LPARAM>(context.get()));
  return 0;
}
