// Texts cross the interface as 8-bit strings; wxWidgets keeps them as wxString.
#ifndef WXC_TEXT_H_
#define WXC_TEXT_H_

#include <wx/string.h>

namespace wxc {

// UTF-8 when the bytes are valid UTF-8, else Latin-1, so that no byte is ever lost; null is "".
wxString FromBytes(const char* text);

// Like FromBytes, but null gives `fallback` (a window's default name).
wxString NameOr(const char* name, const char* fallback);

}  // namespace wxc

#endif  // WXC_TEXT_H_
