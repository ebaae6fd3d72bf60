#include "frontend/win32/template_list.h"

#include "frontend/win32/resource.h"
#include "textutil/text.h"

namespace fw {

namespace {

bool MatchesTplPattern(const std::string& name) {
  const std::string kSuffix = ".tpl";
  return name.size() >= kSuffix.size() &&
         EqualsIgnoringAsciiCase(name.substr(name.size() - kSuffix.size()), kSuffix);
}

}  // namespace

std::vector<std::string> TemplateSetNames(const std::vector<FolderEntry>& entries) {
  std::vector<std::string> names;
  for (const FolderEntry& e : entries) {
    if (e.isFolder || e.hidden || !MatchesTplPattern(e.name)) continue;
    names.push_back(FieldAt(e.name, ".", 1));
  }
  return names;
}

void FillTemplateList(HWND dialog, FileSystem& files, const std::string& templateFolder) {
  HWND list = GetDlgItem(dialog, IDC_TEMPLATE_LIST);
  for (const std::string& name : TemplateSetNames(files.ListFolder(templateFolder))) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SendMessageA(list, CB_SETCURSEL, 0, 0);
}

std::string SelectedTemplateName(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_TEMPLATE_LIST);
  LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return "";
  LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return "";
  std::string name(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied = SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(name.data()));
  name.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
  return name;
}

}  // namespace fw
