// What the library tells the user about calls that wxWidgets would refuse.
#ifndef WXC_DIAG_H_
#define WXC_DIAG_H_

namespace wxc {

// Writes "wx-c: " and the formatted note as one line to stderr.
void Note(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Sends wxWidgets' assertion failures and log messages to stderr instead of dialogs, so that a
// refused call never stops the program with a window of its own.
void QuietenWxDiagnostics();

}  // namespace wxc

#endif  // WXC_DIAG_H_
