#include "dump.h"

#include <wx/listctrl.h>
#include <wx/textentry.h>
#include <wx/toplevel.h>

#include <cstdio>

namespace wxc {

namespace {

std::string Utf8(const wxString& text) {
  return text.utf8_str().data();
}

std::string Rect(const wxRect& r) {
  return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) + "," +
         std::to_string(r.height);
}

void DescribeList(wxListCtrl& list, std::string& out) {
  const std::string id = std::to_string(list.GetId());
  out += "list id=" + id + " report=" + (list.InReportView() ? "1" : "0") +
         " columns=" + std::to_string(list.GetColumnCount()) +
         " rows=" + std::to_string(list.GetItemCount()) + "\n";
  for (int c = 0; c < list.GetColumnCount(); ++c) {
    wxListItem column;
    column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH);
    list.GetColumn(c, column);
    out += "column id=" + id + " index=" + std::to_string(c) +
           " width=" + std::to_string(column.GetWidth()) + " heading=\"" + Utf8(column.GetText()) +
           "\"\n";
  }
  const int cells = list.InReportView() ? list.GetColumnCount() : 1;
  for (long r = 0; r < list.GetItemCount(); ++r) {
    wxRect rect;
    list.GetItemRect(r, rect);
    rect.SetPosition(list.ClientToScreen(rect.GetPosition()));
    std::string texts;
    for (int c = 0; c < cells; ++c) texts += (c ? "|" : "") + Utf8(list.GetItemText(r, c));
    out += "row id=" + id + " index=" + std::to_string(r) + " screen=" + Rect(rect) + " cells=\"" +
           texts + "\"\n";
  }
}

void DescribeWindow(wxWindow& window, std::string& out) {
  wxRect screen = window.GetScreenRect();
  out += "window " + Utf8(window.GetClassInfo()->GetClassName()) +
         " id=" + std::to_string(window.GetId()) + " pos=" + Rect(window.GetRect()) +
         " screen=" + Rect(screen) + " client=" + Rect(window.GetClientRect());
  if (auto* entry = dynamic_cast<wxTextEntry*>(&window)) {
    out += " value=\"" + Utf8(entry->GetValue()) + "\"";
  } else {
    out += " label=\"" + Utf8(window.GetLabel()) + "\"";
  }
  out += "\n";
  // A list view's children are its own header and rows, described by DescribeList.
  if (auto* list = dynamic_cast<wxListCtrl*>(&window)) return DescribeList(*list, out);
  for (wxWindow* child : window.GetChildren()) DescribeWindow(*child, out);
}

}  // namespace

std::string DescribeWindows() {
  std::string out;
  for (wxWindow* top : wxTopLevelWindows) DescribeWindow(*top, out);
  out += "end\n";
  return out;
}

void WriteDump(const char* path) {
  const std::string text = DescribeWindows();
  const std::string temporary = std::string(path) + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (std::fclose(file) == 0 && written) {
    std::rename(temporary.c_str(), path);
  } else {
    std::remove(temporary.c_str());
  }
}

}  // namespace wxc
