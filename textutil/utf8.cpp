#include "textutil/utf8.h"

#include <cstdint>
#include <cstring>

namespace fw {

void AppendUtf8(std::string& out, char32_t c) {
  if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;  // a lone surrogate is no character
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

Utf8Step ReadUtf8(std::string_view text, size_t pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char first = byte(pos);
  const Utf8Step invalid{first, 1, false};
  if (first < 0x80) return {first, 1, true};
  size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 0;
  if (length == 0 || first > 0xF4 || pos + length > text.size()) return invalid;
  char32_t c = first & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return invalid;
    c = (c << 6) | (byte(pos + i) & 0x3F);
  }
  static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kShortest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return invalid;
  return {c, length, true};
}

// Eight bytes at a time, four words to a step: outputs of hundreds of megabytes are asked.
bool HasNonAscii(std::string_view text) {
  constexpr uint64_t kHigh = 0x8080808080808080ull;
  size_t i = 0;
  for (; i + 32 <= text.size(); i += 32) {
    uint64_t w[4];
    std::memcpy(w, text.data() + i, sizeof w);
    if ((w[0] | w[1] | w[2] | w[3]) & kHigh) return true;
  }
  for (; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) return true;
  }
  return false;
}

std::string KeepInvalidUtf8(std::string_view text, std::vector<size_t>* invalid) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const Utf8Step step = ReadUtf8(text, pos);
    if (step.valid) {
      out.append(text.substr(pos, step.length));
    } else {
      AppendKeptByte(out, static_cast<unsigned char>(text[pos]));
      if (invalid) invalid->push_back(pos);
    }
    pos += step.length;
  }
  return out;
}

}  // namespace fw
