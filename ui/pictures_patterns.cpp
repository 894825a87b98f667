// The carried pictures whose pixels are fixed: made with our own loops so
// that every pixel is exactly the value the editors rely on.
#include "ui/image.h"
#include "ui/pictures.h"
#include "ui/pictures_make.h"

namespace {

void makeCheckerboard() {
  int image = createImage(PIC_CHECKERBOARD, 800, 800, 24);
  uint32_t* p = reinterpret_cast<uint32_t*>(imageBuffer(image));
  if (!p) return;
  for (int y = 0; y < 800; y++)
    for (int x = 0; x < 800; x++)
      p[y * 800 + x] = ((x / 16 + y / 16) % 2 == 0) ? rgba(192, 192, 192, 255) : rgba(255, 255, 255, 255);
  keepImage(image);
}

void makeCurrentFrameMark() {
  int image = createImage(PIC_CURRENT_FRAME_MARK, 1280, 1280, 32);
  uint32_t* p = reinterpret_cast<uint32_t*>(imageBuffer(image));
  if (!p) return;
  for (int y = 0; y < 1280; y++)
    for (int x = 0; x < 1280; x++) p[y * 1280 + x] = (x + y) % 2 == 0 ? rgba(149, 149, 255, 255) : 0u;
  keepImage(image);
}

void makeHueSpectrum() {
  int image = createImage(PIC_HUE_SPECTRUM, 360, 19, 24);
  uint32_t* p = reinterpret_cast<uint32_t*>(imageBuffer(image));
  if (!p) return;
  for (int x = 0; x < 360; x++) {
    // Full saturation and value: one channel at 255, one at 0, the third
    // rising or falling across each sixth of the circle.
    int sector = x / 60, step = x % 60;
    int rising = (255 * step + 30) / 60, falling = 255 - rising;
    int r = 0, g = 0, b = 0;
    switch (sector) {
      case 0: r = 255, g = rising; break;
      case 1: r = falling, g = 255; break;
      case 2: g = 255, b = rising; break;
      case 3: g = falling, b = 255; break;
      case 4: r = rising, b = 255; break;
      default: r = 255, b = falling; break;
    }
    for (int y = 0; y < 19; y++) p[y * 360 + x] = rgba(r, g, b, 255);
  }
  keepImage(image);
}

}  // namespace

void makePatternPictures() {
  makeCheckerboard();
  makeCurrentFrameMark();
  makeHueSpectrum();
  keepImage(createImage(PIC_BLANK, 100, 100, 24, rgba(0, 0, 0, 255)));
}
