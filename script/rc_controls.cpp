#include "script/rc_controls.h"

namespace fw {

namespace {

constexpr uint32_t kWsTabStop = 0x00010000;
constexpr uint32_t kWsGroup = 0x00020000;
constexpr uint32_t kWsBorder = 0x00800000;

// Default styles as llvm-rc-14 writes them (tests/oracle/decisions.md: COMBOBOX,
// RADIOBUTTON and AUTORADIOBUTTON differ from the documentation, and llvm-rc decides).
constexpr RcControlKind kKinds[] = {
    {"CONTROL", "", 0, true},
    {"LTEXT", "Static", 0x0 | kWsGroup, true},
    {"RTEXT", "Static", 0x2 | kWsGroup, true},
    {"CTEXT", "Static", 0x1 | kWsGroup, true},
    {"PUSHBUTTON", "Button", 0x0 | kWsTabStop, true},
    {"DEFPUSHBUTTON", "Button", 0x1 | kWsTabStop, true},
    {"PUSHBOX", "Button", 0xA | kWsTabStop, true},
    {"EDITTEXT", "Edit", kWsBorder | kWsTabStop, false},
    {"COMBOBOX", "ComboBox", 0, false},
    {"LISTBOX", "ListBox", 0x1 | kWsBorder, false},
    {"GROUPBOX", "Button", 0x7, true},
    {"CHECKBOX", "Button", 0x2 | kWsTabStop, true},
    {"AUTOCHECKBOX", "Button", 0x3 | kWsTabStop, true},
    {"STATE3", "Button", 0x5 | kWsTabStop, true},
    {"AUTO3STATE", "Button", 0x6 | kWsTabStop, true},
    {"RADIOBUTTON", "Button", 0x4, true},
    {"AUTORADIOBUTTON", "Button", 0x9, true},
    {"SCROLLBAR", "ScrollBar", 0, false},
    {"ICON", "Static", 0x3, true},
};

constexpr const char* kClasses[][2] = {{"BUTTON", "Button"},       {"EDIT", "Edit"},
                                       {"STATIC", "Static"},       {"LISTBOX", "ListBox"},
                                       {"SCROLLBAR", "ScrollBar"}, {"COMBOBOX", "ComboBox"}};

constexpr const char* kOtherWords[] = {
    "BEGIN", "END",      "STYLE",           "EXSTYLE", "CAPTION", "FONT",     "CLASS",
    "MENU",  "LANGUAGE", "CHARACTERISTICS", "VERSION", "DIALOG",  "DIALOGEX", "NOT"};

}  // namespace

bool EqualsUpper(std::string_view a, std::string_view upper) {
  if (a.size() != upper.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char c = a[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != upper[i]) return false;
  }
  return true;
}

const RcControlKind* FindControlKind(std::string_view word) {
  for (const RcControlKind& k : kKinds) {
    if (EqualsUpper(word, k.keyword)) return &k;
  }
  return nullptr;
}

const char* PredefinedClassName(std::string_view word) {
  for (const auto& c : kClasses) {
    if (EqualsUpper(word, c[0])) return c[1];
  }
  return nullptr;
}

const char* PredefinedClassName(uint32_t ordinal) {
  return ordinal >= 0x80 && ordinal <= 0x85 ? kClasses[ordinal - 0x80][1] : nullptr;
}

bool IsRcKeyword(std::string_view word) {
  if (FindControlKind(word)) return true;
  for (const char* w : kOtherWords) {
    if (EqualsUpper(word, w)) return true;
  }
  return false;
}

}  // namespace fw
