#include "engine/text_store.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace fw {

TextStore::~TextStore() {
  std::free(data_);
}

void TextStore::reserve(size_t size) {
  if (size <= capacity_) return;
  void* grown = std::realloc(data_, size);
  if (grown == nullptr) throw std::bad_alloc();
  data_ = static_cast<char*>(grown);
  capacity_ = size;
}

void TextStore::resize(size_t size) {
  if (size > size_) {
    reserve(size);
    std::memset(data_ + size_, 0, size - size_);
  }
  size_ = size;
}

void TextStore::AppendGrowing(std::string_view more) {
  // `more` may lie in this text, which is about to move. Its place is taken as numbers
  // before the move, so no pointer into the old block is used after it.
  auto at = reinterpret_cast<std::uintptr_t>(more.data());
  auto start = reinterpret_cast<std::uintptr_t>(data_);
  bool inside = data_ != nullptr && at >= start && at < start + capacity_;
  size_t offset = inside ? static_cast<size_t>(at - start) : 0;
  size_t need = size_ + more.size();
  reserve(need > 2 * capacity_ ? need : 2 * capacity_);
  if (inside) more = std::string_view(data_ + offset, more.size());
  std::memcpy(data_ + size_, more.data(), more.size());
  size_ += more.size();
}

void TextStore::erase_front(size_t count) {
  if (count == 0) return;
  std::memmove(data_, data_ + count, size_ - count);
  size_ -= count;
}

void TextStore::swap(TextStore& other) noexcept {
  std::swap(data_, other.data_);
  std::swap(size_, other.size_);
  std::swap(capacity_, other.capacity_);
}

}  // namespace fw
