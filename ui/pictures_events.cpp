// The 16 x 16 icons of the nine event kinds, painted in code.
#include "ui/pictures.h"
#include "ui/pictures_make.h"
#include "ui/pictures_shapes.h"

#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

using namespace shade;

namespace {

void paintClock(QPainter& p, QColor rim) {
  drawDisc(p, QPointF(8, 8), 7, paper, rim);
  p.setPen(QPen(rim, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(8, 8), 6.6, 6.6);
  p.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(8, 8), QPointF(8, 3.5));
  p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
}

void paintDoor(QPainter& p) {
  p.setPen(QPen(ink, 1));
  p.setBrush(brown);
  p.drawRect(QRectF(1.5, 1.5, 8, 13));
  p.setPen(Qt::NoPen);
  p.setBrush(yellow);
  p.drawEllipse(QPointF(7.5, 8.5), 0.9, 0.9);
}

}  // namespace

void makeEventPictures() {
  makePainted(PIC_EVENT_CREATION, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    // A sparkle: something appears.
    QPolygonF sparkle;
    for (int i = 0; i < 8; i++) {
      double a = -M_PI / 2 + i * M_PI / 4, r = i % 2 ? 2 : 7.4;
      sparkle << QPointF(8 + r * std::cos(a), 8 + r * std::sin(a));
    }
    QPainterPath path;
    path.addPolygon(sparkle);
    path.closeSubpath();
    fillOutlined(p, path, yellow, darkYellow);
    drawDisc(p, QPointF(13, 3), 1.3, QColor(255, 240, 150), darkYellow);
  });
  makePainted(PIC_EVENT_DESTROY, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    // A bomb with a burning fuse.
    drawDisc(p, QPointF(6.5, 9.5), 5.5, QColor(40, 40, 50), ink);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawEllipse(QPointF(4.8, 7.6), 1.5, 1.2);
    p.setPen(QPen(brown, 1.3));
    p.setBrush(Qt::NoBrush);
    QPainterPath fuse;
    fuse.moveTo(9.5, 5);
    fuse.quadTo(11, 2, 13, 3);
    p.drawPath(fuse);
    drawDisc(p, QPointF(13.5, 2.5), 2, QColor(255, 150, 30), red);
  });
  makePainted(PIC_EVENT_STEP, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    paintClock(p, darkBlue);
  });
  makePainted(PIC_EVENT_END_STEP, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    paintClock(p, darkRed);
  });
  makePainted(PIC_EVENT_COLLISION, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    drawDisc(p, QPointF(4.5, 10), 4, red, darkRed);
    drawDisc(p, QPointF(11.5, 10), 4, blue, darkBlue);
    p.setPen(QPen(darkYellow, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 4.5), QPointF(8, 1));
    p.drawLine(QPointF(6, 5), QPointF(4.5, 2));
    p.drawLine(QPointF(10, 5), QPointF(11.5, 2));
  });
  makePainted(PIC_EVENT_ROOM_START, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    paintDoor(p);
    QPainterPath play;
    play.moveTo(9.5, 6.5);
    play.lineTo(15.5, 10.5);
    play.lineTo(9.5, 14.5);
    play.closeSubpath();
    fillOutlined(p, play, green, darkGreen);
  });
  makePainted(PIC_EVENT_ROOM_END, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    paintDoor(p);
    p.setPen(QPen(darkRed, 1));
    p.setBrush(red);
    p.drawRect(QRectF(9.5, 8.5, 6, 6));
  });
  makePainted(PIC_EVENT_ANIMATION_END, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    // A film strip that ends in a stop mark.
    p.setPen(QPen(ink, 1));
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(QRectF(0.5, 3.5, 10, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    for (double x : {1.5, 4.5, 7.5}) {
      p.drawRect(QRectF(x, 4.5, 1.5, 1.2));
      p.drawRect(QRectF(x, 10.3, 1.5, 1.2));
    }
    p.setBrush(QColor(150, 200, 250));
    p.drawRect(QRectF(1.5, 6.5, 8, 3));
    p.setPen(QPen(darkRed, 1));
    p.setBrush(red);
    p.drawRect(QRectF(10.5, 5.5, 5, 5));
  });
  makePainted(PIC_EVENT_DRAW, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    // A pencil.
    QPolygonF body, tip;
    body << QPointF(12, 0.8) << QPointF(15.2, 4) << QPointF(5.5, 13.7) << QPointF(2.3, 10.5);
    tip << QPointF(2.3, 10.5) << QPointF(5.5, 13.7) << QPointF(0.7, 15.3);
    QPainterPath b, t;
    b.addPolygon(body);
    b.closeSubpath();
    t.addPolygon(tip);
    t.closeSubpath();
    fillOutlined(p, b, QColor(250, 190, 60), ink);
    fillOutlined(p, t, QColor(240, 215, 175), ink);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(1.6, 14.4), 0.9, 0.9);
  });
}
