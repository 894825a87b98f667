// The pixel rules of the three drawing modes, shared by the drawing
// procedures. Colours are RGBA in one uint32_t (R in the low byte).
#pragma once

#include <cstdint>

// x / 255 for 0 <= x <= 255 * 255, without a division.
inline uint32_t div255(uint32_t x) { return (x + 1 + (x >> 8)) >> 8; }

// The blend formula over an opaque pixel, for any a from 0 to 255 (0 keeps
// the old pixel, 255 gives the new one), with no branch. Red and blue share
// one multiply: each product fits the 16 bits of its half.
inline uint32_t blendOntoOpaque(uint32_t dst, uint32_t src, uint32_t a) {
  uint32_t na = 255 - a;
  uint32_t rb = (src & 0x00FF00FFu) * a + (dst & 0x00FF00FFu) * na;
  rb = ((rb + 0x00010001u + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  uint32_t g = div255(((src >> 8) & 255) * a + ((dst >> 8) & 255) * na);
  return rb | (g << 8) | 0xFF000000u;
}

// Straight-alpha "over" of a colour with effective alpha a (1..255) onto
// dst. Over an opaque pixel it is exactly (new*a + old*(255-a))/255 per
// colour channel; over a fully transparent pixel it is the source itself.
inline uint32_t blendOver(uint32_t dst, uint32_t src, uint32_t a) {
  uint32_t da = dst >> 24;
  if (a >= 255 || da == 0) return (src & 0xFFFFFFu) | (a << 24);
  uint32_t na = 255 - a;
  if (da == 255) return blendOntoOpaque(dst, src, a);
  uint32_t under = da * na;             // weight of the old colour, times 255
  uint32_t total = a * 255 + under;     // result alpha, times 255
  // One reciprocal for three quotients. A true quotient that is not whole
  // lies at least 1/total below the next integer, far more than the
  // rounding of the product, so the small lift only mends exact quotients.
  double inverse = 1.0 / double(total);
  uint32_t sa = a * 255;
  uint32_t r = uint32_t(double((src & 255) * sa + (dst & 255) * under) * inverse + 1e-7);
  uint32_t g = uint32_t(double(((src >> 8) & 255) * sa + ((dst >> 8) & 255) * under) * inverse + 1e-7);
  uint32_t b = uint32_t(double(((src >> 16) & 255) * sa + ((dst >> 16) & 255) * under) * inverse + 1e-7);
  return r | (g << 8) | (b << 16) | ((a + under / 255) << 24);
}

inline uint32_t xorColour(uint32_t dst, uint32_t colour) {
  return dst ^ (colour & 0xFFFFFFu);
}
