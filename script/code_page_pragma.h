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

// Follows block comments from line to line, so that a pragma inside one is not taken.
class CommentTracker {
 public:
  // True when the line starts outside a block comment; then reads it to the end.
  bool StartsOutside(std::string_view line);

 private:
  bool inComment_ = false;
};

}  // namespace fw
