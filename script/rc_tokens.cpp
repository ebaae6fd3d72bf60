#include "script/rc_tokens.h"

namespace fw {

RcTokens::RcTokens(Preprocessor& pp, size_t maxDiagnostics)
    : pp_(pp), maxDiagnostics_(maxDiagnostics) {}

bool RcTokens::IsWord(const PpToken& t, std::string_view word) {
  if (t.kind != PpKind::kIdentifier || t.text.size() != word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    char c = t.text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != word[i]) return false;
  }
  return true;
}

bool RcTokens::PeekUnlessDefine() {
  if (haveAhead_) return true;
  pp_.HoldAtDefines(true);
  bool got = pp_.Next(ahead_);
  pp_.HoldAtDefines(false);
  if (!got && pp_.Held()) return false;
  Ahead(got);
  return true;
}

// The token the preprocessor gave is ahead now, or the end when it gave none.
void RcTokens::Ahead(bool got) {
  if (got) {
    lastFile_ = ahead_.file;
    lastLine_ = ahead_.line;
  } else {
    ahead_ = PpToken{};
    ahead_.kind = PpKind::kEnd;
    ahead_.file = lastFile_;
    ahead_.line = lastLine_;
    ahead_.lineStart = true;
  }
  haveAhead_ = true;
  if (pp_.Diagnostics().size() != ppSeen_) PullPreprocessorDiagnostics();  // mostly none new
}

// The end stays ahead for ever; any other token is moved out, not copied.
PpToken RcTokens::Take() {
  Peek();
  if (ahead_.kind == PpKind::kEnd) return ahead_;
  haveAhead_ = false;
  return std::move(ahead_);
}

bool RcTokens::TakeWord(std::string_view word) {
  if (!PeekWord(word)) return false;
  Drop();
  return true;
}

bool RcTokens::TakePunctuator(std::string_view p) {
  if (!PeekPunctuator(p)) return false;
  Drop();
  return true;
}

std::string RcTokens::Describe(const PpToken& t) {
  if (t.kind == PpKind::kEnd) return "the end of the script";
  return QuotedSpelling(t.text);
}

std::string RcTokens::Written(const std::vector<PpToken>& tokens) const {
  std::string out;
  uint32_t lastCall = 0;
  for (const PpToken& t : tokens) {
    std::string_view piece = t.text;
    bool space = t.spaceBefore;
    if (t.expansion != 0) {
      if (t.expansion == lastCall) continue;
      if (const PpExpander::Call* call = pp_.FindCall(t.expansion)) {
        piece = call->text;
        space = call->spaceBefore;
        lastCall = t.expansion;
      }
    } else {
      lastCall = 0;
    }
    if (!out.empty() && space) out += ' ';
    out += piece;
  }
  return out;
}

void RcTokens::SkipLine() {
  if (AtEnd()) return;
  Drop();
  while (!AtEnd() && !Peek().lineStart) Drop();
}

void RcTokens::SkipRestOfLine() {
  while (!AtEnd() && !Peek().lineStart) Drop();
}

void RcTokens::SkipBlock() {
  PpToken begin = Take();
  uint64_t open = 1;
  while (open > 0) {
    if (AtEnd()) {
      Error(begin, "END missing for this BEGIN");
      return;
    }
    if (PeekBegin()) {
      ++open;
    } else if (PeekEnd()) {
      --open;
    }
    Drop();
  }
}

void RcTokens::Report(const PpToken& at, bool error, const std::string& message) {
  PullPreprocessorDiagnostics();
  const std::vector<std::string>& files = pp_.Files();
  std::string file = at.file < files.size() ? files[at.file] : "";
  Add({file, at.line, error, message});
}

// Keeps the first diagnostics and counts the rest, so that no input fills the memory.
void RcTokens::Add(PpDiagnostic d) {
  if (diagnostics_.size() < maxDiagnostics_) {
    diagnostics_.push_back(std::move(d));
  } else {
    ++leftOut_;
  }
}

void RcTokens::PullPreprocessorDiagnostics() {
  const PpDiagnostics& from = pp_.Diagnostics();
  // The preprocessor keeps its own first ones and then only a count, which is read at the end.
  while (ppSeen_ < from.size() && from[ppSeen_].line != 0) Add(from[ppSeen_++]);
}

const PpDiagnostics& RcTokens::Diagnostics() {
  PullPreprocessorDiagnostics();
  const PpDiagnostics& from = pp_.Diagnostics();
  if (ppSeen_ < from.size()) {  // the preprocessor's count of those it left out
    Add(from[ppSeen_++]);
  }
  if (leftOut_ > 0) {
    diagnostics_.push_back({"", 0, false, std::to_string(leftOut_) + " more diagnostics left out"});
    leftOut_ = 0;
  }
  return diagnostics_;
}

}  // namespace fw
