#include "generator/scratch_writer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <new>
#include <thread>

namespace fw {
namespace {

// Holds what it takes; refuses every append from the `failFrom`-th on, or takes its time.
class TestScratch : public ScratchFile {
 public:
  explicit TestScratch(int failFrom = -1, bool slow = false) : failFrom_(failFrom), slow_(slow) {}
  bool Append(std::string_view bytes) override {
    if (slow_) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (failFrom_ >= 0 && appends_++ >= failFrom_) return false;
    text_.append(bytes);
    size_ = text_.size();
    written_ += bytes.size();
    return true;
  }
  bool Read(uint64_t, char*, size_t) override { return false; }
  const std::string& text() const { return text_; }
  size_t written() const { return written_; }

 private:
  int failFrom_;
  bool slow_;
  int appends_ = 0;
  std::string text_;
  std::atomic<size_t> written_ = 0;
};

// One append, as the run makes it: the bytes into a slot, then queued; `after` runs with them.
void Give(ScratchWriter& writer, ScratchFile& file, std::string_view bytes,
          ScratchWriter::After after = nullptr) {
  writer.Slot().append(bytes);
  writer.Queue(file, std::move(after));
}

using Maker = std::function<std::unique_ptr<ScratchWriter>()>;
const Maker kMakers[] = {MakeScratchWriter, MakeScratchWriterInPlace};

std::string Chunk(int file, int i, size_t size) {
  std::string text = "<" + std::to_string(file) + ":" + std::to_string(i) + ">";
  text.resize(size, static_cast<char>('a' + i % 26));
  return text;
}

// Every file gets its appends in order, whole, across sizes, and each append's After sees its
// bytes in that order; where appends fail from some point on, the file holds a beginning of its
// text and Kept the rest, and the failure is known.
TEST(ScratchWriterTest, EachFileHoldsItsTextOrKeepsTheRestAfterAFailure) {
  for (const Maker& make : kMakers) {
    for (int failFrom : {-1, 0, 7}) {
      TestScratch files[3] = {TestScratch(failFrom == 0 ? -1 : failFrom), TestScratch(failFrom),
                              TestScratch()};
      std::string given[3], seen[3];
      std::unique_ptr<ScratchWriter> writer = make();
      for (int i = 0; i < 60; ++i) {
        int f = (i * 7) % 3;
        std::string bytes = Chunk(f, i, i % 5 == 0 ? (size_t{3} << 20) : 10 + i);
        Give(*writer, files[f], bytes, [&seen, f](std::string_view b) { seen[f] += b; });
        given[f] += bytes;
      }
      ASSERT_TRUE(writer->Finish());
      EXPECT_EQ(writer->Failed(), failFrom >= 0) << failFrom;
      for (int f = 0; f < 3; ++f) {
        std::string whole = files[f].text() + std::string(writer->Kept(files[f]));
        EXPECT_EQ(whole, given[f]) << failFrom << " file " << f;
        EXPECT_EQ(seen[f], given[f]) << failFrom << " file " << f;
        if (failFrom < 0) {
          EXPECT_TRUE(writer->Kept(files[f]).empty());
        }
      }
    }
  }
}

// The generator runs ahead of a slow file by a few MiB, not by all it gives.
TEST(ScratchWriterTest, AppendsWaitForASlowFile) {
  TestScratch slow(-1, true);
  std::unique_ptr<ScratchWriter> writer = MakeScratchWriter();
  const std::string bytes(size_t{1} << 20, 'x');
  size_t given = 0;
  size_t furthest = 0;
  for (int i = 0; i < 64; ++i) {
    Give(*writer, slow, bytes);
    given += bytes.size();
    furthest = std::max(furthest, given - slow.written());
  }
  EXPECT_LE(furthest, size_t{8} << 20);
  ASSERT_TRUE(writer->Finish());
  EXPECT_EQ(slow.written(), given);
}

// Bytes that could be neither written nor kept (no memory) make Finish say so, so that no
// output is made from a scratch file that lacks them.
TEST(ScratchWriterTest, BytesLostOnTheWritersThreadAreReported) {
  for (const Maker& make : kMakers) {
    TestScratch file;
    std::unique_ptr<ScratchWriter> writer = make();
    Give(*writer, file, "code\r\n", [](std::string_view) { throw std::bad_alloc(); });
    Give(*writer, file, "more\r\n");
    EXPECT_FALSE(writer->Finish());
    EXPECT_EQ(file.text(), "code\r\nmore\r\n");
  }
}

// A writer that goes away with appends waiting neither hangs nor writes after it has gone.
TEST(ScratchWriterTest, GoingAwayUnfinishedEnds) {
  TestScratch slow(-1, true);
  {
    std::unique_ptr<ScratchWriter> writer = MakeScratchWriter();
    for (int i = 0; i < 4; ++i) Give(*writer, slow, std::string(1000, 'y'));
  }
  size_t after = slow.written();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(slow.written(), after);
}

}  // namespace
}  // namespace fw
