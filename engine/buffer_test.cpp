#include "engine/buffer.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace fw {
namespace {

constexpr std::array<std::string_view, 4> kSet = {"~AB~", "~ABC~", "~X~", "~LONGER~"};
const PlaceholderSet kPlaceholders{kSet.data(), kSet.size()};

// Runs the same appends and passes on a plain and a settling buffer.
struct Pair {
  Buffer plain;
  Buffer fast;
  Pair() { plain.SetPlain(true); }
  void Append(const std::string& s) {
    plain.Append(s);
    fast.Append(s);
  }
  void Pass(const std::vector<std::pair<std::string, std::string>>& steps) {
    for (auto& [p, v] : steps) {
      plain.Replace(p, v);
      fast.Replace(p, v);
    }
    fast.Settle(kPlaceholders);
  }
};

// Random texts made of pieces: whole placeholders, halves of them, stray tildes and blanks.
class RandomTexts {
 public:
  RandomTexts(unsigned seed, std::vector<std::string> pieces)
      : rng(seed), pieces_(std::move(pieces)) {}
  // Up to max - 1 pieces.
  std::string Next(int max) {
    std::string s;
    for (int n = rng() % max; n > 0; --n) s += pieces_[rng() % pieces_.size()];
    return s;
  }
  std::mt19937 rng;

 private:
  std::vector<std::string> pieces_;
};

TEST(BufferTest, APlaceholderStraddlingAnAppendIsFound) {
  Pair b;
  b.Append("head ~A");
  b.Pass({{"~AB~", "1"}});
  EXPECT_LE(b.fast.settled(), 5u);
  b.Append("B~ tail");
  b.Pass({{"~AB~", "1"}});
  EXPECT_EQ(b.fast.text(), "head 1 tail");
  EXPECT_EQ(b.fast.settled(), b.fast.text().size());
}

TEST(BufferTest, AValueThatCompletesAnEarlierPrefixIsFoundNextPass) {
  Pair b;
  b.Append("x ~A~X~ y");  // "~A" then "~X~"; the value of ~X~ completes "~AB~"
  b.Pass({{"~AB~", "1"}, {"~X~", "B~"}});
  EXPECT_EQ(b.plain.text(), "x ~AB~ y");
  EXPECT_EQ(b.fast.text(), b.plain.text());
  b.Pass({{"~AB~", "done"}, {"~X~", ""}});
  EXPECT_EQ(b.fast.text(), "x done y");
  EXPECT_EQ(b.fast.text(), b.plain.text());
}

TEST(BufferTest, DeadTextIsNeverScannedAgain) {
  Pair b;
  b.Append("~NOT~ ~AB ~ABC ~~ ~X~");
  b.Pass({{"~X~", "v"}});
  EXPECT_EQ(b.fast.settled(), b.fast.text().size());
  b.Append("~AB~");
  b.Pass({{"~AB~", "w"}});
  EXPECT_EQ(b.fast.text(), b.plain.text());
}

TEST(BufferTest, RandomAppendsAndPassesMatchThePlainMethod) {
  RandomTexts random(12345, {"~", "A", "B", "C", "~AB~", "~ABC~", "~X~", "~A", "B~", "X", "LONGER",
                             "~LONG", "ER~", " "});
  std::mt19937& rng = random.rng;
  auto random_text = [&](int max) { return random.Next(max); };
  for (int round = 0; round < 400; ++round) {
    Pair b;
    for (int step = 0; step < 12; ++step) {
      b.Append(random_text(8));
      std::vector<std::pair<std::string, std::string>> pass;
      for (std::string_view p : kSet) pass.emplace_back(std::string(p), random_text(3));
      std::shuffle(pass.begin(), pass.end(), rng);
      b.Pass(pass);
      ASSERT_EQ(b.fast.text(), b.plain.text()) << "round " << round << " step " << step;
    }
  }
}

// Final lines moved out into a store (a scratch file's next append) leave the buffer as
// dropping them does, marks included, and the store holds exactly them; the store's old bytes
// go, and the buffer goes on in the store's storage.
TEST(BufferTest, MovingTheFinalLinesOutDoesWhatDroppingThemDoes) {
  RandomTexts random(4242, {"~", "A", "B", "~AB~", "~X~", "~A", "B~", "\r\n", "line\r\n", " "});
  std::mt19937& rng = random.rng;
  for (int round = 0; round < 200; ++round) {
    Buffer dropped, moved;
    TextStore store;
    store.append("stale bytes of an earlier append");
    std::string movedOut, droppedOut;
    for (int step = 0; step < 10; ++step) {
      std::string text = random.Next(10);
      dropped.Append(text);
      moved.Append(text);
      for (Buffer* b : {&dropped, &moved}) {
        b->Replace("~X~", "v\r\n");
        b->Settle(kPlaceholders);
      }
      if (rng() % 2 == 0) continue;
      std::string_view lines = dropped.FinalLines();
      ASSERT_EQ(moved.FinalLines(), lines);
      droppedOut += lines;
      dropped.DropFront(lines.size());
      moved.MoveFront(lines.size(), store);
      movedOut += std::string_view(store);
      ASSERT_EQ(moved.text(), dropped.text()) << round << " " << step;
      ASSERT_EQ(moved.settled(), dropped.settled());
    }
    moved.Replace("~AB~", "w");
    dropped.Replace("~AB~", "w");
    EXPECT_EQ(moved.text(), dropped.text());
    EXPECT_EQ(movedOut, droppedOut);
  }
}

// A second set, as EventText has: "~W~" waits for a later pass while the first set's
// placeholders are filled after every append.
constexpr std::array<std::string_view, 2> kLaterSet = {"~W~", "~AB~"};
const PlaceholderSet kLater{kLaterSet.data(), kLaterSet.size()};

TEST(BufferTest, APlaceholderOfAnotherSetDoesNotHoldBackTheMark) {
  Buffer b;
  b.Append("x ~AB~ y ~W~");
  b.Replace("~AB~", "1");
  b.Settle(kPlaceholders);
  EXPECT_EQ(b.settled(), 8u);  // past "~W": only the last tilde may still open a placeholder
  b.Replace("~W~", "~A");      // the other set's pass brings in a prefix that an append completes
  b.Settle(kLater);
  b.Append("B~");
  b.Replace("~AB~", "2");
  EXPECT_EQ(b.text(), "x 1 y 2");
}

TEST(BufferTest, TwoSetsSettledInTurnMatchThePlainMethod) {
  RandomTexts random(
      777, {"~", "A", "B", "W", "~AB~", "~W~", "~X~", "~A", "B~", "X~", "~LONG", "ER~", " "});
  std::mt19937& rng = random.rng;
  auto random_text = [&](int max) { return random.Next(max); };
  for (int round = 0; round < 400; ++round) {
    Buffer plain, fast;
    plain.SetPlain(true);
    for (int step = 0; step < 12; ++step) {
      std::string more = random_text(8);
      plain.Append(more);
      fast.Append(more);
      bool later = rng() % 3 == 0;
      std::vector<std::string_view> pass(later ? kLaterSet.begin() : kSet.begin(),
                                         later ? kLaterSet.end() : kSet.end());
      std::shuffle(pass.begin(), pass.end(), rng);
      for (std::string_view p : pass) {
        std::string value = random_text(3);
        plain.Replace(p, value);
        fast.Replace(p, value);
      }
      fast.Settle(later ? kLater : kPlaceholders);
      ASSERT_EQ(fast.text(), plain.text()) << "round " << round << " step " << step;
    }
  }
}

// A pass swept at once must give what its replacements give one after another. The pieces
// make the cases where it must not sweep: values with tildes, short values that join their
// neighbours into a placeholder ("~A" + "" + "B~"), placeholders sharing a tilde ("~AB~X~").
TEST(BufferTest, SubstitutePassesMatchTheirReplacementsInTurn) {
  RandomTexts random(4242, {"~", "A", "B", "AB", "~AB~", "~ABC~", "~X~", "~A", "B~", "X~", "C", "(",
                            " ", "~W~", "", "~~", "LONG", "~LO", "NGER~"});
  std::mt19937& rng = random.rng;
  auto random_text = [&](int max) { return random.Next(max); };
  std::array<std::string_view, 4> order = kSet;
  const PlaceholderSet set{order.data(), order.size()};
  for (int round = 0; round < 600; ++round) {
    Buffer plain, fast;
    plain.SetPlain(true);
    std::shuffle(order.begin(), order.end(), rng);  // a set stays as it is while in use
    for (int step = 0; step < 10; ++step) {
      std::string more = random_text(8);
      plain.Append(more);
      fast.Append(more);
      bool later = rng() % 4 == 0;
      std::vector<std::string> owned;
      for (size_t i = 0; i < 4; ++i) owned.push_back(random_text(3));
      std::string_view values[4] = {owned[0], owned[1], owned[2], owned[3]};
      plain.Substitute(later ? kLater : set, values);
      fast.Substitute(later ? kLater : set, values);
      ASSERT_EQ(fast.text(), plain.text()) << "round " << round << " step " << step;
    }
  }
}

// A section appended and filled in one pass must give what an append then a pass gives, with
// its placeholders found beforehand or not, whatever the buffer holds before it.
TEST(BufferTest, AppendSubstitutedMatchesAnAppendThenAPass) {
  RandomTexts random(777, {"~", "A", "B", "AB", "~AB~", "~ABC~", "~X~", "~A", "B~", "X~", "C", "(",
                           " ", "~W~", "~~", "LONG", "~LO", "NGER~", "~LONGER~"});
  std::mt19937& rng = random.rng;
  auto random_text = [&](int max) { return random.Next(max); };
  const SetTraits traits = TraitsOf(kPlaceholders);
  for (int round = 0; round < 600; ++round) {
    Buffer plain, fast;
    plain.SetPlain(true);
    for (int step = 0; step < 10; ++step) {
      std::string body = random_text(8);
      std::vector<std::string> owned;
      for (size_t i = 0; i < 4; ++i) owned.push_back(random_text(3));
      std::string_view values[4] = {owned[0], owned[1], owned[2], owned[3]};
      plain.Append(body);
      if (rng() % 5 == 0) {  // another set's pass in between, as at a dialog's end
        plain.Substitute(kLater, values);
        fast.Append(body);
        fast.Substitute(kLater, values);
        ASSERT_EQ(fast.text(), plain.text()) << "round " << round << " step " << step;
        continue;
      }
      plain.Substitute(kPlaceholders, values);
      SweepMap map = MapPlaceholders(body, kPlaceholders, traits);
      ValueRisks risks = RisksOf(kPlaceholders, traits, values);
      switch (rng() % 3) {
        case 0:
          fast.AppendSubstituted(body, kPlaceholders, values);
          break;
        case 1:
          fast.AppendSubstituted(body, kPlaceholders, values, &map);
          break;
        default:
          fast.AppendSubstituted(body, kPlaceholders, values, &map, &risks);
      }
      ASSERT_EQ(fast.text(), plain.text()) << "round " << round << " step " << step;
    }
  }
}

TEST(BufferTest, ASweepMovesTheMarkPastWhatItFilled) {
  Buffer b;
  std::string_view values[] = {"1", "2", "3", "4"};
  b.Append("x(~AB~) ~X~ ~ABC~,~LONGER~ ~open");
  b.Substitute(kPlaceholders, values);
  EXPECT_EQ(b.text(), "x(1) 3 2,4 ~open");
  EXPECT_EQ(b.settled(), b.text().size());  // "~open" can start no placeholder of the set
}

TEST(BufferLimitTest, AReplacementPastTheLimitIsRefusedAndTheBufferTakesNoMore) {
  Buffer b;
  b.SetLimit(12);
  b.Append("~A~~A~");
  b.Replace("~A~", "~B~~B~");  // grows to 12: allowed
  EXPECT_EQ(b.text(), "~B~~B~~B~~B~");
  EXPECT_FALSE(b.overflowed());
  b.Replace("~B~", "~C~~C~");  // would be 24
  EXPECT_EQ(b.text(), "~B~~B~~B~~B~");
  EXPECT_TRUE(b.overflowed());
  b.Replace("~B~", "");  // even a shrinking one: the text is already wrong
  EXPECT_EQ(b.text(), "~B~~B~~B~~B~");
  b.Empty();
  EXPECT_TRUE(b.overflowed());  // until the run ends: a new run makes new buffers
}

}  // namespace
}  // namespace fw
