#include "output/file_names.h"

#include "textutil/text.h"

namespace fw {

namespace {

bool IsDeviceName(std::string_view stem) {
  std::string s = LowerAscii(stem);
  if (s == "con" || s == "prn" || s == "aux" || s == "nul") return true;
  return s.size() == 4 && (s.substr(0, 3) == "com" || s.substr(0, 3) == "lpt") && s[3] >= '1' &&
         s[3] <= '9';
}

}  // namespace

std::string UnsafeFileNameReason(std::string_view name) {
  if (name.empty()) return "the name is empty";
  if (name == "." || name == "..") return "the name is a folder reference";
  if (name.back() == '.' || name.back() == ' ') return "the name ends in a dot or a blank";
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127) return "the name holds a control character";
    if (std::string_view("/\\:<>\"|?*").find(c) != std::string_view::npos) {
      return std::string("the name holds the character '") + c + "'";
    }
  }
  if (IsDeviceName(name.substr(0, name.find('.')))) return "the name is a device name";
  return "";
}

}  // namespace fw
