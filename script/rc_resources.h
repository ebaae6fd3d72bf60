// Passing over the resources that are not dialogs, whatever their type.
#pragma once

#include "script/rc_tokens.h"

namespace fw {

// Passes over a resource after its name and type (the next token): up to and over its
// BEGIN ... END block for the types that have one (MENU, ACCELERATORS, VERSIONINFO,
// TOOLBAR...); for the others (ICON, BITMAP, RCDATA, user-defined types...) over its options
// and either its block or the file name on the rest of the line.
void SkipRcResource(RcTokens& in);

// STRINGTABLE, which has no name: its options and its block.
void SkipRcStringTable(RcTokens& in);

}  // namespace fw
