// Text drawn into images: Qt renders the glyph coverage, our own pixel rules
// put it into the target, so text obeys the drawing modes like any shape.
#include "ui/draw.h"
#include "ui/draw_pixel.h"
#include "ui/draw_target.h"
#include "ui/image.h"
#include "ui/image_store.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

QFont fontOf(int font);

namespace {
int textFont = 0;

// Glyphs need the font database of a running QGuiApplication.
bool haveGui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }
}  // namespace

void drawingFont(int font) { textFont = font; }

int textWidth(const std::string& text) {
  if (!haveGui()) return 0;
  return QFontMetrics(fontOf(textFont)).horizontalAdvance(QString::fromStdString(text));
}

int textHeight(const std::string& text) {
  (void)text;
  if (!haveGui()) return 0;
  return QFontMetrics(fontOf(textFont)).height();
}

void drawText(int x, int y, const std::string& text, uint32_t color) {
  ImageData* image = drawingImage();
  if (!image || text.empty() || !haveGui()) return;
  QFont font = fontOf(textFont);
  QFontMetrics metrics(font);
  QString string = QString::fromStdString(text);
  int w = metrics.horizontalAdvance(string), h = metrics.height();
  if (w <= 0 || h <= 0 || w > IMAGE_MAX_SIDE) return;
  QImage coverage(w, h, QImage::Format_ARGB32_Premultiplied);
  coverage.fill(Qt::transparent);
  {
    QPainter painter(&coverage);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(0, metrics.ascent(), string);
  }
  int mode = currentDrawMode();
  uint32_t colorAlpha = color >> 24;
  for (int row = 0; row < h; row++) {
    int64_t ty = int64_t(y) + row;
    if (ty < 0 || ty >= image->height) continue;
    const QRgb* src = reinterpret_cast<const QRgb*>(coverage.constScanLine(row));
    uint32_t* dst = image->pixels.get() + size_t(ty) * image->width;
    for (int col = 0; col < w; col++) {
      int64_t tx = int64_t(x) + col;
      if (tx < 0 || tx >= image->width) continue;
      uint32_t c = uint32_t(qAlpha(src[col]));
      if (c == 0) continue;
      if (mode == DRAW_XOR) {
        if (c >= 128) dst[tx] = xorColour(dst[tx], color);
      } else if (mode == DRAW_ALPHABLEND) {
        uint32_t a = colorAlpha * c / 255;
        if (a) dst[tx] = blendOver(dst[tx], color, a);
      } else if (c == 255) {
        // Plain mode writes fully covered pixels as given; edges are
        // smoothed onto what is there.
        dst[tx] = image->depth == 24 ? (color | 0xFF000000u) : color;
      } else {
        dst[tx] = blendOver(dst[tx], color, c);
      }
    }
  }
}
