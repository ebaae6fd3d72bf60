// Texts that tokens view: file texts, a lexer's text without its splices, the spellings made
// by pasting and stringizing. Each stays in place until the store goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class PpTextStore {
 public:
  PpTextStore() = default;
  PpTextStore(const PpTextStore&) = delete;
  PpTextStore& operator=(const PpTextStore&) = delete;

  // `text` kept as it is (a file's text: no copy of its bytes).
  std::string_view Keep(std::string text);
  // A copy of `text`; small ones share blocks.
  std::string_view Copy(std::string_view text);
  // Bytes held; what the expansion limits bound for the copies.
  uint64_t Bytes() const { return bytes_; }

 private:
  static constexpr size_t kBlock = 64 * 1024;
  std::vector<std::unique_ptr<std::string>> texts_;
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // in the last block
  size_t left_ = 0;
  uint64_t bytes_ = 0;
};

}  // namespace fw
