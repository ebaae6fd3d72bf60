// Text utilities: replace-all, field counting and extraction, and their uncalled twins.
// Texts are byte strings; positions in the algorithms count from 1.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace fw {

// Every non-overlapping occurrence of `pattern`, leftmost first, replaced by `replacement`.
// Inserted text is never searched again. One pass over the text.
std::string ReplaceAll(std::string_view pattern, std::string_view replacement,
                       std::string_view text);

// Replaces occurrences in `text` in place, starting the search at byte offset `from` (0-based).
// Returns true when at least one occurrence was replaced.
bool ReplaceAllFrom(std::string& text, std::string_view pattern, std::string_view replacement,
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

}  // namespace fw
