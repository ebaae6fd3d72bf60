// Text utilities: replace-all, field counting and extraction, and their uncalled twins.
// Texts are byte strings; positions in the algorithms count from 1.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace fw {

// Every non-overlapping occurrence of `pattern`, leftmost first, replaced by `replacement`.
// Inserted text is never searched again. One pass over the text.
std::string ReplaceAll(std::string_view pattern, std::string_view replacement,
                       std::string_view text);

// Replaces occurrences in `text` in place, starting the search at byte offset `from` (0-based).
// Returns true when at least one occurrence was replaced. `text` is a std::string or any text
// with its data(), size(), capacity() and resize().
template <typename Text>
bool ReplaceAllFrom(Text& text, std::string_view pattern, std::string_view replacement,
                    size_t from);

// The size ReplaceAllFrom(text, pattern, replacement, from) would give, without building the
// text; saturates at SIZE_MAX.
size_t SizeAfterReplaceAll(std::string_view text, std::string_view pattern,
                           std::string_view replacement, size_t from);

// Number of `delimiter`-separated fields, always 1 or more.
int32_t FieldCount(std::string_view text, std::string_view delimiter);

// The index-th field (from 1), or an empty text.
std::string FieldAt(std::string_view text, std::string_view delimiter, int64_t index);
std::string_view FieldViewAt(std::string_view text, std::string_view delimiter, int64_t index);
// Fields 1 to fields.size() at once, each as FieldViewAt gives it, in one walk over the text.
void FieldViews(std::string_view text, std::string_view delimiter,
                std::span<std::string_view> fields);

// The members of the family that nothing in the generator calls.
std::string ReplaceAnyChar(std::string_view set, std::string_view replacement,
                           std::string_view text);
std::string RemoveAll(std::string_view text, std::string_view pattern);
std::string RemoveAnyChar(std::string_view text, std::string_view set);
int32_t OccurrenceCount(std::string_view text, std::string_view pattern);
int32_t OccurrenceCountAny(std::string_view text, std::string_view set);
int32_t FieldCountAny(std::string_view text, std::string_view set);
std::string FieldAtAny(std::string_view text, std::string_view set, int64_t index);

// Leading and trailing blanks (character 32 only) removed.
std::string_view Trim(std::string_view text);
// Every double quote at the start and at the end removed, none inside.
std::string_view RemoveQuotes(std::string_view text);
// ASCII lower case, other bytes unchanged.
std::string LowerAscii(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
bool StartsWith(std::string_view text, std::string_view prefix);

namespace text_detail {

inline size_t Find(std::string_view text, std::string_view pattern, size_t from) {
  if (pattern.empty() || from >= text.size()) return std::string_view::npos;
  return text.find(pattern, from);
}

// Rewrites text[read, end) to text[write, ...) with every occurrence replaced, and cuts the
// text there. Needs write <= read, and read - write at most the growth of the occurrences
// still ahead, so that no byte is overwritten before it is read.
template <typename Text>
void Compact(Text& text, size_t write, size_t read, std::string_view pattern,
             std::string_view replacement) {
  char* d = text.data();
  std::string_view view(text.data(), text.size());
  for (;;) {
    size_t at = Find(view, pattern, read);
    size_t stop = at == std::string_view::npos ? view.size() : at;
    std::memmove(d + write, d + read, stop - read);
    write += stop - read;
    if (at == std::string_view::npos) break;
    std::memcpy(d + write, replacement.data(), replacement.size());
    write += replacement.size();
    read = at + pattern.size();
  }
  text.resize(write);
}

template <typename Text>
bool PointsInto(std::string_view part, const Text& text) {
  std::less<const char*> before;
  return !before(part.data(), text.data()) && before(part.data(), text.data() + text.capacity());
}

}  // namespace text_detail

template <typename Text>
bool ReplaceAllFrom(Text& text, std::string_view pattern, std::string_view replacement,
                    size_t from) {
  using text_detail::Find;
  std::string_view view(text.data(), text.size());
  size_t first = Find(view, pattern, from);
  if (first == std::string_view::npos) return false;
  if (text_detail::PointsInto(replacement, text)) {
    std::string own(replacement);  // the text is about to move under it
    return ReplaceAllFrom(text, pattern, std::string_view(own), from);
  }
  if (pattern.size() == replacement.size()) {
    // Same length: overwrite in place, nothing moves.
    for (size_t at = first; at != std::string_view::npos;
         at = Find(view, pattern, at + pattern.size())) {
      std::memcpy(text.data() + at, replacement.data(), replacement.size());
    }
    return true;
  }
  if (replacement.size() < pattern.size()) {
    text_detail::Compact(text, first, first, pattern, replacement);
    return true;
  }
  // Growing: move everything from the first occurrence up by the growth (the text grows
  // geometrically when it must), then rewrite it from the front. No second copy of the text.
  size_t oldSize = text.size();
  size_t growth = SizeAfterReplaceAll(view, pattern, replacement, first) - oldSize;
  text.resize(oldSize + growth);
  std::memmove(text.data() + first + growth, text.data() + first, oldSize - first);
  text_detail::Compact(text, first, first + growth, pattern, replacement);
  return true;
}

}  // namespace fw
