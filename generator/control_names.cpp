#include "generator/control_names.h"

#include <algorithm>
#include <functional>

#include "textutil/number.h"

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
  std::string base;
  if (IsIdentifier(id)) {
    if (Add(id)) return id;
    base = id;
  } else {
    std::string number = IntegerToText(value);
    if (number[0] == '-') number[0] = 'M';
    base = "ID_" + number;
    if (Add(base)) return base;
  }
  for (int32_t k = 2;; ++k) {
    std::string name = base + "_" + IntegerToText(k);
    if (Add(name)) return name;
  }
}

bool ControlNames::Add(std::string_view name) {
  if (2 * (count_ + 1) > slots_.size()) Grow();
  size_t start = lower_.size();
  lower_.append(name);
  for (size_t i = start; i < lower_.size(); ++i) {
    if (lower_[i] >= 'A' && lower_[i] <= 'Z') {
      lower_[i] = static_cast<char>(lower_[i] + ('a' - 'A'));
    }
  }
  std::string_view added(lower_.data() + start, name.size());
  size_t mask = slots_.size() - 1;
  for (size_t i = std::hash<std::string_view>()(added) & mask;; i = (i + 1) & mask) {
    Slot& slot = slots_[i];
    if (slot.size == 0) {
      slot = Slot{static_cast<uint32_t>(start), static_cast<uint32_t>(name.size())};
      ++count_;
      return true;
    }
    if (std::string_view(lower_.data() + slot.start, slot.size) == added) {
      lower_.resize(start);
      return false;
    }
  }
}

void ControlNames::Grow() {
  std::vector<Slot> old(std::max<size_t>(64, 2 * slots_.size()));
  old.swap(slots_);
  size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.size == 0) continue;
    std::string_view name(lower_.data() + slot.start, slot.size);
    size_t i = std::hash<std::string_view>()(name) & mask;
    while (slots_[i].size != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace fw
