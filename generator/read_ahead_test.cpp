#include "generator/read_ahead.h"

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <string>

namespace fw {
namespace {

// Makes `count` items: every third a dialog of i controls (so batches close on their size as
// well as on their count), the others defines; throws instead of giving item `failAt`.
class CountingReader : public ScriptReader {
 public:
  CountingReader(int count, int failAt = -1) : count_(count), failAt_(failAt) {}
  bool Next(ScriptItem& item) override {
    if (given_ == failAt_) throw std::bad_alloc();
    if (given_ == count_) return false;
    item = ScriptItem{};
    if (given_ % 3 == 0) {
      item.kind = ScriptItem::Kind::kDialog;
      item.dialog.name = "D" + std::to_string(given_);
      item.dialog.controls.resize(static_cast<size_t>(given_) * 8);
    } else {
      item.define = "#define X" + std::to_string(given_);
    }
    ++given_;
    return true;
  }
  int given() const { return given_; }

 private:
  int count_;
  int failAt_;
  std::atomic<int> given_ = 0;
};

std::string Describe(const ScriptItem& item) {
  if (item.kind == ScriptItem::Kind::kDefine) return item.define;
  return item.dialog.name + "/" + std::to_string(item.dialog.controls.size());
}

TEST(ReadAheadTest, ItemsComeInTheirOrderAndEndOnce) {
  for (int count : {0, 1, 63, 64, 65, 1000}) {
    CountingReader plain(count), inner(count);
    std::unique_ptr<ScriptReader> ahead = ReadAhead(inner);
    if (!ahead) GTEST_SKIP() << "this build reads on the generator's thread";
    ScriptItem expected, got;
    while (plain.Next(expected)) {
      ASSERT_TRUE(ahead->Next(got)) << count;
      ASSERT_EQ(Describe(got), Describe(expected));
    }
    EXPECT_FALSE(ahead->Next(got));
    EXPECT_FALSE(ahead->Next(got));
  }
}

// A failure while reading ahead reaches the generator after the items read before it.
TEST(ReadAheadTest, AFailureComesAfterTheItemsBeforeIt) {
  CountingReader inner(1000, 100);
  std::unique_ptr<ScriptReader> ahead = ReadAhead(inner);
  if (!ahead) GTEST_SKIP() << "this build reads on the generator's thread";
  ScriptItem item;
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(ahead->Next(item)) << i;
  EXPECT_THROW(ahead->Next(item), std::bad_alloc);
}

// A run that ends early (a failure in the generator) stops the reading: the reader is left
// within a bounded distance of what was taken, and nothing reads it afterwards.
TEST(ReadAheadTest, GoingAwayEarlyStopsTheReading) {
  CountingReader inner(1000000);
  {
    std::unique_ptr<ScriptReader> ahead = ReadAhead(inner);
    if (!ahead) GTEST_SKIP() << "this build reads on the generator's thread";
    ScriptItem item;
    ASSERT_TRUE(ahead->Next(item));
  }
  int stopped = inner.given();
  EXPECT_LE(stopped, 4 * 64);
  ScriptItem item;
  ASSERT_TRUE(inner.Next(item));  // still usable, and still where the reading left it
  EXPECT_EQ(inner.given(), stopped + 1);
}

}  // namespace
}  // namespace fw
