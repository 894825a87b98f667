// Inside the image store: the record of one image, shared by the store,
// the drawing code and the file readers. Not for use outside ui/.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <memory>

static_assert(std::endian::native == std::endian::little,
              "pixels are read as uint32_t in the byte order R, G, B, A");

struct PixelFree {
  void operator()(uint32_t* p) const { std::free(p); }
};
// Shared between an image and its copies and on-screen pictures until one of
// them is changed: whoever writes takes a buffer of its own first
// (ownPixels), so a copy costs nothing until then.
using PixelBuffer = std::shared_ptr<uint32_t[]>;

struct ImageData {
  int width = 0;
  int height = 0;
  int depth = 32;
  bool kept = false;
  PixelBuffer pixels;   // width * height, rows from the top, no padding
};

// A zero-filled buffer for w x h pixels; null for a size out of range or
// when the memory is not there.
PixelBuffer allocatePixels(int width, int height);
bool validImageSize(int width, int height);
// The image of a number, null for none.
ImageData* findImage(int number);
// Gives the image a pixel buffer that no copy shares, before it is written.
// False when the memory is not there (the image keeps its shared pixels).
bool ownPixels(ImageData& image);
// Puts a finished image under `number` (< 1: a picked one). Returns the
// number, 0 when the number belongs to a carried picture.
int storeImage(int number, ImageData&& image);
