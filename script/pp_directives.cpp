// The directives of Preprocessor: everything after a '#' that starts a line.
#include "script/pp_expression.h"
#include "script/pp_system_headers.h"
#include "script/preprocessor.h"

namespace fw {

namespace {

bool IsConditional(std::string_view name) {
  return name == "if" || name == "ifdef" || name == "ifndef" || name == "elif" || name == "else" ||
         name == "endif";
}

PpToken NumberToken(bool value, const PpToken& at) {
  PpToken t = at;
  t.kind = PpKind::kNumber;
  t.text = value ? "1" : "0";
  return t;
}

}  // namespace

std::vector<PpToken> Preprocessor::ReadLine(OpenFile& file) {
  std::vector<PpToken> tokens;
  ReadLineInto(file, tokens);
  return tokens;
}

void Preprocessor::ReadLineInto(OpenFile& file, std::vector<PpToken>& tokens) {
  tokens.clear();
  for (;;) {
    PpToken t = NextFromFile(file);
    if (t.kind == PpKind::kNewline) {
      file.atLineStart = true;
      break;
    }
    if (t.kind == PpKind::kEnd) {
      file.atLineStart = true;  // the lexer gives the end again
      break;
    }
    tokens.push_back(t);
  }
}

void Preprocessor::HandleDirective(OpenFile& file) {
  PpToken name = NextFromFile(file);
  if (name.kind == PpKind::kNewline || name.kind == PpKind::kEnd) {
    file.atLineStart = true;  // the null directive
    return;
  }
  if (name.kind == PpKind::kIdentifier && IsConditional(name.text)) {
    HandleConditional(file, name);
    return;
  }
  if (Skipping()) {
    ReadLine(file);
    return;
  }
  std::string n(name.text);
  if (n == "define") {
    HandleDefine(file, name);
  } else if (n == "undef") {
    HandleUndef(file, name);
  } else if (n == "include") {
    HandleInclude(file, name);
  } else if (n == "pragma") {
    HandlePragma(file, name);
  } else if (n == "line") {
    HandleLine(file, name);
  } else if (n == "error" || n == "warning") {
    std::string text = SpellTokens(ReadLine(file), 0);
    Report(name.file, name.line, n == "error", "#" + n + " " + text);
  } else if (n == "ident" || n == "sccs" || n == "assert" || n == "unassert") {
    ReadLine(file);
  } else {
    ReadLine(file);
    Report(name.file, name.line, true, "invalid preprocessing directive #" + n);
  }
}

void Preprocessor::HandleConditional(OpenFile& file, const PpToken& name) {
  std::vector<PpToken> line = ReadLine(file);
  std::string n(name.text);
  if (n == "if" || n == "ifdef" || n == "ifndef") {
    if (conditions_.size() >= options_.maxConditionalDepth) {
      Stop(name.file, name.line,
           "#if nested too deeply (more than " + std::to_string(options_.maxConditionalDepth) +
               " levels)");
      return;
    }
    if (Skipping()) {
      PushCondition(name, false);
      return;
    }
    if (n == "if") {
      PushCondition(name, Evaluate(std::move(line), name));
      return;
    }
    if (line.empty() || line[0].kind != PpKind::kIdentifier) {
      Report(name.file, name.line, true, "no macro name given in #" + n + " directive");
      PushCondition(name, false);
      return;
    }
    if (line.size() > 1) Report(name.file, name.line, false, "extra tokens at end of #" + n);
    bool defined = macros_.Contains(line[0].text);
    PushCondition(name, n == "ifdef" ? defined : !defined);
    return;
  }
  if (conditions_.size() <= file.conditionBase) {
    Report(name.file, name.line, true, "#" + n + " without #if");
    return;
  }
  Condition& c = conditions_.back();
  if (n == "endif") {
    conditions_.pop_back();
    return;
  }
  if (c.sawElse) {
    Report(name.file, name.line, true, "#" + n + " after #else");
    c.active = false;
    return;
  }
  if (n == "else") {
    c.sawElse = true;
    c.active = c.outerActive && !c.taken;
  } else {
    // Evaluated only when no earlier branch was taken.
    c.active = c.outerActive && !c.taken && Evaluate(std::move(line), name);
  }
  c.taken = c.taken || c.active;
}

void Preprocessor::PushCondition(const PpToken& at, bool value) {
  Condition c;
  c.outerActive = !Skipping();
  c.active = c.outerActive && value;
  c.taken = c.active;
  c.line = at.line;
  conditions_.push_back(c);
}

// The tokens with macros expanded, padding left out.
std::vector<PpToken> Preprocessor::Expand(std::vector<PpToken> tokens) {
  PpListInput input(std::move(tokens));
  PpExpander expander(macros_, input, options_.expansion, fileNames_, diagnostics_, *texts_);
  std::vector<PpToken> out;
  for (PpToken t = expander.Get(); t.kind != PpKind::kEnd; t = expander.Get()) {
    if (t.kind != PpKind::kPadding) out.push_back(std::move(t));
  }
  if (expander.Failed()) stopped_ = true;
  return out;
}

// An #if or #elif line: "defined" read before expansion, then the expression.
bool Preprocessor::Evaluate(std::vector<PpToken> tokens, const PpToken& at) {
  PpListInput input(std::move(tokens));
  PpExpander expander(macros_, input, options_.expansion, fileNames_, diagnostics_, *texts_);
  auto next = [&expander] {
    PpToken t = expander.Get();
    while (t.kind == PpKind::kPadding) t = expander.Get();
    return t;
  };
  std::vector<PpToken> out;
  for (PpToken t = next(); t.kind != PpKind::kEnd; t = next()) {
    if (t.kind != PpKind::kIdentifier || t.text != "defined") {
      out.push_back(std::move(t));
      continue;
    }
    expander.PreventExpansion(true);
    PpToken operand = next();
    bool paren = operand.IsPunctuator("(");
    if (paren) operand = next();
    bool closed = !paren || next().IsPunctuator(")");
    expander.PreventExpansion(false);
    if (operand.kind != PpKind::kIdentifier || !closed) {
      Report(at.file, at.line, true, "operator \"defined\" requires an identifier");
      return false;
    }
    out.push_back(NumberToken(macros_.Contains(operand.text), operand));
  }
  if (expander.Failed()) {
    stopped_ = true;
    return false;
  }
  int64_t value = 0;
  std::string error;
  if (!EvaluatePpExpression(out, value, error)) {
    Report(at.file, at.line, true, error);
    return false;
  }
  return value != 0;
}

void Preprocessor::HandleDefine(OpenFile& file, const PpToken& at) {
  std::vector<PpToken>& line = defineLine_;
  ReadLineInto(file, line);
  std::string error;
  PpMacroTable::Defined defined = macros_.Define(line, error);
  if (defined == PpMacroTable::Defined::kError) {
    Report(at.file, at.line, true, error);
    return;
  }
  std::string_view name = line[0].text;
  if (defined == PpMacroTable::Defined::kRedefined) {
    std::string message = "\"";  // appended, not "\"" + ...: GCC 12 -O3 warns (-Wrestrict)
    message.append(name).append("\" redefined");
    Report(at.file, at.line, false, std::move(message));
  }
  // An object-like macro with a value: a token after the name, and no '(' right after it.
  if (line.size() > 1 && !(line[1].IsPunctuator("(") && !line[1].spaceBefore)) {
    defines_.push_back(
        {std::string(name), SpellTokens(line, 1), file.index, line[0].line, file.system});
  }
}

void Preprocessor::HandleUndef(OpenFile& file, const PpToken& at) {
  std::vector<PpToken> line = ReadLine(file);
  if (line.empty() || line[0].kind != PpKind::kIdentifier) {
    Report(at.file, at.line, true, "no macro name given in #undef directive");
    return;
  }
  if (line.size() > 1) Report(at.file, at.line, false, "extra tokens at end of #undef");
  macros_.Undefine(line[0].text);
}

void Preprocessor::HandleInclude(OpenFile& file, const PpToken& at) {
  std::string name;
  if (!IncludeName(file, at, name)) return;
  Include(file, at, name);
}

// The name of an #include: "name" or <name> as written, else from the line's macros; a
// bare name (resource.h) is taken as it is spelled.
bool Preprocessor::IncludeName(OpenFile& file, const PpToken& at, std::string& name) {
  bool angled = false;
  if (file.lexer->LexHeaderName(name, angled)) {
    if (!ReadLine(file).empty()) Report(at.file, at.line, false, "extra tokens at end of #include");
    return true;
  }
  std::vector<PpToken> line = Expand(ReadLine(file));
  if (line.empty()) {
    Report(at.file, at.line, true, "#include expects \"FILENAME\" or <FILENAME>");
    return false;
  }
  if (line[0].kind == PpKind::kString && line[0].text.size() >= 2 && line[0].text[0] == '"') {
    name = line[0].text.substr(1, line[0].text.size() - 2);
  } else if (line[0].IsPunctuator("<")) {
    size_t close = 1;
    while (close < line.size() && !line[close].IsPunctuator(">")) ++close;
    line.resize(close);
    name = SpellTokens(line, 1);
  } else {
    name = SpellTokens(line, 0);
  }
  return !name.empty();
}

void Preprocessor::Include(OpenFile& file, const PpToken& at, const std::string& name) {
  std::vector<std::string> folders;
  if (!file.system) folders.push_back(file.folder);
  folders.push_back(scriptFolder_);
  folders.insert(folders.end(), options_.includeFolders.begin(), options_.includeFolders.end());
  for (const std::string& folder : folders) {
    std::optional<std::string> path = files_.Find(folder, name);
    if (!path) continue;
    if (onceOnly_.count(*path)) return;
    std::optional<std::string> text = files_.Read(*path);
    if (!text) {
      Report(at.file, at.line, false, "cannot read include file \"" + *path + "\"");
      return;
    }
    if (IncludeAllowed(at, *path, text->size())) Open(*path, {}, false, std::move(*text));
    return;
  }
  if (options_.systemHeaders && IsPpSystemHeader(name)) {
    if (!systemIncluded_) Open(name, PpSystemHeaderText(), true);
    systemIncluded_ = true;
    return;
  }
  Report(at.file, at.line, false, "cannot find include file \"" + name + "\"");
}

// Within the limits on depth, count and bytes; else the run stops, naming a cycle when the
// file is open already.
bool Preprocessor::IncludeAllowed(const PpToken& at, const std::string& path, size_t size) {
  ++includes_;
  includedBytes_ += size;
  bool deep = stack_.size() >= options_.maxIncludeDepth;
  std::string over;
  if (includes_ > options_.maxIncludes) {
    over = "more than " + std::to_string(options_.maxIncludes) + " files included";
  } else if (includedBytes_ > options_.maxIncludedBytes) {
    over =
        "more than " + std::to_string(options_.maxIncludedBytes >> 20) + " MiB of files included";
  } else if (!deep) {
    return true;
  }
  bool cycle = false;
  for (const auto& open : stack_) cycle = cycle || open->path == path;
  std::string message = "#include cycle: \"" + path + "\" includes itself";
  if (!cycle && deep) {
    message = "#include nested too deeply (more than " + std::to_string(options_.maxIncludeDepth) +
              " levels)";
  } else if (!cycle) {
    message = over;
  } else if (!over.empty()) {
    message += " (" + over + ")";
  }
  Stop(at.file, at.line, message);
  return false;
}

void Preprocessor::HandlePragma(OpenFile& file, const PpToken& at) {
  std::vector<PpToken> line = ReadLine(file);
  if (line.empty() || line[0].kind != PpKind::kIdentifier) return;
  if (line[0].text == "once") {
    onceOnly_.insert(file.path);
    return;
  }
  if (line[0].text != "code_page") return;
  bool ok = line.size() == 4 && line[1].IsPunctuator("(") && line[3].IsPunctuator(")");
  uint64_t value = 0;
  bool isUnsigned = false;
  if (ok && line[2].text == "DEFAULT") {
    value = 0;
  } else if (!ok || line[2].kind != PpKind::kNumber ||
             !ParsePpInteger(line[2].text, value, isUnsigned) || value > UINT32_MAX) {
    Report(at.file, at.line, true, "#pragma code_page expects a number or DEFAULT in ()");
    return;
  }
  codePages_.push_back({tokensOut_, fileNames_[file.index], at.line, static_cast<uint32_t>(value)});
}

void Preprocessor::HandleLine(OpenFile& file, const PpToken& at) {
  std::vector<PpToken> line = Expand(ReadLine(file));
  uint64_t value = 0;
  bool isUnsigned = false;
  if (line.empty() || line[0].kind != PpKind::kNumber ||
      !ParsePpInteger(line[0].text, value, isUnsigned) || value > UINT32_MAX) {
    Report(at.file, at.line, true, "#line expects a line number");
    return;
  }
  // The line after the directive gets the number given.
  file.lineOffset = static_cast<int64_t>(value) - file.lexer->Line();
  if (line.size() > 1 && line[1].kind == PpKind::kString && line[1].text.size() >= 2) {
    file.index = static_cast<uint32_t>(fileNames_.size());
    fileNames_.emplace_back(line[1].text.substr(1, line[1].text.size() - 2));
  }
}

}  // namespace fw
