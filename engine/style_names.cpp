#include "engine/style_names.h"

#include "engine/substring_index.h"
#include "textutil/number.h"
#include "textutil/text.h"

namespace fw {

namespace {

constexpr std::string_view kJoin = " or ";

// Visits each entry of the map: every "\r\n"-separated field, the empty last one included.
template <typename Visit>
void ForEachEntry(std::string_view map, Visit visit) {
  size_t start = 0;
  for (;;) {
    size_t end = map.find("\r\n", start);
    visit(map.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return;
    start = end + 2;
  }
}

}  // namespace

std::string StyleFlagNames(int32_t value, std::string_view map) {
  SubstringIndex result;
  ForEachEntry(map, [&](std::string_view entry) {
    std::string_view v = FieldViewAt(entry, ",", 1);
    uint32_t bits = static_cast<uint32_t>(ParseInteger(v));
    if ((bits & static_cast<uint32_t>(value)) != bits) return;
    std::string_view name = FieldViewAt(entry, ",", 2);
    if (!name.empty() && result.Contains(name)) return;
    result.Append(name);
    result.Append(kJoin);
  });
  std::string text = result.TakeText();
  while (text.size() >= kJoin.size() &&
         text.compare(text.size() - kJoin.size(), kJoin.size(), kJoin) == 0) {
    text.resize(text.size() - kJoin.size());
  }
  return text.empty() ? "0" : text;
}

}  // namespace fw
