// Conversions between the bytes of a Windows code page and UTF-8. The platform supplies one
// character at a time (glibc's iconv, or MultiByteToWideChar and WideCharToMultiByte); the rules
// on top are shared, so both builds give the same text for the same bytes:
//  - ASCII bytes are themselves in every page of the catalog;
//  - a character the platform gives as a C1 control (U+0080..U+009F) or a private-use code
//    point (U+E000..U+F8FF: user-defined areas) counts as invalid, as does any byte the
//    platform rejects; an invalid byte is kept (see textutil/utf8.h) and reported;
//  - a character fits a page only when its bytes read back as that character (no best fit).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace fw {

struct DecodedBytes {
  std::string utf8;
  std::vector<size_t> invalid;  // offsets in the input of the bytes kept as they were
};

struct EncodedText {
  std::string bytes;
  std::vector<size_t> unfit;  // offsets in the UTF-8 input of characters written as '?'
  bool AllFit() const { return unfit.empty(); }
};

class CodePages {
 public:
  CodePages();
  virtual ~CodePages();

  // True when `codePage` is in the catalog and the platform has it.
  bool Supports(int codePage);
  // The bytes of `codePage` (which must be supported) as UTF-8; invalid bytes are kept.
  DecodedBytes Decode(int codePage, std::string_view bytes);
  // UTF-8 text as bytes of `codePage` (which must be supported). Kept bytes are written back;
  // a character the page lacks is written as '?' and reported. 65001 writes the UTF-8 as is.
  EncodedText Encode(int codePage, std::string_view utf8);

 protected:
  // The code points the platform reads from `bytes`, one character of `codePage` (one byte, or
  // a lead byte and the next); empty when it rejects them.
  virtual std::u32string DecodeCharacter(int codePage, std::string_view bytes) = 0;
  // The platform's bytes for `c` without best fit; nothing when the page lacks it.
  virtual std::optional<std::string> EncodeCharacter(int codePage, char32_t c) = 0;
  // True when the platform can convert `codePage` (not asked for 65001).
  virtual bool PlatformHas(int codePage) = 0;

 private:
  struct Table;
  Table& TableOf(int codePage);
  char32_t Single(Table& table, unsigned char b);
  char32_t Pair(Table& table, unsigned char lead, unsigned char trail);
  const std::string& BytesOf(Table& table, char32_t c);

  std::map<int, std::unique_ptr<Table>> tables_;
  std::map<int, bool> supported_;
};

// The code pages of this platform: iconv on POSIX, the Win32 conversions on Windows.
std::unique_ptr<CodePages> MakePlatformCodePages();

}  // namespace fw
