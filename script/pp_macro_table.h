// The table of defined macros. A script of a resource editor defines a control id per line,
// hundreds of thousands of object-like macros of one token: those are kept compact (name and
// body viewed in the texts the preprocessor keeps, in fixed blocks with no allocation of their
// own); every other macro is a PpMacro. One flat open-addressing index finds both.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "script/pp_macros.h"
#include "script/pp_token.h"

namespace fw {

class PpMacroTable {
 public:
  using Id = uint32_t;
  static constexpr Id kNone = UINT32_MAX;

  // A defined macro. Compact when `full` is null: object-like, with the one body token
  // `body` of kind `bodyKind` (from `bodyFile` and `bodyLine`, which messages name), or an
  // empty body when !hasBody.
  struct Entry {
    std::string_view name;
    std::string_view body;
    std::shared_ptr<PpMacro> full;
    uint32_t hash = 0;
    uint32_t bodyFile = 0;
    uint32_t bodyLine = 0;
    PpKind bodyKind = PpKind::kOther;
    bool hasBody = false;
    bool disabled = false;  // compact: while its expansion is read (else full->disabled)
    bool live = false;      // defined, not undefined or replaced
  };

  enum class Defined { kNew, kSame, kRedefined, kError };

  PpMacroTable();
  PpMacroTable(const PpMacroTable&) = delete;
  PpMacroTable& operator=(const PpMacroTable&) = delete;

  // Defines the macro of a "#define" line's tokens after "define" (their spellings must
  // outlive the table); kError with `error` set when the line defines none. kRedefined when it
  // replaced a different definition of the name.
  Defined Define(const std::vector<PpToken>& line, std::string& error);
  // True when the name was defined.
  bool Undefine(std::string_view name);

  Id Find(std::string_view name) const;
  bool Contains(std::string_view name) const { return Find(name) != kNone; }
  const Entry& At(Id id) const { return blocks_[id >> kBlockBits][id & kBlockMask]; }
  bool Disabled(Id id) const {
    const Entry& e = At(id);
    return e.full ? e.full->disabled : e.disabled;
  }
  // For a compact macro; one undefined or replaced while disabled is freed once enabled.
  void SetDisabled(Id id, bool disabled);
  size_t Size() const { return size_; }

 private:
  static constexpr uint32_t kBlockBits = 12;
  static constexpr uint32_t kBlockMask = (1u << kBlockBits) - 1;
  // A slot holds an entry's id + 1 (0: empty) and its hash, so that most misses end there.
  struct Slot {
    uint32_t id = 0;
    uint32_t hash = 0;
  };
  static constexpr uint32_t kTombstone = UINT32_MAX;

  Entry& Mutable(Id id) { return blocks_[id >> kBlockBits][id & kBlockMask]; }
  size_t SlotOf(std::string_view name, uint32_t hash) const;  // its slot, or an empty one
  Id NewEntry();
  void Free(Id id);
  void Insert(Id id);
  void Grow();

  std::vector<std::unique_ptr<Entry[]>> blocks_;
  Id used_ = 0;              // entries handed out
  std::vector<Id> free_;     // entries to hand out again
  std::vector<Slot> slots_;  // a power of two, at most half full (tombstones counted)
  size_t size_ = 0;          // macros defined
  size_t filled_ = 0;        // slots not empty: macros and tombstones
};

// Whether a replaced definition may stand without a warning (as SameDefinition).
bool SameMacro(const PpMacroTable::Entry& a, const PpMacroTable::Entry& b);

}  // namespace fw
