#include "script/narrow_reader.h"

#include <algorithm>

#include "textutil/number.h"
#include "textutil/text.h"

namespace fw {

namespace {

// The header line: name and coordinates are fields 1 and 3 between single blanks, so two
// blanks, or blanks after the commas, shift or cut them (deliberate: the narrow form has none).
void ParseHeader(const std::string& line, ScriptDialog& d) {
  d.name = FieldViewAt(line, " ", 1);
  std::string_view coordinates = FieldViewAt(line, " ", 3);
  d.x = ParseInteger(FieldViewAt(coordinates, ",", 1));
  d.y = ParseInteger(FieldViewAt(coordinates, ",", 2));
  d.w = ParseInteger(FieldViewAt(coordinates, ",", 3));
  d.h = ParseInteger(FieldViewAt(coordinates, ",", 4));
}

// One statement before "BEGIN", recognised by its first letters (deliberate: "FONTS" is a
// FONT too); false for any other line, which is skipped.
bool ParseStatement(const std::string& line, DialogStatement& s) {
  using Kind = DialogStatement::Kind;
  if (StartsWith(line, "CAPTION")) {
    s = {Kind::kCaption, std::string(RemoveQuotes(FieldViewAt(line, "CAPTION ", 2))), 0};
  } else if (StartsWith(line, "FONT")) {
    std::string_view value = FieldViewAt(line, "FONT ", 2);
    s = {Kind::kFont, std::string(RemoveQuotes(FieldViewAt(value, ",", 2))),
         ParseInteger(FieldViewAt(value, ",", 1))};
  } else if (StartsWith(line, "STYLE")) {
    s = {Kind::kStyle, "", ParseStyle(FieldViewAt(line, "STYLE ", 2))};
  } else if (StartsWith(line, "EXSTYLE")) {
    s = {Kind::kExStyle, "", ParseStyle(FieldViewAt(line, "EXSTYLE ", 2))};
  } else if (StartsWith(line, "CLASS")) {
    s = {Kind::kClass, std::string(RemoveQuotes(FieldViewAt(line, "CLASS ", 2))), 0};
  } else {
    return false;
  }
  return true;
}

}  // namespace

int32_t ParseStyle(std::string_view field) {
  char copy[64];
  if (field.size() > sizeof copy) return ParseInteger(ReplaceAll("0x", "&h", field));
  // "&h" is as long as "0x": the replacement is made in place on a copy, left to right.
  std::copy(field.begin(), field.end(), copy);
  for (size_t i = 0; i + 1 < field.size(); ++i) {
    if (copy[i] == '0' && copy[i + 1] == 'x') {
      copy[i] = '&';
      copy[++i] = 'h';
    }
  }
  return ParseInteger(std::string_view(copy, field.size()));
}

// Two splits, as deliberate as they are odd: the fields but the id are cut at "CONTROL " (so a
// text holding that word ends the statement there), the id at "CONTROL" without the blank.
ControlStatement ParseControlStatement(const std::string& line, bool* symbolic) {
  ControlStatement c;
  std::string_view a[9];  // text, id, class, style, x, y, w, h, extended style
  FieldViews(FieldViewAt(line, "CONTROL ", 2), ",", a);
  std::string_view b = FieldViewAt(line, "CONTROL", 2);
  c.text = RemoveQuotes(a[0]);
  c.id = FieldViewAt(b, ",", 2);
  c.idValue = ParseInteger(c.id);
  c.className = RemoveQuotes(a[2]);
  c.style = ParseStyle(a[3]);
  c.x = ParseInteger(a[4]);
  c.y = ParseInteger(a[5]);
  c.w = ParseInteger(a[6]);
  c.h = ParseInteger(a[7]);
  c.exStyle = ParseStyle(a[8]);
  if (symbolic != nullptr) *symbolic = IsSymbolicStyle(a[3]) || IsSymbolicStyle(a[8]);
  return c;
}

// Lines are trimmed of blanks only (deliberate: a tab-indented statement is not recognised).
bool NextLine(LineReader& lines, std::string& line) {
  if (lines.AtEnd()) return false;
  lines.ReadLine(line);
  std::string_view kept = Trim(line);  // trimmed in place: no new string per line
  if (kept.empty()) {
    line.clear();
  } else {
    size_t start = static_cast<size_t>(kept.data() - line.data());
    line.resize(start + kept.size());
    line.erase(0, start);
  }
  return true;
}

bool NarrowReader::NextLine() {
  return fw::NextLine(lines_, line_);
}

bool NarrowReader::Next(ScriptItem& item) {
  while (NextLine()) {
    // "#define" in any letter case, also as the start of a longer word, is collected whole.
    if (LowerAscii(std::string_view(line_).substr(0, 7)) == "#define") {
      item.kind = ScriptItem::Kind::kDefine;
      item.define = line_;
      return true;
    }
    // "DIALOGEX" anywhere in a line starts a dialog, in a comment too (deliberate).
    if (line_.find("DIALOGEX") != std::string::npos) {
      if (HeaderHasBlanks(line_)) ++skips_.headersWithBlanks;
      item.kind = ScriptItem::Kind::kDialog;
      item.dialog = ScriptDialog{};
      ReadDialog(item.dialog);
      return true;
    }
    if (IsDialogHeader(line_)) ++skips_.dialogs;
  }
  return false;
}

// Statements up to "BEGIN"; every other line, "#define" and "END" included, is consumed
// unread (deliberate). The script's end ends the dialog with no controls.
void NarrowReader::ReadDialog(ScriptDialog& dialog) {
  ParseHeader(line_, dialog);
  DialogStatement statement;
  while (NextLine()) {
    if (ParseStatement(line_, statement)) {
      CountSymbolicStyle(statement.kind);
      dialog.statements.push_back(std::move(statement));
    } else if (StartsWith(line_, "BEGIN")) {
      ReadControls(dialog);
      return;
    }
  }
}

void NarrowReader::CountSymbolicStyle(DialogStatement::Kind kind) {
  std::string_view field;
  if (kind == DialogStatement::Kind::kStyle) field = FieldViewAt(line_, "STYLE ", 2);
  if (kind == DialogStatement::Kind::kExStyle) field = FieldViewAt(line_, "EXSTYLE ", 2);
  if (IsSymbolicStyle(field)) ++skips_.symbolicStyles;
}

// Controls up to the first line starting with "END" (also "ENDING"), or the script's end.
void NarrowReader::ReadControls(ScriptDialog& dialog) {
  while (NextLine()) {
    if (StartsWith(line_, "CONTROL")) {
      bool symbolic = false;
      dialog.controls.push_back(ParseControlStatement(line_, &symbolic));
      if (symbolic) ++skips_.symbolicStyles;
    } else if (StartsWith(line_, "END")) {
      return;
    } else if (IsShortControlForm(line_)) {
      ++skips_.shortForms;
    }
  }
}

}  // namespace fw
