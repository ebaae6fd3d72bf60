#include "frontend/win32/main_dialog.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "frontend/win32/resource.h"
#include "frontend/win32/script_base.h"
#include "frontend/win32/status_line.h"
#include "frontend/win32/template_list.h"
#include "generator/run.h"

namespace fw {

namespace {

// The record size of the older ANSI chooser record (without the Windows 2000 fields): 76 bytes
// in a 32-bit build, 136 in this 64-bit one.
constexpr DWORD kChooserRecordSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
static_assert(sizeof(void*) != 8 || kChooserRecordSize == 136);

constexpr DWORD kChooserFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
static_assert(kChooserFlags == 6148);

MainDialogContext* ContextOf(HWND dialog) {
  return reinterpret_cast<MainDialogContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// Runs the chooser; true when a file was chosen, its path then in PathBuffer.
bool ChooseScript(HWND dialog, MainDialogContext& context) {
  OPENFILENAMEA& request = context.chooser;
  request = {};
  request.lStructSize = kChooserRecordSize;
  request.hwndOwner = dialog;
  request.hInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
  request.lpstrFilter = "RC Files (*.RC)\0*.RC\0";
  request.lpstrFile = context.PathBuffer;
  request.nMaxFile = sizeof context.PathBuffer;
  request.Flags = kChooserFlags;
  return GetOpenFileNameA(&request) != 0;
}

void CopyToPathBuffer(MainDialogContext& context, const std::string& text) {
  size_t n = std::min(text.size(), sizeof context.PathBuffer - 1);
  std::memcpy(context.PathBuffer, text.data(), n);
  context.PathBuffer[n] = '\0';
}

// What a handler's result means for the dialog manager: 0 (handled) gives `handled`.
INT_PTR Answer(int handlerResult, INT_PTR handled, INT_PTR otherwise) {
  return handlerResult == 0 ? handled : otherwise;
}

INT_PTR DispatchCommand(HWND dialog, WPARAM wParam) {
  WORD id = LOWORD(wParam);
  WORD code = HIWORD(wParam);
  if (id == IDC_RC_FILE && code == BN_CLICKED) return Answer(OnRcFileClicked(dialog), 1, 0);
  if (id == IDC_TEMPLATE_LIST && code == CBN_SELCHANGE) {
    INT_PTR result = 0;
    return Answer(OnTemplateChanged(dialog, 0, &result), 1, result);
  }
  if (id == IDC_MULTI_FILE && code == BN_CLICKED) return Answer(OnMultiFileClicked(dialog), 1, 0);
  if (id == IDC_FULL_SYNTAX && code == BN_CLICKED) {
    return Answer(OnFullSyntaxClicked(dialog), 1, 0);
  }
  // Anything else, Escape's IDCANCEL included, counts as handled: the dialog stays open.
  return 1;
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      return Answer(OnInitDialog(dialog), 1, 0);
    case WM_COMMAND:
      return DispatchCommand(dialog, wParam);
    case WM_SIZE:
      return Answer(OnSize(dialog, wParam, LOWORD(lParam), HIWORD(lParam)), 1, 0);
    case WM_NOTIFY: {
      INT_PTR result = 0;
      return Answer(OnNotify(dialog, wParam, reinterpret_cast<NMHDR*>(lParam), &result), 1, result);
    }
    case WM_TIMER:
      return Answer(OnTimer(dialog, LOWORD(wParam)), 1, 0);
    case WM_CLOSE:
      if (OnClose(dialog) != 0) return 0;
      EndDialog(dialog, 0);
      return 1;
    case WM_DESTROY:
      OnDestroy(dialog);
      return 0;
  }
  return 0;
}

int OnInitDialog(HWND dialog) {
  MainDialogContext* context = ContextOf(dialog);
  if (context != nullptr) {
    FillTemplateList(dialog, context->platform.files, context->templateFolder);
  }
  return 0;
}

int OnRcFileClicked(HWND dialog) {
  MainDialogContext* context = ContextOf(dialog);
  if (context == nullptr) return 0;
  RunOptions& options = context->options;
  // A cancelled chooser keeps the previous script, and the run is repeated on it.
  if (ChooseScript(dialog, *context))
    options.scriptBase = ScriptBaseFromChosen(context->PathBuffer);
  if (options.scriptBase.empty()) return 0;

  options.templateRoot = context->templateFolder;
  options.templateName = SelectedTemplateName(dialog);
  CopyToPathBuffer(*context, options.templateName);
  RunResult result = RunConversion(context->session, context->platform, options);
  SetDlgItemTextA(dialog, IDC_STATUS, StatusLineText(result, result.diagnostics).c_str());
  return 0;
}

int OnTemplateChanged(HWND, int, INT_PTR*) {
  return 0;
}

int OnMultiFileClicked(HWND dialog) {
  // The checkbox flips its own mark on the same clicks, so the flag and the mark stay equal.
  if (MainDialogContext* context = ContextOf(dialog)) {
    context->options.multiFile = !context->options.multiFile;
  }
  return 0;
}

int OnFullSyntaxClicked(HWND dialog) {
  if (MainDialogContext* context = ContextOf(dialog)) {
    context->options.fullSyntax = !context->options.fullSyntax;
  }
  return 0;
}

int OnSize(HWND, WPARAM, int, int) {
  return 0;
}

int OnNotify(HWND, WPARAM, NMHDR*, INT_PTR*) {
  return 0;
}

int OnTimer(HWND, UINT) {
  return 0;
}

int OnClose(HWND) {
  return 0;
}

int OnDestroy(HWND) {
  return 0;
}

}  // namespace fw
