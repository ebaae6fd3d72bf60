#include "script/decode_unicode.h"

#include <algorithm>

#include "platform/codepage_catalog.h"
#include "textutil/utf8.h"

namespace fw {
namespace {

void DecodeUtf8(std::string_view bytes, DecodedScript& out) {
  std::vector<size_t> invalid;
  out.text = KeepInvalidUtf8(bytes, &invalid);
  int line = 1;
  int lastLine = 0;
  size_t counted = 0;  // lines counted up to here: the offsets ascend, so the count goes on
  for (size_t offset : invalid) {
    line += static_cast<int>(std::count(bytes.begin() + counted, bytes.begin() + offset, '\n'));
    counted = offset;
    if (line == lastLine) continue;
    out.Note(line, "bytes not valid in UTF-8 kept as they are");
    lastLine = line;
  }
}

// UTF-16 units cannot be kept as bytes in a byte-oriented output: a lone surrogate or an odd
// last byte becomes U+FFFD, with a note.
void DecodeUtf16(std::string_view bytes, bool bigEndian, DecodedScript& out) {
  const auto unit = [&](size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  int line = 1;
  int lastNoted = 0;
  const auto replace = [&] {
    AppendUtf8(out.text, 0xFFFD);
    if (line != lastNoted) out.Note(line, "invalid UTF-16 replaced by U+FFFD");
    lastNoted = line;
  };
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      replace();
      continue;
    }
    AppendUtf8(out.text, c);
    if (c == '\n') ++line;
  }
  if (i < bytes.size()) replace();
}

}  // namespace

bool DecodeUnicode(std::string_view bytes, DecodedScript& out) {
  const auto starts = [&](std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
  };
  int codePage = 0;
  if (starts("\xEF\xBB\xBF")) {
    out.encoding = ScriptEncoding::kUtf8Bom;
    codePage = kUtf8CodePage;
    DecodeUtf8(bytes.substr(3), out);
  } else if (starts("\xFF\xFE") || starts("\xFE\xFF")) {
    const bool bigEndian = bytes[0] == '\xFE';
    out.encoding = bigEndian ? ScriptEncoding::kUtf16Be : ScriptEncoding::kUtf16Le;
    codePage = bigEndian ? kUtf16BeCodePage : kUtf16LeCodePage;
    DecodeUtf16(bytes.substr(2), bigEndian, out);
  } else if (bytes.size() >= 2 && bytes[0] > 0 && bytes[1] == 0) {
    // No byte order mark, but no code page puts a zero byte after an ASCII character either.
    out.encoding = ScriptEncoding::kUtf16Le;
    codePage = kUtf16LeCodePage;
    out.Note(1, "no byte order mark; read as UTF-16LE");
    DecodeUtf16(bytes, false, out);
  } else {
    return false;
  }
  out.spans.push_back({0, 1, codePage, HasNonAscii(out.text)});
  return true;
}

}  // namespace fw
