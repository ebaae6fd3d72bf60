// The control statements of a dialog's control block, their window classes and default
// styles (as llvm-rc-14 writes them), and the words of the statements.
#pragma once

#include <cstdint>
#include <string_view>

namespace fw {

constexpr uint32_t kWsChild = 0x40000000;
constexpr uint32_t kWsVisible = 0x10000000;

struct RcControlKind {
  const char* keyword;
  const char* className;  // a predefined class: Button, Edit, Static, ListBox, ScrollBar...
  uint32_t style;         // added to WS_CHILD | WS_VISIBLE
  bool hasText;           // the statement begins with a text
};

// The statement `word` names (any letter case), CONTROL included (its class is a field, its
// defaults WS_CHILD | WS_VISIBLE alone); null for other words.
const RcControlKind* FindControlKind(std::string_view word);

// The predefined class a word (BUTTON, edit...) or an ordinal (0x80 to 0x85) names; null for
// others.
const char* PredefinedClassName(std::string_view word);
const char* PredefinedClassName(uint32_t ordinal);

// True for the words that begin statements or blocks (BEGIN, END, STYLE, LTEXT...), which an
// expression never reads as an undefined name.
bool IsRcKeyword(std::string_view word);

// True when `a` equals `b` (upper case) in any letter case.
bool EqualsUpper(std::string_view a, std::string_view upper);

}  // namespace fw
