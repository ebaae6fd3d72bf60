#include "script/preprocessor.h"

namespace fw {

namespace {

PpToken KindToken(PpKind kind) {
  PpToken t;
  t.kind = kind;
  return t;
}

}  // namespace

Preprocessor::Preprocessor(PpFiles& files, PreprocessOptions options)
    : files_(files),
      options_(std::move(options)),
      expander_(macros_, *this, options_.expansion, fileNames_, diagnostics_, *texts_) {
  for (const auto& [name, value] : options_.predefined) Predefine(name, value);
}

Preprocessor::~Preprocessor() = default;

void Preprocessor::Predefine(const std::string& name, const std::string& value) {
  PpDiagnostics ignored;
  std::string_view text = texts_->Keep(name + " " + value);  // the macro's body views it
  PpLexer lexer(text, 0, false, "", ignored, *texts_);
  std::vector<PpToken> tokens;
  for (PpToken t = lexer.Next(); t.kind != PpKind::kEnd; t = lexer.Next()) tokens.push_back(t);
  std::string error;
  macros_.Define(tokens, error);
}

void Preprocessor::Start(const std::string& path, std::string_view text) {
  scriptFolder_ = PpFolderOf(path);
  Open(path, text, false);
}

void Preprocessor::Open(const std::string& path, std::string_view text, bool system,
                        std::string own) {
  auto file = std::make_unique<OpenFile>();
  if (!own.empty()) text = texts_->Keep(std::move(own));
  file->index = static_cast<uint32_t>(fileNames_.size());
  fileNames_.push_back(system ? "<" + path + ">" : path);
  file->path = path;
  file->folder = PpFolderOf(path);
  file->system = system;
  file->directivesOnly = system || (!stack_.empty() && PpDirectivesOnly(path));
  file->conditionBase = conditions_.size();
  bool doubledQuotes = !system && !PpDirectivesOnly(path);  // a resource script's strings
  file->lexer = std::make_unique<PpLexer>(text, file->index, doubledQuotes, fileNames_.back(),
                                          diagnostics_, *texts_);
  stack_.push_back(std::move(file));
}

void Preprocessor::Report(uint32_t file, uint32_t line, bool error, std::string message) {
  std::string name = file < fileNames_.size() ? fileNames_[file] : "";
  diagnostics_.push_back({name, line, error, std::move(message)});
}

void Preprocessor::Stop(uint32_t file, uint32_t line, std::string message) {
  if (stopped_) return;
  Report(file, line, true, std::move(message));
  stopped_ = true;
}

// Keeps the first diagnostics and counts the others, so that no input can fill the memory
// with them (a million lines with a stray quote each).
void Preprocessor::CutDiagnostics() {
  size_t keep = options_.maxDiagnostics;
  if (diagnostics_.size() <= keep + (diagnosticsLeftOut_ ? 1 : 0)) return;
  if (diagnosticsLeftOut_) diagnostics_.erase(diagnostics_.begin() + keep);  // the old count
  diagnosticsLeftOut_ += diagnostics_.size() - keep;
  diagnostics_.resize(keep);
  diagnostics_.push_back(
      {"", 0, false, std::to_string(diagnosticsLeftOut_) + " more diagnostics left out"});
}

bool Preprocessor::Next(PpToken& token) {
  held_ = false;
  for (;;) {
    LimitDiagnostics();
    if (stopped_) return false;
    // While no macro is open, the file's tokens come straight from here, only names through
    // the expander.
    PpToken t;
    if (expander_.Idle() && unread_.empty()) {
      t = Preprocessor::Next(Mode::kNormal);
      if (t.kind == PpKind::kIdentifier) t = expander_.Expand(t);
    } else {
      t = expander_.Get();
    }
    if (expander_.Failed()) stopped_ = true;
    LimitDiagnostics();
    if (stopped_) return false;
    if (t.kind == PpKind::kDirectiveStop && holdAtDefines_ && !defines_.empty()) {
      held_ = true;
      return false;
    }
    if (t.kind == PpKind::kPadding || t.kind == PpKind::kDirectiveStop) continue;
    if (t.kind == PpKind::kEnd) {
      if (stack_.empty() && unread_.empty()) return false;
      continue;
    }
    t.lineStart = t.file != lastFile_ || t.line != lastLine_;
    lastFile_ = t.file;
    lastLine_ = t.line;
    t.pasteLeft = false;
    ++tokensOut_;
    token = std::move(t);
    return true;
  }
}

PpToken Preprocessor::Next(Mode mode) {
  if (!unread_.empty()) {
    PpToken t = std::move(unread_.back());
    unread_.pop_back();
    return t;
  }
  for (;;) {
    if (stopped_ || stack_.empty()) return KindToken(PpKind::kEnd);
    OpenFile& file = *stack_.back();
    if (file.pendingDirective) {
      if (mode == Mode::kLookingForParen) return KindToken(PpKind::kDirectiveStop);
      file.pendingDirective = false;
      HandleDirective(file);
      if (HoldsHere(mode)) return KindToken(PpKind::kDirectiveStop);
      continue;
    }
    PpToken t = NextFromFile(file);
    if (t.kind == PpKind::kNewline) {
      file.atLineStart = true;
      continue;
    }
    if (t.kind == PpKind::kEnd) return CloseFile();
    t.lineStart = file.atLineStart;
    file.atLineStart = false;
    if (t.lineStart && t.IsPunctuator("#")) {
      if (mode == Mode::kLookingForParen) {
        file.pendingDirective = true;
        return KindToken(PpKind::kDirectiveStop);
      }
      HandleDirective(file);
      if (HoldsHere(mode)) return KindToken(PpKind::kDirectiveStop);
      continue;
    }
    if (Skipping() || file.directivesOnly) continue;
    if (t.unterminated) Report(t.file, t.line, false, "missing terminating quote character");
    return t;
  }
}

// The end of the innermost file: its conditionals must be closed.
PpToken Preprocessor::CloseFile() {
  OpenFile& file = *stack_.back();
  while (conditions_.size() > file.conditionBase) {
    Report(file.index, conditions_.back().line, true, "unterminated conditional directive");
    conditions_.pop_back();
  }
  PpToken end = KindToken(PpKind::kEnd);
  end.file = file.index;
  end.line = file.lexer->Line();
  stack_.pop_back();
  return end;
}

bool PreprocessResult::HasErrors() const {
  for (const PpDiagnostic& d : diagnostics) {
    if (d.error) return true;
  }
  return false;
}

PreprocessResult Preprocess(PpFiles& files, const std::string& path, std::string_view text,
                            const PreprocessOptions& options) {
  Preprocessor pp(files, options);
  PreprocessResult result;
  result.texts = pp.Texts();
  pp.Start(path, result.texts->Keep(std::string(text)));  // the tokens outlive the caller's
  for (PpToken t; pp.Next(t);) result.tokens.push_back(std::move(t));
  result.files = pp.Files();
  result.defines = pp.Defines();
  result.codePages = pp.CodePages();
  result.diagnostics = pp.Diagnostics();
  result.stopped = pp.Stopped();
  return result;
}

PreprocessResult PreprocessBytes(std::string_view bytes) {
  PpMemoryFiles files;
  files.Add("fuzz.rc", std::string(bytes));
  files.Add("fuzz.h", std::string(bytes));
  return Preprocess(files, "fuzz.rc", bytes);
}

}  // namespace fw
