// Making the carried pictures at start-up, and the painting helpers that
// the picture makers share.
#include "ui/pictures.h"
#include "ui/fonts_family.h"
#include "ui/image.h"
#include "ui/pictures_make.h"

#include <QGuiApplication>
#include <QImage>

#include <cstring>

bool canPaintText() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QFont pictureFont(int pixelSize, bool bold) {
  QFont font(QString::fromStdString(installedFamily("Arial")));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

void fillOutlined(QPainter& p, const QPainterPath& path, QColor fill, QColor outline, double width) {
  p.setPen(outline.alpha() ? QPen(outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen));
  p.setBrush(fill.alpha() ? QBrush(fill) : QBrush(Qt::NoBrush));
  p.drawPath(path);
}

void centredText(QPainter& p, const QRectF& box, const std::string& text, QColor colour, const QFont& font) {
  if (!canPaintText()) return;
  p.setFont(font);
  p.setPen(colour);
  p.drawText(box, Qt::AlignCenter, QString::fromStdString(text));
}

void makePainted(int number, int w, int h, int depth, QColor ground, PaintPicture paint) {
  QImage canvas(w, h, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(ground);
  {
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paint(p, w, h);
  }
  QImage straight = canvas.convertToFormat(QImage::Format_RGBA8888);
  int image = createImage(number, w, h, depth);
  uint8_t* pixels = imageBuffer(image);
  if (!pixels) return;
  for (int y = 0; y < h; y++) std::memcpy(pixels + size_t(y) * w * 4, straight.constScanLine(y), size_t(w) * 4);
  if (depth == 24) {
    for (size_t i = 3; i < size_t(w) * h * 4; i += 4) pixels[i] = 255;
  } else {
    // A fully transparent pixel is stored as (0, 0, 0, 0).
    uint32_t* p = reinterpret_cast<uint32_t*>(pixels);
    for (size_t i = 0; i < size_t(w) * h; i++)
      if ((p[i] >> 24) == 0) p[i] = 0;
  }
  keepImage(image);
}

void loadCarriedPictures() {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  makePatternPictures();
  makeIconPictures();
  makeToolPictures();
  makeEventPictures();
  makeCardPictures();
}
