// Fuzzes the whole-language path: bytes decoded (DecodeScript, the platform's code pages),
// preprocessed with a few included files held in memory, and read by FullReader to the end.
//
// The input is a flags byte, then the script "dlg.rc", then the files "a.h", "b.h" and
// "sub/c.rc", separated by lines "@@". Flags: bits 0-2 the run's code page, bit 3 only the
// dialogs of language 0x409.
//
// Checked for every item: a dialog's name is an identifier; its statements come in the model's
// order (CAPTION, CLASS, EXSTYLE, FONT, STYLE), each at most once, STYLE always and last, with
// WS_CAPTION for a caption and DS_SETFONT exactly with a font; every text has its quotes
// doubled; a define is one "#define" line. At the end: the diagnostics are bounded in number
// and size, and the reader stays at its end. Decoding notes are bounded.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/codepage.h"
#include "script/decode.h"
#include "script/full_reader.h"
#include "script/pp_files.h"
#include "textutil/text.h"

namespace {

void Check(bool ok) {
  if (!ok) abort();
}

constexpr int kCodePages[] = {1252, 65001, 932, 1251, 949, 936, 950, 437};
constexpr size_t kMaxDiagnostics = 40;
constexpr uint32_t kWsCaption = 0x00C00000;
constexpr uint32_t kDsSetFont = 0x40;

fw::CodePages& Pages() {
  static std::unique_ptr<fw::CodePages> pages = fw::MakePlatformCodePages();
  return *pages;
}

bool IsIdentifier(std::string_view s) {
  if (s.empty() || (s[0] >= '0' && s[0] <= '9')) return false;
  for (char c : s) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'))
      return false;
  }
  return true;
}

// A text as BASIC writes it: every run of quotes has an even length.
bool QuotesDoubled(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    size_t run = 0;
    while (i < s.size() && s[i] == '"') ++run, ++i;
    if (run % 2 != 0) return false;
    if (run == 0) ++i;
  }
  return true;
}

void CheckDialog(const fw::ScriptDialog& d) {
  using Kind = fw::DialogStatement::Kind;
  static const Kind kOrder[] = {Kind::kCaption, Kind::kClass, Kind::kExStyle, Kind::kFont,
                                Kind::kStyle};
  Check(IsIdentifier(d.name));
  size_t next = 0;
  bool caption = false, font = false;
  for (const fw::DialogStatement& s : d.statements) {
    while (next < 5 && kOrder[next] != s.kind) ++next;
    Check(next < 5);  // out of order, or twice
    ++next;
    Check(QuotesDoubled(s.text));
    caption = caption || s.kind == Kind::kCaption;
    font = font || s.kind == Kind::kFont;
  }
  Check(!d.statements.empty() && d.statements.back().kind == Kind::kStyle);
  uint32_t style = static_cast<uint32_t>(d.statements.back().number);
  Check(!caption || (style & kWsCaption) == kWsCaption);
  Check(((style & kDsSetFont) != 0) == font);
  for (const fw::ControlStatement& c : d.controls) Check(QuotesDoubled(c.text));
}

void CheckItem(const fw::ScriptItem& item) {
  if (item.kind == fw::ScriptItem::Kind::kDialog) {
    CheckDialog(item.dialog);
    return;
  }
  Check(item.define.rfind("#define ", 0) == 0);
  Check(item.define.find('\n') == std::string::npos);
}

void CheckDiagnostics(const fw::PpDiagnostics& all, size_t inputSize) {
  // The reader's own and the preprocessor's first ones, and a count of each's others.
  Check(all.size() <= kMaxDiagnostics + 2);
  for (const fw::PpDiagnostic& d : all) {
    Check(!d.message.empty());
    Check(d.message.size() <= 4 * inputSize + 4096);  // decoding may triple a byte
  }
}

// Decoding notes name a line each, up to a bound, then one count.
void CheckDecoded(const fw::DecodedScript& decoded) {
  Check(!decoded.spans.empty());
  Check(decoded.notes.size() <= fw::DecodedScript::kMaxNotes + 1);
}

// An included file as ScriptFiles reads it: decoded from where the script ends.
std::string Included(std::string_view bytes, const fw::DecodedScript& script, int codePage) {
  fw::DecodedScript decoded =
      fw::DecodeIncludedScript(bytes, script.endCodePage, codePage, Pages());
  CheckDecoded(decoded);
  return std::move(decoded.text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  uint8_t flags = data[0];
  std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  int codePage = kCodePages[flags & 7];
  fw::DecodedScript script = fw::DecodeScript(fw::FieldAt(rest, "\n@@\n", 1), codePage, Pages());
  CheckDecoded(script);

  fw::PpMemoryFiles files;
  const char* names[] = {"a.h", "b.h", "sub/c.rc"};
  for (int i = 0; i < 3; ++i) {
    std::string part = fw::FieldAt(rest, "\n@@\n", i + 2);
    if (!part.empty()) files.Add(names[i], Included(part, script, codePage));
  }
  fw::FullReaderOptions options;
  options.maxDiagnostics = kMaxDiagnostics;
  if (flags & 8) options.language = 0x409;
  fw::FullReader reader(script.text, "dlg.rc", files, options);
  fw::ScriptItem item;
  while (reader.Next(item)) CheckItem(item);
  Check(!reader.Next(item));
  CheckDiagnostics(reader.Diagnostics(), size);
  return 0;
}
