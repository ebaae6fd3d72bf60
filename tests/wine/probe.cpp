// fw-probe: reads the state of a running main dialog for the windowed test, as a second
// process does on a real desktop. The test clicks and types with xdotool; this tells it
// where the controls are and what they show.
//
//   fw-probe list            the template list's entries, one a line, then "selected=N"
//   fw-probe status          the status line's text
//   fw-probe checked         1 when "Multiple dialog files" is ticked, else 0
//   fw-probe center ID       screen position "X Y" of the middle of control ID
//   fw-probe chooser-edit    screen position of the file chooser's file name field
//   fw-probe close-box       screen position of the dialog's close box
//   fw-probe metrics         the frame and caption metrics "CXFRAME,CYFRAME,CYCAPTION"
//
// Exit code 0 on success, 2 when the window (or control) is not there.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kTemplateList = 1002;
constexpr int kMultiFile = 1003;
constexpr int kStatus = 1004;

HWND MainDialog() {
  return FindWindowA("#32770", "Formwright");
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

int PrintCenter(HWND window) {
  if (window == nullptr) return 2;
  RECT r;
  GetWindowRect(window, &r);
  std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  return 0;
}

int List(HWND dialog) {
  HWND list = GetDlgItem(dialog, kTemplateList);
  LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    // The wide form: Wine hands the ANSI one across processes as a wide text.
    wchar_t wide[MAX_PATH + 1] = {};
    SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
    char text[2 * MAX_PATH + 2] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    std::printf("%s\n", text);
  }
  std::printf("selected=%ld\n", static_cast<long>(SendMessageA(list, CB_GETCURSEL, 0, 0)));
  return 0;
}

BOOL CALLBACK FindEdit(HWND child, LPARAM found) {
  char cls[32] = {};
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Edit") != 0 || !IsWindowVisible(child)) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// The chooser is the one visible dialog owned by the main dialog.
int ChooserEdit(HWND dialog) {
  HWND chooser = nullptr;
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w != nullptr;
       w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
    if (GetWindow(w, GW_OWNER) == dialog && IsWindowVisible(w)) chooser = w;
  }
  if (chooser == nullptr) return 2;
  HWND edit = nullptr;
  EnumChildWindows(chooser, FindEdit, reinterpret_cast<LPARAM>(&edit));
  return PrintCenter(edit);
}

// Walks the caption from the right until the dialog itself says "close box" there.
int CloseBox(HWND dialog) {
  RECT r;
  GetWindowRect(dialog, &r);
  int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  for (int x = r.right - 1; x > r.left; --x) {
    LRESULT hit = SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(x, y));
    if (hit == HTCLOSE) {
      std::printf("%d %d\n", x - GetSystemMetrics(SM_CXSIZE) / 2 + 2, y);
      return 0;
    }
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "metrics") {
    std::printf("%d,%d,%d\n", GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME),
                GetSystemMetrics(SM_CYCAPTION));
    return 0;
  }
  HWND dialog = MainDialog();
  if (dialog == nullptr) return 2;
  if (command == "list") return List(dialog);
  if (command == "status") {
    std::printf("%s\n", TextOf(GetDlgItem(dialog, kStatus)).c_str());
    return 0;
  }
  if (command == "checked") {
    std::printf("%d\n", IsDlgButtonChecked(dialog, kMultiFile) == BST_CHECKED ? 1 : 0);
    return 0;
  }
  if (command == "center" && argc > 2) return PrintCenter(GetDlgItem(dialog, std::atoi(argv[2])));
  if (command == "chooser-edit") return ChooserEdit(dialog);
  if (command == "close-box") return CloseBox(dialog);
  std::fprintf(stderr,
               "usage: fw-probe list|status|checked|center ID|chooser-edit|close-box|metrics\n");
  return 1;
}
