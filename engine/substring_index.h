// A growing text that answers "does this text occur in it?" in time proportional to the
// query, however long the text grows. Small texts are searched directly; past a size a suffix
// automaton is built and then extended with every appended byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class SubstringIndex {
 public:
  void Append(std::string_view more);
  bool Contains(std::string_view needle) const;
  std::string TakeText() { return std::move(text_); }
  const std::string& text() const { return text_; }

 private:
  struct State {
    int32_t len;
    int32_t link;
    int32_t firstEdge;
  };
  struct Edge {
    unsigned char c;
    int32_t to;
    int32_t next;
  };

  void Extend(unsigned char c);
  int32_t Target(int32_t state, unsigned char c) const;
  void SetTarget(int32_t state, unsigned char c, int32_t to);
  int32_t Clone(int32_t q, int32_t len);

  std::string text_;
  std::vector<State> states_;
  std::vector<Edge> edges_;
  int32_t last_ = 0;
};

}  // namespace fw
