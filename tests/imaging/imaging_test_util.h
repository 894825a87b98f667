// Small images for the image operation tests.
#pragma once

#include "ui/image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

// An image of w x h holding `pixels` (rows from the top).
inline int imageOf(int w, int h, const std::vector<uint32_t>& pixels, int depth = 32) {
  int image = createImage(-1, w, h, depth);
  for (int i = 0; i < w * h; i++) setPixel(image, i % w, i / w, pixels[size_t(i)]);
  return image;
}

inline std::vector<uint32_t> pixelsOf(int image) {
  std::vector<uint32_t> out;
  for (int y = 0; y < imageHeight(image); y++)
    for (int x = 0; x < imageWidth(image); x++) out.push_back(getPixel(image, x, y));
  return out;
}

// The pixels of an operation's result, which is then freed; a result must
// be a 32-bit image.
inline std::vector<uint32_t> take(int result) {
  EXPECT_NE(result, 0);
  if (result == 0) return {};
  EXPECT_EQ(imageDepth(result), 32);
  std::vector<uint32_t> out = pixelsOf(result);
  freeImage(result);
  return out;
}

// Random colours; about a quarter of the pixels fully transparent (with a
// colour kept under them) and a quarter opaque.
inline int randomImage(std::mt19937& random, int w, int h, int depth = 32) {
  int image = createImage(-1, w, h, depth);
  uint32_t* p = reinterpret_cast<uint32_t*>(imageBuffer(image));
  for (int i = 0; i < w * h; i++) {
    uint32_t c = random();
    switch (random() % 4) {
      case 0: c &= 0x00FFFFFFu; break;
      case 1: c |= 0xFF000000u; break;
      default: break;
    }
    p[i] = depth == 24 ? (c | 0xFF000000u) : c;
  }
  return image;
}

// What the result image holds for a computed pixel.
inline uint32_t stored(uint32_t c) { return alpha(c) == 0 ? 0u : c; }
