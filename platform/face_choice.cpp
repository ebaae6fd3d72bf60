#include "platform/face_choice.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace fw {
namespace {

using Distance = std::tuple<int, int, int>;

// Slant first, then closeness of weight, then of width: smaller is closer to the request.
Distance StyleDistance(const FaceCandidate& c, FontStyle style) {
  const int32_t weight = style.weight == 0 ? 400 : style.weight;
  return {c.italic != style.italic ? 1 : 0, std::abs(c.weight - weight),
          std::abs(c.widthClass - 5)};
}

// How far a strike falls short of the request: zero for an exact fit, negative when it is
// larger. A negative height compares em heights, any other cell heights.
int64_t Shortfall(const FaceCandidate& c, int32_t height) {
  if (height > 0) return int64_t{height} - c.height;
  return -int64_t{height} - (int64_t{c.height} - c.internalLeading);
}

// An exact fit first, then the largest strike below the request, then the smallest above it.
bool Closer(int64_t shortfall, int64_t best) {
  if (best > 0) return shortfall >= 0 && shortfall < best;
  return best < 0 && shortfall > best;
}

// Bitmap strikes grow only by whole factors, and only when the larger size overshoots the
// request by little: a quarter of the strike, one pixel less for the step to double size.
int32_t StrikeScale(const FaceCandidate& c, int32_t height, int64_t shortfall) {
  const int64_t strike = c.height;
  if (strike <= 0) return 1;
  const int64_t wanted = strike + (height == 0 ? 0 : shortfall);
  int64_t scale = (wanted + strike - 1) / strike;
  const int64_t overshoot = scale * strike - wanted;
  if (scale > 2 && overshoot > strike / 4) {
    --scale;
  } else if (scale == 2 && overshoot > strike / 4 - 1) {
    --scale;
  }
  return static_cast<int32_t>(std::max<int64_t>(scale, 1));
}

}  // namespace

int32_t ClampHeight(int32_t height) {
  return std::clamp(height, -kMaxPixelHeight, kMaxPixelHeight);
}

std::optional<FaceChoice> ChooseFace(const std::vector<FaceCandidate>& candidates, int32_t height,
                                     FontStyle style) {
  height = ClampHeight(height);
  // Every request is for the Western character set; faces without it never serve.
  std::optional<Distance> closest;
  for (const FaceCandidate& c : candidates) {
    if (!c.latin1) continue;
    const Distance distance = StyleDistance(c, style);
    if (!closest || distance < *closest) closest = distance;
  }
  std::optional<size_t> scalable, bitmap;
  int64_t bitmapShortfall = 0;
  for (size_t i = 0; i < candidates.size(); ++i) {
    const FaceCandidate& c = candidates[i];
    if (!c.latin1 || StyleDistance(c, style) != closest) continue;
    if (c.scalable) {
      if (!scalable) scalable = i;
      continue;
    }
    const int64_t shortfall = Shortfall(c, height);
    if (!bitmap || Closer(shortfall, bitmapShortfall)) {
      bitmap = i;
      bitmapShortfall = shortfall;
    }
  }
  // A strike of exactly the requested size beats an outline face; otherwise outlines win.
  if (bitmap && (bitmapShortfall == 0 || !scalable)) {
    return FaceChoice{*bitmap, StrikeScale(candidates[*bitmap], height, bitmapShortfall)};
  }
  if (scalable) return FaceChoice{*scalable, 1};
  return std::nullopt;
}

}  // namespace fw
