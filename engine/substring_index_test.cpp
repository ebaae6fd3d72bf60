#include "engine/substring_index.h"

#include <gtest/gtest.h>

#include <random>

namespace fw {
namespace {

TEST(SubstringIndexTest, AgreesWithADirectSearchPastItsThreshold) {
  std::mt19937 rng(7);
  SubstringIndex index;
  std::string plain;
  for (int i = 0; i < 6000; ++i) {
    std::string piece(1 + rng() % 6, 'a');
    for (char& c : piece) c = static_cast<char>('a' + rng() % 3);
    index.Append(piece);
    plain += piece;
    std::string probe(1 + rng() % 12, 'a');
    for (char& c : probe) c = static_cast<char>('a' + rng() % 3);
    ASSERT_EQ(index.Contains(probe), plain.find(probe) != std::string::npos) << i;
  }
  EXPECT_FALSE(index.Contains("d"));
}

}  // namespace
}  // namespace fw
