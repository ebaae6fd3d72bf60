#include "script/rc_resources.h"

#include "script/rc_controls.h"

namespace fw {

namespace {

// Types whose statements always lead to a block.
constexpr const char* kBlockTypes[] = {"MENU",        "MENUEX",     "ACCELERATORS",
                                       "VERSIONINFO", "DESIGNINFO", "TEXTINCLUDE",
                                       "DLGINIT",     "TOOLBAR",    "STRINGTABLE"};
constexpr const char* kOptions[] = {"DISCARDABLE", "MOVEABLE", "PURE",   "LOADONCALL", "PRELOAD",
                                    "FIXED",       "IMPURE",   "SHARED", "NONSHARED"};
constexpr const char* kStatements[] = {"LANGUAGE", "CHARACTERISTICS", "VERSION"};

bool IsOneOf(const PpToken& t, const auto& words) {
  for (const char* w : words) {
    if (RcTokens::IsWord(t, w)) return true;
  }
  return false;
}

void SkipToBlock(RcTokens& in, const PpToken& type) {
  while (!in.PeekBegin()) {
    if (in.AtEnd()) {
      in.Error(type, "BEGIN expected for this " + std::string(type.text) + " resource");
      return;
    }
    in.Take();
  }
  in.SkipBlock();
}

}  // namespace

void SkipRcStringTable(RcTokens& in) {
  SkipToBlock(in, in.Take());
}

void SkipRcResource(RcTokens& in) {
  PpToken type = in.Take();
  if (IsOneOf(type, kBlockTypes)) {
    SkipToBlock(in, type);
    return;
  }
  for (;;) {
    if (in.PeekBegin()) {
      in.SkipBlock();
      return;
    }
    if (in.AtEnd()) {
      in.Error(type,
               "a file name or BEGIN expected for this " + std::string(type.text) + " resource");
      return;
    }
    const PpToken& t = in.Peek();
    if (IsOneOf(t, kOptions)) {
      in.Take();
    } else if (IsOneOf(t, kStatements)) {
      in.Take();
      in.SkipRestOfLine();
    } else {
      in.Take();  // the file name, quoted or not
      in.SkipRestOfLine();
      return;
    }
  }
}

}  // namespace fw
