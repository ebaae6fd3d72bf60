#include "script/decode.h"

#include <algorithm>

#include "platform/codepage_catalog.h"
#include "script/code_page_pragma.h"
#include "script/decode_unicode.h"
#include "textutil/utf8.h"

namespace fw {
namespace {

constexpr int kFallbackCodePage = 1252;

std::string Page(int codePage) {
  return "code page " + std::to_string(codePage);
}

// One note per line that held invalid bytes.
void NoteInvalid(DecodedScript& out, int line, size_t count, int codePage) {
  out.Note(line, std::to_string(count) + (count == 1 ? " byte" : " bytes") + " not valid in " +
                     Page(codePage) + " kept as they are");
}

// The page a pragma switches to, or `current` (with a note) when it names none we have.
int PragmaTarget(const CodePagePragma& pragma, int current, int defaultCodePage, int line,
                 CodePages& pages, DecodedScript& out) {
  const int target = pragma.toDefault ? defaultCodePage : pragma.codePage;
  if (target != 0 && pages.Supports(target)) return target;
  out.Note(line, "#pragma code_page(" + pragma.argument + ") names no supported code page; " +
                     Page(current) + " stays in effect");
  return current;
}

// Every code page reads an ASCII byte as itself: such a line (most of them) is copied.
void AppendDecodedLine(std::string_view raw, int codePage, int line, CodePages& pages,
                       DecodedScript& out) {
  if (!HasNonAscii(raw)) {
    out.text += raw;
    return;
  }
  const DecodedBytes decoded = pages.Decode(codePage, raw);
  if (!decoded.invalid.empty()) NoteInvalid(out, line, decoded.invalid.size(), codePage);
  out.text += decoded.utf8;
}

void DecodeCodePages(std::string_view bytes, int start, int defaultCodePage, CodePages& pages,
                     DecodedScript& out) {
  int codePage = start;
  out.spans.push_back({0, 1, codePage, false});
  // ASCII alone, with no pragma to find (every one spells "pragma"), reads as itself in any
  // page: one copy, no walk over the lines.
  if (!HasNonAscii(bytes) && bytes.find("pragma") == std::string_view::npos) {
    out.text.assign(bytes);
    out.endCodePage = codePage;
    return;
  }
  out.text.reserve(bytes.size());
  CommentTracker comments;
  int line = 1;
  for (size_t begin = 0; begin < bytes.size(); ++line) {
    const size_t newline = bytes.find('\n', begin);
    const size_t end = newline == std::string_view::npos ? bytes.size() : newline + 1;
    const std::string_view raw = bytes.substr(begin, end - begin);
    begin = end;
    const size_t lineStart = out.text.size();
    AppendDecodedLine(raw, codePage, line, pages, out);
    const std::string_view decoded = std::string_view(out.text).substr(lineStart);
    const LineScan scan = comments.Scan(decoded);
    if (scan.nonAscii) out.spans.back().nonAscii = true;
    if (!scan.startsOutside) continue;
    const auto pragma = ParseCodePagePragma(decoded);
    if (!pragma) continue;
    const int target = PragmaTarget(*pragma, codePage, defaultCodePage, line, pages, out);
    if (target == codePage) continue;
    codePage = target;
    out.spans.push_back({out.text.size(), line + 1, codePage, false});
  }
  out.endCodePage = codePage;
}

// UTF-8 bytes read in a code page other than 65001 are worth a word: the page was likely wrong.
void NoteLikelyUtf8(std::string_view bytes, DecodedScript& out) {
  for (const CodePageSpan& span : out.spans) {
    if (span.codePage == kUtf8CodePage) return;
  }
  if (!HasNonAscii(bytes)) return;
  std::vector<size_t> invalid;
  KeepInvalidUtf8(bytes, &invalid);
  if (!invalid.empty()) return;
  const size_t first =
      std::find_if(bytes.begin(), bytes.end(),
                   [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; }) -
      bytes.begin();
  const int line = 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + first, '\n'));
  out.Note(line, "the script reads as UTF-8 but was read in " + Page(out.spans.front().codePage) +
                     "; if it is UTF-8, give code page 65001");
}

void Summarise(DecodedScript& out) {
  if (out.encoding != ScriptEncoding::kCodePage) return;
  for (const CodePageSpan& span : out.spans) {
    const auto& mixed = out.mixedCodePages;
    if (span.nonAscii && std::find(mixed.begin(), mixed.end(), span.codePage) == mixed.end()) {
      out.mixedCodePages.push_back(span.codePage);
    }
  }
  if (out.mixedCodePages.size() == 1) out.singleCodePage = out.mixedCodePages.front();
  if (out.mixedCodePages.empty()) out.singleCodePage = out.endCodePage;
  if (out.mixedCodePages.size() == 1) out.mixedCodePages.clear();
}

}  // namespace

void DecodedScript::Note(int line, std::string message) {
  if (notes.size() < kMaxNotes) {
    notes.push_back({line, std::move(message)});
  } else {
    ++notesLeftOut;
  }
}

int DecodedScript::CodePageAt(size_t offset) const {
  auto after = std::upper_bound(spans.begin(), spans.end(), offset,
                                [](size_t o, const CodePageSpan& s) { return o < s.offset; });
  return after == spans.begin() ? spans.front().codePage : std::prev(after)->codePage;
}

int DecodedScript::CodePageAtLine(int line) const {
  auto after = std::upper_bound(spans.begin(), spans.end(), line,
                                [](int l, const CodePageSpan& s) { return l < s.firstLine; });
  return after == spans.begin() ? spans.front().codePage : std::prev(after)->codePage;
}

namespace {

void DecodeAny(std::string_view bytes, int codePageInEffect, int defaultCodePage, CodePages& pages,
               DecodedScript& out) {
  if (DecodeUnicode(bytes, out)) {
    out.endCodePage = codePageInEffect;  // its pragmas change nothing, for it or after it
    return;
  }
  int start = codePageInEffect;
  if (!pages.Supports(start)) {
    out.Note(1, Page(start) + " is not supported; read as " + Page(kFallbackCodePage));
    start = kFallbackCodePage;
  }
  if (!pages.Supports(defaultCodePage)) defaultCodePage = kFallbackCodePage;
  DecodeCodePages(bytes, start, defaultCodePage, pages, out);
  NoteLikelyUtf8(bytes, out);
  Summarise(out);
}

}  // namespace

DecodedScript DecodeIncludedScript(std::string_view bytes, int codePageInEffect,
                                   int defaultCodePage, CodePages& pages) {
  DecodedScript out;
  DecodeAny(bytes, codePageInEffect, defaultCodePage, pages, out);
  if (out.notesLeftOut > 0) {
    out.notes.push_back({0, std::to_string(out.notesLeftOut) + " more notes on decoding left out"});
  }
  return out;
}

DecodedScript DecodeScript(std::string_view bytes, int defaultCodePage, CodePages& pages) {
  return DecodeIncludedScript(bytes, defaultCodePage, defaultCodePage, pages);
}

std::string NoSingleCodePageReason(const DecodedScript& script) {
  switch (script.encoding) {
    case ScriptEncoding::kUtf8Bom:
      return "the script is UTF-8 (byte order mark)";
    case ScriptEncoding::kUtf16Le:
      return "the script is UTF-16LE";
    case ScriptEncoding::kUtf16Be:
      return "the script is UTF-16BE";
    case ScriptEncoding::kCodePage:
      break;
  }
  std::string reason = "the script mixes code pages";
  const auto& pages = script.mixedCodePages;
  for (size_t i = 0; i < pages.size(); ++i) {
    reason += (i == 0 ? " " : i + 1 == pages.size() ? " and " : ", ") + std::to_string(pages[i]);
  }
  return reason;
}

}  // namespace fw
