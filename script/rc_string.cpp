#include "script/rc_string.h"

#include <algorithm>
#include <cstdint>

#include "textutil/utf8.h"

namespace fw {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Joins UTF-16 units given by escapes: a high surrogate waits for its low one.
class UnitWriter {
 public:
  explicit UnitWriter(std::string& out) : out_(out) {}
  void Unit(uint32_t u) {
    if (high_ != 0 && u >= 0xDC00 && u <= 0xDFFF) {
      AppendUtf8(out_, 0x10000 + ((high_ - 0xD800) << 10) + (u - 0xDC00));
      high_ = 0;
      return;
    }
    Flush();
    if (u >= 0xD800 && u <= 0xDBFF) {
      high_ = u;
    } else {
      AppendUtf8(out_, u);
    }
  }
  void Flush() {
    if (high_ != 0) AppendUtf8(out_, 0xFFFD);
    high_ = 0;
  }

 private:
  std::string& out_;
  uint32_t high_ = 0;
};

}  // namespace

std::string DecodeRcString(std::string_view token) {
  bool wide = !token.empty() && (token[0] == 'L' || token[0] == 'l');
  if (wide) token.remove_prefix(1);
  if (!token.empty() && token[0] == '"') token.remove_prefix(1);
  if (!token.empty() && token.back() == '"') token.remove_suffix(1);
  // Most texts hold neither a quote nor an escape: they stand as they are.
  if (std::none_of(token.begin(), token.end(), [](char c) { return c == '"' || c == '\\'; })) {
    return std::string(token);
  }
  std::string out;
  UnitWriter units(out);
  size_t i = 0;
  while (i < token.size()) {
    char c = token[i];
    if (c == '"' && i + 1 < token.size() && token[i + 1] == '"') {
      units.Unit('"');
      i += 2;
      continue;
    }
    if (c != '\\' || i + 1 >= token.size()) {
      units.Flush();
      out += c;  // UTF-8 bytes pass as they are
      ++i;
      continue;
    }
    char e = token[i + 1];
    i += 2;
    uint32_t unit = 0;
    switch (e) {
      case 'n':
        unit = '\n';
        break;
      case 'r':
        unit = '\r';
        break;
      case 't':
        unit = '\t';
        break;
      case 'a':
        unit = 0x08;
        break;
      case '\\':
        unit = '\\';
        break;
      case '"':
        unit = '"';
        break;
      case 'x':
      case 'X': {
        size_t most = wide ? 4 : 2;
        size_t n = 0;
        while (n < most && i < token.size() && HexValue(token[i]) >= 0) {
          unit = unit * 16 + static_cast<uint32_t>(HexValue(token[i++]));
          ++n;
        }
        if (n == 0) {
          units.Flush();
          out += "\\";
          out += e;
          continue;
        }
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          unit = static_cast<uint32_t>(e - '0');
          for (int n = 1; n < 3 && i < token.size() && token[i] >= '0' && token[i] <= '7'; ++n) {
            unit = unit * 8 + static_cast<uint32_t>(token[i++] - '0');
          }
          break;
        }
        units.Flush();
        if (!wide) {  // llvm-rc keeps an unknown escape in a narrow text, drops it in L""
          out += '\\';
          out += e;
        }
        continue;
    }
    if (unit == 0) break;  // the compiler writes texts up to their first NUL
    units.Unit(unit);
  }
  units.Flush();
  return out;
}

std::string BasicQuoted(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    out += c;
    if (c == '"') out += '"';
  }
  return out;
}

}  // namespace fw
