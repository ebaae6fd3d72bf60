// The Windows code pages Formwright reads and writes, and what both platforms must agree on:
// which bytes lead a two-byte character, and the few characters where the platforms' own
// tables differ.
#pragma once

#include <span>
#include <string_view>

namespace fw {

inline constexpr int kUtf8CodePage = 65001;

// True for the code pages of the catalog (single-byte Windows and OEM pages, the four
// double-byte East Asian pages, and 65001).
bool InCodePageCatalog(int codePage);
// True for 932, 936, 949 and 950.
bool IsDoubleByteCodePage(int codePage);
// True when `b` starts a two-byte character in the double-byte page `codePage`.
bool IsLeadByte(int codePage, unsigned char b);

// A character whose bytes both platforms must use: one of them reads or writes it otherwise
// (glibc has no 0xCA in 1255; 950 writes four box-drawing characters at their first place,
// Windows at their second).
struct CodePageOverride {
  int codePage;
  std::string_view bytes;
  char32_t c;
};
std::span<const CodePageOverride> CodePageOverrides();

// The code pages of the catalog in increasing order.
std::span<const int> CatalogCodePages();

}  // namespace fw
