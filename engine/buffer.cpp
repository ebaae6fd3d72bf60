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

bool HasTilde(std::string_view text) {
  return text.find('~') != std::string_view::npos;
}

// The index of `text` in `set`, or -1.
int IndexIn(PlaceholderSet set, std::string_view text) {
  for (size_t i = 0; i < set.count; ++i) {
    if (set.items[i] == text) return static_cast<int>(i);
  }
  return -1;
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
    if (IndexIn(m.set, placeholder) >= 0) from = std::max(from, m.at);
  }
  return from;
}

Buffer::Mark& Buffer::MarkOf(PlaceholderSet set) {
  for (Mark& m : marks_) {
    if (m.set.items == set.items && m.set.count == set.count) return m;
  }
  Mark m{set, 0, 0, {}};
  for (size_t i = 0; i < set.count; ++i) {
    std::string_view p = set.items[i];
    m.reach = std::max(m.reach, p.size() - 1);
    for (char c : p.substr(1, p.size() - 2)) m.wordBytes.set(static_cast<unsigned char>(c));
  }
  marks_.push_back(m);
  return marks_.back();
}

void Buffer::Replace(std::string_view placeholder, std::string_view value) {
  ReplaceFrom(placeholder, value, plain_ ? 0 : SearchStart(placeholder));
}

// Cheap bound first: the count of occurrences is only taken when the text could reach the
// limit, which keeps every ordinary replacement to one search.
bool Buffer::MayPassLimit(size_t from, std::string_view placeholder, std::string_view value) const {
  if (value.size() <= placeholder.size()) return false;
  size_t growth = value.size() - placeholder.size();
  size_t room = limit_ > text_.size() ? (limit_ - text_.size()) / growth : 0;
  if ((text_.size() - from) / placeholder.size() <= room) return false;
  return SizeAfterReplaceAll(text_, placeholder, value, from) > limit_;
}

bool Buffer::ReplaceFrom(std::string_view placeholder, std::string_view value, size_t from) {
  if (*overflowed_ || placeholder.empty()) return false;
  size_t first = text_.find(placeholder, from);
  if (first == std::string::npos) return false;
  if (MayPassLimit(first, placeholder, value)) {
    *overflowed_ = true;
    return false;
  }
  ReplaceAllFrom(text_, placeholder, value, first);
  MoveMarksBackFor(first);
  return true;
}

void Buffer::MoveMarksBackFor(size_t changedAt) {
  for (Mark& m : marks_) m.at = std::min(m.at, changedAt > m.reach ? changedAt - m.reach : 0);
}

uint64_t Buffer::Occurring(PlaceholderSet set, size_t from) const {
  uint64_t found = 0;
  std::string_view text(text_);
  for (size_t at = text.find('~', from); at != std::string_view::npos;) {
    size_t next = text.find('~', at + 1);
    if (next == std::string_view::npos) break;
    int i = IndexIn(set, text.substr(at, next - at + 1));
    if (i >= 0) found |= uint64_t{1} << i;
    at = next;
  }
  return found;
}

// A placeholder that has, right before or right after it, a byte no placeholder of the set can
// hold (the start of the text counts: nothing before it can open one). A placeholder made
// anew across its value would have to hold that byte, so no value without a tilde can make one.
bool Buffer::Fenced(const Mark& mark, std::string_view text, size_t open, size_t close) {
  auto blocks = [&](char c) {
    return c != '~' && !mark.wordBytes.test(static_cast<unsigned char>(c));
  };
  return open == 0 || blocks(text[open - 1]) ||
         (close + 1 < text.size() && blocks(text[close + 1]));
}

bool Buffer::MayJoin(const Mark& mark, std::string_view value) {
  if (value.size() + 2 > mark.reach + 1) return false;  // longer than any word
  for (char c : value) {
    if (!mark.wordBytes.test(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// Whether the replacements in turn, with `counts` occurrences of each placeholder, would
// pass the limit on the way, where a replacement in turn is refused.
bool Buffer::PassesLimit(PlaceholderSet set, const std::string_view* values,
                         const size_t* counts) const {
  size_t size = text_.size();
  for (size_t i = 0; i < set.count; ++i) {
    if (values[i].size() <= set.items[i].size()) {
      size -= counts[i] * (set.items[i].size() - values[i].size());
    } else if (counts[i] >
               (limit_ - std::min(limit_, size)) / (values[i].size() - set.items[i].size())) {
      return true;
    } else {
      size += counts[i] * (values[i].size() - set.items[i].size());
    }
  }
  return false;
}

bool Buffer::Sweep(size_t mark, const std::string_view* values) {
  const Mark& m = marks_[mark];
  std::string_view text(text_);
  size_t at = text.find('~', m.at);
  if (at == std::string_view::npos) return true;  // the common case: nothing new
  size_t counts[64];
  std::fill_n(counts, m.set.count, 0);
  size_t changed = std::string_view::npos;  // where the first placeholder starts
  size_t copied = 0;                        // end of the text already in swept_
  size_t lastEnd = std::string_view::npos;  // closing tilde of the last placeholder swept
  while (at != std::string_view::npos) {
    size_t next = text.find('~', at + 1);
    if (next == std::string_view::npos) break;
    int i = IndexIn(m.set, text.substr(at, next - at + 1));
    if (i >= 0) {
      std::string_view v = values[i];
      if (at == lastEnd || HasTilde(v) || (MayJoin(m, v) && !Fenced(m, text, at, next))) {
        return false;
      }
      if (changed == std::string_view::npos) {
        changed = copied = at;
        swept_.clear();
      }
      swept_.append(text.substr(copied, at - copied));
      swept_.append(values[i]);
      ++counts[i];
      copied = next + 1;
      lastEnd = next;
    }
    at = next;
  }
  if (changed == std::string_view::npos) return true;
  // Past the limit the replacements run in turn, to be refused at the same one.
  if (PassesLimit(m.set, values, counts)) return false;
  swept_.append(text.substr(copied));
  text_.resize(changed);
  text_.append(swept_);
  MoveMarksBackFor(changed);
  return true;
}

void Buffer::ReplaceInTurn(size_t mark, const std::string_view* values) {
  PlaceholderSet set = marks_[mark].set;
  uint64_t occurring = Occurring(set, marks_[mark].at);
  for (size_t i = 0; i < set.count && occurring != 0; ++i) {
    if ((occurring >> i & 1) == 0) continue;
    // A placeholder that no longer occurs may stay in `occurring`: it only costs a search.
    if (ReplaceFrom(set.items[i], values[i], marks_[mark].at) &&
        (HasTilde(values[i]) || MayJoin(marks_[mark], values[i]))) {
      occurring = Occurring(set, marks_[mark].at) & ~((uint64_t{2} << i) - 1);
    }
  }
}

void Buffer::Substitute(PlaceholderSet set, const std::string_view* values) {
  if (plain_) {
    for (size_t i = 0; i < set.count; ++i) Replace(set.items[i], values[i]);
    return;
  }
  size_t mark = &MarkOf(set) - marks_.data();
  if (!*overflowed_ && !Sweep(mark, values)) ReplaceInTurn(mark, values);
  Settle(set);
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
