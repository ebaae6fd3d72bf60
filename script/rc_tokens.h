// The preprocessor's output as the statement reader sees it: one token of lookahead, words
// compared without regard to case, diagnostics named by file and line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/preprocessor.h"

namespace fw {

class RcTokens {
 public:
  RcTokens(Preprocessor& pp, size_t maxDiagnostics);

  // The next token; a kEnd token (at the last line read) at the end of the script.
  const PpToken& Peek() {  // inline: the reader asks it several times a token
    if (!haveAhead_) Ahead(pp_.Next(ahead_));
    return ahead_;
  }
  // As Peek, but false, with no token ahead, when the preprocessor read a "#define" first (its
  // defines are to be handed over before reading on).
  bool PeekUnlessDefine();
  PpToken Take();
  // As Take, for a token not needed: nothing copied.
  void Drop() {
    if (Peek().kind != PpKind::kEnd) haveAhead_ = false;
  }
  bool AtEnd() { return Peek().kind == PpKind::kEnd; }
  // An identifier equal to `word` in any letter case.
  bool PeekWord(std::string_view word) { return IsWord(Peek(), word); }
  bool TakeWord(std::string_view word);
  bool PeekPunctuator(std::string_view p) { return Peek().IsPunctuator(p); }
  bool TakePunctuator(std::string_view p);
  bool PeekBegin() { return PeekWord("BEGIN") || PeekPunctuator("{"); }
  bool PeekEnd() { return PeekWord("END") || PeekPunctuator("}"); }

  void Error(const PpToken& at, const std::string& message) { Report(at, true, message); }
  void Warning(const PpToken& at, const std::string& message) { Report(at, false, message); }
  // How a message names a token: "\"x\"", or "the end of the script".
  static std::string Describe(const PpToken& t);

  // The tokens as the script writes them: each macro call of the text once, as called.
  std::string Written(const std::vector<PpToken>& tokens) const;

  // Passes over the tokens up to the next one that begins a line (at least one token).
  void SkipLine();
  // Passes over the tokens that do not begin a line (none when the next one does).
  void SkipRestOfLine();
  // Passes over a BEGIN ... END (or { }) block and the blocks nested in it; the next token is
  // its BEGIN. Only a count of the open blocks is kept.
  void SkipBlock();

  // The preprocessor's diagnostics and the reader's, in the order they arose.
  const PpDiagnostics& Diagnostics();

  static bool IsWord(const PpToken& t, std::string_view word);

 private:
  void Ahead(bool got);
  void Report(const PpToken& at, bool error, const std::string& message);
  void Add(PpDiagnostic d);
  void PullPreprocessorDiagnostics();

  Preprocessor& pp_;
  PpToken ahead_;
  bool haveAhead_ = false;
  uint32_t lastFile_ = 0;  // of the last token read from the preprocessor
  uint32_t lastLine_ = 0;
  PpDiagnostics diagnostics_;
  size_t ppSeen_ = 0;
  size_t maxDiagnostics_;
  uint64_t leftOut_ = 0;
};

}  // namespace fw
