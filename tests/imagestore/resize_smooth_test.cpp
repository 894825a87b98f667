// The smooth resize against the per-pixel code it replaced, kept in
// smooth_resize_reference.h: every channel within 1 and the alpha the same,
// on random pictures growing and shrinking, thin and odd sizes, and pictures
// with hard alpha edges and nearly transparent pixels.
#include "ui/image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tests/imagestore/smooth_resize_reference.h"

namespace {

enum Fill { ANY_ALPHA, ALPHA_EDGES, FAINT, OPAQUE };

// Random colours; the alpha at random (ANY_ALPHA), blocks of opaque and clear
// with a few faint pixels (ALPHA_EDGES), only 0 to 3 (FAINT), or 255.
int randomPicture(int w, int h, Fill fill, unsigned seed, int depth = 32) {
  int image = createImage(-1, w, h, depth);
  uint32_t* p = reinterpret_cast<uint32_t*>(imageBuffer(image));
  std::mt19937 random(seed);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      uint32_t colour = random() & 0xFFFFFF, a = random() >> 24;
      if (fill == ALPHA_EDGES) a = (x / 3 + y / 2) % 2 ? 255 : (a < 16 ? a & 3 : 0);
      if (fill == FAINT) a &= 3;
      if (fill == OPAQUE) a = 255;
      p[size_t(y) * w + x] = colour | a << 24;
    }
  return image;
}

int largestChannelDifference(uint32_t a, uint32_t b) {
  int most = 0;
  for (int shift = 0; shift < 32; shift += 8)
    most = std::max(most, std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)));
  return most;
}

TEST(SmoothResize, KeepsTheOldPicturesWithinOne) {
  struct Case {
    int w, h, tw, th;
    Fill fill;
  } cases[] = {
      {80, 80, 100, 60, ANY_ALPHA},     // wider and lower, as the frame editor's stretch
      {64, 48, 17, 13, ANY_ALPHA},      // down by odd ratios
      {17, 13, 64, 48, ANY_ALPHA},      // up by odd ratios
      {33, 31, 97, 7, ALPHA_EDGES},
      {97, 7, 33, 31, ALPHA_EDGES},
      {50, 40, 25, 20, FAINT},          // halves: alpha sums right at 0.5
      {50, 40, 101, 79, FAINT},
      {1, 1, 9, 5, ANY_ALPHA},
      {9, 5, 1, 1, ANY_ALPHA},
      {1, 300, 200, 1, ALPHA_EDGES},    // a column to a row
      {300, 1, 1, 200, ALPHA_EDGES},
      {1, 57, 1, 300, ANY_ALPHA},
      {1000, 3, 7, 3, ANY_ALPHA},       // far down across only
      {3, 2, 2, 1000, FAINT},           // far up down only
      {61, 61, 60, 62, OPAQUE},
      {123, 45, 67, 89, OPAQUE},
  };
  unsigned seed = 1;
  for (const Case& c : cases) {
    for (int depth : {32, 24}) {
      int image = randomPicture(c.w, c.h, c.fill, seed++, depth);
      const uint32_t* source = reinterpret_cast<const uint32_t*>(imageBuffer(image));
      std::vector<uint32_t> expected = reference::smoothResize(source, c.w, c.h, c.tw, c.th);
      if (depth == 24)
        for (uint32_t& p : expected) p |= 0xFF000000u;
      ASSERT_TRUE(resizeImage(image, c.tw, c.th, true));
      ASSERT_EQ(imageWidth(image), c.tw);
      ASSERT_EQ(imageHeight(image), c.th);
      const uint32_t* result = reinterpret_cast<const uint32_t*>(imageBuffer(image));
      int worst = 0, at = 0, alphas = 0;
      for (size_t i = 0; i < expected.size(); i++) {
        int d = largestChannelDifference(result[i], expected[i]);
        if (d > worst) worst = d, at = int(i);
        alphas += alpha(result[i]) != alpha(expected[i]);
      }
      EXPECT_EQ(alphas, 0) << c.w << "x" << c.h << " to " << c.tw << "x" << c.th << " depth " << depth;
      EXPECT_LE(worst, 1) << c.w << "x" << c.h << " to " << c.tw << "x" << c.th << " depth " << depth
                          << " at " << at % c.tw << "," << at / c.tw << ": " << std::hex << result[at] << " not "
                          << expected[size_t(at)];
      freeImage(image);
    }
  }
}

}  // namespace
