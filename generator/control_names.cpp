#include "generator/control_names.h"

#include "textutil/number.h"
#include "textutil/text.h"

namespace fw {

namespace {

bool IsIdentifierStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

}  // namespace

bool IsIdentifier(std::string_view text) {
  if (text.empty() || !IsIdentifierStart(text[0])) return false;
  for (char c : text) {
    if (!IsIdentifierStart(c) && !(c >= '0' && c <= '9')) return false;
  }
  return true;
}

std::string ControlNames::Take(const std::string& id, int32_t value) {
  std::string base = id;
  if (!IsIdentifier(id)) {
    std::string number = IntegerToText(value);
    if (number[0] == '-') number[0] = 'M';
    base = "ID_" + number;
  }
  std::string name = base;
  for (int32_t k = 2; !taken_.insert(LowerAscii(name)).second; ++k) {
    name = base + "_" + IntegerToText(k);
  }
  return name;
}

}  // namespace fw
