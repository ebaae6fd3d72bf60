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

StyleEntries ReadStyleMap(std::string_view map) {
  StyleEntries entries;
  ForEachEntry(map, [&](std::string_view entry) {
    entries.push_back({static_cast<uint32_t>(ParseInteger(FieldViewAt(entry, ",", 1))),
                       std::string(FieldViewAt(entry, ",", 2))});
  });
  return entries;
}

std::string StyleFlagNames(int32_t value, std::string_view map) {
  return StyleFlagNames(value, ReadStyleMap(map));
}

std::string StyleFlagNames(int32_t value, const StyleEntries& map) {
  SubstringIndex result;
  for (const StyleEntry& entry : map) {
    if ((entry.bits & static_cast<uint32_t>(value)) != entry.bits) continue;
    if (!entry.name.empty() && result.Contains(entry.name)) continue;
    result.Append(entry.name);
    result.Append(kJoin);
  }
  std::string text = result.TakeText();
  while (text.size() >= kJoin.size() &&
         text.compare(text.size() - kJoin.size(), kJoin.size(), kJoin) == 0) {
    text.resize(text.size() - kJoin.size());
  }
  return text.empty() ? "0" : text;
}

StyleMapCache::Map& StyleMapCache::Find(std::string_view map) {
  for (Entry* entry : recent_) {
    if (entry != nullptr && entry->first.size() == map.size() && entry->first == map) {
      return entry->second;
    }
  }
  auto it = maps_.find(map);
  if (it == maps_.end()) it = maps_.emplace(std::string(map), Map{ReadStyleMap(map), {}}).first;
  recent_[nextRecent_] = &*it;  // elements of the map stay where they are
  nextRecent_ = (nextRecent_ + 1) % recent_.size();
  return it->second;
}

const std::string& StyleMapCache::FlagNames(int32_t value, std::string_view map) {
  Map& found = Find(map);
  auto it = found.names.find(value);
  if (it == found.names.end()) {
    it = found.names.emplace(value, StyleFlagNames(value, found.entries)).first;
  }
  return it->second;
}

}  // namespace fw
