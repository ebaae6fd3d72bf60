// Splits one file's text into preprocessing tokens: line splices and comments removed, a
// newline token at the end of each logical line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/pp_text_store.h"
#include "script/pp_token.h"

namespace fw {

class PpLexer {
 public:
  // `doubledQuotes`: "" inside a string stands for one quote, as in resource scripts.
  // Problems (an unterminated comment) go to `diagnostics` under `fileName`. The tokens view
  // `text`, which must outlive them, or its copy without line splices, which `texts` keeps.
  PpLexer(std::string_view text, uint32_t file, bool doubledQuotes, std::string fileName,
          PpDiagnostics& diagnostics, PpTextStore& texts);
  PpLexer(const PpLexer&) = delete;
  PpLexer& operator=(const PpLexer&) = delete;

  // The next token: kNewline at each line end, then kEnd for ever.
  PpToken Next();

  // Right after "#include": the name between "" or <> (as written, without them) and
  // whether it was <>. False when neither follows; nothing is consumed then.
  bool LexHeaderName(std::string& name, bool& angled);

  // The physical line (from 1) of the next character, counting splices.
  uint32_t Line();

 private:
  bool SkipBlanks();  // true when any blank or comment was skipped
  void LexQuoted(PpToken& token, char quote);
  void LexNumber(PpToken& token);
  void LexPunctuator(PpToken& token);
  char At(size_t pos) const { return pos < text_.size() ? text_[pos] : '\0'; }

  std::string_view text_;        // the text read: the one given, or its copy without splices
  std::vector<size_t> splices_;  // where a splice was removed, ascending
  size_t pos_ = 0;
  uint32_t file_;
  bool doubledQuotes_;
  std::string fileName_;
  PpDiagnostics& diagnostics_;
  // Newlines are counted as pos_ passes them (a newline token, a block comment); splices
  // when the line is asked.
  uint32_t line_ = 1;
  size_t spliceCursor_ = 0;
};

// True for the bytes that may continue an identifier (any byte of a UTF-8 sequence too).
bool IsPpIdentifierByte(unsigned char c);

}  // namespace fw
