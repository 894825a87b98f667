// The 16 x 16 tool icons of the frame editor, painted in code.
#include "ui/pictures.h"
#include "ui/pictures_make.h"
#include "ui/pictures_shapes.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

using namespace shade;

namespace {

// A little picture: sky, a hill and a sun, framed.
void paintLandscape(QPainter& p, QRectF box) {
  p.setPen(QPen(ink, 1));
  p.setBrush(QColor(150, 205, 250));
  p.drawRect(box);
  p.setPen(Qt::NoPen);
  p.setBrush(green);
  QPainterPath hill;
  hill.moveTo(box.left() + 0.5, box.bottom() - 0.5);
  hill.lineTo(box.left() + box.width() * 0.4, box.top() + box.height() * 0.45);
  hill.lineTo(box.right() - 0.5, box.bottom() - 0.5);
  hill.closeSubpath();
  p.drawPath(hill);
}

}  // namespace

void makeToolPictures() {
  makePainted(PIC_TOOL_DELETE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    drawCross(p, QPointF(8, 8), 5.2, 4.6, darkRed);
    drawCross(p, QPointF(8, 8), 5.2, 2.8, red);
  });
  makePainted(PIC_TOOL_ADD_FRAME, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    drawDisc(p, QPointF(8, 8), 7.3, green, darkGreen);
    p.setPen(QPen(paper, 2.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(4, 8), QPointF(12, 8));
    p.drawLine(QPointF(8, 4), QPointF(8, 12));
  });
  makePainted(PIC_TOOL_DUPLICATE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    drawPage(p, QRectF(0.5, 0.5, 9, 11));
    drawPage(p, QRectF(5.5, 4.5, 9, 11));
  });
  makePainted(PIC_TOOL_MOVE_LEFT, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    drawArrow(p, QPointF(15, 8), QPointF(1, 8), 5, 7, 13, blue, darkBlue);
  });
  makePainted(PIC_TOOL_MOVE_RIGHT, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    drawArrow(p, QPointF(1, 8), QPointF(15, 8), 5, 7, 13, blue, darkBlue);
  });
  makePainted(PIC_TOOL_SHIFT, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    for (QPointF to : {QPointF(8, 0.5), QPointF(8, 15.5), QPointF(0.5, 8), QPointF(15.5, 8)})
      drawArrow(p, QPointF(8, 8), to, 2, 3.5, 6, blue, darkBlue);
  });
  makePainted(PIC_TOOL_MIRROR, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    // A curved arrow over a picture and its mirror image.
    QPolygonF left, right;
    left << QPointF(6.5, 6.5) << QPointF(6.5, 15) << QPointF(1, 15);
    right << QPointF(9.5, 6.5) << QPointF(9.5, 15) << QPointF(15, 15);
    QPainterPath l, r;
    l.addPolygon(left);
    l.closeSubpath();
    r.addPolygon(right);
    r.closeSubpath();
    fillOutlined(p, l, blue, darkBlue);
    fillOutlined(p, r, paper, darkBlue);
    p.setPen(QPen(green.darker(120), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 1.5, 10, 7), 20 * 16, 150 * 16);
    QPolygonF head;
    head << QPointF(12.2, 1.8) << QPointF(14.8, 5.2) << QPointF(10.6, 5.6);
    QPainterPath h;
    h.addPolygon(head);
    h.closeSubpath();
    fillOutlined(p, h, green.darker(120), green.darker(120));
  });
  makePainted(PIC_TOOL_ROTATE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    p.setPen(QPen(darkGreen, 4, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 90 * 16, 270 * 16);
    p.setPen(QPen(green, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 90 * 16, 270 * 16);
    QPolygonF head;
    head << QPointF(6.5, -0.5) << QPointF(11, 2.5) << QPointF(6.5, 5.5);
    QPainterPath h;
    h.addPolygon(head);
    h.closeSubpath();
    fillOutlined(p, h, green, darkGreen);
  });
  makePainted(PIC_TOOL_SCALE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    p.setPen(QPen(ink, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 15, 15));
    p.setBrush(QColor(150, 205, 250));
    p.drawRect(QRectF(0.5, 10.5, 5, 5));
    drawArrow(p, QPointF(5, 11), QPointF(14, 2), 1.6, 4, 5.5, blue, blue);
  });
  makePainted(PIC_TOOL_RESIZE_CANVAS, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    // Crop marks: two blue lines crossing at each of two corners.
    p.setPen(QPen(blue, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(4, 0), QPointF(4, 13));
    p.drawLine(QPointF(0, 4), QPointF(13, 4));
    p.setPen(QPen(darkBlue, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(12, 3), QPointF(12, 16));
    p.drawLine(QPointF(3, 12), QPointF(16, 12));
  });
  makePainted(PIC_TOOL_STRETCH, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    paintLandscape(p, QRectF(4.5, 4.5, 7, 7));
    for (QPointF corner : {QPointF(0.5, 0.5), QPointF(15.5, 0.5), QPointF(0.5, 15.5), QPointF(15.5, 15.5)}) {
      QPointF from = QPointF(8, 8) + (corner - QPointF(8, 8)) * 0.45;
      drawArrow(p, from, corner, 1.2, 3.2, 4.5, darkGreen, darkGreen);
    }
  });
  makePainted(PIC_TOOL_GRAYSCALE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    QLinearGradient ramp(0, 0, 16, 16);
    ramp.setColorAt(0, QColor(20, 20, 20));
    ramp.setColorAt(1, QColor(245, 245, 245));
    p.setPen(QPen(ink, 1));
    p.setBrush(ramp);
    p.drawRect(QRectF(0.5, 0.5, 15, 15));
  });
  makePainted(PIC_TOOL_SWAP_CHANNELS, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    drawDisc(p, QPointF(8, 4.2), 3.6, red, darkRed);
    drawDisc(p, QPointF(4.2, 11.5), 3.6, green, darkGreen);
    drawDisc(p, QPointF(11.8, 11.5), 3.6, blue, darkBlue);
  });
  makePainted(PIC_TOOL_COLORIZE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    p.setPen(QPen(ink, 1));
    p.setBrush(paper);
    p.drawRect(QRectF(0.5, 0.5, 15, 15));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 60, 60, 210));
    p.drawEllipse(QPointF(6, 6), 4, 4);
    p.setBrush(QColor(60, 200, 60, 210));
    p.drawEllipse(QPointF(10.5, 7), 4, 4);
    p.setBrush(QColor(60, 100, 240, 210));
    p.drawEllipse(QPointF(8, 11), 4, 4);
  });
  makePainted(PIC_TOOL_INVERT, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    // Half dark, half light, in a dashed frame.
    QPolygonF dark;
    dark << QPointF(2, 2) << QPointF(14, 2) << QPointF(2, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawRect(QRectF(2, 2, 12, 12));
    p.setBrush(QColor(30, 30, 30));
    p.drawPolygon(dark);
    QPen dashed(ink, 1, Qt::CustomDashLine);
    dashed.setDashPattern({2, 2});
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 15, 15));
  });
  makePainted(PIC_TOOL_COLOR_BALANCE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    drawPage(p, QRectF(1.5, 0.5, 13, 15));
    QConicalGradient wheel(QPointF(7.5, 9), 0);
    for (int i = 0; i <= 6; i++) wheel.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 255, 255));
    p.setPen(QPen(ink, 0.8));
    p.setBrush(wheel);
    p.drawEllipse(QPointF(7.5, 9), 4.6, 4.6);
  });
  makePainted(PIC_TOOL_ERASE_COLOR, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    // An eraser lying aslant: a pink grip and a white rubbing end.
    QPolygonF grip, end;
    grip << QPointF(7, 2) << QPointF(15, 8) << QPointF(10.5, 14) << QPointF(2.5, 8);
    end << QPointF(2.5, 8) << QPointF(6.5, 11) << QPointF(4, 14.5) << QPointF(0.5, 11.5);
    QPainterPath g, e;
    g.addPolygon(grip);
    g.closeSubpath();
    e.addPolygon(end);
    e.closeSubpath();
    fillOutlined(p, g, QColor(240, 120, 160), ink);
    fillOutlined(p, e, paper, ink);
  });
  makePainted(PIC_TOOL_OPACITY, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    p.setPen(Qt::NoPen);
    for (int y = 0; y < 4; y++)
      for (int x = 0; x < 4; x++) {
        p.setBrush((x + y) % 2 ? QColor(255, 255, 255, 200) : QColor(200, 200, 210, 200));
        p.drawRect(QRectF(x * 4, y * 4, 4, 4));
      }
    p.setPen(QPen(QColor(150, 150, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 15, 15));
  });
  makePainted(PIC_TOOL_BRIGHTNESS, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    p.setPen(QPen(darkYellow, 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; i++) {
      double a = i * M_PI / 4;
      p.drawLine(QPointF(8 + 5.2 * std::cos(a), 8 + 5.2 * std::sin(a)), QPointF(8 + 7.3 * std::cos(a), 8 + 7.3 * std::sin(a)));
    }
    drawDisc(p, QPointF(8, 8), 4, yellow, darkYellow);
  });
  makePainted(PIC_TOOL_POSTERIZE, 16, 16, 24, Qt::white, [](QPainter& p, int, int) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    const QColor blocks[] = {QColor(220, 40, 40), QColor(250, 200, 30), QColor(50, 170, 50), QColor(40, 90, 220)};
    for (int i = 0; i < 4; i++) {
      p.setBrush(blocks[i]);
      p.drawRect(QRect((i % 2) * 8, (i / 2) * 8, 8, 8));
    }
  });
  makePainted(PIC_TOOL_NOISE, 16, 16, 24, QColor(50, 50, 55), [](QPainter& p, int, int) {
    p.setRenderHint(QPainter::Antialiasing, false);
    uint32_t seed = 12345;   // the same speckles every start
    for (int i = 0; i < 70; i++) {
      seed = seed * 1103515245u + 12345u;
      int x = int((seed >> 8) % 16), y = int((seed >> 16) % 16), v = 90 + int((seed >> 4) % 166);
      p.setPen(QColor(v, v, v));
      p.drawPoint(x, y);
    }
  });
  makePainted(PIC_TOOL_MAKE_OPAQUE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    QPainterPath box;
    box.addRoundedRect(QRectF(0.5, 2.5, 15, 11), 3.5, 3.5);
    fillOutlined(p, box, blue, darkBlue);
  });
}
