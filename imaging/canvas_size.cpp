// New frame sizes: the picture unscaled in a new canvas, or stretched.
#include "imaging/image_operations.h"
#include "imaging/pixel_rules.h"

#include <algorithm>
#include <charconv>

int resizeCanvasImage(int image, int width, int height) {
  const uint32_t* source = imagePixels(image);
  if (!source || !validFrameSize(width, height)) return 0;
  int w = imageWidth(image), h = imageHeight(image);
  int result = newResultImage(width, height);
  if (!result) return 0;
  uint32_t* target = imagePixelsForWriting(result);
  int ox = width / 2 - w / 2, oy = height / 2 - h / 2;
  int left = std::max(0, ox), right = std::min(width, ox + w);
  int top = std::max(0, oy), bottom = std::min(height, oy + h);
  for (int y = top; y < bottom; y++) {
    const uint32_t* from = source + size_t(y - oy) * w + (left - ox);
    uint32_t* row = target + size_t(y) * width;
    for (int x = left; x < right; x++) row[x] = resultPixel(*from++);
  }
  return result;
}

bool stretchImage(int image, int width, int height, bool smooth) {
  return validFrameSize(width, height) && resizeImage(image, width, height, smooth);
}

std::string aspectSideText(std::string_view typed, int typedSide, int otherSide) {
  if (typedSide <= 0) return "0";
  float ratio = float(decimalValue(typed)) / float(typedSide);
  float side = float(otherSide) * ratio;
  if (!(side > 0)) side = 0;   // also -0 and not-a-number
  // Printed without fraction digits, which rounds halves to even.
  char text[64];
  auto [end, error] = std::to_chars(text, text + sizeof text, side, std::chars_format::fixed, 0);
  if (error != std::errc()) return "0";
  return std::string(text, end);
}
