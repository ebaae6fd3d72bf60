#include "engine/buffer.h"

#include <algorithm>

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

bool Holds(PlaceholderSet set, std::string_view placeholder) {
  for (size_t i = 0; i < set.count; ++i) {
    if (set.items[i] == placeholder) return true;
  }
  return false;
}

}  // namespace

size_t Buffer::settled() const {
  size_t furthest = 0;
  for (const Mark& m : marks_) furthest = std::max(furthest, m.at);
  return furthest;
}

// Every mark of a set holding the placeholder is a valid start; the furthest is the best.
size_t Buffer::SearchStart(std::string_view placeholder) const {
  size_t from = 0;
  for (const Mark& m : marks_) {
    if (Holds(m.set, placeholder)) from = std::max(from, m.at);
  }
  return from;
}

Buffer::Mark& Buffer::MarkOf(PlaceholderSet set) {
  for (Mark& m : marks_) {
    if (m.set.items == set.items && m.set.count == set.count) return m;
  }
  size_t longest = 1;
  for (size_t i = 0; i < set.count; ++i) longest = std::max(longest, set.items[i].size());
  marks_.push_back({set, 0, longest - 1});
  return marks_.back();
}

void Buffer::Replace(std::string_view placeholder, std::string_view value) {
  if (*overflowed_ || placeholder.empty()) return;
  size_t first = text_.find(placeholder, plain_ ? 0 : SearchStart(placeholder));
  if (first == std::string::npos) return;
  if (value.size() > placeholder.size() &&
      SizeAfterReplaceAll(text_, placeholder, value, first) > limit_) {
    *overflowed_ = true;
    return;
  }
  ReplaceAllFrom(text_, placeholder, value, first);
  for (Mark& m : marks_) m.at = std::min(m.at, first > m.reach ? first - m.reach : 0);
}

void Buffer::Settle(PlaceholderSet set) {
  if (plain_) return;
  size_t& mark = MarkOf(set).at;
  std::string_view text(text_);
  size_t chainStart = std::string_view::npos;  // first tilde of a run of awaiting prefixes
  size_t at = text.find('~', mark);
  while (at != std::string_view::npos) {
    size_t next = text.find('~', at + 1);
    TildeKind kind = Classify(text, at, next, set);
    size_t start = chainStart == std::string_view::npos ? at : chainStart;
    if (kind == TildeKind::kPlaceholder || kind == TildeKind::kOpenPrefix) {
      mark = start;
      return;
    }
    chainStart = kind == TildeKind::kPrefixAwaitingNext ? start : std::string_view::npos;
    at = next;
  }
  // A chain that reaches the end without a live tilde is dead: its last tilde is.
  mark = text.size();
}

}  // namespace fw
