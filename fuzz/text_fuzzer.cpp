// Fuzzes the text utilities, ParseInteger and MulDiv against the properties callers rely on.
// The input is: two length bytes, a pattern, a replacement, and the text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "textutil/number.h"
#include "textutil/text.h"

namespace {

void Check(bool ok) {
  if (!ok) abort();
}

std::string Join(std::string_view text, std::string_view delimiter) {
  std::string joined;
  int32_t n = fw::FieldCount(text, delimiter);
  for (int32_t i = 1; i <= n; ++i) {
    if (i > 1) joined.append(delimiter);
    joined.append(fw::FieldAt(text, delimiter, i));
  }
  return joined;
}

void CheckReplace(std::string_view p, std::string_view r, std::string_view text) {
  std::string whole = fw::ReplaceAll(p, r, text);
  // Replacing from an offset equals keeping the head and replacing in the tail, by either of
  // the in-place paths (same length, or rebuilt tail).
  for (size_t from : {size_t{0}, text.size() / 2, text.size()}) {
    std::string inPlace(text);
    size_t predicted = fw::SizeAfterReplaceAll(text, p, r, from);
    fw::ReplaceAllFrom(inPlace, p, r, from);
    Check(predicted == inPlace.size());
    std::string expected =
        std::string(text.substr(0, from)) + fw::ReplaceAll(p, r, text.substr(from));
    Check(inPlace == expected);
  }
  // Every occurrence is counted once and replaced once.
  int32_t count = fw::OccurrenceCount(text, p);
  Check(whole.size() == text.size() + count * r.size() - count * p.size());
  if (count == 0) Check(whole == text);
  Check(fw::RemoveAll(text, p).size() <= text.size());
}

void CheckFields(std::string_view d, std::string_view text) {
  int32_t n = fw::FieldCount(text, d);
  Check(n == fw::OccurrenceCount(text, d) + 1);
  Check(fw::FieldAt(text, d, 0).empty() && fw::FieldAt(text, d, -1).empty());
  Check(fw::FieldAt(text, d, n + 1).empty());
  if (!d.empty()) Check(Join(text, d) == text);
  int32_t any = fw::FieldCountAny(text, d);
  size_t total = 0;
  for (int32_t i = 1; i <= any; ++i) total += fw::FieldAtAny(text, d, i).size();
  if (!d.empty()) Check(total + static_cast<size_t>(any - 1) == text.size());
  Check(fw::RemoveAnyChar(text, d).size() + fw::OccurrenceCountAny(text, d) == text.size());
  fw::ReplaceAnyChar(d, "xy", text);
}

// a * b / c rounded half away from zero, wrapped to 32 bits, computed in 128 bits.
int32_t ReferenceMulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  __int128 n = static_cast<__int128>(a) * b;
  __int128 q = n / c;
  __int128 rest = n % c;
  if (rest < 0) rest = -rest;
  if (2 * rest >= (c < 0 ? -static_cast<__int128>(c) : c)) q += ((n < 0) != (c < 0)) ? -1 : 1;
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned __int128>(q)));
}

void CheckNumbers(const uint8_t* data, size_t size, std::string_view text) {
  int32_t v = fw::ParseInteger(text);
  // Blanks in front and a stop character behind change nothing.
  Check(fw::ParseInteger(" " + std::string(text)) == v);
  Check(fw::ParseInteger(std::string(text) + ";") == fw::ParseInteger(std::string(text) + ";7"));
  Check(fw::ParseInteger(fw::IntegerToText(v)) == v);
  char hex[16];
  snprintf(hex, sizeof hex, "&h%X", static_cast<uint32_t>(v));
  Check(fw::ParseInteger(hex) == v);
  int32_t n[3] = {0, 0, 0};
  memcpy(n, data, size < sizeof n ? size : sizeof n);
  Check(fw::MulDiv(n[0], n[1], n[2]) == ReferenceMulDiv(n[0], n[1], n[2]));
}

void CheckTrims(std::string_view text) {
  std::string_view t = fw::Trim(text);
  Check(t.empty() || (t.front() != ' ' && t.back() != ' '));
  Check(text.find(t) != std::string_view::npos);
  std::string_view q = fw::RemoveQuotes(text);
  Check(q.empty() || (q.front() != '"' && q.back() != '"'));
  Check(fw::LowerAscii(text).size() == text.size());
  Check(fw::EqualsIgnoringAsciiCase(text, fw::LowerAscii(text)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  std::string_view all(reinterpret_cast<const char*>(data), size);
  size_t pLength = std::min<size_t>(data[0] % 9, size - 2);
  size_t rLength = std::min<size_t>(data[1] % 9, size - 2 - pLength);
  std::string_view pattern = all.substr(2, pLength);
  std::string_view replacement = all.substr(2 + pLength, rLength);
  std::string_view text = all.substr(2 + pLength + rLength);
  CheckReplace(pattern, replacement, text);
  // Walking every field is quadratic; a short text shows the same cases.
  CheckFields(pattern, text.substr(0, 300));
  CheckNumbers(data, size, text);
  CheckTrims(text);
  return 0;
}
