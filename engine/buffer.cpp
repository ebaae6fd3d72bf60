#include "engine/buffer.h"

#include "textutil/text.h"

namespace fw {

namespace {

enum class TildeKind { kDead, kPlaceholder, kPrefixAwaitingNext, kOpenPrefix };

// What the tilde at `at` can start, given the next tilde at `next` (npos when none follows).
TildeKind Classify(std::string_view text, size_t at, size_t next, PlaceholderSet set) {
  std::string_view upto =
      next == std::string_view::npos ? text.substr(at) : text.substr(at, next - at);
  for (size_t i = 0; i < set.count; ++i) {
    std::string_view p = set.items[i];
    if (next == std::string_view::npos) {
      if (upto.size() < p.size() && p.substr(0, upto.size()) == upto) return TildeKind::kOpenPrefix;
      continue;
    }
    if (upto.size() + 1 == p.size() && p.substr(0, upto.size()) == upto) {
      return TildeKind::kPlaceholder;
    }
  }
  if (next == std::string_view::npos) return TildeKind::kDead;
  for (size_t i = 0; i < set.count; ++i) {
    std::string_view p = set.items[i];
    if (upto.size() + 1 < p.size() && p.substr(0, upto.size()) == upto) {
      return TildeKind::kPrefixAwaitingNext;
    }
  }
  return TildeKind::kDead;
}

}  // namespace

void Buffer::Replace(std::string_view placeholder, std::string_view value) {
  if (overflowed_) return;
  size_t from = plain_ ? 0 : settled_;
  if (value.size() > placeholder.size() &&
      SizeAfterReplaceAll(text_, placeholder, value, from) > limit_) {
    overflowed_ = true;
    return;
  }
  ReplaceAllFrom(text_, placeholder, value, from);
}

void Buffer::Settle(PlaceholderSet set) {
  if (plain_) return;
  std::string_view text(text_);
  size_t chainStart = std::string_view::npos;  // first tilde of a run of awaiting prefixes
  size_t at = text.find('~', settled_);
  while (at != std::string_view::npos) {
    size_t next = text.find('~', at + 1);
    TildeKind kind = Classify(text, at, next, set);
    size_t start = chainStart == std::string_view::npos ? at : chainStart;
    if (kind == TildeKind::kPlaceholder || kind == TildeKind::kOpenPrefix) {
      settled_ = start;
      return;
    }
    chainStart = kind == TildeKind::kPrefixAwaitingNext ? start : std::string_view::npos;
    at = next;
  }
  // A chain that reaches the end without a live tilde is dead: its last tilde is.
  settled_ = text.size();
}

}  // namespace fw
