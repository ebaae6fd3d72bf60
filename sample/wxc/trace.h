// The message box trace: with WXC_TRACE naming a file, every message box appends one line
// there, so that a test can read what the user was shown.
#ifndef WXC_TRACE_H_
#define WXC_TRACE_H_

#include <string>

namespace wxc {

// The caption, a tab and the message, with backslash, tab, CR and LF written as \\, \t, \r and
// \n so that the line stays one line; ends in LF.
std::string TraceLine(const char* caption, const char* message);

// Appends the line for one message box to the file named by WXC_TRACE, if it is set; the file
// is closed again at once, so that a reader sees the line while the box is open.
void TraceMessageBox(const char* caption, const char* message);

}  // namespace wxc

#endif  // WXC_TRACE_H_
