// Code pages on Windows: MultiByteToWideChar and WideCharToMultiByte, one character at a time
// (the shared rules in codepage.cpp decide what counts as valid).
#include <windows.h>

#include "platform/codepage.h"

namespace fw {
namespace {

class Win32CodePages : public CodePages {
 protected:
  std::u32string DecodeCharacter(int codePage, std::string_view bytes) override {
    wchar_t wide[8];
    const int made = MultiByteToWideChar(static_cast<UINT>(codePage), MB_ERR_INVALID_CHARS,
                                         bytes.data(), static_cast<int>(bytes.size()), wide, 8);
    std::u32string read;
    for (int i = 0; i < made; ++i) {
      char32_t c = wide[i];
      const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < made && wide[i + 1] >= 0xDC00 &&
                        wide[i + 1] <= 0xDFFF;
      if (pair) c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
      read += c;
    }
    return read;
  }

  std::optional<std::string> EncodeCharacter(int codePage, char32_t c) override {
    wchar_t wide[2];
    int units = 1;
    if (c >= 0x10000) {
      wide[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      wide[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
      units = 2;
    } else {
      wide[0] = static_cast<wchar_t>(c);
    }
    char out[16];
    BOOL usedDefault = FALSE;
    const int made = WideCharToMultiByte(static_cast<UINT>(codePage), WC_NO_BEST_FIT_CHARS, wide,
                                         units, out, sizeof out, nullptr, &usedDefault);
    if (made <= 0 || usedDefault) return std::nullopt;
    return std::string(out, static_cast<size_t>(made));
  }

  bool PlatformHas(int codePage) override { return IsValidCodePage(static_cast<UINT>(codePage)); }
};

}  // namespace

std::unique_ptr<CodePages> MakePlatformCodePages() {
  return std::make_unique<Win32CodePages>();
}

}  // namespace fw
