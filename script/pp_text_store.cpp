#include "script/pp_text_store.h"

#include <cstring>

namespace fw {

std::string_view PpTextStore::Keep(std::string text) {
  bytes_ += text.size();
  texts_.push_back(std::make_unique<std::string>(std::move(text)));
  return *texts_.back();
}

std::string_view PpTextStore::Copy(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > kBlock / 8) return Keep(std::string(text));
  if (left_ < text.size()) {
    blocks_.push_back(std::make_unique<char[]>(kBlock));
    free_ = blocks_.back().get();
    left_ = kBlock;
  }
  char* at = free_;
  std::memcpy(at, text.data(), text.size());
  free_ += text.size();
  left_ -= text.size();
  bytes_ += text.size();
  return {at, text.size()};
}

}  // namespace fw
