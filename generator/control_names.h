// The names of a dialog's controls as BASIC identifiers ("~CTLNAME~"), unique within the dialog.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// Whether `text` is an identifier: a letter or "_", then letters, digits and "_".
bool IsIdentifier(std::string_view text);

class ControlNames {
 public:
  // The id when it is an identifier, else "ID_" and its value ("ID_M1" for -1); when that is
  // taken (BASIC ignores letter case), "_2", "_3"... after it.
  std::string Take(const std::string& id, int32_t value);

 private:
  // Adds `name` in lower case; false when it was taken already.
  bool Add(std::string_view name);
  void Grow();

  // Every name taken, in lower case, one after another; a slot holds where one starts and its
  // length (0: empty, as no name is empty). A dialog's names go into two allocations, not one
  // node each: this runs once per control.
  struct Slot {
    uint32_t start = 0;
    uint32_t size = 0;
  };
  std::string lower_;
  std::vector<Slot> slots_;  // a power of two, at most half full
  size_t count_ = 0;
};

}  // namespace fw
