// Preprocessing tokens and the diagnostics every stage of the preprocessor reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

enum class PpKind : uint8_t {
  kIdentifier,
  kNumber,     // a preprocessing number with its suffix: 12, 0x10L, 1.5e+3f
  kCharacter,  // 'a', L'a'
  kString,     // "a", L"a"; in a resource script "a""b" is one string
  kPunctuator,
  kOther,  // a byte that starts no other token
  // Internal kinds, never in a preprocessor's output:
  kPadding,        // marks where a macro or argument began or ended (whitespace bookkeeping)
  kNewline,        // end of a logical line (lexer only)
  kEnd,            // end of a file or of a token list
  kDirectiveStop,  // a directive line ahead while looking for a macro's '('
};

// Which whitespace a padding token stands for: its source token had whitespace before it, had
// none, or there is no source.
enum class PadSource : uint8_t { kNone, kWhite, kNoWhite };

struct PpToken {
  // The spelling: a view into a file's text or a macro's body, or into the text store of the
  // preprocessor for tokens made by pasting and stringizing; never owned by the token.
  std::string_view text;
  uint32_t file = 0;  // index into the run's list of files
  uint32_t line = 0;
  PpKind kind = PpKind::kOther;
  bool spaceBefore = false;   // whitespace or a comment right before it
  bool lineStart = false;     // first token of its line
  bool noExpand = false;      // names a macro that must never expand from here on
  bool pasteLeft = false;     // pasted with the next token (in a replacement)
  bool unterminated = false;  // a string or character constant that runs to the line end
  PadSource pad = PadSource::kNone;
  uint32_t expansion = 0;  // the macro call in the text that made it (1, 2, ...); 0: the text's

  bool Is(PpKind k, std::string_view spelling) const { return kind == k && text == spelling; }
  bool IsPunctuator(std::string_view spelling) const { return Is(PpKind::kPunctuator, spelling); }
};

// A spelling as a message shows it: cut after 40 bytes, since pasting in nested macro
// arguments makes tokens of megabytes.
inline std::string ShownSpelling(std::string_view text) {
  std::string shown(text.substr(0, 40));
  if (text.size() > 40) shown += "...";
  return shown;
}

// The same between double quotes.
inline std::string QuotedSpelling(std::string_view text) {
  std::string quoted = "\"";  // appended, not "\"" + ...: GCC 12 -O3 warns (-Wrestrict)
  quoted += ShownSpelling(text);
  quoted += '"';
  return quoted;
}

struct PpDiagnostic {
  std::string file;
  uint32_t line = 0;
  bool error = false;  // else a warning
  std::string message;
};

using PpDiagnostics = std::vector<PpDiagnostic>;

}  // namespace fw
