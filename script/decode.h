// Decoding a script's bytes to UTF-8: a byte order mark (UTF-16LE, UTF-16BE, UTF-8) decides,
// else the code page in effect, which `#pragma code_page` changes from the line after it on.
// Bytes invalid where they stand are kept (textutil/utf8.h) and reported by line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage.h"

namespace fw {

enum class ScriptEncoding {
  kCodePage,  // bytes of the code pages in effect (no byte order mark)
  kUtf8Bom,   // UTF-8 after a byte order mark; pragmas do not change it
  kUtf16Le,   // with a byte order mark, or without one when the text starts with an
              // ASCII character and a zero byte
  kUtf16Be,   // with a byte order mark
};

// Identifiers of the Unicode forms, as Windows names them, for the spans of Unicode scripts.
inline constexpr int kUtf16LeCodePage = 1200;
inline constexpr int kUtf16BeCodePage = 1201;

// From `offset` in the text (line `firstLine`, from 1) on, the text was read in `codePage`,
// until the next span.
struct CodePageSpan {
  size_t offset = 0;
  int firstLine = 1;
  int codePage = 0;
  bool nonAscii = false;  // a non-ASCII character was read here outside comments
};

struct DecodeNote {
  int line = 0;  // from 1
  std::string message;
};

struct DecodedScript {
  std::string text;  // UTF-8
  ScriptEncoding encoding = ScriptEncoding::kCodePage;
  std::vector<CodePageSpan> spans;  // at least one, in text order
  // The one code page of the script's non-ASCII text outside comments (when there is none:
  // the code page in effect at the end); nothing for Unicode scripts and scripts that mix pages.
  std::optional<int> singleCodePage;
  std::vector<int> mixedCodePages;  // when several pages hold non-ASCII bytes, in text order
  // In effect at the end, where an including file goes on (a Unicode file changes nothing).
  int endCodePage = 0;
  std::vector<DecodeNote> notes;  // the first kMaxNotes; the others counted in a last one
  uint64_t notesLeftOut = 0;

  static constexpr size_t kMaxNotes = 100;
  // Keeps a note, or counts it once kMaxNotes are kept: a script of invalid bytes on every
  // line must not fill the memory and the terminal with them.
  void Note(int line, std::string message);
  int CodePageAt(size_t offset) const;
  int CodePageAtLine(int line) const;
};

// The script `bytes`, starting in `defaultCodePage` (the run's --code-page, which
// `#pragma code_page(DEFAULT)` returns to).
DecodedScript DecodeScript(std::string_view bytes, int defaultCodePage, CodePages& pages);

// An included file: its own byte order mark and pragmas, starting in the code page in effect
// where the including file includes it.
DecodedScript DecodeIncludedScript(std::string_view bytes, int codePageInEffect,
                                   int defaultCodePage, CodePages& pages);

// Why a script has no single code page, for the output encoding's warning.
std::string NoSingleCodePageReason(const DecodedScript& script);

}  // namespace fw
