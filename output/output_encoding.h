// The one encoding of every output of a run: the script's single code page when every text
// given to the outputs fits it, else UTF-8 with a warning saying why. The run gives each text
// it puts into an output to Add, then asks Result before writing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/codepage.h"

namespace fw {

struct OutputEncoding {
  int codePage = 65001;  // 65001: UTF-8
  // Why the outputs are UTF-8 and not a code page; empty when they are in the script's page,
  // or when they are all ASCII (then every choice writes the same bytes).
  std::string warning;
};

class OutputEncodingChoice {
 public:
  // `scriptCodePage`: the script's single code page, or nothing and `whyNone` (from
  // NoSingleCodePageReason) for the warning.
  OutputEncodingChoice(std::optional<int> scriptCodePage, std::string whyNone, CodePages& pages);

  // A text (UTF-8) that goes into an output.
  void Add(std::string_view text);
  OutputEncoding Result() const;

 private:
  std::optional<int> scriptCodePage_;
  std::string whyNone_;
  CodePages& pages_;
  bool nonAscii_ = false;
  std::optional<std::string> unfit_;  // the first text that does not fit the script's page
};

// An output piece (UTF-8) in the chosen encoding; kept bytes are written back as they were.
// A character the page lacks becomes '?', which only a text not given to Add can hold.
std::string EncodeOutput(std::string_view utf8, const OutputEncoding& encoding, CodePages& pages);

}  // namespace fw
