// The template sets offered in the main dialog's drop-down list.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/files.h"

namespace fw {

// The set names among the entries of a "template" folder, in the entries' order: every file
// matching "*.tpl" that is neither hidden, system nor a folder, its name cut before its first
// "." (x.tpl and x.old.tpl both give x).
std::vector<std::string> TemplateSetNames(const std::vector<FolderEntry>& entries);

// Fills the dialog's list with the sets in `templateFolder` and selects the first one.
void FillTemplateList(HWND dialog, FileSystem& files, const std::string& templateFolder);

// The whole text of the selected entry, or "" when none is selected.
std::string SelectedTemplateName(HWND dialog);

}  // namespace fw
