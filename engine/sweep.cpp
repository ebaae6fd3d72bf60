#include "engine/sweep.h"

#include <algorithm>
#include <bit>

namespace fw {

namespace {

constexpr size_t npos = std::string_view::npos;

int IndexIn(PlaceholderSet set, const SetTraits& traits, std::string_view text) {
  if (text.size() >= traits.ofLength.size()) return -1;
  for (uint64_t left = traits.ofLength[text.size()]; left != 0; left &= left - 1) {
    int i = std::countr_zero(left);
    if (set.items[i] == text) return i;
  }
  return -1;
}

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

}  // namespace

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
  SweepPlan plan;
  plan.changed = text.size();
  size_t at = text.find('~', from);
  if (at != npos) std::fill_n(plan.counts, set.count, 0);
  size_t copied = npos;     // end of the text already in `out`
  size_t lastClose = npos;  // closing tilde of the last placeholder found
  while (at != npos) {
    size_t next = text.find('~', at + 1);
    if (next == npos) break;
    int i = IndexIn(set, traits, text.substr(at, next - at + 1));
    if (i >= 0) {
      if (at == lastClose || MayBringHere(traits, text, at, next, values[i])) return plan;
      if (copied == npos) plan.changed = copied = at;
      if (out != nullptr) {
        out->append(text.substr(copied, at - copied));
        out->append(values[i]);
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

SweepPlan PlanSweep(std::string_view text, size_t from, PlaceholderSet set, const SetTraits& traits,
                    const std::string_view* values) {
  return SweepInto(text, from, set, traits, values, nullptr);
}

void AppendSwept(std::string_view text, const SweepPlan& plan, PlaceholderSet set,
                 const SetTraits& traits, const std::string_view* values, std::string& out) {
  size_t copied = plan.changed;
  for (size_t at = text.find('~', copied); at != npos;) {
    size_t next = text.find('~', at + 1);
    if (next == npos) break;
    int i = IndexIn(set, traits, text.substr(at, next - at + 1));
    if (i >= 0) {
      out.append(text.substr(copied, at - copied));
      out.append(values[i]);
      copied = next + 1;
    }
    at = next;
  }
  out.append(text.substr(copied));
}

size_t SweptSize(size_t size, const SweepPlan& plan, PlaceholderSet set,
                 const std::string_view* values, size_t* largestOnTheWay) {
  size_t largest = size;
  if (plan.changed < size) {
    for (size_t i = 0; i < set.count; ++i) {
      size_t p = set.items[i].size(), v = values[i].size();
      size = v >= p ? size + plan.counts[i] * (v - p) : size - plan.counts[i] * (p - v);
      largest = std::max(largest, size);
    }
  }
  if (largestOnTheWay != nullptr) *largestOnTheWay = largest;
  return size;
}

}  // namespace fw
