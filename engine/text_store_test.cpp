#include "engine/text_store.h"

#include <gtest/gtest.h>

#include <string>

namespace fw {
namespace {

TEST(TextStoreTest, GrowsKeepingItsTextAndZeroFillsWhatResizeAdds) {
  TextStore t;
  EXPECT_EQ(std::string_view(t), "");
  EXPECT_NE(t.data(), nullptr);
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    std::string piece = std::to_string(i) + ",";
    t.append(piece);
    expected += piece;
  }
  EXPECT_EQ(std::string_view(t), expected);
  t.resize(t.size() + 3);
  EXPECT_EQ(std::string_view(t), expected + std::string(3, '\0'));
  t.resize(4);
  EXPECT_EQ(std::string_view(t), "0,1,");
  t.clear();
  EXPECT_EQ(t.size(), 0u);
  EXPECT_GE(t.capacity(), expected.size());
}

TEST(TextStoreTest, AppendsAPartOfItselfWhileItMoves) {
  TextStore t;
  t.append("abc");
  for (int i = 0; i < 20; ++i) t.append(std::string_view(t));  // each time past its room
  EXPECT_EQ(t.size(), size_t{3} << 20);
  std::string_view all(t);
  EXPECT_EQ(all.substr(all.size() - 6), "abcabc");
  EXPECT_EQ(all.find_first_not_of("abc"), std::string_view::npos);
}

}  // namespace
}  // namespace fw
