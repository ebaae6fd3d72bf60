#include "script/rc_expression.h"

#include <array>

#include "script/rc_controls.h"

namespace fw {

namespace {

// Deeper parentheses or unary chains are refused: the reader never recurses without bound.
constexpr int kMaxDepth = 200;
// Longer expressions are refused: their tokens are kept for the text as written (a 100 MB
// line of "1|1|..." would otherwise hold gigabytes of them).
constexpr size_t kMaxTokens = 10000;

// Each byte's value as a digit (99: none), looked up rather than tested: numbers are many.
constexpr auto kDigitValues = [] {
  std::array<uint8_t, 256> values{};
  values.fill(99);
  for (int c = '0'; c <= '9'; ++c) values[c] = static_cast<uint8_t>(c - '0');
  for (int c = 'a'; c <= 'f'; ++c) values[c] = static_cast<uint8_t>(c - 'a' + 10);
  for (int c = 'A'; c <= 'F'; ++c) values[c] = static_cast<uint8_t>(c - 'A' + 10);
  return values;
}();

int DigitValue(char c) {
  return kDigitValues[static_cast<unsigned char>(c)];
}

bool IsBinaryOperator(const PpToken& t) {
  if (t.kind != PpKind::kPunctuator || t.text.size() != 1) return false;
  char c = t.text[0];
  return c == '+' || c == '-' || c == '|' || c == '&' || c == '*' || c == '/';
}

RcValue Apply(char op, RcValue lhs, RcValue rhs, bool& divisionByZero) {
  // As llvm-rc: the right operand's NOT bits leave the left operand first.
  uint32_t a = lhs.value & ~rhs.notMask;
  uint32_t b = rhs.value;
  uint32_t v = 0;
  switch (op) {
    case '+':
      v = a + b;
      break;
    case '-':
      v = a - b;
      break;
    case '|':
      v = a | b;
      break;
    case '&':
      v = a & b;
      break;
    case '*':
      v = a * b;
      break;
    case '/':
      if (b == 0) {
        divisionByZero = true;
      } else if (!(a == 0x80000000u && b == 0xFFFFFFFFu)) {
        v = static_cast<uint32_t>(static_cast<int32_t>(a) / static_cast<int32_t>(b));
      } else {
        v = a;
      }
      break;
  }
  return {v, lhs.notMask | rhs.notMask};
}

class ExpressionReader {
 public:
  ExpressionReader(RcTokens& in, RcExpression& out) : in_(in), out_(out) {}

  bool Binary(RcValue& result) {
    if (!Unary(result, 0)) return false;
    while (IsBinaryOperator(in_.Peek())) {
      char op = Take().text[0];
      RcValue rhs;
      if (!Unary(rhs, 0)) return false;
      bool byZero = false;
      result = Apply(op, result, rhs, byZero);
      if (byZero) in_.Error(out_.tokens.back(), "division by zero (read as 0)");
    }
    return true;
  }

 private:
  // Valid until the next Take (the list may grow).
  const PpToken& Take() {
    out_.tokens.push_back(in_.Take());
    return out_.tokens.back();
  }

  bool Unary(RcValue& result, int depth) {
    const PpToken& t = in_.Peek();
    if (depth > kMaxDepth) {
      in_.Error(t, "expression nested too deeply");
      return false;
    }
    if (out_.tokens.size() > kMaxTokens) {
      in_.Error(t, "expression too long (more than " + std::to_string(kMaxTokens) + " tokens)");
      return false;
    }
    if (t.IsPunctuator("-") || t.IsPunctuator("~") || t.IsPunctuator("+") ||
        RcTokens::IsWord(t, "NOT")) {
      PpToken op = Take();
      if (!Unary(result, depth + 1)) return false;
      if (op.text == "-") result.value = 0u - result.value;
      if (op.text == "~") result.value = ~result.value;
      if (op.kind == PpKind::kIdentifier) result = {0, result.value | result.notMask};
      return true;
    }
    if (t.IsPunctuator("(")) {
      PpToken open = Take();
      return Unary(result, depth + 1) && Rest(result, depth + 1, open);
    }
    return Primary(result);
  }

  // After "(" and its first operand: the operators up to ")".
  bool Rest(RcValue& result, int depth, const PpToken& open) {
    while (IsBinaryOperator(in_.Peek())) {
      char op = Take().text[0];
      RcValue rhs;
      if (!Unary(rhs, depth)) return false;
      bool byZero = false;
      result = Apply(op, result, rhs, byZero);
      if (byZero) in_.Error(out_.tokens.back(), "division by zero (read as 0)");
    }
    if (in_.PeekPunctuator(")")) {
      Take();
      return true;
    }
    in_.Error(in_.Peek(), "')' expected for the '(' of line " + std::to_string(open.line) +
                              ", found " + RcTokens::Describe(in_.Peek()));
    return false;
  }

  bool Primary(RcValue& result) {
    const PpToken& t = in_.Peek();
    if (t.kind == PpKind::kNumber) {
      const PpToken& n = Take();
      if (!ParseRcNumber(n.text, result.value)) {
        in_.Error(n, "not a whole number: " + RcTokens::Describe(n));
        return false;
      }
      return true;
    }
    if (t.kind == PpKind::kIdentifier && !IsRcKeyword(t.text)) {
      const PpToken& name = Take();
      in_.Error(name, "no value for the name " + ShownSpelling(name.text) + " (read as 0)");
      out_.undefinedName = true;
      result = {};
      return true;
    }
    in_.Error(t, "a number expected, found " + RcTokens::Describe(t));
    return false;
  }

  RcTokens& in_;
  RcExpression& out_;
};

}  // namespace

bool ParseRcNumber(std::string_view text, uint32_t& value) {
  size_t end = text.size();
  while (end > 0 && (text[end - 1] == 'L' || text[end - 1] == 'l' || text[end - 1] == 'U' ||
                     text[end - 1] == 'u')) {
    --end;
  }
  text = text.substr(0, end);
  if (text.empty()) return false;
  uint32_t base = 10;
  size_t i = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    i = 2;
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'o' || text[1] == 'O')) {
    base = 8;
    i = 2;
  } else if (text.size() > 1 && text[0] == '0') {
    base = 8;
    i = 1;
  }
  uint32_t v = 0;
  for (; i < text.size(); ++i) {
    int d = DigitValue(text[i]);
    if (d >= static_cast<int>(base)) return false;
    v = v * base + static_cast<uint32_t>(d);
  }
  value = v;
  return true;
}

bool StartsRcExpression(const PpToken& t) {
  if (t.kind == PpKind::kNumber) return true;
  if (t.kind == PpKind::kIdentifier) return RcTokens::IsWord(t, "NOT") || !IsRcKeyword(t.text);
  return t.IsPunctuator("(") || t.IsPunctuator("-") || t.IsPunctuator("~") || t.IsPunctuator("+");
}

bool ReadRcExpression(RcTokens& in, RcExpression& out) {
  out.value = {};
  out.tokens.clear();  // its memory is kept for the next expression
  out.undefinedName = false;
  ExpressionReader reader(in, out);
  return reader.Binary(out.value);
}

}  // namespace fw
