#include "output/output_encoding.h"

#include "platform/codepage_catalog.h"
#include "textutil/utf8.h"

namespace fw {
namespace {

// A text for a message: at most 40 characters, on one line.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  size_t characters = 0;
  for (size_t pos = 0; pos < text.size() && characters < 40; ++characters) {
    const Utf8Step step = ReadUtf8(text, pos);
    const char ch = text[pos];
    out += ch == '\n' || ch == '\r' ? std::string(" ") : std::string(text.substr(pos, step.length));
    pos += step.length;
    if (characters + 1 == 40 && pos < text.size()) out += "...";
  }
  return out + "\"";
}

}  // namespace

OutputEncodingChoice::OutputEncodingChoice(std::optional<int> scriptCodePage, std::string whyNone,
                                           CodePages& pages)
    : scriptCodePage_(scriptCodePage), whyNone_(std::move(whyNone)), pages_(pages) {
  if (scriptCodePage_ && !pages_.Supports(*scriptCodePage_)) {
    whyNone_ = "code page " + std::to_string(*scriptCodePage_) + " is not supported";
    scriptCodePage_.reset();
  }
}

void OutputEncodingChoice::Add(std::string_view text) {
  if (!HasNonAscii(text)) return;
  nonAscii_ = true;
  if (!scriptCodePage_ || unfit_ || *scriptCodePage_ == kUtf8CodePage) return;
  if (!pages_.Encode(*scriptCodePage_, text).AllFit()) unfit_ = std::string(text);
}

OutputEncoding OutputEncodingChoice::Result() const {
  if (scriptCodePage_ && !unfit_) return {*scriptCodePage_, ""};
  OutputEncoding utf8{kUtf8CodePage, ""};
  if (!nonAscii_) return utf8;
  utf8.warning = "outputs are UTF-8: ";
  if (unfit_) {
    utf8.warning += "a text does not fit code page " + std::to_string(*scriptCodePage_) + ": " +
                    Quoted(*unfit_);
  } else {
    utf8.warning += whyNone_;
  }
  return utf8;
}

std::string EncodeOutput(std::string_view utf8, const OutputEncoding& encoding, CodePages& pages) {
  return pages.Encode(encoding.codePage, utf8).bytes;
}

}  // namespace fw
