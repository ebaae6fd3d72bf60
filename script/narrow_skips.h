// What the narrow reading passes over that the whole resource-script language would read: a
// tally the run turns into one warning pointing at --full-syntax.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fw {

struct NarrowSkips {
  size_t shortForms = 0;         // LTEXT, PUSHBUTTON, EDITTEXT... in a control block
  size_t dialogs = 0;            // dialogs written with DIALOG, which the narrow form never reads
  size_t symbolicStyles = 0;     // style fields written with names, read as 0
  size_t headersWithBlanks = 0;  // DIALOGEX headers whose coordinates blanks cut apart

  size_t Total() const { return shortForms + dialogs + symbolicStyles + headersWithBlanks; }
  // The warning, or "" when nothing was passed over.
  std::string Message() const;
};

// Whether a trimmed line of a control block is a short control statement.
bool IsShortControlForm(std::string_view line);
// Whether a trimmed line outside a dialog is a DIALOG header ("NAME DIALOG ...").
bool IsDialogHeader(std::string_view line);
// Whether a style field holds a name (a letter or "_"), which the narrow reading reads as 0.
bool IsSymbolicStyle(std::string_view field);
// Whether a DIALOGEX header's coordinates are not the one blank-free field after the keyword.
bool HeaderHasBlanks(std::string_view line);

}  // namespace fw
