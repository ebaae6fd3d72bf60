// UTF-8 and UTF-16 helpers for the decoded text of scripts: appending code points, reading them
// back, and the private-use code points that keep bytes no encoding could read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fw {

// A byte that is not valid where it stands (0x80..0xFF in every supported encoding) is kept in
// the UTF-8 text as the private-use code point U+EF00 + byte, and written back as that byte.
// The range is the one raw-byte-in-PUA schemes use; it is valid UTF-8, unlike lone surrogates.
inline constexpr char32_t kKeptByteFirst = 0xEF80;
inline constexpr char32_t kKeptByteLast = 0xEFFF;
inline bool IsKeptByte(char32_t c) {
  return c >= kKeptByteFirst && c <= kKeptByteLast;
}
inline unsigned char KeptByteValue(char32_t c) {
  return static_cast<unsigned char>(c - 0xEF00);
}

// Appends `c` as UTF-8; a lone surrogate (no Unicode scalar value) becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t c);
// Appends the code point that keeps byte `b` (0x80..0xFF).
inline void AppendKeptByte(std::string& out, unsigned char b) {
  AppendUtf8(out, 0xEF00 + b);
}

// One step of reading UTF-8: the code point at a position and how many bytes it took. An
// invalid sequence (stray continuation, overlong form, surrogate, past U+10FFFF, cut short)
// gives `valid` false, `length` 1 and `c` the first byte.
struct Utf8Step {
  char32_t c = 0;
  size_t length = 1;
  bool valid = true;
};
Utf8Step ReadUtf8(std::string_view text, size_t pos);

// True when the text holds a byte of 0x80 or more.
bool HasNonAscii(std::string_view text);

// The text read as UTF-8 with each invalid byte kept (see above); the offsets of the invalid
// bytes in `text` are appended to `invalid` when it is given.
std::string KeepInvalidUtf8(std::string_view text, std::vector<size_t>* invalid = nullptr);

}  // namespace fw
