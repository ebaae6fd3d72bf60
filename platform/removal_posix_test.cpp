#include "platform/removal_posix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "tests/support/temp_folder.h"

namespace fw {
namespace {

// Every name given is gone once the removal is, in whatever state the worker was: a name
// already missing does not stop the ones after it.
TEST(LateRemovalTest, EveryNameGivenIsGoneOnceItEnds) {
  TempFolder dir;
  for (int round = 0; round < 20; ++round) {
    auto removal = std::make_unique<LateRemoval>();
    dir.Put("a", "a");
    dir.Put("b", "b");
    removal->Remove(dir / "missing");
    removal->Remove(dir / "a");
    if (round % 2) std::this_thread::yield();
    removal->Remove(dir / "b");
    removal.reset();
    EXPECT_FALSE(dir.Exists("a"));
    EXPECT_FALSE(dir.Exists("b"));
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0);
}

}  // namespace
}  // namespace fw
