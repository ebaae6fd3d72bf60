// The main source: the set's main template with its placeholders filled from the section texts
// of the run.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text_store.h"
#include "generator/generation.h"

namespace fw {

// The set's main template as read, each line ended by CR LF.
std::string ReadMainTemplate(LineReader& file);

// The main source as the pieces it is written from, one after another. The largest texts of a
// run (sample, event and procedure code) go into it as they stand, never copied into one text.
struct MainSource {
  std::vector<OutputPiece> pieces;
  bool unreadable = false;  // text set aside could not be read back for the replacements in turn
};

// Puts the script's path in place of "~PROJNAME~", before the dialogs: past the text limit it
// stops every buffer's replacements.
void FillProjectName(Generation& g, std::string& text);

// Fills the main template's eight other placeholders after the dialogs: "~DECLARE~" gets the
// declarations and, in single-file mode, the sample and event code. Leaves no pieces when the text
// limit refuses a replacement (the run's text limit flag then says so). `text` is the main
// template; it may be changed.
void ComposeMainSource(Generation& g, std::string& text, MainSource& out);

}  // namespace fw
