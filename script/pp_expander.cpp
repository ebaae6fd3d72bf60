#include "script/pp_expander.h"

#include <algorithm>

#include "script/pp_operators.h"

namespace fw {

namespace {

PpToken EndToken() {
  PpToken t;
  t.kind = PpKind::kEnd;
  return t;
}

PpToken NullPadding() {
  PpToken t;
  t.kind = PpKind::kPadding;
  return t;
}

uint64_t BytesOf(const std::vector<PpToken>& tokens) {
  uint64_t bytes = 0;
  for (const PpToken& t : tokens) bytes += t.text.size();
  return bytes;
}

void DropTrailingPadding(std::vector<PpToken>& tokens) {
  while (!tokens.empty() && tokens.back().kind == PpKind::kPadding) tokens.pop_back();
}

}  // namespace

PpToken PpListInput::Next(Mode) {
  if (!unread_.empty()) {
    PpToken t = std::move(unread_.back());
    unread_.pop_back();
    return t;
  }
  return next_ < tokens_.size() ? tokens_[next_++] : EndToken();
}

void PpListInput::Unread(const PpToken& token) {
  unread_.push_back(token);
}

PpExpander::PpExpander(PpMacroTable& macros, PpTokenInput& input, PpExpansionLimits& limits,
                       const std::vector<std::string>& fileNames, PpDiagnostics& diagnostics,
                       PpTextStore& texts)
    : macros_(macros),
      input_(input),
      limits_(limits),
      fileNames_(fileNames),
      diagnostics_(diagnostics),
      texts_(texts) {}

void PpExpander::Report(const PpToken& where, bool error, std::string message) {
  std::string file = where.file < fileNames_.size() ? fileNames_[where.file] : "";
  diagnostics_.push_back({file, where.line, error, std::move(message)});
}

void PpExpander::Fail(const PpToken& where, std::string message) {
  if (failed_) return;
  Report(where, true, std::move(message));
  failed_ = true;
  contexts_.clear();
}

bool PpExpander::Spend(size_t count, uint64_t bytes, const PpToken& where) {
  spentHere_ += count;
  bytesHere_ += bytes;
  limits_.totalSpent += count;
  limits_.totalBytesSpent += bytes;
  std::string over;
  if (spentHere_ > limits_.tokensPerExpansion) {
    over = std::to_string(limits_.tokensPerExpansion) + " tokens";
  } else if (limits_.totalSpent > limits_.totalTokens) {
    over = std::to_string(limits_.totalTokens) + " tokens";
  } else if (bytesHere_ > limits_.bytesPerExpansion) {
    over = std::to_string(limits_.bytesPerExpansion >> 20) + " MiB of text";
  } else if (limits_.totalBytesSpent > limits_.totalBytes) {
    over = std::to_string(limits_.totalBytes >> 20) + " MiB of text";
  }
  if (!over.empty()) Fail(where, "macro expansion too large (more than " + over + ")");
  return !failed_;
}

bool PpExpander::Push(std::shared_ptr<PpMacro> macro, std::vector<PpToken> tokens, bool padAtEnd,
                      const std::vector<PpBodyToken>* body) {
  Context c;
  c.macro = std::move(macro);
  c.tokens = std::move(tokens);
  c.body = body;
  c.size = body ? body->size() : c.tokens.size();
  c.padAtEnd = padAtEnd;
  return PushContext(std::move(c));
}

bool PpExpander::PushContext(Context c) {
  if (contexts_.size() >= limits_.contextDepth) {
    Fail(c.Size() == 0 ? PpToken{} : c.At(0), "macro expansion nested too deeply");
    return false;
  }
  contexts_.push_back(std::move(c));
  return true;
}

// The text of a call is kept short: it names a control's id, no more is needed.
constexpr size_t kMaxCallText = 4096;

void PpExpander::BeginCall(const PpToken& name) {
  building_.number = 0;
  building_.text = name.text;  // keeps the buffer of an older call
  building_.spaceBefore = name.spaceBefore;
  recordEnds_.assign(1, building_.text.size());
  callOpen_ = true;
}

// A token of the text read for a call (its arguments, its parenthesis).
void PpExpander::Record(const PpToken& t) {
  if (!callOpen_ && callCount_ == 0) return;
  std::string& text = callOpen_ ? building_.text : calls_[callCount_ % kCallsKept].text;
  if (text.size() < kMaxCallText && t.kind != PpKind::kEnd && t.kind != PpKind::kDirectiveStop) {
    if (t.spaceBefore) text += ' ';
    text += t.text;
  }
  recordEnds_.push_back(text.size());
}

const PpExpander::Call* PpExpander::FindCall(uint32_t number) const {
  const Call& c = calls_[number % kCallsKept];
  return number != 0 && c.number == number ? &c : nullptr;
}

void PpExpander::Backup(const PpToken& token) {
  if (lastFromInput_) {
    if (mode_ != PpTokenInput::Mode::kNormal && recordEnds_.size() > 1 &&
        (callOpen_ || callCount_ != 0)) {
      recordEnds_.pop_back();
      std::string& text = callOpen_ ? building_.text : calls_[callCount_ % kCallsKept].text;
      text.resize(std::min(text.size(), recordEnds_.back()));
    }
    input_.Unread(token);
  } else if (!contexts_.empty() && contexts_.back().next > 0) {
    --contexts_.back().next;
  }
}

// One token: from the innermost open context, else from the input. A finished context
// closes (enabling its macro again) and leaves padding behind.
PpToken PpExpander::Read() {
  for (;;) {
    if (failed_) return EndToken();
    if (contexts_.empty()) {
      lastFromInput_ = true;
      PpToken t = input_.Next(mode_);
      if (input_.InputStopped()) failed_ = true;
      if (mode_ == PpTokenInput::Mode::kInArguments && t.lineStart) t.spaceBefore = true;
      if (mode_ != PpTokenInput::Mode::kNormal) Record(t);
      return t;
    }
    Context& c = contexts_.back();
    if (c.next < c.Size()) {
      lastFromInput_ = false;
      PpToken t = c.At(c.next++);
      if (t.kind != PpKind::kPadding && t.kind != PpKind::kEnd) {
        t.file = originFile_;
        t.line = originLine_;
        t.expansion = callCount_;
      }
      if (t.pasteLeft) return PasteAll(t);
      return t;
    }
    bool pad = c.padAtEnd;
    if (c.macro) c.macro->disabled = false;
    if (c.compact != PpMacroTable::kNone) macros_.SetDisabled(c.compact, false);
    contexts_.pop_back();
    if (pad) return NullPadding();
  }
}

PpToken PpExpander::Get() {
  PpToken t = Read();
  if (t.kind != PpKind::kIdentifier || t.noExpand) return t;
  return Replace(t);
}

PpToken PpExpander::Expand(const PpToken& t) {
  if (t.kind != PpKind::kIdentifier || t.noExpand) return t;
  lastFromInput_ = true;  // as Read would have it
  PpMacroTable::Id id = macros_.Find(t.text);
  if (id == PpMacroTable::kNone) return t;
  const PpMacroTable::Entry& e = macros_.At(id);
  if (e.full || !e.hasBody || e.bodyKind == PpKind::kIdentifier || e.disabled ||
      preventExpansion_ > 0) {
    return Replace(t);
  }
  return ExpandToOneToken(t, e);
}

// A control id's macro: one token that no further macro can touch. It is given at once, as its
// context would give it (the padding around it is never output), and the call is recorded.
PpToken PpExpander::ExpandToOneToken(const PpToken& name, const PpMacroTable::Entry& e) {
  originFile_ = name.file;
  originLine_ = name.line;
  spentHere_ = 0;
  bytesHere_ = 0;
  if (!Spend(1, e.body.size(), name)) return EndToken();
  Call& call = calls_[++callCount_ % kCallsKept];
  call.number = callCount_;
  call.text = name.text;  // keeps the buffer of an older call
  call.spaceBefore = name.spaceBefore;
  recordEnds_.assign(1, call.text.size());
  PpToken t;
  t.text = e.body;
  t.kind = e.bodyKind;
  t.file = originFile_;
  t.line = originLine_;
  t.expansion = callCount_;
  return t;
}

// An identifier that may name a macro: padding once the macro is entered, else the name.
PpToken PpExpander::Replace(const PpToken& t) {
  PpMacroTable::Id id = macros_.Find(t.text);
  if (id == PpMacroTable::kNone) return t;
  if (macros_.Disabled(id)) {
    PpToken painted = t;
    painted.noExpand = true;
    return painted;
  }
  if (preventExpansion_ > 0) return t;
  bool fromText = contexts_.empty();
  if (fromText) {
    originFile_ = t.file;
    originLine_ = t.line;
    spentHere_ = 0;
    bytesHere_ = 0;
    BeginCall(t);
  }
  bool entered = EnterMacro(id, t);
  if (fromText) {
    callOpen_ = false;
    if (entered) {
      building_.number = ++callCount_;
      std::swap(calls_[callCount_ % kCallsKept], building_);
    }
  }
  if (entered) return PaddingFor(t);
  if (failed_) return EndToken();
  return t;
}

// Pastes `lhs` with the tokens after it in its context while they are marked for pasting,
// and puts the result in a context of its own. The spellings between are made in two
// buffers by turns; only the last goes to the store.
PpToken PpExpander::PasteAll(const PpToken& lhs) {
  PpToken result = lhs;
  result.pasteLeft = false;
  std::string buffers[2];
  int turn = 0;
  bool madeOne = false;
  bool more = true;
  while (more && !contexts_.empty()) {
    Context& c = contexts_.back();
    if (c.next >= c.Size()) break;
    PpToken rhs = c.At(c.next++);
    if (rhs.kind == PpKind::kPadding) continue;
    more = rhs.pasteLeft;
    PpToken pasted;
    if (!PasteTokens(result, rhs, buffers[turn], pasted)) {
      Report(lhs, true,
             "pasting " + QuotedSpelling(result.text) + " and " + QuotedSpelling(rhs.text) +
                 " does not give a valid preprocessing token");
      --c.next;
      break;
    }
    result = pasted;
    turn ^= 1;
    madeOne = true;
  }
  if (!Spend(1, result.text.size(), lhs)) return EndToken();
  if (madeOne) result.text = texts_.Copy(result.text);
  Push(nullptr, {result}, true);
  return PaddingFor(lhs);
}

bool PpExpander::EnterMacro(PpMacroTable::Id id, const PpToken& name) {
  if (!macros_.At(id).full) return EnterCompact(id, name);
  // Kept here and by its context: it survives an #undef in its arguments.
  std::shared_ptr<PpMacro> macro = macros_.At(id).full;
  if (!macro->functionLike) {  // its body is read in place
    uint64_t bytes = 0;
    for (const PpBodyToken& b : macro->body) bytes += b.token.text.size();
    if (!Spend(macro->body.size(), bytes, name)) return false;
    macro->disabled = true;
    return Push(macro, {}, true, &macro->body);
  }
  if (!FindParen()) return false;
  std::vector<Argument> args;
  if (!CollectArguments(*macro, name, args)) return false;
  std::vector<PpToken> tokens = Substitute(*macro, name, args);
  if (!Spend(tokens.size(), BytesOf(tokens), name)) return false;
  macro->disabled = true;
  Push(macro, std::move(tokens), true);
  return !failed_;
}

// A compact macro reads no input: its one token (or none) goes in a context of its own.
bool PpExpander::EnterCompact(PpMacroTable::Id id, const PpToken& name) {
  const PpMacroTable::Entry& e = macros_.At(id);
  if (!Spend(e.hasBody ? 1 : 0, e.body.size(), name)) return false;
  PpToken body;
  if (e.hasBody) {
    body.text = e.body;
    body.kind = e.bodyKind;
    body.file = e.bodyFile;
    body.line = e.bodyLine;
  }
  if (contexts_.size() >= limits_.contextDepth) {
    Fail(body, "macro expansion nested too deeply");  // where the macro's body was written
    return false;
  }
  Context& c = contexts_.emplace_back();  // made in place: a context is large
  c.compact = id;
  c.single = body;
  c.size = e.hasBody ? 1 : 0;
  macros_.SetDisabled(id, true);
  return true;
}

// Reads on to the next token that is not padding; true when it is '('. Otherwise gives
// it back, with the padding seen that stands for the most whitespace.
bool PpExpander::FindParen() {
  ++preventExpansion_;
  PpTokenInput::Mode saved = mode_;
  mode_ = PpTokenInput::Mode::kLookingForParen;
  PpToken t;
  PpToken padding;
  bool padded = false;
  for (;;) {
    t = Get();
    if (t.kind != PpKind::kPadding) break;
    if (!padded || padding.pad == PadSource::kNone ||
        (padding.pad == PadSource::kNoWhite && t.pad == PadSource::kNone)) {
      padding = t;
      padded = true;
    }
  }
  mode_ = saved;
  --preventExpansion_;
  if (t.IsPunctuator("(")) return true;
  if (t.kind != PpKind::kDirectiveStop) Backup(t);
  if (padded) Push(nullptr, {padding}, true);
  return false;
}

bool PpExpander::CollectArguments(const PpMacro& macro, const PpToken& name,
                                  std::vector<Argument>& args) {
  ++preventExpansion_;
  PpTokenInput::Mode saved = mode_;
  mode_ = PpTokenInput::Mode::kInArguments;
  args.emplace_back();
  int depth = 0;
  bool closed = false;
  for (;;) {
    PpToken t = Get();
    if (t.kind == PpKind::kEnd || t.kind == PpKind::kDirectiveStop) {
      Backup(t);
      break;
    }
    if (t.kind == PpKind::kPadding && args.back().empty()) continue;
    if (t.IsPunctuator("(")) {
      ++depth;
    } else if (t.IsPunctuator(")")) {
      if (depth == 0) {
        closed = true;
        break;
      }
      --depth;
    } else if (t.IsPunctuator(",") && depth == 0 &&
               !(macro.variadic && args.size() == macro.params.size())) {
      DropTrailingPadding(args.back());
      args.emplace_back();
      continue;
    }
    t.pasteLeft = false;
    if (!Spend(1, t.text.size(), name)) break;
    args.back().push_back(std::move(t));
  }
  mode_ = saved;
  --preventExpansion_;
  if (failed_) return false;
  if (!closed) {
    Report(name, true, "unterminated argument list invoking macro \"" + macro.name + "\"");
    return false;
  }
  DropTrailingPadding(args.back());
  return CheckArgumentCount(macro, name, args);
}

bool PpExpander::CheckArgumentCount(const PpMacro& macro, const PpToken& name,
                                    std::vector<Argument>& args) {
  size_t want = macro.params.size();
  if (want == 0 && args.size() == 1 && args[0].empty()) args.clear();
  if (macro.variadic && args.size() + 1 == want) args.emplace_back();
  if (args.size() == want) return true;
  std::string message = "macro \"" + macro.name + "\" ";
  if (args.size() < want) {
    message += "requires " + std::to_string(want) + " arguments, but only " +
               std::to_string(args.size()) + " given";
  } else {
    message += "passed " + std::to_string(args.size()) + " arguments, but takes just " +
               std::to_string(want);
  }
  Report(name, true, message);
  return false;
}

// The replacement list with each parameter replaced: by its argument as written next to
// "##", stringized after "#", and fully expanded elsewhere. Padding around each argument
// keeps the whitespace that stringizing sees.
std::vector<PpToken> PpExpander::Substitute(const PpMacro& macro, const PpToken& name,
                                            std::vector<Argument>& args) {
  std::vector<PpToken> out;
  std::vector<Argument> expanded(args.size());
  std::vector<bool> isExpanded(args.size(), false);
  for (size_t i = 0; i < macro.body.size() && !failed_; ++i) {
    const PpBodyToken& b = macro.body[i];
    if (b.param < 0) {
      out.push_back(b.token);
      continue;
    }
    bool rhsOfPaste = i > 0 && macro.body[i - 1].token.pasteLeft;
    bool lhsOfPaste = b.token.pasteLeft;
    Argument stringified;
    const Argument* from = &args[b.param];
    if (b.stringify) {
      stringified.push_back(Stringify(args[b.param], texts_));
      from = &stringified;
    } else if (!rhsOfPaste && !lhsOfPaste) {
      if (!isExpanded[b.param]) {
        expanded[b.param] = ExpandArgument(args[b.param], name);
        isExpanded[b.param] = true;
      }
      from = &expanded[b.param];
    }
    if (i > 0 && !rhsOfPaste) out.push_back(PaddingFor(b.token));
    long pasteFlagAt = -1;  // the token whose "##" mark this parameter decides
    if (rhsOfPaste && !out.empty() && from->empty()) pasteFlagAt = long(out.size()) - 1;
    for (const PpToken& t : *from) {
      out.push_back(t);
      out.back().pasteLeft = false;
    }
    if (!from->empty() && lhsOfPaste) pasteFlagAt = long(out.size()) - 1;
    if (!lhsOfPaste) out.push_back(NullPadding());
    if (pasteFlagAt >= 0) out[pasteFlagAt].pasteLeft = lhsOfPaste;
    if (!Spend(from->size(), BytesOf(*from), name)) break;
  }
  return out;
}

// An argument fully expanded on its own, as if it were the rest of the input.
PpExpander::Argument PpExpander::ExpandArgument(const Argument& arg, const PpToken& name) {
  Argument out;
  if (argumentDepth_ >= limits_.argumentNesting) {
    Fail(name, "macro arguments nested too deeply (more than " +
                   std::to_string(limits_.argumentNesting) + " levels)");
    return out;
  }
  ++argumentDepth_;
  std::vector<PpToken> tokens = arg;
  tokens.push_back(EndToken());
  Push(nullptr, std::move(tokens), false);
  size_t depth = contexts_.size();
  for (;;) {
    PpToken t = Get();
    if (t.kind == PpKind::kEnd) break;
    uint64_t bytes = t.text.size();
    out.push_back(std::move(t));
    if (!Spend(1, bytes, name)) break;
  }
  if (!failed_ && contexts_.size() == depth) contexts_.pop_back();
  --argumentDepth_;
  return out;
}

}  // namespace fw
