#include "frontend/win32/script_base.h"

namespace fw {

std::string ScriptBaseFromChosen(const std::string& chosen) {
  size_t nameStart = chosen.find_last_of("\\/");
  nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  size_t dot = chosen.find('.', nameStart);
  return dot == std::string::npos ? chosen : chosen.substr(0, dot);
}

}  // namespace fw
