// The expressions of resource statements: numbers (decimal, 0x hex, leading-0 octal, L and U
// suffixes), + - | & * / of one precedence read left to right, unary - ~ + and NOT, and
// parentheses. Arithmetic wraps at 32 bits.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "script/rc_tokens.h"

namespace fw {

// A value, and the bits a NOT takes away from the defaults it is put over: `a | NOT b` is
// `a` without b's bits, and a control's default style loses them too.
struct RcValue {
  uint32_t value = 0;
  uint32_t notMask = 0;
  uint32_t Over(uint32_t defaults) const { return (defaults & ~notMask) | value; }
};

struct RcExpression {
  RcValue value;
  std::vector<PpToken> tokens;  // as read, for the text as written
  bool undefinedName = false;   // a name without a value was read as 0
};

// Reads one expression. False, after an error, when none could be read; the tokens that
// were read are consumed.
bool ReadRcExpression(RcTokens& in, RcExpression& out);

// True for a token that can begin an expression: a number, ( - ~ + NOT, or a name that is no
// word of the statements.
bool StartsRcExpression(const PpToken& t);

// A number token's value; false when it is not a whole number.
bool ParseRcNumber(std::string_view text, uint32_t& value);

}  // namespace fw
