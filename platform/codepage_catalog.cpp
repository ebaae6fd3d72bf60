#include "platform/codepage_catalog.h"

#include <algorithm>

namespace fw {
namespace {

// 858 is left out: Windows has no table for it.
constexpr int kCodePages[] = {437,  737,  775,  850,  852,  855,  857,  860,  861,  862,
                              863,  864,  865,  866,  869,  874,  932,  936,  949,  950,
                              1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 65001};

constexpr CodePageOverride kOverrides[] = {
    {1255, "\xCA", 0x05BA},    {950, "\xF9\xF9", 0x2550}, {950, "\xF9\xE9", 0x255E},
    {950, "\xF9\xEB", 0x2561}, {950, "\xF9\xEA", 0x256A},
};

}  // namespace

bool InCodePageCatalog(int codePage) {
  return std::binary_search(std::begin(kCodePages), std::end(kCodePages), codePage);
}

bool IsDoubleByteCodePage(int codePage) {
  return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

bool IsLeadByte(int codePage, unsigned char b) {
  if (codePage == 932) return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  return IsDoubleByteCodePage(codePage) && b >= 0x81 && b <= 0xFE;
}

std::span<const CodePageOverride> CodePageOverrides() {
  return kOverrides;
}

std::span<const int> CatalogCodePages() {
  return kCodePages;
}

}  // namespace fw
