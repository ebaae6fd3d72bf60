#include "script/pp_macro_table.h"

namespace fw {

namespace {

constexpr size_t kFirstSlots = 64;

uint32_t HashOf(std::string_view name) {
  return static_cast<uint32_t>(std::hash<std::string_view>{}(name));
}

// "NAME" or "NAME TOKEN": an object-like macro of at most one token, which needs no PpMacro.
// A string that runs to the line end keeps its mark in a PpMacro's body.
bool IsCompact(const std::vector<PpToken>& line) {
  if (line.empty() || line.size() > 2 || line[0].kind != PpKind::kIdentifier ||
      line[0].text == "defined") {
    return false;
  }
  if (line.size() == 1) return true;
  const PpToken& body = line[1];
  return !(body.IsPunctuator("(") && !body.spaceBefore) && !body.IsPunctuator("##") &&
         !body.unterminated;
}

}  // namespace

bool SameMacro(const PpMacroTable::Entry& a, const PpMacroTable::Entry& b) {
  if (a.full && b.full) return SameDefinition(*a.full, *b.full);
  if (a.full || b.full) {
    const PpMacroTable::Entry& compact = a.full ? b : a;
    const PpMacro& full = a.full ? *a.full : *b.full;
    if (full.functionLike || full.body.size() != (compact.hasBody ? 1u : 0u)) return false;
    return !compact.hasBody || (full.body[0].token.text == compact.body && full.body[0].param < 0 &&
                                !full.body[0].token.pasteLeft);
  }
  return a.hasBody == b.hasBody && a.body == b.body;
}

PpMacroTable::PpMacroTable() : slots_(kFirstSlots) {}

PpMacroTable::Defined PpMacroTable::Define(const std::vector<PpToken>& line, std::string& error) {
  Entry made;
  if (IsCompact(line)) {
    made.name = line[0].text;
    made.hasBody = line.size() > 1;
    if (made.hasBody) {
      made.body = line[1].text;
      made.bodyKind = line[1].kind;
      made.bodyFile = line[1].file;
      made.bodyLine = line[1].line;
    }
  } else {
    made.full = ParseMacroDefinition(line, error);
    if (!made.full) return Defined::kError;
    made.name = made.full->name;  // the macro's own string, which never moves
  }
  made.live = true;
  made.hash = HashOf(made.name);
  if ((filled_ + 1) * 2 > slots_.size()) Grow();
  size_t slot = SlotOf(made.name, made.hash);
  uint32_t held = slots_[slot].id;
  if (held != 0 && held != kTombstone) {
    Id old = held - 1;
    Defined result = SameMacro(At(old), made) ? Defined::kSame : Defined::kRedefined;
    if (At(old).full || !At(old).disabled) {
      Mutable(old) = std::move(made);
      return result;
    }
    Mutable(old).live = false;  // its expansion is being read: freed at its end
    Id id = NewEntry();
    Mutable(id) = std::move(made);
    slots_[slot].id = id + 1;
    return result;
  }
  Id id = NewEntry();
  Mutable(id) = std::move(made);
  if (held == 0) ++filled_;
  slots_[slot] = {id + 1, At(id).hash};
  ++size_;
  return Defined::kNew;
}

bool PpMacroTable::Undefine(std::string_view name) {
  size_t slot = SlotOf(name, HashOf(name));
  uint32_t held = slots_[slot].id;
  if (held == 0 || held == kTombstone) return false;
  slots_[slot].id = kTombstone;  // stays filled: later names may have probed past it
  --size_;
  Entry& e = Mutable(held - 1);
  e.live = false;
  if (e.full || !e.disabled) Free(held - 1);
  return true;
}

PpMacroTable::Id PpMacroTable::Find(std::string_view name) const {
  uint32_t hash = HashOf(name);
  size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.id == 0) return kNone;
    if (s.id != kTombstone && s.hash == hash && At(s.id - 1).name == name) return s.id - 1;
  }
}

void PpMacroTable::SetDisabled(Id id, bool disabled) {
  Entry& e = Mutable(id);
  e.disabled = disabled;
  if (!disabled && !e.live) Free(id);
}

// The slot that holds `name`, else the first one on its probe path where it would go.
size_t PpMacroTable::SlotOf(std::string_view name, uint32_t hash) const {
  size_t mask = slots_.size() - 1;
  size_t reuse = SIZE_MAX;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.id == 0) return reuse != SIZE_MAX ? reuse : i;
    if (s.id == kTombstone) {
      if (reuse == SIZE_MAX) reuse = i;
    } else if (s.hash == hash && At(s.id - 1).name == name) {
      return i;
    }
  }
}

PpMacroTable::Id PpMacroTable::NewEntry() {
  if (!free_.empty()) {
    Id id = free_.back();
    free_.pop_back();
    return id;
  }
  if ((used_ >> kBlockBits) == blocks_.size()) {
    blocks_.push_back(std::make_unique<Entry[]>(size_t{1} << kBlockBits));
  }
  return used_++;
}

void PpMacroTable::Free(Id id) {
  Mutable(id) = Entry{};  // lets go of a PpMacro
  free_.push_back(id);
}

// Doubles the index when the macros fill a quarter of it, else only drops the tombstones.
void PpMacroTable::Grow() {
  size_t size = slots_.size();
  if (size_ * 4 >= size) size *= 2;
  std::vector<Slot> old(size);
  old.swap(slots_);
  filled_ = 0;
  for (const Slot& s : old) {
    if (s.id != 0 && s.id != kTombstone) Insert(s.id - 1);
  }
}

void PpMacroTable::Insert(Id id) {
  size_t mask = slots_.size() - 1;
  uint32_t hash = At(id).hash;
  size_t i = hash & mask;
  while (slots_[i].id != 0) i = (i + 1) & mask;
  slots_[i] = {id + 1, hash};
  ++filled_;
}

}  // namespace fw
