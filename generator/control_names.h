// The names of a dialog's controls as BASIC identifiers ("~CTLNAME~"), unique within the dialog.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace fw {

// Whether `text` is an identifier: a letter or "_", then letters, digits and "_".
bool IsIdentifier(std::string_view text);

class ControlNames {
 public:
  // The id when it is an identifier, else "ID_" and its value ("ID_M1" for -1); when that is
  // taken (BASIC ignores letter case), "_2", "_3"... after it.
  std::string Take(const std::string& id, int32_t value);

 private:
  std::set<std::string> taken_;  // in lower case
};

}  // namespace fw
