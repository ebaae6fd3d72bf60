// The storage of a section buffer: a byte text that grows in place where the allocator can.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace fw {

// A text like std::string for the few operations a buffer makes, but grown with realloc: a
// large block then grows by remapping its pages instead of being copied into fresh memory.
// Growing the largest buffers of a run (hundreds of megabytes) by copying cost more than
// filling them.
class TextStore {
 public:
  TextStore() = default;
  ~TextStore();
  TextStore(const TextStore&) = delete;
  TextStore& operator=(const TextStore&) = delete;

  char* data() { return data_ != nullptr ? data_ : empty_; }
  const char* data() const { return data_ != nullptr ? data_ : empty_; }
  size_t size() const { return size_; }
  size_t capacity() const { return capacity_; }
  operator std::string_view() const { return {data(), size_}; }

  // Room for `size` bytes; throws std::bad_alloc when there is none.
  void reserve(size_t size);
  // New bytes are zero bytes, as std::string gives them.
  void resize(size_t size);
  void append(std::string_view more) {
    // Inline while there is room: a control's pieces are appended by the million.
    if (size_ + more.size() > capacity_) return AppendGrowing(more);
    if (!more.empty()) std::memcpy(data_ + size_, more.data(), more.size());
    size_ += more.size();
  }
  void clear() { size_ = 0; }
  // Removes the first `count` bytes (at most size()).
  void erase_front(size_t count);
  // Exchanges the two texts' storage; nothing is copied.
  void swap(TextStore& other) noexcept;

 private:
  void AppendGrowing(std::string_view more);

  char* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
  char empty_[1] = {};
};

}  // namespace fw
