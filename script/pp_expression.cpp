#include "script/pp_expression.h"

#include <array>
#include <cctype>
#include <cstring>

namespace fw {

namespace {

struct Value {
  uint64_t bits = 0;
  bool isUnsigned = false;
  int64_t Signed() const { return static_cast<int64_t>(bits); }
  bool IsTrue() const { return bits != 0; }
};

Value Int(int64_t v) {
  return {static_cast<uint64_t>(v), false};
}

struct BinaryOp {
  const char* spelling;
  int precedence;  // higher binds tighter
};

constexpr std::array<BinaryOp, 18> kBinary = {{{"*", 10},
                                               {"/", 10},
                                               {"%", 10},
                                               {"+", 9},
                                               {"-", 9},
                                               {"<<", 8},
                                               {">>", 8},
                                               {"<", 7},
                                               {">", 7},
                                               {"<=", 7},
                                               {">=", 7},
                                               {"==", 6},
                                               {"!=", 6},
                                               {"&", 5},
                                               {"^", 4},
                                               {"|", 3},
                                               {"&&", 2},
                                               {"||", 1}}};

int PrecedenceOf(const PpToken& t) {
  if (t.kind != PpKind::kPunctuator) return -1;
  for (const BinaryOp& op : kBinary) {
    if (t.text == op.spelling) return op.precedence;
  }
  return -1;
}

// Shifts as GCC's preprocessor does: a count past the width gives 0 (or -1 for a negative
// signed value shifted right); a negative count shifts the other way.
Value Shift(Value a, Value count, bool left) {
  if (!count.isUnsigned && count.Signed() < 0) {
    left = !left;
    count.bits = 0 - count.bits;
  }
  bool negative = !a.isUnsigned && a.Signed() < 0;
  if (count.bits >= 64) {
    a.bits = (!left && negative) ? ~uint64_t{0} : 0;
  } else if (left) {
    a.bits <<= count.bits;
  } else if (negative) {
    a.bits = ~(~a.bits >> count.bits);
  } else {
    a.bits >>= count.bits;
  }
  return a;
}

class Parser {
 public:
  Parser(const std::vector<PpToken>& tokens, uint32_t maxNesting)
      : tokens_(tokens), maxNesting_(maxNesting) {}

  bool Run(int64_t& value, std::string& error) {
    Value v = Conditional(true);
    if (error_.empty() && at_ < tokens_.size()) {
      Error("missing binary operator before token \"" + std::string(tokens_[at_].text) + "\"");
    }
    if (!error_.empty()) {
      error = error_;
      return false;
    }
    value = v.Signed();
    return true;
  }

 private:
  bool Failed() const { return !error_.empty(); }
  void Error(std::string message) {
    if (error_.empty()) error_ = std::move(message);
  }
  bool Accept(const char* spelling) {
    if (at_ < tokens_.size() && tokens_[at_].IsPunctuator(spelling)) {
      ++at_;
      return true;
    }
    return false;
  }
  bool Enter() {
    if (++depth_ > maxNesting_) Error("#if expression nested too deeply");
    return !Failed();
  }

  // cond ? a : b, with the comma operator below it.
  Value Conditional(bool evaluate) {
    if (!Enter()) return {};
    Value c = Binary(0, evaluate);
    if (!Failed() && Accept("?")) {
      Value a = Conditional(evaluate && c.IsTrue());
      if (!Accept(":") && !Failed()) Error("'?' without following ':'");
      Value b = Conditional(evaluate && !c.IsTrue());
      bool isUnsigned = a.isUnsigned || b.isUnsigned;
      c = c.IsTrue() ? a : b;
      c.isUnsigned = isUnsigned;
    }
    while (!Failed() && Accept(",")) c = Conditional(evaluate);
    --depth_;
    return c;
  }

  // Precedence climbing over the binary operators; recursion only per parenthesis or unary.
  Value Binary(int minPrecedence, bool evaluate) {
    Value lhs = Unary(evaluate);
    while (!Failed() && at_ < tokens_.size()) {
      int precedence = PrecedenceOf(tokens_[at_]);
      if (precedence < minPrecedence || precedence < 1) break;
      std::string_view op = tokens_[at_++].text;
      bool rhsEvaluated =
          evaluate && !(op == "&&" && !lhs.IsTrue()) && !(op == "||" && lhs.IsTrue());
      Value rhs = BinaryAbove(precedence, rhsEvaluated);
      if (Failed()) break;
      lhs = Apply(op, lhs, rhs, rhsEvaluated);
    }
    return lhs;
  }

  Value BinaryAbove(int precedence, bool evaluate) {
    if (!Enter()) return {};
    Value v = Binary(precedence + 1, evaluate);
    --depth_;
    return v;
  }

  Value Apply(std::string_view op, Value a, Value b, bool evaluate) {
    if (op == "&&") return Int(a.IsTrue() && b.IsTrue());
    if (op == "||") return Int(a.IsTrue() || b.IsTrue());
    if (op == "<<" || op == ">>") return Shift(a, b, op == "<<");
    bool u = a.isUnsigned || b.isUnsigned;
    if (op == "==") return Int(a.bits == b.bits);
    if (op == "!=") return Int(a.bits != b.bits);
    if (op == "<") return Int(u ? a.bits < b.bits : a.Signed() < b.Signed());
    if (op == ">") return Int(u ? a.bits > b.bits : a.Signed() > b.Signed());
    if (op == "<=") return Int(u ? a.bits <= b.bits : a.Signed() <= b.Signed());
    if (op == ">=") return Int(u ? a.bits >= b.bits : a.Signed() >= b.Signed());
    Value r{0, u};
    if (op == "+") r.bits = a.bits + b.bits;
    if (op == "-") r.bits = a.bits - b.bits;
    if (op == "*") r.bits = a.bits * b.bits;
    if (op == "&") r.bits = a.bits & b.bits;
    if (op == "^") r.bits = a.bits ^ b.bits;
    if (op == "|") r.bits = a.bits | b.bits;
    if (op == "/" || op == "%") {
      if (b.bits == 0) {
        if (evaluate) Error("division by zero in #if");
        return r;
      }
      r.bits = Divide(a, b, u, op == "/");
    }
    return r;
  }

  static uint64_t Divide(Value a, Value b, bool u, bool quotient) {
    if (u) return quotient ? a.bits / b.bits : a.bits % b.bits;
    if (b.Signed() == -1) return quotient ? 0 - a.bits : 0;  // no overflow trap
    return static_cast<uint64_t>(quotient ? a.Signed() / b.Signed() : a.Signed() % b.Signed());
  }

  Value Unary(bool evaluate) {
    if (!Enter()) return {};
    Value v;
    if (Accept("+")) {
      v = Unary(evaluate);
    } else if (Accept("-")) {
      v = Unary(evaluate);
      v.bits = 0 - v.bits;
    } else if (Accept("~")) {
      v = Unary(evaluate);
      v.bits = ~v.bits;
    } else if (Accept("!")) {
      v = Int(!Unary(evaluate).IsTrue());
    } else if (Accept("(")) {
      v = Conditional(evaluate);
      if (!Accept(")") && !Failed()) Error("missing ')' in expression");
    } else {
      v = Primary();
    }
    --depth_;
    return v;
  }

  Value Primary() {
    if (at_ >= tokens_.size()) {
      Error("#if with no expression");
      return {};
    }
    const PpToken& t = tokens_[at_++];
    Value v;
    switch (t.kind) {
      case PpKind::kIdentifier:
        return Int(0);
      case PpKind::kNumber:
        if (!ParsePpInteger(t.text, v.bits, v.isUnsigned)) {
          Error("invalid integer constant \"" + std::string(t.text) + "\" in #if");
        }
        return v;
      case PpKind::kCharacter:
        return CharacterValue(t.text);
      default:
        Error("token \"" + std::string(t.text) + "\" is not valid in preprocessor expressions");
        return {};
    }
  }

  Value CharacterValue(std::string_view text) {
    size_t i = text.find('\'') + 1;
    int64_t value = 0;
    int count = 0;
    while (i < text.size() && text[i] != '\'') {
      int64_t c = static_cast<signed char>(text[i++]);
      if (c == '\\' && i < text.size()) c = Escape(text, i);
      value = (value << 8) | (c & 0xff);
      ++count;
    }
    if (count == 0) Error("empty character constant");
    // One character is a (signed) char, as GCC reads it on x86.
    if (count == 1) value = static_cast<signed char>(value & 0xff);
    return Int(static_cast<int32_t>(value));
  }

  static int64_t Escape(std::string_view text, size_t& i) {
    char c = text[i++];
    switch (c) {
      case 'n':
        return '\n';
      case 't':
        return '\t';
      case 'r':
        return '\r';
      case 'a':
        return '\a';
      case 'b':
        return '\b';
      case 'f':
        return '\f';
      case 'v':
        return '\v';
      case 'x': {
        int64_t v = 0;
        while (i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i]))) {
          char d = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i++])));
          v = v * 16 + (d <= '9' ? d - '0' : d - 'a' + 10);
        }
        return v;
      }
      default:
        if (c >= '0' && c <= '7') {
          int64_t v = c - '0';
          for (int n = 1; n < 3 && i < text.size() && text[i] >= '0' && text[i] <= '7'; ++n) {
            v = v * 8 + (text[i++] - '0');
          }
          return v;
        }
        return static_cast<unsigned char>(c);
    }
  }

  const std::vector<PpToken>& tokens_;
  uint32_t maxNesting_;
  size_t at_ = 0;
  uint32_t depth_ = 0;
  std::string error_;
};

bool IsIntegerSuffix(std::string suffix, bool& isUnsigned) {
  for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static const char* kSuffixes[] = {"", "u", "l", "ul", "lu", "ll", "ull", "llu"};
  for (const char* s : kSuffixes) {
    if (suffix == s) {
      isUnsigned = std::strchr(s, 'u') != nullptr;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ParsePpInteger(std::string_view text, uint64_t& value, bool& isUnsigned) {
  size_t i = 0;
  unsigned base = 10;
  if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    i = 2;
  } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'b' || text[1] == 'B')) {
    base = 2;
    i = 2;
  } else if (!text.empty() && text[0] == '0') {
    base = 8;
  }
  size_t digits = i;
  bool overflow = false;
  value = 0;
  for (; i < text.size(); ++i) {
    int c = std::tolower(static_cast<unsigned char>(text[i]));
    unsigned d = c >= '0' && c <= '9'   ? unsigned(c - '0')
                 : c >= 'a' && c <= 'f' ? unsigned(c - 'a' + 10)
                                        : 99;
    if (d >= base) break;
    if (value > (~uint64_t{0} - d) / base) overflow = true;
    value = value * base + d;
  }
  if (i == digits && base != 8) return false;
  if (!IsIntegerSuffix(std::string(text.substr(i)), isUnsigned)) return false;
  // Too large for the signed type: unsigned, as GCC reads it (with a warning).
  if (value > uint64_t{INT64_MAX}) isUnsigned = true;
  return !overflow;
}

bool EvaluatePpExpression(const std::vector<PpToken>& tokens, int64_t& value, std::string& error,
                          uint32_t maxNesting) {
  if (tokens.empty()) {
    error = "#if with no expression";
    return false;
  }
  return Parser(tokens, maxNesting).Run(value, error);
}

}  // namespace fw
