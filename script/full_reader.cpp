#include "script/full_reader.h"

#include "script/pp_system_headers.h"
#include "script/preprocessor.h"
#include "script/rc_expression.h"
#include "script/rc_model.h"
#include "script/rc_resources.h"
#include "script/rc_string.h"
#include "script/rc_tokens.h"

namespace fw {

namespace {

// Ids the system headers define that BASIC's Windows headers define too.
constexpr const char* kBasicKnows[] = {"IDOK",     "IDCANCEL",   "IDABORT",    "IDRETRY",
                                       "IDIGNORE", "IDYES",      "IDNO",       "IDCLOSE",
                                       "IDHELP",   "IDTRYAGAIN", "IDCONTINUE", "IDTIMEOUT"};

bool BasicKnows(const std::string& name) {
  for (const char* known : kBasicKnows) {
    if (name == known) return true;
  }
  return false;
}

std::string Hex(uint32_t v) {
  static const char* kDigits = "0123456789ABCDEF";
  std::string s;
  do {
    s.insert(s.begin(), kDigits[v & 15]);
    v >>= 4;
  } while (v);
  return "0x" + s;
}

std::string UpperAscii(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

// "#define NAME VALUE" as BASIC writes it, made in one allocation.
std::string DefineLine(std::string_view name, std::string_view value) {
  std::string basic = BasicDefineValue(value);
  std::string line;
  line.reserve(9 + name.size() + basic.size());
  line.append("#define ").append(name).append(" ").append(basic);
  return line;
}

PreprocessOptions PreprocessorOptions(const FullReaderOptions& options) {
  PreprocessOptions p;
  p.includeFolders = options.includeFolders;
  p.maxDiagnostics = options.maxDiagnostics;
  for (const auto& define : options.defines) p.predefined.push_back(define);
  return p;
}

}  // namespace

FullReader::FullReader(std::string_view text, const std::string& scriptPath, PpFiles& files,
                       FullReaderOptions options)
    : options_(std::move(options)),
      pp_(std::make_unique<Preprocessor>(files, PreprocessorOptions(options_))),
      in_(std::make_unique<RcTokens>(*pp_, options_.maxDiagnostics)) {
  pp_->Start(scriptPath, text);
}

FullReader::~FullReader() = default;

const PpDiagnostics& FullReader::Diagnostics() {
  return in_->Diagnostics();
}

bool FullReader::Stopped() const {
  return pp_->Stopped();
}

bool FullReader::Next(ScriptItem& item) {
  for (;;) {
    if (!pending_.empty()) {
      item = std::move(pending_.front());
      pending_.pop_front();
      return true;
    }
    if (finished_) return false;
    ReadTopLevel();
  }
}

// One statement or resource of the top level; a dialog to hand over goes to the queue, after
// the defines read before it.
void FullReader::ReadTopLevel() {
  bool ahead = in_->PeekUnlessDefine();
  QueueDefines();
  if (!ahead) return;  // the define goes first, the reading goes on at the next call
  const PpToken& t = in_->Peek();
  if (t.kind == PpKind::kEnd) {
    finished_ = true;
    return;
  }
  RcExpression a, b;
  if (in_->TakeWord("LANGUAGE")) {
    if (ReadRcExpression(*in_, a) && in_->TakePunctuator(",") && ReadRcExpression(*in_, b)) {
      language_ = static_cast<uint16_t>((a.value.value & 0x3FF) | (b.value.value << 10));
    } else {
      in_->Error(in_->Peek(), "LANGUAGE needs a language and a sublanguage");
      in_->SkipRestOfLine();
    }
  } else if (in_->TakeWord("CHARACTERISTICS") || in_->TakeWord("VERSION")) {
    if (!ReadRcExpression(*in_, a)) in_->SkipRestOfLine();
  } else if (in_->PeekWord("STRINGTABLE")) {
    SkipRcStringTable(*in_);
  } else if (t.kind == PpKind::kIdentifier || t.kind == PpKind::kNumber ||
             t.kind == PpKind::kString) {
    ReadResource();
  } else {
    in_->Error(t, "a resource or statement expected, found " + RcTokens::Describe(t));
    in_->SkipLine();
  }
}

void FullReader::ReadResource() {
  PpToken name = in_->Take();
  const PpToken& type = in_->Peek();
  bool dialog = in_->PeekWord("DIALOG") || in_->PeekWord("DIALOGEX");
  if (!dialog) {
    if (type.kind == PpKind::kIdentifier || type.kind == PpKind::kNumber ||
        type.kind == PpKind::kString) {
      SkipRcResource(*in_);
    } else {
      in_->Error(type, "a resource type expected after " + RcTokens::Describe(name) + ", found " +
                           RcTokens::Describe(type));
      in_->SkipRestOfLine();
    }
    return;
  }
  RcDialog d;
  d.extended = in_->TakeWord("DIALOGEX") || !in_->TakeWord("DIALOG");
  d.language = language_;
  d.line = name.line;
  d.file = name.file < pp_->Files().size() ? pp_->Files()[name.file] : "";
  d.nameWritten = in_->Written({name});
  uint32_t number = 0;
  if (name.kind == PpKind::kNumber && ParseRcNumber(name.text, number)) {
    d.name.ordinal = number;
    d.name.text = std::to_string(number);
  } else if (name.kind == PpKind::kString) {
    d.name.text = UpperAscii(DecodeRcString(name.text));
  } else {
    d.name.text = UpperAscii(std::string(name.text));
  }
  ReadRcDialog(*in_, d);
  if (!Wanted(d)) return;
  QueueSystemIds(d);
  dialog_ = std::move(d);
  ScriptItem item;
  item.kind = ScriptItem::Kind::kDialog;
  item.dialog = ToScriptDialog(dialog_);
  pending_.push_back(std::move(item));
}

// The language chosen, and of a name read again only the first.
bool FullReader::Wanted(const RcDialog& d) {
  if (options_.language && d.language != *options_.language) return false;
  std::string key = d.name.ordinal ? "#" + d.name.text : d.name.text;
  if (!dialogNames_.insert(key).second) {
    PpToken at;
    at.line = d.line;
    in_->Warning(at, "dialog " + d.nameWritten + " (language " + Hex(d.language) +
                         ") is defined again; the first one is read");
    return false;
  }
  return true;
}

void FullReader::QueueDefines() {
  for (const PpDefine& d : pp_->Defines()) {
    if (d.fromSystem) {
      if (d.name.rfind("ID", 0) == 0 && !BasicKnows(d.name)) systemIds_[d.name] = d.value;
      continue;
    }
    if (d.value.empty()) continue;
    // Only a name the system headers may define is ever asked for.
    if (IsPpSystemHeaderName(d.name)) defined_.insert(d.name);
    ScriptItem item;
    item.kind = ScriptItem::Kind::kDefine;
    item.define = DefineLine(d.name, d.value);
    pending_.push_back(std::move(item));
  }
  pp_->ClearDefines();
}

// A "#define" for each name in the dialog's control ids that only the system headers give.
void FullReader::QueueSystemIds(const RcDialog& d) {
  if (systemIds_.empty()) return;  // no system header read: no word to look up
  for (const RcControl& c : d.controls) {
    const std::string& s = c.idWritten;
    for (size_t i = 0; i < s.size();) {
      bool start = (s[i] >= 'A' && s[i] <= 'Z') || (s[i] >= 'a' && s[i] <= 'z') || s[i] == '_';
      if (!start) {
        ++i;
        continue;
      }
      size_t end = i;
      while (end < s.size() &&
             ((s[end] >= 'A' && s[end] <= 'Z') || (s[end] >= 'a' && s[end] <= 'z') ||
              (s[end] >= '0' && s[end] <= '9') || s[end] == '_')) {
        ++end;
      }
      std::string word = s.substr(i, end - i);
      i = end;
      auto found = systemIds_.find(word);
      if (found == systemIds_.end() || !defined_.insert(word).second) continue;
      ScriptItem item;
      item.kind = ScriptItem::Kind::kDefine;
      item.define = DefineLine(word, found->second);
      pending_.push_back(std::move(item));
    }
  }
}

}  // namespace fw
