// Numbers in text and the scaled division used for dialog units.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

// Text to signed 32-bit integer: "&h", "&o", "&b" prefixes, else decimal with optional white
// space and sign. Every form wraps modulo 2^32; no digits gives 0. "0x" is not recognised.
int32_t ParseInteger(std::string_view text);

// Decimal digits, a minus sign for negative numbers, nothing else.
std::string IntegerToText(int32_t value);

// The same digits held in place, for values made by the thousand: no allocation.
class IntegerDigits {
 public:
  explicit IntegerDigits(int32_t value);
  std::string_view view() const { return {digits_, size_}; }

 private:
  char digits_[12];  // "-2147483648" is the longest
  size_t size_;
};

// a * b / c in 64 bits, rounded to nearest with halves away from zero; the quotient wraps
// modulo 2^32. A zero divisor gives -1, the only case without a quotient.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

}  // namespace fw
