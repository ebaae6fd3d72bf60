// From what the statement reader read to the script model: a dialog's final values in the
// order the generator replays them, and "#define" lines as BASIC writes them.
#pragma once

#include <string>
#include <string_view>

#include "script/model.h"
#include "script/rc_dialog.h"

namespace fw {

// The dialog's name as an identifier: as the script writes it, "IDD_<n>" for a number.
std::string RcDialogModelName(const RcDialog& d);

// The model of a dialog: statements CAPTION, CLASS, EXSTYLE, FONT (those given), then STYLE
// (always, final: defaults, WS_CAPTION, DS_SETFONT), each once; texts with quotes doubled.
ScriptDialog ToScriptDialog(const RcDialog& d);

// A define's value as BASIC writes it: a number (in parentheses or not, signed or not) with
// 0x as &h, a leading-0 octal as &o and its L and U suffixes dropped; any other value as
// written.
std::string BasicDefineValue(std::string_view value);

}  // namespace fw
