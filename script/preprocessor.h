// The preprocessor of resource scripts: comments, splices, #include (system headers from a
// table), macros, conditionals and "#pragma code_page", as the resource compiler reads them.
// It yields tokens with their file and line; in included .h and .c files only the directives
// count. Core code: it never prints, and reports problems as diagnostics.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "script/pp_expander.h"
#include "script/pp_files.h"
#include "script/pp_lexer.h"
#include "script/pp_macro_table.h"
#include "script/pp_macros.h"
#include "script/pp_text_store.h"
#include "script/pp_token.h"

namespace fw {

struct PreprocessOptions {
  std::vector<std::string> includeFolders;  // searched after the script's folder
  std::vector<std::pair<std::string, std::string>> predefined = {{"RC_INVOKED", "1"},
                                                                 {"_WIN32", "1"}};
  bool systemHeaders = true;  // windows.h and the like stand for the table
  uint32_t maxIncludeDepth = 200;
  // Over the whole run, so that a cycle of big files or a file that includes the next one
  // twice, and so on, ends soon: each inclusion reads and holds its file again.
  uint32_t maxIncludes = 10'000;
  uint64_t maxIncludedBytes = uint64_t{64} << 20;
  uint32_t maxConditionalDepth = 4096;
  size_t maxDiagnostics = 1000;  // the rest are counted in one last diagnostic
  PpExpansionLimits expansion;
};

// An object-like macro with a value, as it was defined.
struct PpDefine {
  std::string name;
  std::string value;  // the replacement's tokens, one space where the text had whitespace
  uint32_t file = 0;  // index into the run's list of files
  uint32_t line = 0;
  bool fromSystem = false;  // from the system header table, not from the script's files
};

// "#pragma code_page(N)": from output token `tokenIndex` on, the text is in code page N
// (0 for DEFAULT).
struct PpCodePage {
  uint64_t tokenIndex = 0;
  std::string file;
  uint32_t line = 0;
  uint32_t codePage = 0;
};

class Preprocessor : private PpTokenInput {
 public:
  explicit Preprocessor(PpFiles& files, PreprocessOptions options = {});
  ~Preprocessor() override;

  // Starts on the script at `path`, whose decoded text is `text` (read in place: it must
  // outlive the tokens).
  void Start(const std::string& path, std::string_view text);

  // The next token of the output (never padding); false at the end, when a limit or a
  // fatal error stopped the run (see Stopped and the diagnostics), or when it holds at a
  // define (see HoldAtDefines and Held).
  bool Next(PpToken& token);

  // While on, Next stops after a "#define" of the text that gave a define, so that a reader can
  // hand the defines over as they come rather than all before the next token.
  void HoldAtDefines(bool on) { holdAtDefines_ = on; }
  // True when the last Next stopped at a define; the next call reads on.
  bool Held() const { return held_; }

  // File names; a token's `file` indexes them. System headers are named "<name>".
  const std::vector<std::string>& Files() const { return fileNames_; }
  // The defines read since the last ClearDefines.
  const std::vector<PpDefine>& Defines() const { return defines_; }
  void ClearDefines() { defines_.clear(); }
  const std::vector<PpCodePage>& CodePages() const { return codePages_; }
  const PpDiagnostics& Diagnostics() const { return diagnostics_; }
  bool Stopped() const { return stopped_; }
  // The texts the tokens view (but the script's): a caller that keeps tokens beyond the
  // preprocessor keeps these too.
  std::shared_ptr<PpTextStore> Texts() const { return texts_; }
  // The macro call of the text that made tokens with this `expansion`, as written; null when
  // it is older than the last few calls.
  const PpExpander::Call* FindCall(uint32_t expansion) const {
    return expander_.FindCall(expansion);
  }

 private:
  struct OpenFile {
    std::unique_ptr<PpLexer> lexer;
    std::string path;
    std::string folder;
    uint32_t index = 0;        // in fileNames_ (#line may change it)
    int64_t lineOffset = 0;    // from #line
    size_t conditionBase = 0;  // conditions open before the file
    bool directivesOnly = false;
    bool system = false;
    bool atLineStart = true;
    bool pendingDirective = false;  // a '#' read while looking for a '('
  };
  struct Condition {
    bool active = false;  // this branch is read
    bool taken = false;   // a branch of this #if was read already
    bool sawElse = false;
    bool outerActive = false;
    uint32_t line = 0;
  };

  // PpTokenInput: the tokens of the files, directives carried out.
  PpToken Next(Mode mode) override;
  void Unread(const PpToken& token) override { unread_.push_back(token); }
  bool InputStopped() const override { return stopped_; }

  // After a directive: whether to stop at the define it gave. Only outside a macro call's
  // reading, where the expander passes the stop on to Next.
  bool HoldsHere(Mode mode) const {
    return holdAtDefines_ && mode == Mode::kNormal && !defines_.empty();
  }
  PpToken NextFromFile(OpenFile& file) {  // inline: once a token
    PpToken t = file.lexer->Next();
    t.file = file.index;
    t.line = static_cast<uint32_t>(t.line + file.lineOffset);
    return t;
  }
  PpToken CloseFile();
  bool Skipping() const { return !conditions_.empty() && !conditions_.back().active; }
  void Report(uint32_t file, uint32_t line, bool error, std::string message);
  // Asked twice a token: the test inline, the work (rare) out of line.
  void LimitDiagnostics() {
    if (diagnostics_.size() > options_.maxDiagnostics) CutDiagnostics();
  }
  void CutDiagnostics();
  void Stop(uint32_t file, uint32_t line, std::string message);
  void Predefine(const std::string& name, const std::string& value);
  // `text` must outlive the tokens, unless the file is given as `own` (then kept in texts_).
  void Open(const std::string& path, std::string_view text, bool system, std::string own = {});

  // Directives (pp_directives.cpp).
  void HandleDirective(OpenFile& file);
  std::vector<PpToken> ReadLine(OpenFile& file);
  void ReadLineInto(OpenFile& file, std::vector<PpToken>& tokens);  // `tokens` emptied first
  void HandleConditional(OpenFile& file, const PpToken& name);
  void PushCondition(const PpToken& at, bool value);
  bool Evaluate(std::vector<PpToken> tokens, const PpToken& at);
  std::vector<PpToken> Expand(std::vector<PpToken> tokens);
  void HandleDefine(OpenFile& file, const PpToken& at);
  void HandleUndef(OpenFile& file, const PpToken& at);
  void HandleInclude(OpenFile& file, const PpToken& at);
  bool IncludeName(OpenFile& file, const PpToken& at, std::string& name);
  void Include(OpenFile& file, const PpToken& at, const std::string& name);
  bool IncludeAllowed(const PpToken& at, const std::string& path, size_t size);
  void HandlePragma(OpenFile& file, const PpToken& at);
  void HandleLine(OpenFile& file, const PpToken& at);

  PpFiles& files_;
  PreprocessOptions options_;
  std::string scriptFolder_;
  std::vector<std::string> fileNames_;
  std::vector<std::unique_ptr<OpenFile>> stack_;
  std::vector<Condition> conditions_;
  std::set<std::string> onceOnly_;  // paths with "#pragma once"
  bool systemIncluded_ = false;
  uint32_t includes_ = 0;
  uint64_t includedBytes_ = 0;
  PpMacroTable macros_;
  // Included files, texts without splices, pasted and stringized spellings: all the tokens view
  // for the run (the included bytes and the expansions' bytes are bounded).
  std::shared_ptr<PpTextStore> texts_ = std::make_shared<PpTextStore>();
  PpExpander expander_;
  std::vector<PpToken> unread_;
  std::vector<PpToken> defineLine_;  // a "#define" line's tokens; its memory kept for the next
  std::vector<PpDefine> defines_;
  std::vector<PpCodePage> codePages_;
  PpDiagnostics diagnostics_;
  uint64_t tokensOut_ = 0;
  uint64_t diagnosticsLeftOut_ = 0;
  uint32_t lastFile_ = UINT32_MAX;
  uint32_t lastLine_ = 0;
  bool stopped_ = false;
  bool holdAtDefines_ = false;
  bool held_ = false;
};

// A whole run at once.
struct PreprocessResult {
  std::vector<std::string> files;
  std::vector<PpToken> tokens;
  std::shared_ptr<PpTextStore> texts;  // what the tokens view, the script's text among them
  std::vector<PpDefine> defines;
  std::vector<PpCodePage> codePages;
  PpDiagnostics diagnostics;
  bool stopped = false;  // a limit or fatal error ended it early
  bool HasErrors() const;
};

PreprocessResult Preprocess(PpFiles& files, const std::string& path, std::string_view text,
                            const PreprocessOptions& options = {});

// For fuzzing: `bytes` as the script "fuzz.rc", beside a copy named "fuzz.h".
PreprocessResult PreprocessBytes(std::string_view bytes);

}  // namespace fw
