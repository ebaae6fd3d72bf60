#include "script/rc_model.h"

#include "script/rc_string.h"

namespace fw {

namespace {

bool IsIdentifier(std::string_view s) {
  if (s.empty() || (s[0] >= '0' && s[0] <= '9')) return false;
  for (char c : s) {
    bool ok =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

bool IsDigits(std::string_view s, bool hex) {
  if (s.empty()) return false;
  for (char c : s) {
    bool ok = (c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
    if (!ok) return false;
  }
  return true;
}

// A number token as BASIC writes it; empty when it is none.
std::string BasicNumber(std::string_view n) {
  while (!n.empty() && (n.back() == 'L' || n.back() == 'l' || n.back() == 'U' || n.back() == 'u')) {
    n.remove_suffix(1);
  }
  if (n.size() > 2 && n[0] == '0' && (n[1] == 'x' || n[1] == 'X')) {
    return IsDigits(n.substr(2), true) ? "&h" + std::string(n.substr(2)) : "";
  }
  if (!IsDigits(n, false)) return "";
  if (n.size() > 1 && n[0] == '0') {
    return n.find_first_of("89") == std::string_view::npos ? "&o" + std::string(n.substr(1)) : "";
  }
  return std::string(n);
}

}  // namespace

std::string RcDialogModelName(const RcDialog& d) {
  if (IsIdentifier(d.nameWritten)) return d.nameWritten;
  if (d.name.ordinal) return "IDD_" + std::to_string(*d.name.ordinal);
  std::string name;
  for (char c : d.name.text)
    name += IsIdentifier(std::string(1, c)) || (c >= '0' && c <= '9') ? c : '_';
  return IsIdentifier(name) ? name : "IDD_" + name;
}

ScriptDialog ToScriptDialog(const RcDialog& d) {
  using Kind = DialogStatement::Kind;
  ScriptDialog out;
  out.name = RcDialogModelName(d);
  out.x = d.x;
  out.y = d.y;
  out.w = d.w;
  out.h = d.h;
  if (d.caption) out.statements.push_back({Kind::kCaption, BasicQuoted(*d.caption), 0});
  if (d.windowClass) out.statements.push_back({Kind::kClass, BasicQuoted(d.windowClass->text), 0});
  if (d.exStyle) {
    out.statements.push_back({Kind::kExStyle, "", static_cast<int32_t>(*d.exStyle)});
  }
  if (d.font) {
    DialogStatement font{Kind::kFont, BasicQuoted(d.font->face),
                         static_cast<int32_t>(d.font->size)};
    font.weight = static_cast<int32_t>(d.font->weight);
    font.italic = static_cast<int32_t>(d.font->italic);
    font.charSet = static_cast<int32_t>(d.font->charSet);
    out.statements.push_back(font);
  }
  out.statements.push_back({Kind::kStyle, "", static_cast<int32_t>(d.FinalStyle())});
  out.controls.reserve(d.controls.size());
  for (const RcControl& c : d.controls) {
    ControlStatement s;
    s.text = BasicQuoted(c.text);
    s.id = c.idWritten;
    s.idValue = static_cast<int32_t>(c.id);
    s.className = c.className;
    s.style = static_cast<int32_t>(c.style);
    s.x = c.x;
    s.y = c.y;
    s.w = c.w;
    s.h = c.h;
    s.exStyle = static_cast<int32_t>(c.exStyle);
    out.controls.push_back(std::move(s));
  }
  return out;
}

std::string BasicDefineValue(std::string_view value) {
  std::string_view inner = value;
  if (inner.size() > 2 && inner.front() == '(' && inner.back() == ')') {
    inner = inner.substr(1, inner.size() - 2);
  }
  std::string sign;
  if (!inner.empty() && (inner[0] == '-' || inner[0] == '+')) {
    if (inner[0] == '-') sign = "-";
    inner.remove_prefix(1);
    while (!inner.empty() && inner[0] == ' ') inner.remove_prefix(1);
  }
  std::string number = BasicNumber(inner);
  return number.empty() ? std::string(value) : sign + number;
}

}  // namespace fw
