// Macro expansion: object- and function-like macros, "#" and "##", rescanning, and the
// whitespace bookkeeping that stringizing depends on. Reads from a token input and a context
// stack, one context per macro being read; a macro is disabled while its context is open.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "script/pp_macro_table.h"
#include "script/pp_macros.h"
#include "script/pp_text_store.h"
#include "script/pp_token.h"

namespace fw {

// Where the expander reads the tokens that come from no macro.
class PpTokenInput {
 public:
  enum class Mode { kNormal, kLookingForParen, kInArguments };
  virtual ~PpTokenInput() = default;
  // The next token, kEnd when there is none (again and again). While looking for a macro's
  // '(', an input may answer kDirectiveStop for a directive line ahead, consuming nothing.
  virtual PpToken Next(Mode mode) = 0;
  // Gives a token back: the next call returns it again.
  virtual void Unread(const PpToken& token) = 0;
  // True when the input gave up (a fatal error): expansion stops without more diagnostics.
  virtual bool InputStopped() const { return false; }
};

// The tokens of a list, then kEnd.
class PpListInput : public PpTokenInput {
 public:
  explicit PpListInput(std::vector<PpToken> tokens) : tokens_(std::move(tokens)) {}
  PpToken Next(Mode mode) override;
  void Unread(const PpToken& token) override;

 private:
  std::vector<PpToken> tokens_;
  size_t next_ = 0;
  std::vector<PpToken> unread_;
};

// Limits shared by every expander of a run, so that no input can take unbounded time,
// memory or stack.
struct PpExpansionLimits {
  uint64_t totalTokens = 32'000'000;        // tokens made by all expansions of a run
  uint64_t tokensPerExpansion = 2'000'000;  // made by one expansion of the input's text
  // The same in bytes of token text: a few tokens may stand for a gigabyte (a long string
  // doubled by nested macros, a token pasted with itself in nested arguments).
  uint64_t totalBytes = uint64_t{256} << 20;
  uint64_t bytesPerExpansion = uint64_t{64} << 20;
  uint32_t argumentNesting = 200;  // macro calls nested in arguments
  uint32_t contextDepth = 100'000;
  uint64_t totalSpent = 0;
  uint64_t totalBytesSpent = 0;
};

class PpExpander {
 public:
  // Diagnostics name files through `fileNames` (a token's file is an index into it).
  // Spellings made by pasting and stringizing go to `texts`, which must outlive the tokens.
  PpExpander(PpMacroTable& macros, PpTokenInput& input, PpExpansionLimits& limits,
             const std::vector<std::string>& fileNames, PpDiagnostics& diagnostics,
             PpTextStore& texts);

  // The next token with macros expanded, kPadding tokens included (callers skip them);
  // kEnd at the end of the input, and for ever after a limit was reached.
  PpToken Get();

  // True when no macro is being read: the next token would come from the input.
  bool Idle() const { return contexts_.empty() && !failed_; }
  // What Get gives for `t`, read from the input by the caller while Idle and not looking for
  // a '(' (the input reads its own tokens without going through Get).
  PpToken Expand(const PpToken& t);

  // While on, identifiers are returned unexpanded ("defined X" in #if).
  void PreventExpansion(bool on) { preventExpansion_ += on ? 1 : -1; }

  // True once a limit stopped the expansion (the diagnostic says which).
  bool Failed() const { return failed_; }

  // A macro call of the text as written ("IDC_A", "MAKEID(1, 2)") by its number, which the
  // tokens it made carry in `expansion`; null once it is older than the last few calls.
  struct Call {
    uint32_t number = 0;
    std::string text;
    bool spaceBefore = false;
  };
  const Call* FindCall(uint32_t number) const;

 private:
  // An object-like macro's context reads its body in place, a compact one's its token held
  // here; others own their tokens.
  struct Context {
    std::shared_ptr<PpMacro> macro;  // null for other token lists
    std::vector<PpToken> tokens;
    const std::vector<PpBodyToken>* body = nullptr;
    PpMacroTable::Id compact = PpMacroTable::kNone;
    PpToken single;  // a compact macro's body, when it has one
    size_t size = 0;
    size_t next = 0;
    bool padAtEnd = true;
    size_t Size() const { return size; }
    const PpToken& At(size_t i) const {
      if (body) return (*body)[i].token;
      return compact != PpMacroTable::kNone ? single : tokens[i];
    }
  };
  using Argument = std::vector<PpToken>;

  PpToken Read();
  PpToken Replace(const PpToken& t);
  PpToken ExpandToOneToken(const PpToken& name, const PpMacroTable::Entry& e);
  void BeginCall(const PpToken& name);
  void Record(const PpToken& fromInput);
  PpToken PasteAll(const PpToken& lhs);
  bool EnterMacro(PpMacroTable::Id id, const PpToken& name);
  bool EnterCompact(PpMacroTable::Id id, const PpToken& name);
  bool FindParen();
  bool CollectArguments(const PpMacro& macro, const PpToken& name, std::vector<Argument>& args);
  bool CheckArgumentCount(const PpMacro& macro, const PpToken& name, std::vector<Argument>& args);
  std::vector<PpToken> Substitute(const PpMacro& macro, const PpToken& name,
                                  std::vector<Argument>& args);
  Argument ExpandArgument(const Argument& arg, const PpToken& name);
  void Backup(const PpToken& token);
  bool Push(std::shared_ptr<PpMacro> macro, std::vector<PpToken> tokens, bool padAtEnd,
            const std::vector<PpBodyToken>* body = nullptr);
  bool PushContext(Context c);
  bool Spend(size_t count, uint64_t bytes, const PpToken& where);
  void Report(const PpToken& where, bool error, std::string message);
  void Fail(const PpToken& where, std::string message);

  PpMacroTable& macros_;
  PpTokenInput& input_;
  PpExpansionLimits& limits_;
  const std::vector<std::string>& fileNames_;
  PpDiagnostics& diagnostics_;
  PpTextStore& texts_;
  std::vector<Context> contexts_;
  PpTokenInput::Mode mode_ = PpTokenInput::Mode::kNormal;
  int preventExpansion_ = 0;
  uint32_t argumentDepth_ = 0;
  uint64_t spentHere_ = 0;  // by the current expansion of the input's text
  uint64_t bytesHere_ = 0;
  bool lastFromInput_ = false;
  bool failed_ = false;
  uint32_t originFile_ = 0;  // where the current expansion of the input's text began
  uint32_t originLine_ = 0;
  // The last calls of the text, call n at n % kCallsKept: a reader asks for a call soon after
  // its tokens.
  static constexpr size_t kCallsKept = 16;
  std::array<Call, kCallsKept> calls_;
  Call building_;                   // the call being read, before its macro is entered
  std::vector<size_t> recordEnds_;  // its text's length after each token, to give one back
  bool callOpen_ = false;           // building_ collects the tokens read from the input
  uint32_t callCount_ = 0;
};

}  // namespace fw
