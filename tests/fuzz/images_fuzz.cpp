// Pictures through the image store's loader (PNG, JPEG, BMP by their
// first bytes), and the header-only size that Open weighs them by.
#include "fuzz_folder.h"
#include "ui/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int width = 0, height = 0;
  bool declared = imageDimensions(data, size, width, height);
  int image = loadImageFromMemory(-1, data, size);
  if (image > 0) {
    // A decoded picture has the size its header declared.
    if (!declared || imageWidth(image) != width || imageHeight(image) != height) __builtin_trap();
    freeImage(image);
  }
  return 0;
}
