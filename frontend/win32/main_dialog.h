// The main dialog (resource 1000): its procedure and the handlers it hands messages to.
#pragma once

#include <windows.h>
// <windows.h> maps CreateFontIndirect to its ANSI or wide form; the Display method of that
// name must keep its own.
#undef CreateFontIndirect
#include <commdlg.h>

#include <string>

#include "generator/run.h"

namespace fw {

// What the dialog works on, alive for the whole program. WinMain passes it to the dialog as
// the creation parameter.
struct MainDialogContext {
  // What carries over from run to run: the measured base units (Session), the chosen script
  // and the multi-file mode (RunOptions); the template set is read from the list at each run.
  Session& session;
  RunOptions& options;
  Platform platform;
  // The folder holding the template sets: "template" beside the executable.
  std::string templateFolder;
  // The chooser's in/out path; after a run it holds the template name the run used, which
  // the next chooser shows as its initial file name.
  char PathBuffer[MAX_PATH] = {};
  OPENFILENAMEA chooser = {};
};

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The handlers. Each returns 0 when it handled the message.
int OnInitDialog(HWND dialog);
int OnRcFileClicked(HWND dialog);
int OnTemplateChanged(HWND dialog, int unused, INT_PTR* result);
int OnMultiFileClicked(HWND dialog);
int OnFullSyntaxClicked(HWND dialog);
int OnSize(HWND dialog, WPARAM sizeType, int width, int height);
int OnNotify(HWND dialog, WPARAM controlId, NMHDR* header, INT_PTR* result);
int OnTimer(HWND dialog, UINT timerId);
int OnClose(HWND dialog);
int OnDestroy(HWND dialog);

}  // namespace fw
