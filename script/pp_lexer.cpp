#include "script/pp_lexer.h"

#include <algorithm>
#include <array>

namespace fw {

namespace {

// What each byte may be, looked up once a byte: the lexer's loops ask it of every byte.
enum : uint8_t { kBlankByte = 1, kWordByte = 2, kDigitByte = 4, kSkipByte = 8 };
constexpr auto kByteClass = [] {
  std::array<uint8_t, 256> classes{};
  for (char c : std::string_view(" \t\r\v\f")) classes[static_cast<unsigned char>(c)] = kBlankByte;
  classes[0] = kBlankByte;
  for (uint8_t& c : classes) {
    if (c & kBlankByte) c |= kSkipByte;
  }
  classes['/'] = kSkipByte;  // a comment may begin there
  for (int c = 0; c < 256; ++c) {
    bool digit = c >= '0' && c <= '9';
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || digit || c == '_' || c == '$' ||
        c >= 0x80) {
      classes[c] |= kWordByte;
    }
    if (digit) classes[c] |= kDigitByte;
  }
  return classes;
}();

bool IsBlank(char c) {
  return kByteClass[static_cast<unsigned char>(c)] & kBlankByte;
}
bool IsDigit(char c) {
  return kByteClass[static_cast<unsigned char>(c)] & kDigitByte;
}
// Blanks or a comment may begin here: only then is SkipBlanks asked.
bool MaySkip(char c) {
  return kByteClass[static_cast<unsigned char>(c)] & kSkipByte;
}
bool IsWordByte(char c) {
  return kByteClass[static_cast<unsigned char>(c)] & kWordByte;
}

// Longest first, so the first match is the longest; views, so that no candidate costs a strlen.
constexpr std::array<std::string_view, 48> kPunctuators = {
    "...", "<<=", ">>=", "->", "++", "--", "<<", ">>", "<=", ">=", "==", "!=",
    "&&",  "||",  "*=",  "/=", "%=", "+=", "-=", "&=", "^=", "|=", "##", "#",
    "[",   "]",   "(",   ")",  "{",  "}",  ".",  "&",  "*",  "+",  "-",  "~",
    "!",   "/",   "%",   "<",  ">",  "^",  "|",  "?",  ":",  ";",  "=",  ","};

// Where the table's candidates for each first byte begin (the order kept, longest first):
// a '#' does not walk past forty others.
constexpr auto kFirstCandidate = [] {
  std::array<uint8_t, 256> first{};
  first.fill(static_cast<uint8_t>(kPunctuators.size()));
  for (size_t i = kPunctuators.size(); i-- > 0;) {
    first[static_cast<unsigned char>(kPunctuators[i][0])] = static_cast<uint8_t>(i);
  }
  return first;
}();

// Bytes that begin no longer punctuator: no search of the table.
constexpr auto kAlone = [] {
  std::array<bool, 256> alone{};
  for (char c : std::string_view(",()[]{};:?~")) alone[static_cast<unsigned char>(c)] = true;
  return alone;
}();

// The text without backslash-newline pairs, and where each pair was; the stretches between
// backslashes are copied whole (a script has few).
void RemoveSplices(std::string_view in, std::string& out, std::vector<size_t>& splices) {
  out.reserve(in.size());
  for (size_t i = 0; i < in.size();) {
    size_t slash = in.find('\\', i);
    if (slash == std::string_view::npos) slash = in.size();
    out.append(in, i, slash - i);
    if (slash == in.size()) break;
    size_t next = slash + 1;
    if (next < in.size() && in[next] == '\r') ++next;
    if (next < in.size() && in[next] == '\n') {
      splices.push_back(out.size());
      i = next + 1;
    } else {
      out.push_back('\\');
      i = slash + 1;
    }
  }
}

}  // namespace

bool IsPpIdentifierByte(unsigned char c) {
  return kByteClass[c] & kWordByte;
}

PpLexer::PpLexer(std::string_view text, uint32_t file, bool doubledQuotes, std::string fileName,
                 PpDiagnostics& diagnostics, PpTextStore& texts)
    : file_(file),
      doubledQuotes_(doubledQuotes),
      fileName_(std::move(fileName)),
      diagnostics_(diagnostics) {
  text_ = text;
  for (size_t slash = text.find('\\'); slash != std::string_view::npos;
       slash = text.find('\\', slash + 1)) {
    if (text.substr(slash + 1, 1) == "\n" || text.substr(slash + 1, 2) == "\r\n") {
      std::string spliced;
      RemoveSplices(text, spliced, splices_);
      text_ = texts.Keep(std::move(spliced));
      break;
    }
  }
}

uint32_t PpLexer::Line() {
  for (; spliceCursor_ < splices_.size() && splices_[spliceCursor_] <= pos_; ++spliceCursor_) {
    ++line_;
  }
  return line_;
}

bool PpLexer::SkipBlanks() {
  size_t start = pos_;
  while (pos_ < text_.size()) {
    char c = text_[pos_];
    if (IsBlank(c)) {
      ++pos_;
    } else if (c == '/' && At(pos_ + 1) == '/') {
      while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    } else if (c == '/' && At(pos_ + 1) == '*') {
      size_t end = text_.find("*/", pos_ + 2);
      if (end == std::string_view::npos) {
        diagnostics_.push_back({fileName_, Line(), true, "unterminated comment"});
        end = text_.size();
      }
      line_ += static_cast<uint32_t>(std::count(text_.begin() + pos_, text_.begin() + end, '\n'));
      pos_ = std::min(end + 2, text_.size());
    } else {
      break;
    }
  }
  return pos_ != start;
}

PpToken PpLexer::Next() {
  PpToken token;
  token.file = file_;
  token.spaceBefore = pos_ < text_.size() && MaySkip(text_[pos_]) && SkipBlanks();
  token.line = Line();
  if (pos_ >= text_.size()) {
    token.kind = PpKind::kEnd;
    return token;
  }
  size_t start = pos_;
  unsigned char c = static_cast<unsigned char>(text_[pos_]);
  if (c == '\n') {
    ++pos_;
    ++line_;
    token.kind = PpKind::kNewline;
    return token;
  }
  if (c == '"' || c == '\'') {
    LexQuoted(token, static_cast<char>(c));
  } else if (IsDigit(static_cast<char>(c)) || (c == '.' && IsDigit(At(pos_ + 1)))) {
    LexNumber(token);
  } else if (IsWordByte(static_cast<char>(c))) {
    while (pos_ < text_.size() && IsWordByte(text_[pos_])) ++pos_;
    std::string_view word(text_.data() + start, pos_ - start);
    char q = At(pos_);
    if ((q == '"' || q == '\'') && (word == "L" || word == "u" || word == "U" || word == "u8")) {
      LexQuoted(token, q);
    } else {
      token.kind = PpKind::kIdentifier;
    }
  } else if (kAlone[c]) {  // the commonest punctuators: ',' '(' ')'
    token.kind = PpKind::kPunctuator;
    ++pos_;
  } else {
    LexPunctuator(token);
  }
  token.text = text_.substr(start, pos_ - start);
  return token;
}

void PpLexer::LexQuoted(PpToken& token, char quote) {
  token.kind = quote == '"' ? PpKind::kString : PpKind::kCharacter;
  ++pos_;
  while (pos_ < text_.size()) {
    char c = text_[pos_];
    if (c == '\n') break;
    ++pos_;
    if (c == '\\' && pos_ < text_.size() && text_[pos_] != '\n') {
      ++pos_;
    } else if (c == quote) {
      if (quote == '"' && doubledQuotes_ && At(pos_) == '"') {
        ++pos_;
        continue;
      }
      return;
    }
  }
  token.unterminated = true;
}

void PpLexer::LexNumber(PpToken& token) {
  token.kind = PpKind::kNumber;
  while (pos_ < text_.size()) {
    char c = text_[pos_];
    if ((c == '+' || c == '-') && pos_ > 0) {
      char e = text_[pos_ - 1];
      if (e != 'e' && e != 'E' && e != 'p' && e != 'P') break;
    } else if (c != '.' && !IsWordByte(c)) {
      break;
    }
    ++pos_;
  }
}

void PpLexer::LexPunctuator(PpToken& token) {
  token.kind = PpKind::kPunctuator;
  std::string_view rest(text_.data() + pos_, text_.size() - pos_);
  for (size_t i = kFirstCandidate[static_cast<unsigned char>(rest[0])]; i < kPunctuators.size();
       ++i) {
    std::string_view p = kPunctuators[i];
    if (p[0] == rest[0] && rest.starts_with(p)) {
      pos_ += p.size();
      return;
    }
  }
  token.kind = PpKind::kOther;
  ++pos_;
}

bool PpLexer::LexHeaderName(std::string& name, bool& angled) {
  size_t save = pos_;
  uint32_t saveLine = line_;
  size_t saveSplice = spliceCursor_;
  auto restore = [&] {
    pos_ = save;
    line_ = saveLine;
    spliceCursor_ = saveSplice;
    return false;
  };
  SkipBlanks();
  char open = At(pos_);
  if (pos_ >= text_.size() || (open != '"' && open != '<')) return restore();
  char close = open == '"' ? '"' : '>';
  size_t end = pos_ + 1;
  while (end < text_.size() && text_[end] != close && text_[end] != '\n') ++end;
  if (end >= text_.size() || text_[end] != close) return restore();
  name.assign(text_.substr(pos_ + 1, end - pos_ - 1));
  angled = open == '<';
  pos_ = end + 1;
  return true;
}

}  // namespace fw
