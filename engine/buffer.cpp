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

// The index of `text` in `set`, or -1.
int IndexIn(PlaceholderSet set, std::string_view text) {
  for (size_t i = 0; i < set.count; ++i) {
    if (set.items[i] == text) return static_cast<int>(i);
  }
  return -1;
}

// A buffer's marks are made again for every dialog (emptying drops them), and the sets are a
// few static lists: their traits are worked out once per thread. A set is known again by its
// items (where each text lies, and its size), so a list reordered in place is a new set.
const SetTraits& CachedTraitsOf(PlaceholderSet set) {
  struct Known {
    std::vector<std::string_view> items;
    SetTraits traits;
  };
  auto same = [set](const Known& k) {
    if (k.items.size() != set.count) return false;
    for (size_t i = 0; i < set.count; ++i) {
      if (k.items[i].data() != set.items[i].data() || k.items[i].size() != set.items[i].size()) {
        return false;
      }
    }
    return true;
  };
  thread_local std::vector<Known> known;
  for (const Known& k : known) {
    if (same(k)) return k.traits;
  }
  if (known.size() >= 16) known.clear();  // sets made on the fly are not kept without end
  known.push_back({{set.items, set.items + set.count}, TraitsOf(set)});
  return known.back().traits;
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
  const SetTraits& traits = CachedTraitsOf(set);
  Mark m{set, 0, traits.longest > 0 ? traits.longest - 1 : 0, traits};
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
  size_t first = text().find(placeholder, from);
  if (first == std::string_view::npos) return false;
  if (MayPassLimit(first, placeholder, value)) {
    *overflowed_ = true;
    return false;
  }
  ReplaceAllFrom(text_, placeholder, value, first);
  MoveMarksBackFor(first);
  return true;
}

std::string_view Buffer::FinalLines() const {
  std::string_view text(text_);
  std::string_view before = text.substr(0, text.find('~'));
  size_t end = before.rfind("\r\n");
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 2);
}

void Buffer::DropFront(size_t count) {
  text_.erase_front(count);
  for (Mark& m : marks_) m.at = m.at > count ? m.at - count : 0;
}

void Buffer::MoveFront(size_t count, TextStore& out) {
  out.clear();
  out.append(std::string_view(text_).substr(count));
  text_.swap(out);
  out.resize(count);
  for (Mark& m : marks_) m.at = m.at > count ? m.at - count : 0;
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

bool Buffer::Sweep(size_t mark, const std::string_view* values) {
  const Mark& m = marks_[mark];
  swept_.clear();
  SweepPlan plan = SweepInto(text_, m.at, m.set, m.traits, values, &swept_);
  if (!plan.same) return false;
  if (plan.changed == text_.size()) return true;
  size_t largest = 0;
  SweptSize(text_.size(), plan, m.set, values, &largest);
  if (largest > limit_) return false;  // in turn, to be refused at the same replacement
  text_.resize(plan.changed);
  Append(swept_);
  MoveMarksBackFor(plan.changed);
  return true;
}

void Buffer::ReplaceInTurn(size_t mark, const std::string_view* values) {
  PlaceholderSet set = marks_[mark].set;
  uint64_t occurring = Occurring(set, marks_[mark].at);
  for (size_t i = 0; i < set.count && occurring != 0; ++i) {
    if ((occurring >> i & 1) == 0) continue;
    // A placeholder that no longer occurs may stay in `occurring`: it only costs a search.
    if (ReplaceFrom(set.items[i], values[i], marks_[mark].at) &&
        MayBring(marks_[mark].traits, values[i])) {
      occurring = Occurring(set, marks_[mark].at) & ~((uint64_t{2} << i) - 1);
    }
  }
}

void Buffer::Substitute(PlaceholderSet set, const std::string_view* values) {
  if (plain_) {
    for (size_t i = 0; i < set.count; ++i) Replace(set.items[i], values[i]);
    return;
  }
  size_t mark = MarkIndex(set);
  // Nothing after the mark: nothing to replace, and settling would leave the mark at the end.
  // A control's values go into a dozen buffers its template mostly has no section for.
  if (marks_[mark].at == text_.size()) return;
  if (!*overflowed_ && !Sweep(mark, values)) ReplaceInTurn(mark, values);
  SettleMark(marks_[mark]);
}

void Buffer::AppendSubstituted(std::string_view body, PlaceholderSet set,
                               const std::string_view* values, const SweepMap* map,
                               const ValueRisks* risks) {
  size_t old = text_.size();
  Mark& m = MarkOf(set);
  if (plain_ || *overflowed_ || m.at != old) {
    Append(body);
    Substitute(set, values);
    return;
  }
  SweepPlan plan;
  if (map == nullptr) {
    plan = PlanSweep(body, 0, set, m.traits, values);
  } else {
    plan = PlanMapped(body.size(), *map, set,
                      risks != nullptr ? *risks : RisksOf(set, m.traits, values));
  }
  size_t largest = 0;
  size_t size = SweptSize(old + body.size(), plan, set, values, &largest);
  if (!plan.same || largest > limit_) {  // in turn, to be refused at the same replacement
    Append(body);
    Substitute(set, values);
    return;
  }
  Reserve(size);
  if (plan.changed == body.size()) {
    text_.append(body);
  } else if (map != nullptr) {
    AppendMapped(body, *map, values, text_);
  } else {
    text_.append(body.substr(0, plan.changed));
    AppendSwept(body, plan, set, m.traits, values, text_);
  }
  if (plan.changed < body.size()) MoveMarksBackFor(old + plan.changed);
  if (map != nullptr && map->onlyHitTildes) {
    // Every tilde of the body was a placeholder, now a value without one (else the plan is not
    // the same), and the text before was settled to its end: nothing can start a placeholder.
    m.at = text_.size();
    return;
  }
  SettleMark(m);
}

void Buffer::Settle(PlaceholderSet set) {
  if (!plain_) SettleMark(MarkOf(set));
}

void Buffer::SettleMark(Mark& m) {
  PlaceholderSet set = m.set;
  size_t& mark = m.at;
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
