// A 32-bit image of w x h random pixels, the same for the same seed.
#pragma once

#include <cstdint>
#include <random>

#include "ui/image.h"

inline int randomImage(int w, int h, unsigned seed) {
  int image = createImage(-1, w, h, 32);
  std::mt19937 random(seed);
  uint32_t* p = reinterpret_cast<uint32_t*>(imageBuffer(image));
  for (int i = 0; i < w * h; i++) p[i] = random();
  return image;
}
