// One pass of placeholder replacements made in a single sweep over a text, where that gives
// exactly what the replacements one after another give.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/placeholder_set.h"

namespace fw {

// What a sweep needs to know of a set of placeholders.
struct SetTraits {
  std::bitset<256> wordBytes;  // the bytes of the placeholders, tildes left out
  size_t longest = 0;          // the longest placeholder
  // Bit i of ofLength[n] is set when placeholder i is n bytes long, so that most texts
  // between two tildes are told apart from every placeholder by their length alone.
  std::array<uint64_t, 48> ofLength = {};
};
SetTraits TraitsOf(PlaceholderSet set);

// Whether `value`, put in place of a placeholder anywhere, could make a placeholder of the set
// that was not there: it holds a tilde, or it could with the bytes around it be a word.
bool MayBring(const SetTraits& traits, std::string_view value);

// A sweep of text[from, end): every pair of consecutive tildes that encloses a placeholder of
// the set (at most 64) is put in the place of the value of the same index.
//
// The replacements in turn (each placeholder of the set in its order, every occurrence) find
// exactly the placeholders the sweep finds, so give the same text, when no two placeholders
// found share a tilde (the order would then decide which one goes) and no value put in can
// make a placeholder that was not there: it holds no tilde, and it cannot join the bytes
// around it into a placeholder's word (it is longer than any word or holds a byte no word
// holds, or a byte right beside the placeholder is one that no placeholder holds).
struct SweepPlan {
  bool same = false;   // the sweep gives what the replacements in turn give
  size_t changed = 0;  // where the first placeholder starts (the text's size if none)
  size_t counts[64];   // occurrences of each placeholder; set only when one was found
};
SweepPlan PlanSweep(std::string_view text, size_t from, PlaceholderSet set, const SetTraits& traits,
                    const std::string_view* values);

// PlanSweep that also appends to `out` the text from `changed` on as the sweep makes it (what
// it appends is of no use when the plan says the sweep differs).
SweepPlan SweepInto(std::string_view text, size_t from, PlaceholderSet set, const SetTraits& traits,
                    const std::string_view* values, std::string* out);

// What a sweep asks of a value given in pieces: its size, whether it holds a tilde, and whether
// it could with the bytes around it be a word (as MayBring tells of one text).
struct ValueFacts {
  size_t size = 0;
  bool hasTilde = false;
  bool mayJoin = false;
};
ValueFacts FactsOf(const SetTraits& traits, std::span<const std::string_view> pieces);

// PlanSweep for values known by their facts.
SweepPlan PlanSweep(std::string_view text, size_t from, PlaceholderSet set, const SetTraits& traits,
                    const ValueFacts* facts);

// The index in `set` of the placeholder `text` (both tildes included), or -1.
int PlaceholderIndex(PlaceholderSet set, const SetTraits& traits, std::string_view text);

// Walks the text from `plan.changed` on as the sweep makes it: `onText` gets each stretch of
// the text kept, `onValue` the index of each placeholder put in its value's place.
template <typename OnText, typename OnValue>
void ForEachSweptPart(std::string_view text, const SweepPlan& plan, PlaceholderSet set,
                      const SetTraits& traits, OnText onText, OnValue onValue) {
  size_t copied = plan.changed;
  for (size_t at = text.find('~', copied); at != std::string_view::npos;) {
    size_t next = text.find('~', at + 1);
    if (next == std::string_view::npos) break;
    int i = PlaceholderIndex(set, traits, text.substr(at, next - at + 1));
    if (i >= 0) {
      onText(text.substr(copied, at - copied));
      onValue(static_cast<size_t>(i));
      copied = next + 1;
    }
    at = next;
  }
  onText(text.substr(copied));
}

// The placeholders of a set found once in a text that is swept again and again, each time with
// other values (a template section's body, for every control of its class). The text is taken
// on its own: its start counts as fenced, as the start of a text does.
struct SweepMap {
  struct Hit {
    size_t open;   // its first tilde
    size_t close;  // its last tilde
    int index;     // in the set
    bool fenced;   // a byte beside it is one no placeholder holds (Fenced)
  };
  std::vector<Hit> hits;
  bool sharesTilde = false;   // two placeholders found share a tilde
  bool onlyHitTildes = true;  // every tilde of the text belongs to a hit
};
SweepMap MapPlaceholders(std::string_view text, PlaceholderSet set, const SetTraits& traits);

// What each value of a set may bring (MayBring), a bit per value: asked once for values that
// go into several texts.
struct ValueRisks {
  uint64_t tilde = 0;  // the value holds a tilde
  uint64_t join = 0;   // the value could with the bytes around it be a word
};
ValueRisks RisksOf(PlaceholderSet set, const SetTraits& traits, const std::string_view* values);

// PlanSweep of the mapped text from its start, without looking at the text again.
SweepPlan PlanMapped(size_t textSize, const SweepMap& map, PlaceholderSet set,
                     const ValueRisks& risks);

// AppendSwept of the mapped text; `out` is a std::string or a text with the same append().
template <typename Out>
void AppendMapped(std::string_view text, const SweepMap& map, const std::string_view* values,
                  Out& out) {
  size_t copied = 0;
  for (const SweepMap::Hit& hit : map.hits) {
    out.append(text.substr(copied, hit.open - copied));
    out.append(values[hit.index]);
    copied = hit.close + 1;
  }
  out.append(text.substr(copied));
}

// The text from `plan.changed` on as the sweep makes it, appended to `out` (a std::string or
// a text with the same append()).
template <typename Out>
void AppendSwept(std::string_view text, const SweepPlan& plan, PlaceholderSet set,
                 const SetTraits& traits, const std::string_view* values, Out& out) {
  ForEachSweptPart(
      text, plan, set, traits, [&](std::string_view kept) { out.append(kept); },
      [&](size_t i) { out.append(values[i]); });
}

// The size of the text after the sweep, and the largest it reaches on the way when the
// replacements are made in turn (where a limit refuses them).
size_t SweptSize(size_t size, const SweepPlan& plan, PlaceholderSet set,
                 const std::string_view* values, size_t* largestOnTheWay);
size_t SweptSize(size_t size, const SweepPlan& plan, PlaceholderSet set, const ValueFacts* facts,
                 size_t* largestOnTheWay);

}  // namespace fw
