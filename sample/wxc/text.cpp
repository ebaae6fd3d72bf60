#include "text.h"

namespace wxc {

wxString FromBytes(const char* text) {
  if (!text) return wxString();
  wxString utf8 = wxString::FromUTF8(text);
  // FromUTF8 gives an empty string for invalid input.
  if (!utf8.empty() || !*text) return utf8;
  return wxString(text, wxConvISO8859_1);
}

wxString NameOr(const char* name, const char* fallback) {
  return FromBytes(name ? name : fallback);
}

}  // namespace wxc
