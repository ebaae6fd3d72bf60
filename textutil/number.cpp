#include "textutil/number.h"

#include <charconv>

namespace fw {

namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

// Digits of `base` from `pos` on, accumulated modulo 2^32.
uint32_t ReadDigits(std::string_view text, size_t pos, int base) {
  uint32_t value = 0;
  for (; pos < text.size() && DigitValue(text[pos]) < base; ++pos) {
    value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(DigitValue(text[pos]));
  }
  return value;
}

bool IsWhiteSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

int PrefixBase(char c) {
  switch (c) {
    case 'h':
    case 'H':
      return 16;
    case 'o':
    case 'O':
      return 8;
    case 'b':
    case 'B':
      return 2;
    default:
      return 0;
  }
}

}  // namespace

int32_t ParseInteger(std::string_view text) {
  size_t pos = text.find_first_not_of(' ');
  if (pos == std::string_view::npos) return 0;
  if (text[pos] == '&' && pos + 1 < text.size() && PrefixBase(text[pos + 1]) != 0) {
    return static_cast<int32_t>(ReadDigits(text, pos + 2, PrefixBase(text[pos + 1])));
  }
  while (pos < text.size() && IsWhiteSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  uint32_t value = ReadDigits(text, pos, 10);
  return static_cast<int32_t>(negative ? 0u - value : value);
}

std::string IntegerToText(int32_t value) {
  return std::to_string(value);
}

IntegerDigits::IntegerDigits(int32_t value) {
  size_ =
      static_cast<size_t>(std::to_chars(digits_, digits_ + sizeof digits_, value).ptr - digits_);
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  int64_t product = static_cast<int64_t>(a) * b;
  int64_t divisor = c;
  bool negative = (product < 0) != (divisor < 0);
  // |product| < 2^62 and |divisor| <= 2^31, so the magnitudes fit in unsigned 64 bits.
  uint64_t n = product < 0 ? 0 - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
  uint64_t d = divisor < 0 ? 0 - static_cast<uint64_t>(divisor) : static_cast<uint64_t>(divisor);
  uint64_t q = n / d;
  if ((n % d) * 2 >= d) ++q;  // halves away from zero
  uint64_t wrapped = negative ? 0 - q : q;
  return static_cast<int32_t>(static_cast<uint32_t>(wrapped));
}

}  // namespace fw
