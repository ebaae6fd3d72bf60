#include "script/pp_text_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fw {
namespace {

// Views stay true while more texts come: small copies fill blocks, large ones stand alone.
TEST(PpTextStoreTest, ViewsStayInPlaceAsTheStoreGrows) {
  PpTextStore store;
  std::vector<std::string> texts;
  std::vector<std::string_view> views;
  for (size_t i = 0; i < 3000; ++i) {
    size_t size = i % 100 == 0 ? 20000 : i % 37;  // past a block's end now and then
    texts.push_back(std::string(size, static_cast<char>('a' + i % 26)) + std::to_string(i));
    views.push_back(i % 2 ? store.Copy(texts.back()) : store.Keep(texts.back()));
  }
  uint64_t bytes = 0;
  for (size_t i = 0; i < texts.size(); ++i) {
    ASSERT_EQ(views[i], texts[i]) << i;
    bytes += texts[i].size();
  }
  EXPECT_EQ(store.Bytes(), bytes);
  EXPECT_TRUE(store.Copy("").empty());
}

}  // namespace
}  // namespace fw
