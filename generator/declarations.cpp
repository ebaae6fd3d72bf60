#include "generator/declarations.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "textutil/text.h"

namespace fw {

namespace {

// Whether `line` begins with `word` (lower case) in any ASCII letter case. Compares in place:
// this runs for every line of the generated code.
bool BeginsWith(std::string_view line, std::string_view word) {
  if (line.size() < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    char c = line[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return true;
}

}  // namespace

bool OpensProcedure(std::string_view line) {
  return BeginsWith(line, "sub ") || BeginsWith(line, "function ");
}

// The code runs to hundreds of megabytes with a line every 30 bytes, so lines are not visited
// one by one: 16 bytes at a time, only an LF followed by an s or an f (any case) is looked at.
size_t NextProcedureLine(std::string_view code, size_t from) {
  if (from < code.size() && OpensProcedure(code.substr(from))) return from;
  auto opensAfter = [code](size_t lf) {  // `lf` holds an LF
    return lf > 0 && code[lf - 1] == '\r' && OpensProcedure(code.substr(lf + 1));
  };
  size_t i = from;
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i s = _mm_set1_epi8('s');
  const __m128i f = _mm_set1_epi8('f');
  const __m128i lower = _mm_set1_epi8(0x20);
  for (; i + 17 <= code.size(); i += 16) {
    __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(code.data() + i));
    __m128i next =
        _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(code.data() + i + 1)), lower);
    auto found = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(here, lf)) &
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(next, s), _mm_cmpeq_epi8(next, f))));
    for (; found != 0; found &= found - 1) {
      size_t at = i + static_cast<size_t>(std::countr_zero(found));
      if (opensAfter(at)) return at + 1;
    }
  }
#endif
  for (; i < code.size(); ++i) {
    if (code[i] == '\n' && opensAfter(i)) return i + 1;
  }
  return std::string_view::npos;
}

void AppendDeclarations(std::string_view code, Buffer& out) {
  struct Appender {
    Buffer& buffer;
    void append(std::string_view more) { buffer.Append(more); }
  } appender{out};
  AppendDeclarations(code, appender);
}

std::string BuildDeclarations(std::string_view code) {
  std::string result;
  AppendDeclarations(code, result);
  return result;
}

}  // namespace fw
