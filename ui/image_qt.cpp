// The one bridge from the image store to Qt: a QImage for showing an
// image on screen. Declared in ui/ui_qt.h, which pulls in Widgets; this
// file includes only QImage so that zm_image links no Widgets.
#include "ui/image.h"
#include "ui/image_store.h"

#include <QImage>

QImage imageToQImage(int number);

QImage imageToQImage(int number) {
  ImageData* image = findImage(number);
  if (!image) return QImage();
  // Straight RGBA in byte order R, G, B, A is exactly Qt's RGBA8888. The
  // picture shares the store's pixels and holds them until its last copy
  // goes; the store writes into a buffer of its own from then on.
  auto* held = new PixelBuffer(image->pixels);
  return QImage(reinterpret_cast<const uchar*>(held->get()), image->width, image->height, image->width * 4,
                image->depth == 24 ? QImage::Format_RGBX8888 : QImage::Format_RGBA8888,
                [](void* info) { delete static_cast<PixelBuffer*>(info); }, held);
}
