// The one bridge from the image store to Qt: a QImage copy for showing an
// image on screen. Declared in ui/ui_qt.h, which pulls in Widgets; this
// file includes only QImage so that zm_image links no Widgets.
#include "ui/image.h"
#include "ui/image_store.h"

#include <QImage>

QImage imageToQImage(int number);

QImage imageToQImage(int number) {
  ImageData* image = findImage(number);
  if (!image) return QImage();
  // Straight RGBA in byte order R, G, B, A is exactly Qt's RGBA8888.
  QImage shown(reinterpret_cast<const uchar*>(image->pixels.get()), image->width, image->height,
               image->width * 4, image->depth == 24 ? QImage::Format_RGBX8888 : QImage::Format_RGBA8888);
  return shown.copy();
}
