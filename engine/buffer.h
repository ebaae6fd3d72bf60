// A section buffer: a growing text of generated lines, and how far it is settled.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/placeholder_set.h"
#include "engine/sweep.h"
#include "engine/text_store.h"

namespace fw {

// The largest text a replacement may make. Placeholders whose values hold placeholders can
// double a text with every control, without end; past this size a buffer takes no more
// replacements and the run writes none of the outputs made from it.
inline constexpr size_t kDefaultTextLimit = size_t{512} << 20;

class Buffer {
 public:
  Buffer() = default;
  // The overflow flag may be shared by address: a buffer stays where it was made.
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;

  std::string_view text() const { return text_; }
  void Append(std::string_view more) {
    Reserve(text_.size() + more.size());
    text_.append(more);
  }
  // Makes room for `size` bytes. When the text must grow, it gets four times what it needs:
  // it then grows less often, and room reserved but not yet written takes no memory.
  void Reserve(size_t size) {
    if (size > text_.capacity()) text_.reserve(std::max(size, text_.capacity() * 4));
  }
  void Empty() {
    text_.clear();
    marks_.clear();
  }

  // Replaces every occurrence of `placeholder` by `value`, exactly as a replacement over the
  // whole text would, but searching only from the furthest mark of a set that holds it. Does
  // nothing once a replacement would have grown the text past the limit.
  void Replace(std::string_view placeholder, std::string_view value);

  // One pass of substitution: each placeholder of `set` (at most 64), in the set's order,
  // replaced by the value of the same index, exactly as Replace one after another; then
  // Settle(set). Made as one sweep of the text after the mark where that gives the same text
  // (SweepPlan in engine/sweep.h says when); otherwise in turn, each replacement only when its
  // placeholder was found after the mark. Terms: ARCHITECTURE.md, glossary.
  void Substitute(PlaceholderSet set, const std::string_view* values);

  // Append(body) then Substitute(set, values), in one pass where that gives the same text.
  // When the set's mark is at the end, no placeholder of the set can ever start before the
  // end (Settle's rule: each tilde there is dead, and the last one's rest is no proper prefix
  // of a placeholder, whatever follows it). The pass then finds only placeholders that start
  // in the body, and a value put in at the body's start cannot join bytes before it into one,
  // so the body's start counts as fenced, as a text's start does. The body's sweep, where it
  // gives what the replacements in turn give (SweepInto), is appended in the body's place:
  // the body is copied once. Otherwise, or past the limit, it is the append and the pass.
  // `map`, when given, holds the set's placeholders in `body`, found beforehand; `risks`,
  // when given, says what the values may bring.
  void AppendSubstituted(std::string_view body, PlaceholderSet set, const std::string_view* values,
                         const SweepMap* map = nullptr, const ValueRisks* risks = nullptr);

  void SetLimit(size_t limit) { limit_ = limit; }
  // Whether a replacement was refused for the limit; kept through emptying.
  bool overflowed() const { return *overflowed_; }
  // Shares the flag with other buffers, so the first refusal stops them all: nothing made from
  // them will be written, and growing them further would only cost time and memory.
  void ShareOverflow(bool* flag) { overflowed_ = flag; }

  // Moves the mark of `set` past every byte where none of `set` can ever begin again. Each set
  // has its own mark, so placeholders that wait for a later pass (a dialog's "~WM_INITDIALOG~"
  // in EventText) do not hold back the search of another set.
  //
  // The rule. Every placeholder is "~WORD~" with no tilde inside WORD, so an occurrence starts
  // at a tilde and its only other tilde is its last byte. A replacement changes bytes from the
  // start of its occurrence on, never before; appends change nothing already there. Call a
  // tilde live when some placeholder may start at it now or later. Take tildes t1 < t2 < ...
  // after the mark. A tilde ti with a next tilde tj is live when:
  //   - text[ti..tj] (both tildes) is a placeholder of the set, or
  //   - text[ti..tj) is a proper prefix of a placeholder that needs a word byte at tj, and tj
  //     is live (only a replacement starting at tj can put a word byte there).
  // Otherwise the bytes between ti and tj can never change (no occurrence starts inside them)
  // and tj stays a tilde, so no placeholder can start at ti: it is dead for good. The last
  // tilde is live when the rest of the text is a proper prefix of a placeholder, since appended
  // text may complete it. The mark moves to the first live tilde, or to the end. No occurrence
  // of the set ever starts before the mark, so a leftmost-first search from the mark finds the
  // same occurrences as one from the start, and the bytes before the mark never change.
  //
  // The rule holds while only the set's own placeholders are replaced. A replacement of another
  // set's placeholder at p may complete one of this set's that starts before p, at most its
  // longest placeholder less one byte earlier, so every replacement moves each mark back to
  // that reach.
  void Settle(PlaceholderSet set);

  // The lines at the text's start that no replacement can ever change: the text up to the last
  // CR LF before its first tilde. Every occurrence of a placeholder starts at a tilde and a
  // replacement changes nothing before the start of its occurrence, so these bytes are final
  // whatever sets are replaced later; they end in a line end, so lines are never split.
  std::string_view FinalLines() const;
  // Removes the first `count` bytes, which FinalLines gave: the run keeps them elsewhere.
  // Marks move with the text.
  void DropFront(size_t count);
  // As DropFront, but the first `count` bytes go into `out` (emptied first) without a copy:
  // the buffer goes on in `out`'s storage with the bytes after them.
  void MoveFront(size_t count, TextStore& out);

  // Switches the buffer to the plain method: every replacement searches the whole text.
  void SetPlain(bool plain) { plain_ = plain; }
  // The furthest mark.
  size_t settled() const;

 private:
  struct Mark {
    PlaceholderSet set;
    size_t at;
    size_t reach;  // the set's longest placeholder less one byte
    SetTraits traits;
  };
  size_t SearchStart(std::string_view placeholder) const;
  Mark& MarkOf(PlaceholderSet set);
  void SettleMark(Mark& m);
  size_t MarkIndex(PlaceholderSet set) { return static_cast<size_t>(&MarkOf(set) - marks_.data()); }
  // Replace, searching from `from`. True when the text changed.
  bool ReplaceFrom(std::string_view placeholder, std::string_view value, size_t from);
  bool MayPassLimit(size_t from, std::string_view placeholder, std::string_view value) const;
  void MoveMarksBackFor(size_t changedAt);

  // The two ways of a pass (before it settles), for the mark at index `mark`.
  bool Sweep(size_t mark, const std::string_view* values);
  void ReplaceInTurn(size_t mark, const std::string_view* values);
  // Bit i set when set.items[i] lies between two consecutive tildes at or after `from`.
  uint64_t Occurring(PlaceholderSet set, size_t from) const;

  TextStore text_;
  std::vector<Mark> marks_;
  std::string swept_;  // a sweep's output, kept for its capacity
  bool plain_ = false;
  size_t limit_ = kDefaultTextLimit;
  bool ownOverflowed_ = false;
  bool* overflowed_ = &ownOverflowed_;
};

}  // namespace fw
