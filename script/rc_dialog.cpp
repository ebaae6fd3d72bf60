#include "script/rc_dialog.h"

#include <string>
#include <string_view>

#include "script/rc_controls.h"
#include "script/rc_expression.h"
#include "script/rc_string.h"

namespace fw {

namespace {

constexpr uint32_t kDefaultDialogStyle = 0x80880000;  // WS_POPUP | WS_BORDER | WS_SYSMENU
constexpr uint32_t kWsCaption = 0x00C00000;
constexpr uint32_t kDsSetFont = 0x40;

constexpr const char* kMemoryOptions[] = {"DISCARDABLE", "MOVEABLE", "PURE",
                                          "LOADONCALL",  "PRELOAD",  "FIXED",
                                          "IMPURE",      "SHARED",   "NONSHARED"};

bool TakeMemoryOption(RcTokens& in) {
  for (const char* word : kMemoryOptions) {
    if (in.TakeWord(word)) return true;
  }
  return false;
}

// A comma before the next field; a comma that ends the statement (a keyword or the block's
// end follows on a new line) is passed over. A value on the same line without its comma is
// read, with a warning.
bool NextField(RcTokens& in) {
  if (in.TakePunctuator(",")) {
    const PpToken& t = in.Peek();
    bool ends =
        t.kind == PpKind::kEnd ||
        (t.lineStart &&
         ((t.kind == PpKind::kIdentifier && IsRcKeyword(t.text) && !RcTokens::IsWord(t, "NOT")) ||
          t.IsPunctuator("}") || t.IsPunctuator("{")));
    return !ends;
  }
  const PpToken& t = in.Peek();
  if (!t.lineStart && (StartsRcExpression(t) || t.kind == PpKind::kString)) {
    in.Warning(t, "',' missing before " + RcTokens::Describe(t));
    return true;
  }
  return false;
}

// `what` names the value in a message; a view, since messages are rare and values are not.
bool ReadValue(RcTokens& in, std::string_view what, RcExpression& e) {
  if (!StartsRcExpression(in.Peek())) {
    in.Error(in.Peek(), std::string(what) + " expected, found " + RcTokens::Describe(in.Peek()));
    return false;
  }
  return ReadRcExpression(in, e);
}

bool ReadField(RcTokens& in, std::string_view what, RcExpression& e) {
  if (!NextField(in)) {
    in.Error(in.Peek(), std::string(what) + " expected, found " + RcTokens::Describe(in.Peek()));
    return false;
  }
  return ReadValue(in, what, e);
}

int16_t Coordinate(RcTokens& in, const RcExpression& e, const char* what) {
  int32_t v = static_cast<int32_t>(e.value.value);
  if (v < -32768 || v > 32767) {
    in.Warning(e.tokens.front(), std::string(what) + " " + std::to_string(v) +
                                     " does not fit in 16 bits (cut to them)");
  }
  return static_cast<int16_t>(static_cast<uint16_t>(e.value.value));
}

// x, y, w, h (the first one's comma already read when `first` is false); `e` is scratch.
bool ReadGeometry(RcTokens& in, RcExpression& e, int16_t* out[4], bool first, size_t count = 4) {
  static const char* kWhat[] = {"x", "y", "width", "height"};
  for (size_t i = 0; i < count; ++i) {
    bool ok = i == 0 && first ? ReadValue(in, kWhat[i], e) : ReadField(in, kWhat[i], e);
    if (!ok) return false;
    *out[i] = Coordinate(in, e, kWhat[i]);
  }
  return true;
}

// A class or a menu: a text, a predefined class word, or a number.
bool ReadNameOrOrdinal(RcTokens& in, RcNameOrOrdinal& out, const char* what) {
  out = {};
  if (ReadRcText(in, out.text)) return true;
  const PpToken& t = in.Peek();
  if (t.kind == PpKind::kIdentifier && !IsRcKeyword(t.text) && t.expansion == 0) {
    out.text = in.Take().text;
    return true;
  }
  RcExpression e;
  if (!ReadValue(in, what, e)) return false;
  out.ordinal = e.value.value;
  out.text = std::to_string(e.value.value);
  return true;
}

bool ReadFont(RcTokens& in, RcDialog& d) {
  RcFont font;
  RcExpression e;
  if (!ReadValue(in, "the font's point size", e)) return false;
  font.size = e.value.value;
  if (!NextField(in) || !ReadRcText(in, font.face)) {
    in.Error(in.Peek(), "the font's face name expected, found " + RcTokens::Describe(in.Peek()));
    return false;
  }
  uint32_t* extra[] = {&font.weight, &font.italic, &font.charSet};
  for (uint32_t* field : extra) {
    if (!NextField(in)) break;
    if (!ReadValue(in, "a font field", e)) return false;
    *field = e.value.value;
  }
  d.font = font;
  return true;
}

// One statement between the header and BEGIN; false after an error.
bool ReadStatement(RcTokens& in, RcDialog& d) {
  PpToken word = in.Take();
  RcExpression e;
  if (RcTokens::IsWord(word, "STYLE")) {
    if (!ReadValue(in, "the style", e)) return false;
    d.style = e.value.value;
  } else if (RcTokens::IsWord(word, "EXSTYLE")) {
    if (!ReadValue(in, "the extended style", e)) return false;
    d.exStyle = e.value.value;
  } else if (RcTokens::IsWord(word, "CAPTION")) {
    std::string text;
    if (!ReadRcText(in, text)) {
      in.Error(in.Peek(), "the caption's text expected, found " + RcTokens::Describe(in.Peek()));
      return false;
    }
    d.caption = text;
  } else if (RcTokens::IsWord(word, "FONT")) {
    return ReadFont(in, d);
  } else if (RcTokens::IsWord(word, "CLASS")) {
    RcNameOrOrdinal c;
    if (!ReadNameOrOrdinal(in, c, "the class")) return false;
    d.windowClass = c;
  } else if (RcTokens::IsWord(word, "MENU")) {
    RcNameOrOrdinal m;
    if (!ReadNameOrOrdinal(in, m, "the menu")) return false;
    d.menu = m;
  } else if (RcTokens::IsWord(word, "LANGUAGE")) {
    RcExpression sub;
    if (!ReadValue(in, "the language", e) || !ReadField(in, "the sublanguage", sub)) {
      return false;
    }
    d.language = static_cast<uint16_t>((e.value.value & 0x3FF) | (sub.value.value << 10));
  } else if (RcTokens::IsWord(word, "CHARACTERISTICS") || RcTokens::IsWord(word, "VERSION")) {
    return ReadValue(in, "a number", e);
  } else {
    in.Error(word, "a dialog statement or BEGIN expected, found " + RcTokens::Describe(word));
    return false;
  }
  return true;
}

// A control's text: strings, a name, or a number (an ordinal).
bool ReadControlText(RcTokens& in, RcControl& c) {
  if (ReadRcText(in, c.text)) return true;
  const PpToken& t = in.Peek();
  if (t.kind == PpKind::kIdentifier && !IsRcKeyword(t.text)) {
    c.text = in.Take().text;
    return true;
  }
  RcExpression e;
  if (!ReadValue(in, "the control's text", e)) return false;
  c.textOrdinal = e.value.value;
  c.text = in.Written(e.tokens);
  return true;
}

bool ReadControlClass(RcTokens& in, RcControl& c) {
  RcNameOrOrdinal name;
  const PpToken& t = in.Peek();
  if (t.kind == PpKind::kIdentifier && PredefinedClassName(t.text)) {
    c.className = PredefinedClassName(in.Take().text);
    return true;
  }
  if (!ReadNameOrOrdinal(in, name, "the control's class")) return false;
  c.className = name.text;
  if (name.ordinal) {
    if (const char* known = PredefinedClassName(*name.ordinal)) c.className = known;
  }
  return true;
}

bool ReadControl(RcTokens& in, const RcControlKind& kind, RcControl& c) {
  PpToken keyword = in.Take();
  c.keyword = kind.keyword;
  c.className = kind.className;
  c.line = keyword.line;
  bool generic = c.keyword == "CONTROL";
  RcExpression e;
  if (kind.hasText) {
    if (!ReadControlText(in, c) || !ReadField(in, "the control's id", e)) return false;
  } else if (!ReadValue(in, "the control's id", e)) {
    return false;
  }
  c.id = e.value.value;
  c.idWritten = in.Written(e.tokens);
  RcValue style;
  int16_t* geometry[] = {&c.x, &c.y, &c.w, &c.h};
  if (generic) {
    if (!NextField(in)) {
      in.Error(in.Peek(), "the control's class expected, found " + RcTokens::Describe(in.Peek()));
      return false;
    }
    if (!ReadControlClass(in, c) || !ReadField(in, "the style", e)) return false;
    style = e.value;
    if (!ReadGeometry(in, e, geometry, false)) return false;
  } else {
    bool icon = c.keyword == "ICON";
    if (!ReadGeometry(in, e, geometry, false, icon ? 2 : 4)) return false;
    if (icon && NextField(in)) {
      if (!ReadValue(in, "width", e)) return false;
      c.w = Coordinate(in, e, "width");
      if (!ReadField(in, "height", e)) return false;
      c.h = Coordinate(in, e, "height");
    }
    if (NextField(in)) {
      if (!ReadValue(in, "the style", e)) return false;
      style = e.value;
    }
  }
  if (NextField(in)) {
    if (!ReadValue(in, "the extended style", e)) return false;
    c.exStyle = e.value.value;
    if (NextField(in)) {
      if (!ReadValue(in, "the help id", e)) return false;
      c.helpId = e.value.value;
    }
  }
  c.style = style.Over(kWsChild | kWsVisible | kind.style);
  if (in.PeekBegin()) in.SkipBlock();  // the control's creation data
  return true;
}

// After a statement that could not be read: on to the next line that begins a control
// statement, END or BEGIN.
void Resynchronise(RcTokens& in) {
  for (;;) {
    in.SkipRestOfLine();
    const PpToken& t = in.Peek();
    if (t.kind == PpKind::kEnd || in.PeekEnd() || in.PeekBegin()) return;
    if (t.kind == PpKind::kIdentifier && FindControlKind(t.text)) return;
    in.Take();
  }
}

void ReadControls(RcTokens& in, RcDialog& d) {
  PpToken begin = in.Take();
  for (;;) {
    if (in.PeekEnd()) {
      in.Take();
      return;
    }
    const PpToken& t = in.Peek();
    if (t.kind == PpKind::kEnd) {
      in.Error(begin, "END missing for the controls of this BEGIN");
      return;
    }
    const RcControlKind* kind = t.kind == PpKind::kIdentifier ? FindControlKind(t.text) : nullptr;
    if (kind) {
      RcControl c;
      if (ReadControl(in, *kind, c)) {
        d.controls.push_back(std::move(c));
      } else {
        Resynchronise(in);
      }
    } else if (in.PeekBegin()) {
      in.Error(t, "a control statement expected, found BEGIN");
      in.SkipBlock();
    } else {
      in.Error(t, "a control statement or END expected, found " + RcTokens::Describe(t));
      in.Take();
      Resynchronise(in);
    }
  }
}

}  // namespace

uint32_t RcDialog::FinalStyle() const {
  uint32_t s = style.value_or(kDefaultDialogStyle);
  if (caption) s |= kWsCaption;
  // As llvm-rc: DS_SETFONT with a font, never without (the template would lack the font).
  return font ? s | kDsSetFont : s & ~kDsSetFont;
}

bool ReadRcText(RcTokens& in, std::string& text) {
  if (in.Peek().kind != PpKind::kString) return false;
  text.clear();
  while (in.Peek().kind == PpKind::kString) text += DecodeRcString(in.Take().text);
  return true;
}

void ReadRcDialog(RcTokens& in, RcDialog& d) {
  while (TakeMemoryOption(in)) {
  }
  int16_t* geometry[] = {&d.x, &d.y, &d.w, &d.h};
  RcExpression e;
  bool header = ReadGeometry(in, e, geometry, true);
  if (header && d.extended && NextField(in)) {
    if (ReadValue(in, "the help id", e)) d.helpId = e.value.value;
  }
  if (!header) in.SkipRestOfLine();
  while (!in.PeekBegin()) {
    if (in.AtEnd()) {
      in.Error(in.Peek(), "BEGIN expected for the dialog");
      return;
    }
    if (!ReadStatement(in, d)) in.SkipRestOfLine();
  }
  ReadControls(in, d);
}

}  // namespace fw
