#include "platform/face_choice.h"

#include <gtest/gtest.h>

#include <climits>

namespace fw {
namespace {

FaceCandidate Strike(int32_t height, int32_t internalLeading) {
  FaceCandidate c;
  c.height = height;
  c.internalLeading = internalLeading;
  return c;
}

FaceCandidate Outline(int32_t weight = 400, bool italic = false, int32_t widthClass = 5) {
  FaceCandidate c;
  c.scalable = true;
  c.weight = weight;
  c.italic = italic;
  c.widthClass = widthClass;
  return c;
}

// The three strikes of the 96-dpi "MS Sans Serif" bitmap font: 8, 10 and 12 points.
const std::vector<FaceCandidate> kSansSerif = {Strike(13, 2), Strike(16, 3), Strike(20, 4)};

struct Expected {
  int32_t height;
  size_t candidate;
  int32_t scale;
};

void ExpectChoices(const std::vector<FaceCandidate>& family, const std::vector<Expected>& cases) {
  for (const Expected& e : cases) {
    std::optional<FaceChoice> choice = ChooseFace(family, e.height, FontStyle{});
    ASSERT_TRUE(choice) << e.height;
    EXPECT_EQ(choice->candidate, e.candidate) << "height " << e.height;
    EXPECT_EQ(choice->scale, e.scale) << "height " << e.height;
  }
}

// The borders below are the ones GDI shows under Wine with the fonts-wine files.
TEST(FaceChoiceTest, StrikeIsTheLargestNotAboveTheRequestElseTheSmallest) {
  ExpectChoices(kSansSerif, {{-1, 0, 1},
                             {-11, 0, 1},
                             {-12, 0, 1},
                             {-13, 1, 1},
                             {-15, 1, 1},
                             {-16, 2, 1},
                             {-31, 2, 1},
                             {0, 0, 1},
                             {1, 0, 1},
                             {15, 0, 1},
                             {16, 1, 1},
                             {19, 1, 1},
                             {20, 2, 1},
                             {35, 2, 1}});
}

TEST(FaceChoiceTest, StrikesGrowByWholeFactorsOnlyWhenTheOvershootIsSmall) {
  ExpectChoices(kSansSerif, {{-32, 2, 2}, {-40, 2, 2}, {-100, 2, 5}, {36, 2, 2}});
  const std::vector<FaceCandidate> courier = {Strike(13, 0)};
  ExpectChoices(courier, {{-23, 0, 1}, {-24, 0, 2}, {-35, 0, 2}, {-36, 0, 3}, {-100, 0, 7}});
}

TEST(FaceChoiceTest, ExtremeHeightsStayBounded) {
  const std::vector<FaceCandidate> courier = {Strike(13, 0)};
  for (int32_t height : {INT_MIN, INT_MAX, -kMaxPixelHeight - 1}) {
    std::optional<FaceChoice> choice = ChooseFace(courier, height, FontStyle{});
    ASSERT_TRUE(choice);
    EXPECT_GE(choice->scale, 1);
    EXPECT_LE(int64_t{choice->scale} * 13, int64_t{kMaxPixelHeight} + 13);
  }
  EXPECT_EQ(ClampHeight(INT_MIN), -kMaxPixelHeight);
}

TEST(FaceChoiceTest, AnExactStrikeBeatsAnOutlineOtherwiseTheOutlineWins) {
  const std::vector<FaceCandidate> mixed = {Outline(), Strike(13, 2)};
  EXPECT_EQ(ChooseFace(mixed, -11, FontStyle{})->candidate, 1u);
  EXPECT_EQ(ChooseFace(mixed, 13, FontStyle{})->candidate, 1u);
  EXPECT_EQ(ChooseFace(mixed, -12, FontStyle{})->candidate, 0u);
}

TEST(FaceChoiceTest, StyleClosestInSlantThenWeightThenWidth) {
  // In file order, as fontconfig lists one family: light, bold, condensed, italic, regular.
  const std::vector<FaceCandidate> family = {Outline(200), Outline(700), Outline(400, false, 3),
                                             Outline(400, true), Outline(400)};
  EXPECT_EQ(ChooseFace(family, -11, FontStyle{400, false})->candidate, 4u);
  EXPECT_EQ(ChooseFace(family, -11, FontStyle{0, false})->candidate, 4u);
  EXPECT_EQ(ChooseFace(family, -11, FontStyle{700, false})->candidate, 1u);
  EXPECT_EQ(ChooseFace(family, -11, FontStyle{400, true})->candidate, 3u);
  EXPECT_EQ(ChooseFace(family, -11, FontStyle{300, false})->candidate, 0u);
}

TEST(FaceChoiceTest, FacesWithoutTheWesternCharacterSetNeverServe) {
  FaceCandidate eastern = Strike(13, 2);
  eastern.latin1 = false;
  const std::vector<FaceCandidate> family = {eastern, Strike(16, 3)};
  EXPECT_EQ(ChooseFace(family, -11, FontStyle{})->candidate, 1u);
  EXPECT_FALSE(ChooseFace({eastern}, -11, FontStyle{}));
  EXPECT_FALSE(ChooseFace({}, -11, FontStyle{}));
}

}  // namespace
}  // namespace fw
