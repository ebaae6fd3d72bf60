#include "engine/substring_index.h"

namespace fw {

namespace {
// Below this size a direct search costs less than keeping the automaton.
constexpr size_t kDirectSearchLimit = 16 * 1024;
}  // namespace

void SubstringIndex::Append(std::string_view more) {
  size_t old = text_.size();
  text_.append(more);
  if (states_.empty()) {
    if (text_.size() <= kDirectSearchLimit) return;
    states_.push_back({0, -1, -1});
    last_ = 0;
    old = 0;
  }
  for (size_t i = old; i < text_.size(); ++i) Extend(static_cast<unsigned char>(text_[i]));
}

bool SubstringIndex::Contains(std::string_view needle) const {
  if (states_.empty()) return text_.find(needle) != std::string::npos;
  int32_t s = 0;
  for (char c : needle) {
    s = Target(s, static_cast<unsigned char>(c));
    if (s < 0) return false;
  }
  return true;
}

int32_t SubstringIndex::Target(int32_t state, unsigned char c) const {
  for (int32_t e = states_[state].firstEdge; e >= 0; e = edges_[e].next) {
    if (edges_[e].c == c) return edges_[e].to;
  }
  return -1;
}

void SubstringIndex::SetTarget(int32_t state, unsigned char c, int32_t to) {
  for (int32_t e = states_[state].firstEdge; e >= 0; e = edges_[e].next) {
    if (edges_[e].c == c) {
      edges_[e].to = to;
      return;
    }
  }
  edges_.push_back({c, to, states_[state].firstEdge});
  states_[state].firstEdge = static_cast<int32_t>(edges_.size() - 1);
}

int32_t SubstringIndex::Clone(int32_t q, int32_t len) {
  int32_t clone = static_cast<int32_t>(states_.size());
  states_.push_back({len, states_[q].link, -1});
  for (int32_t e = states_[q].firstEdge; e >= 0; e = edges_[e].next) {
    SetTarget(clone, edges_[e].c, edges_[e].to);
  }
  return clone;
}

// The classic online construction: one new state per byte, at most one clone.
void SubstringIndex::Extend(unsigned char c) {
  int32_t cur = static_cast<int32_t>(states_.size());
  states_.push_back({states_[last_].len + 1, 0, -1});
  int32_t p = last_;
  while (p >= 0 && Target(p, c) < 0) {
    SetTarget(p, c, cur);
    p = states_[p].link;
  }
  if (p >= 0) {
    int32_t q = Target(p, c);
    if (states_[p].len + 1 == states_[q].len) {
      states_[cur].link = q;
    } else {
      int32_t clone = Clone(q, states_[p].len + 1);
      while (p >= 0 && Target(p, c) == q) {
        SetTarget(p, c, clone);
        p = states_[p].link;
      }
      states_[q].link = clone;
      states_[cur].link = clone;
    }
  }
  last_ = cur;
}

}  // namespace fw
