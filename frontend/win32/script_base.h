// The script path that the dialog keeps between runs.
#pragma once

#include <string>

namespace fw {

// The chosen script's full path cut before the first "." of its file name. Dots in folder
// names stay, so "C:\my.projects\dialogs.rc" gives "C:\my.projects\dialogs".
std::string ScriptBaseFromChosen(const std::string& chosen);

}  // namespace fw
