// Grayscale, invert and channel swap: fixed rules that leave alpha alone.
#include "imaging/image_operations.h"
#include "imaging/pixel_rules.h"

int grayscaleImage(int image) {
  const LuminanceTables& t = luminanceTables();
  return mapPixels(image, [&t](uint32_t c) {
    uint32_t grey = uint32_t(luminanceOf(t, c));
    return grey | (grey << 8) | (grey << 16) | (c & 0xFF000000u);
  });
}

int invertImage(int image) {
  return mapPixels(image, [](uint32_t c) { return c ^ 0x00FFFFFFu; });
}

int swapChannelsImage(int image, int order) {
  // The source channel (0 red, 1 green, 2 blue) of the new red, green, blue.
  static const int sources[5][3] = {{0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  if (order < SWAP_RBG || order > SWAP_BGR) return 0;
  int r = sources[order][0] * 8, g = sources[order][1] * 8, b = sources[order][2] * 8;
  return mapPixels(image, [r, g, b](uint32_t c) {
    return ((c >> r) & 255) | (((c >> g) & 255) << 8) | (((c >> b) & 255) << 16) | (c & 0xFF000000u);
  });
}
