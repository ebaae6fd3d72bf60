#include "textutil/text.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace fw {

namespace {

// Byte offset of the first occurrence of `pattern` at or after `from`, or npos. An empty
// pattern never matches.
size_t Find(std::string_view text, std::string_view pattern, size_t from) {
  if (pattern.empty() || from >= text.size()) return std::string_view::npos;
  return text.find(pattern, from);
}

bool InSet(std::string_view set, char c) {
  return set.find(c) != std::string_view::npos;
}

}  // namespace

std::string ReplaceAll(std::string_view pattern, std::string_view replacement,
                       std::string_view text) {
  size_t at = Find(text, pattern, 0);
  if (at == std::string_view::npos) return std::string(text);
  // Sized exactly up front, so that the result is never copied to grow.
  std::string result;
  result.reserve(SizeAfterReplaceAll(text, pattern, replacement, at));
  size_t done = 0;
  while (at != std::string_view::npos) {
    result.append(text.substr(done, at - done));
    result.append(replacement);
    done = at + pattern.size();
    at = Find(text, pattern, done);
  }
  result.append(text.substr(done));
  return result;
}

size_t SizeAfterReplaceAll(std::string_view text, std::string_view pattern,
                           std::string_view replacement, size_t from) {
  size_t count = 0;
  for (size_t at = Find(text, pattern, from); at != std::string_view::npos;
       at = Find(text, pattern, at + pattern.size())) {
    ++count;
  }
  if (replacement.size() <= pattern.size()) {
    return text.size() - count * (pattern.size() - replacement.size());
  }
  size_t growth = replacement.size() - pattern.size();
  if (count > (SIZE_MAX - text.size()) / growth) return SIZE_MAX;
  return text.size() + count * growth;
}

int32_t FieldCount(std::string_view text, std::string_view delimiter) {
  return OccurrenceCount(text, delimiter) + 1;
}

std::string_view FieldViewAt(std::string_view text, std::string_view delimiter, int64_t index) {
  if (index < 1) return {};
  size_t start = 0;
  for (int64_t passed = 0; passed != index - 1; ++passed) {
    size_t at = Find(text, delimiter, start);
    if (at == std::string_view::npos) return {};
    start = at + delimiter.size();
  }
  if (start >= text.size()) return {};
  size_t end = Find(text, delimiter, start);
  if (end == std::string_view::npos) end = text.size();
  return text.substr(start, end - start);
}

void FieldViews(std::string_view text, std::string_view delimiter,
                std::span<std::string_view> fields) {
  size_t start = 0;
  bool found = true;  // the field before ended at a delimiter
  for (std::string_view& field : fields) {
    if (!found || start >= text.size()) {
      field = {};
      found = false;  // no delimiter is found from past the end
      continue;
    }
    size_t end = Find(text, delimiter, start);
    found = end != std::string_view::npos;
    field = text.substr(start, (found ? end : text.size()) - start);
    if (found) start = end + delimiter.size();
  }
}

std::string FieldAt(std::string_view text, std::string_view delimiter, int64_t index) {
  return std::string(FieldViewAt(text, delimiter, index));
}

std::string ReplaceAnyChar(std::string_view set, std::string_view replacement,
                           std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    if (InSet(set, c)) {
      result.append(replacement);
    } else {
      result.push_back(c);
    }
  }
  return result;
}

std::string RemoveAll(std::string_view text, std::string_view pattern) {
  if (pattern.empty()) return std::string(text);
  while (text.size() >= pattern.size() && text.substr(0, pattern.size()) == pattern) {
    text.remove_prefix(pattern.size());
  }
  while (text.size() >= pattern.size() && text.substr(text.size() - pattern.size()) == pattern) {
    text.remove_suffix(pattern.size());
  }
  // Cutting an occurrence and resuming the search where it stood is the same as copying the
  // text between occurrences: a match never starts before the resume point.
  std::string result;
  result.reserve(text.size());
  size_t done = 0;
  for (size_t at = Find(text, pattern, 0); at != std::string_view::npos;
       at = Find(text, pattern, done)) {
    result.append(text.substr(done, at - done));
    done = at + pattern.size();
  }
  result.append(text.substr(done));
  return result;
}

std::string RemoveAnyChar(std::string_view text, std::string_view set) {
  std::string result;
  for (char c : text) {
    if (!InSet(set, c)) result.push_back(c);
  }
  return result;
}

int32_t OccurrenceCount(std::string_view text, std::string_view pattern) {
  int32_t count = 0;
  for (size_t at = Find(text, pattern, 0); at != std::string_view::npos;
       at = Find(text, pattern, at + pattern.size())) {
    ++count;
  }
  return count;
}

int32_t OccurrenceCountAny(std::string_view text, std::string_view set) {
  return static_cast<int32_t>(
      std::count_if(text.begin(), text.end(), [&](char c) { return InSet(set, c); }));
}

int32_t FieldCountAny(std::string_view text, std::string_view set) {
  return OccurrenceCountAny(text, set) + 1;
}

std::string FieldAtAny(std::string_view text, std::string_view set, int64_t index) {
  if (index < 1) return {};
  size_t start = 0;
  for (int64_t passed = 0; passed != index - 1; ++passed) {
    size_t at = text.find_first_of(set, start);
    if (set.empty() || at == std::string_view::npos) return {};
    start = at + 1;
  }
  if (start >= text.size()) return {};
  size_t end = set.empty() ? std::string_view::npos : text.find_first_of(set, start);
  if (end == std::string_view::npos) end = text.size();
  return std::string(text.substr(start, end - start));
}

std::string_view Trim(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string_view RemoveQuotes(std::string_view text) {
  size_t first = text.find_first_not_of('"');
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of('"');
  return text.substr(first, last - first + 1);
}

std::string LowerAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && LowerAscii(a) == LowerAscii(b);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace fw
