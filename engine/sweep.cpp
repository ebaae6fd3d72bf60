#include "engine/sweep.h"

#include <algorithm>
#include <bit>
#include <type_traits>

namespace fw {

namespace {

constexpr size_t npos = std::string_view::npos;

bool InWord(const SetTraits& traits, char c) {
  return traits.wordBytes.test(static_cast<unsigned char>(c));
}

// Whether `value`, put in place of a placeholder, could with the bytes around it be the word
// of one: it is no longer than a word and holds only bytes that words hold.
bool MayJoin(const SetTraits& traits, std::string_view value) {
  if (value.size() + 2 > traits.longest) return false;
  return std::all_of(value.begin(), value.end(), [&](char c) { return InWord(traits, c); });
}

// Whether the placeholder text[open..close] has beside it a byte that no placeholder holds (the
// start of the text counts: nothing before it can open one). A placeholder made anew across
// its value would have to hold that byte.
bool Fenced(const SetTraits& traits, std::string_view text, size_t open, size_t close) {
  auto blocks = [&](char c) { return c != '~' && !InWord(traits, c); };
  return open == 0 || blocks(text[open - 1]) ||
         (close + 1 < text.size() && blocks(text[close + 1]));
}

bool MayBringHere(const SetTraits& traits, std::string_view text, size_t open, size_t close,
                  std::string_view value) {
  if (value.find('~') != npos) return true;
  return MayJoin(traits, value) && !Fenced(traits, text, open, close);
}

bool MayBringHere(const SetTraits& traits, std::string_view text, size_t open, size_t close,
                  const ValueFacts& facts) {
  return facts.hasTilde || (facts.mayJoin && !Fenced(traits, text, open, close));
}

// The sweep's plan, and its output when `out` is given; `values` are what MayBringHere takes.
template <typename Value>
SweepPlan SweepWith(std::string_view text, size_t from, PlaceholderSet set, const SetTraits& traits,
                    const Value* values, std::string* out) {
  SweepPlan plan;
  plan.changed = text.size();
  size_t at = text.find('~', from);
  if (at != npos) std::fill_n(plan.counts, set.count, 0);
  size_t copied = npos;     // end of the text already in `out`
  size_t lastClose = npos;  // closing tilde of the last placeholder found
  while (at != npos) {
    size_t next = text.find('~', at + 1);
    if (next == npos) break;
    int i = PlaceholderIndex(set, traits, text.substr(at, next - at + 1));
    if (i >= 0) {
      if (at == lastClose || MayBringHere(traits, text, at, next, values[i])) return plan;
      if (copied == npos) plan.changed = copied = at;
      if constexpr (std::is_same_v<Value, std::string_view>) {
        if (out != nullptr) {
          out->append(text.substr(copied, at - copied));
          out->append(values[i]);
        }
      }
      copied = next + 1;
      ++plan.counts[i];
      lastClose = next;
    }
    at = next;
  }
  if (out != nullptr && copied != npos) out->append(text.substr(copied));
  plan.same = true;
  return plan;
}

template <typename SizeOf>
size_t SizeAfter(size_t size, const SweepPlan& plan, PlaceholderSet set, SizeOf sizeOf,
                 size_t* largestOnTheWay) {
  size_t largest = size;
  if (plan.changed < size) {
    for (size_t i = 0; i < set.count; ++i) {
      size_t p = set.items[i].size(), v = sizeOf(i);
      size = v >= p ? size + plan.counts[i] * (v - p) : size - plan.counts[i] * (p - v);
      largest = std::max(largest, size);
    }
  }
  if (largestOnTheWay != nullptr) *largestOnTheWay = largest;
  return size;
}

}  // namespace

int PlaceholderIndex(PlaceholderSet set, const SetTraits& traits, std::string_view text) {
  if (text.size() >= traits.ofLength.size()) return -1;
  for (uint64_t left = traits.ofLength[text.size()]; left != 0; left &= left - 1) {
    int i = std::countr_zero(left);
    if (set.items[i] == text) return i;
  }
  return -1;
}

ValueFacts FactsOf(const SetTraits& traits, std::span<const std::string_view> pieces) {
  ValueFacts facts;
  for (std::string_view piece : pieces) {
    facts.size += piece.size();
    facts.hasTilde = facts.hasTilde || piece.find('~') != npos;
  }
  facts.mayJoin = facts.size + 2 <= traits.longest;
  for (std::string_view piece : pieces) {
    facts.mayJoin = facts.mayJoin && std::all_of(piece.begin(), piece.end(),
                                                 [&](char c) { return InWord(traits, c); });
  }
  return facts;
}

bool MayBring(const SetTraits& traits, std::string_view value) {
  return value.find('~') != npos || MayJoin(traits, value);
}

SetTraits TraitsOf(PlaceholderSet set) {
  SetTraits traits;
  for (size_t i = 0; i < set.count; ++i) {
    std::string_view p = set.items[i];
    traits.longest = std::max(traits.longest, p.size());
    if (p.size() < traits.ofLength.size()) traits.ofLength[p.size()] |= uint64_t{1} << i;
    for (char c : p.substr(1, p.size() - 2)) traits.wordBytes.set(static_cast<unsigned char>(c));
  }
  return traits;
}

SweepPlan SweepInto(std::string_view text, size_t from, PlaceholderSet set, const SetTraits& traits,
                    const std::string_view* values, std::string* out) {
  return SweepWith(text, from, set, traits, values, out);
}

SweepPlan PlanSweep(std::string_view text, size_t from, PlaceholderSet set, const SetTraits& traits,
                    const std::string_view* values) {
  return SweepWith(text, from, set, traits, values, nullptr);
}

SweepPlan PlanSweep(std::string_view text, size_t from, PlaceholderSet set, const SetTraits& traits,
                    const ValueFacts* facts) {
  return SweepWith(text, from, set, traits, facts, nullptr);
}

SweepMap MapPlaceholders(std::string_view text, PlaceholderSet set, const SetTraits& traits) {
  SweepMap map;
  for (size_t at = text.find('~'); at != npos;) {
    size_t next = text.find('~', at + 1);
    if (next == npos) break;
    int i = PlaceholderIndex(set, traits, text.substr(at, next - at + 1));
    if (i >= 0) {
      if (!map.hits.empty() && map.hits.back().close == at) map.sharesTilde = true;
      map.hits.push_back({at, next, i, Fenced(traits, text, at, next)});
    }
    at = next;
  }
  size_t tildes = static_cast<size_t>(std::count(text.begin(), text.end(), '~'));
  map.onlyHitTildes = !map.sharesTilde && tildes == 2 * map.hits.size();
  return map;
}

ValueRisks RisksOf(PlaceholderSet set, const SetTraits& traits, const std::string_view* values) {
  ValueRisks risks;
  for (size_t i = 0; i < set.count; ++i) {
    std::string_view v = values[i];
    uint64_t bit = uint64_t{1} << i;
    if (v.size() + 2 > traits.longest) {  // too long to join: only a tilde matters
      if (v.find('~') != npos) risks.tilde |= bit;
      continue;
    }
    // Short values (numbers, names) are read byte by byte once for both questions.
    bool tilde = false, word = true;
    for (char c : v) {
      tilde = tilde || c == '~';
      word = word && InWord(traits, c);
    }
    if (tilde) risks.tilde |= bit;
    if (word) risks.join |= bit;
  }
  return risks;
}

SweepPlan PlanMapped(size_t textSize, const SweepMap& map, PlaceholderSet set,
                     const ValueRisks& risks) {
  SweepPlan plan;
  plan.changed = map.hits.empty() ? textSize : map.hits.front().open;
  if (map.sharesTilde) return plan;
  std::fill_n(plan.counts, set.count, 0);
  for (const SweepMap::Hit& hit : map.hits) {
    uint64_t bit = uint64_t{1} << hit.index;
    if ((risks.tilde & bit) != 0 || ((risks.join & bit) != 0 && !hit.fenced)) return plan;
    ++plan.counts[hit.index];
  }
  plan.same = true;
  return plan;
}

size_t SweptSize(size_t size, const SweepPlan& plan, PlaceholderSet set,
                 const std::string_view* values, size_t* largestOnTheWay) {
  return SizeAfter(
      size, plan, set, [&](size_t i) { return values[i].size(); }, largestOnTheWay);
}

size_t SweptSize(size_t size, const SweepPlan& plan, PlaceholderSet set, const ValueFacts* facts,
                 size_t* largestOnTheWay) {
  return SizeAfter(
      size, plan, set, [&](size_t i) { return facts[i].size; }, largestOnTheWay);
}

}  // namespace fw
