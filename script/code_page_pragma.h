// `#pragma code_page(N)` and `#pragma code_page(DEFAULT)`: the one directive that must be seen
// while a script is decoded, since the bytes after its line are in the page it names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fw {

struct CodePagePragma {
  bool toDefault = false;  // DEFAULT: back to the run's code page
  int codePage = 0;        // when not toDefault; 0 when the argument is not a number
  std::string argument;    // as written, for messages
};

// The pragma `line` holds (decoded text without its line end), if it is one. Whitespace may
// stand around '#' and inside the parentheses; "code_page" and "DEFAULT" in any case.
std::optional<CodePagePragma> ParseCodePagePragma(std::string_view line);

// What a line holds outside comments.
struct LineScan {
  bool startsOutside = true;  // not inside a block comment: a pragma here counts
  bool nonAscii = false;      // a non-ASCII character outside comments (a string, a name)
};

// Follows block comments from line to line, so that a pragma inside one is not taken and
// non-ASCII comments do not count as text of a code page.
class CommentTracker {
 public:
  // Reads the line (decoded text) to its end.
  LineScan Scan(std::string_view line);

 private:
  bool inComment_ = false;
};

}  // namespace fw
