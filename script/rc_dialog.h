// A DIALOG or DIALOGEX resource read whole: its header, optional statements and control
// block, with every value the compiler would write (the model keeps fewer of them).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "script/rc_tokens.h"

namespace fw {

struct RcControl {
  std::string keyword;  // the statement, upper case: LTEXT, CONTROL...
  std::string text;     // UTF-8; the number or name as written for an ordinal
  std::optional<uint32_t> textOrdinal;
  std::string idWritten;  // the id as the script writes it
  uint32_t id = 0;
  std::string className;  // as written, or a predefined class's name
  uint32_t style = 0;     // final: defaults applied
  uint32_t exStyle = 0;
  uint32_t helpId = 0;
  int16_t x = 0, y = 0, w = 0, h = 0;
  uint32_t line = 0;
};

struct RcFont {
  uint32_t size = 0;
  std::string face;
  uint32_t weight = 0;
  uint32_t italic = 0;
  uint32_t charSet = 1;  // DEFAULT_CHARSET when a DIALOGEX font does not say
};

// A class or menu named by a number or a text.
struct RcNameOrOrdinal {
  std::string text;
  std::optional<uint32_t> ordinal;
};

struct RcDialog {
  // The resource's name: its number, or its text (an identifier without a value).
  RcNameOrOrdinal name;
  std::string nameWritten;  // as the script writes it (a macro's name, not its value)
  bool extended = false;
  uint16_t language = 0;
  uint32_t helpId = 0;
  int16_t x = 0, y = 0, w = 0, h = 0;
  std::optional<uint32_t> style;  // as given; see FinalStyle
  std::optional<uint32_t> exStyle;
  std::optional<std::string> caption;
  std::optional<RcFont> font;
  std::optional<RcNameOrOrdinal> windowClass;
  std::optional<RcNameOrOrdinal> menu;
  std::vector<RcControl> controls;
  std::string file;
  uint32_t line = 0;

  // The style the compiler writes: the given one or WS_POPUP | WS_BORDER | WS_SYSMENU, with
  // WS_CAPTION for a CAPTION (even an empty one), and DS_SETFONT exactly when there is a FONT.
  uint32_t FinalStyle() const;
};

// Reads a dialog after its name and DIALOG or DIALOGEX; `dialog` holds the name, the kind
// and the language in force. Statements it cannot read are reported and passed over.
void ReadRcDialog(RcTokens& in, RcDialog& dialog);

// A text field: strings (adjacent ones joined), as UTF-8. False when no string is next.
bool ReadRcText(RcTokens& in, std::string& text);

}  // namespace fw
