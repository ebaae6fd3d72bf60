#include "script/narrow_skips.h"

#include <array>
#include <cctype>
#include <vector>

#include "textutil/text.h"

namespace fw {

namespace {

constexpr std::array<std::string_view, 18> kShortForms = {
    "LTEXT",    "RTEXT",      "CTEXT",       "PUSHBUTTON", "DEFPUSHBUTTON",   "PUSHBOX",
    "EDITTEXT", "COMBOBOX",   "LISTBOX",     "GROUPBOX",   "CHECKBOX",        "AUTOCHECKBOX",
    "STATE3",   "AUTO3STATE", "RADIOBUTTON", "SCROLLBAR",  "AUTORADIOBUTTON", "ICON"};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The first word of `line` (up to a blank or a tab) in upper case.
std::string FirstWord(std::string_view line) {
  size_t end = 0;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  std::string word(line.substr(0, end));
  for (char& c : word) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return word;
}

std::string Plural(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

bool IsShortControlForm(std::string_view line) {
  std::string word = FirstWord(line);
  if (word.size() == line.size()) return false;  // a keyword alone is no statement
  for (std::string_view form : kShortForms) {
    if (word == form) return true;
  }
  return false;
}

bool IsDialogHeader(std::string_view line) {
  size_t end = 0;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  if (end == 0 || end == line.size()) return false;
  std::string_view rest = line.substr(end);
  while (!rest.empty() && IsBlank(rest[0])) rest.remove_prefix(1);
  return FirstWord(rest) == "DIALOG";
}

bool IsSymbolicStyle(std::string_view field) {
  size_t i = 0;
  while (i < field.size()) {
    char c = field[i];
    if (c >= '0' && c <= '9') {
      // A number, with its "0x" and hexadecimal digits, or its L or U suffix, is no name.
      ++i;
      if (c == '0' && i < field.size() && (field[i] == 'x' || field[i] == 'X')) ++i;
      while (i < field.size() && std::isxdigit(static_cast<unsigned char>(field[i]))) ++i;
      while (i < field.size() &&
             (field[i] == 'L' || field[i] == 'l' || field[i] == 'U' || field[i] == 'u')) {
        ++i;
      }
      continue;
    }
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') return true;
    ++i;
  }
  return false;
}

bool HeaderHasBlanks(std::string_view line) {
  std::vector<std::string_view> words;
  for (size_t i = 0; i < line.size();) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  // A comment that names the keyword is no header (though the narrow reading takes it for one).
  if (words.size() < 2 || words[1] != "DIALOGEX" || words[0][0] == '/') return false;
  // The narrow form is "NAME DIALOGEX X,Y,W,H", single blanks, nothing more.
  return words.size() != 3 || line.size() != words[0].size() + words[2].size() + 10;
}

std::string NarrowSkips::Message() const {
  if (Total() == 0) return "";
  std::string parts;
  auto add = [&](size_t n, const char* one, const char* many) {
    if (n == 0) return;
    parts += (parts.empty() ? "" : ", ") + Plural(n, one, many);
  };
  add(shortForms, "short control statement", "short control statements");
  add(dialogs, "DIALOG dialog", "DIALOG dialogs");
  add(symbolicStyles, "style written with names (read as 0)",
      "styles written with names (read as 0)");
  add(headersWithBlanks, "dialog header with blanks", "dialog headers with blanks");
  return "the narrow reading passed over " + parts + "; --full-syntax reads them";
}

}  // namespace fw
