// The 16 x 16 icons of the toolbar, the menus, the resource tabs and the
// scene window, painted in code.
#include "ui/pictures.h"
#include "ui/pictures_make.h"
#include "ui/pictures_shapes.h"

#include <QPainterPath>
#include <QPolygonF>

using namespace shade;

namespace {

void paintFloppy(QPainter& p) {
  QPainterPath body;
  body.moveTo(1.5, 1.5);
  body.lineTo(12.5, 1.5);
  body.lineTo(14.5, 3.5);
  body.lineTo(14.5, 14.5);
  body.lineTo(1.5, 14.5);
  body.closeSubpath();
  fillOutlined(p, body, blue, darkBlue);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(215, 220, 230));
  p.drawRect(QRectF(4, 2, 7, 4));          // shutter
  p.setBrush(darkBlue);
  p.drawRect(QRectF(8, 2.5, 1.5, 3));       // its slot
  p.setBrush(paper);
  p.drawRect(QRectF(3.5, 8.5, 9, 6));       // label
  p.setPen(QPen(QColor(170, 170, 170), 1));
  p.drawLine(QPointF(5, 10.5), QPointF(11, 10.5));
  p.drawLine(QPointF(5, 12.5), QPointF(11, 12.5));
}

void paintStar(QPainter& p, QPointF centre, double outer, double inner, int points, QColor fill, QColor outline) {
  QPolygonF star;
  for (int i = 0; i < points * 2; i++) {
    double angle = -M_PI / 2 + i * M_PI / points;
    double r = i % 2 ? inner : outer;
    star << centre + QPointF(std::cos(angle) * r, std::sin(angle) * r);
  }
  QPainterPath path;
  path.addPolygon(star);
  path.closeSubpath();
  fillOutlined(p, path, fill, outline);
}

void paintGrid(QPainter& p) {
  p.setPen(QPen(QColor(70, 70, 70), 1));
  for (double v : {1.5, 5.5, 9.5, 13.5}) {
    p.drawLine(QPointF(v, 1), QPointF(v, 14));
    p.drawLine(QPointF(1, v), QPointF(14, v));
  }
}

}  // namespace

void makeIconPictures() {
  makePainted(PIC_ICON_NEW, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    drawPage(p, QRectF(2.5, 0.5, 11, 15));
  });
  makePainted(PIC_ICON_OPEN, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    QPainterPath back;
    back.moveTo(0.5, 3.5);
    back.lineTo(5.5, 3.5);
    back.lineTo(7, 5.5);
    back.lineTo(13.5, 5.5);
    back.lineTo(13.5, 13.5);
    back.lineTo(0.5, 13.5);
    back.closeSubpath();
    fillOutlined(p, back, darkYellow.lighter(130), darkYellow);
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawRect(QRectF(3, 4.5, 8, 4));   // a paper sticking out
    QPainterPath front;
    front.moveTo(3.5, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(12.5, 13.5);
    front.lineTo(0.5, 13.5);
    front.closeSubpath();
    fillOutlined(p, front, yellow, darkYellow);
  });
  makePainted(PIC_ICON_SAVE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) { paintFloppy(p); });
  makePainted(PIC_ICON_SAVE_AS, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    paintFloppy(p);
    // A pencil over the corner.
    QPolygonF pencil;
    pencil << QPointF(15.5, 7) << QPointF(16.5, 8.5) << QPointF(10, 15) << QPointF(8, 15.5) << QPointF(8.5, 13.5);
    QPainterPath path;
    path.addPolygon(pencil);
    path.closeSubpath();
    fillOutlined(p, path, QColor(250, 190, 60), ink);
  });
  makePainted(PIC_ICON_RUN, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    QPainterPath play;
    play.moveTo(3.5, 1.5);
    play.lineTo(14, 8);
    play.lineTo(3.5, 14.5);
    play.closeSubpath();
    fillOutlined(p, play, green, darkGreen);
  });
  makePainted(PIC_ICON_SPRITE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    // A little ghost-like character.
    QPainterPath body;
    body.moveTo(2.5, 14.5);
    body.lineTo(2.5, 7);
    body.arcTo(QRectF(2.5, 1.5, 11, 11), 180, -180);
    body.lineTo(13.5, 14.5);
    body.lineTo(11.5, 12.5);
    body.lineTo(9.5, 14.5);
    body.lineTo(8, 12.5);
    body.lineTo(6.5, 14.5);
    body.lineTo(4.5, 12.5);
    body.closeSubpath();
    fillOutlined(p, body, QColor(230, 80, 190), QColor(120, 30, 100));
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawEllipse(QRectF(4.5, 5, 3, 3.5));
    p.drawEllipse(QRectF(8.5, 5, 3, 3.5));
    p.setBrush(darkBlue);
    p.drawRect(QRectF(6, 6.5, 1.5, 1.5));
    p.drawRect(QRectF(10, 6.5, 1.5, 1.5));
  });
  makePainted(PIC_ICON_SOUND, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    QPolygonF speaker;
    speaker << QPointF(1.5, 5.5) << QPointF(4.5, 5.5) << QPointF(8.5, 1.5) << QPointF(8.5, 14.5)
            << QPointF(4.5, 10.5) << QPointF(1.5, 10.5);
    QPainterPath path;
    path.addPolygon(speaker);
    path.closeSubpath();
    fillOutlined(p, path, QColor(120, 120, 130), ink);
    p.setPen(QPen(blue, 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 4.5, 5, 7), -50 * 16, 100 * 16);
    p.drawArc(QRectF(5, 2, 9, 12), -55 * 16, 110 * 16);
  });
  makePainted(PIC_ICON_MUSIC, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    p.setPen(QPen(ink, 1.5));
    p.drawLine(QPointF(6, 11.5), QPointF(6, 2.5));
    p.drawLine(QPointF(13, 10), QPointF(13, 1));
    QPainterPath beam;
    beam.moveTo(5.3, 2);
    beam.lineTo(13.7, 0.5);
    beam.lineTo(13.7, 3.5);
    beam.lineTo(5.3, 5);
    beam.closeSubpath();
    fillOutlined(p, beam, ink, ink, 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 90, 200));
    p.drawEllipse(QRectF(1.5, 10, 5, 4));
    p.drawEllipse(QRectF(8.5, 8.5, 5, 4));
  });
  makePainted(PIC_ICON_FONT, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    QPainterPath a;
    a.moveTo(1, 15);
    a.lineTo(6.5, 1);
    a.lineTo(9.5, 1);
    a.lineTo(15, 15);
    a.lineTo(11.5, 15);
    a.lineTo(10.3, 11.5);
    a.lineTo(5.7, 11.5);
    a.lineTo(4.5, 15);
    a.closeSubpath();
    a.moveTo(6.6, 8.8);
    a.lineTo(9.4, 8.8);
    a.lineTo(8, 4.6);
    a.closeSubpath();
    fillOutlined(p, a, darkBlue, QColor(15, 30, 80), 0.8);
  });
  makePainted(PIC_ICON_BACKGROUND, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    p.setPen(QPen(ink, 1));
    p.setBrush(QColor(140, 200, 250));
    p.drawRect(QRectF(0.5, 1.5, 15, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(yellow);
    p.drawEllipse(QRectF(10, 3, 4, 4));
    QPainterPath hills;
    hills.moveTo(1, 12);
    hills.lineTo(5, 6.5);
    hills.lineTo(8.5, 10.5);
    hills.lineTo(10.5, 8.5);
    hills.lineTo(15, 13);
    hills.lineTo(15, 14);
    hills.lineTo(1, 14);
    hills.closeSubpath();
    fillOutlined(p, hills, green, QColor(0, 0, 0, 0));
  });
  makePainted(PIC_ICON_OBJECT, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    // A cube seen from above one corner.
    QPolygonF top, left, right;
    top << QPointF(8, 1) << QPointF(14.5, 4.5) << QPointF(8, 8) << QPointF(1.5, 4.5);
    left << QPointF(1.5, 4.5) << QPointF(8, 8) << QPointF(8, 15) << QPointF(1.5, 11.5);
    right << QPointF(8, 8) << QPointF(14.5, 4.5) << QPointF(14.5, 11.5) << QPointF(8, 15);
    QColor faces[] = {QColor(120, 200, 255), QColor(50, 120, 220), QColor(30, 80, 170)};
    const QPolygonF* polys[] = {&top, &left, &right};
    for (int i = 0; i < 3; i++) {
      QPainterPath path;
      path.addPolygon(*polys[i]);
      path.closeSubpath();
      fillOutlined(p, path, faces[i], darkBlue, 0.8);
    }
  });
  makePainted(PIC_ICON_SCENE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    // A clapperboard.
    p.setPen(QPen(ink, 1));
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(1.5, 6.5, 13, 8));
    p.setBrush(paper);
    p.drawRect(QRectF(3, 9.5, 10, 1));
    QPainterPath clapper;
    clapper.moveTo(1.5, 6.5);
    clapper.lineTo(1, 3);
    clapper.lineTo(14, 1);
    clapper.lineTo(14.5, 4.5);
    clapper.closeSubpath();
    fillOutlined(p, clapper, paper, ink);
    p.setPen(QPen(ink, 1.6));
    for (double x : {4.0, 7.5, 11.0}) p.drawLine(QPointF(x, 5.8), QPointF(x + 1.5, 2.3));
  });
  makePainted(PIC_ICON_FUNCTION, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    // Curly braces around a dot: a piece of code.
    p.setPen(QPen(QColor(140, 60, 190), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath left;
    left.moveTo(5.5, 1.5);
    left.cubicTo(2.5, 1.5, 4.5, 7.5, 1.5, 8);
    left.cubicTo(4.5, 8.5, 2.5, 14.5, 5.5, 14.5);
    p.drawPath(left);
    QPainterPath right;
    right.moveTo(10.5, 1.5);
    right.cubicTo(13.5, 1.5, 11.5, 7.5, 14.5, 8);
    right.cubicTo(11.5, 8.5, 13.5, 14.5, 10.5, 14.5);
    p.drawPath(right);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(140, 60, 190));
    p.drawEllipse(QPointF(8, 8), 1.4, 1.4);
  });
  makePainted(PIC_ICON_HELP, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    drawDisc(p, QPointF(8, 8), 7.3, blue, darkBlue);
    p.setPen(QPen(paper, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath mark;
    mark.moveTo(5.5, 6);
    mark.cubicTo(5.5, 2.5, 10.5, 2.5, 10.5, 5.5);
    mark.cubicTo(10.5, 7.5, 8, 7.5, 8, 9.8);
    p.drawPath(mark);
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawEllipse(QPointF(8, 12.3), 1.2, 1.2);
  });
  makePainted(PIC_ICON_CHECK_VERSION, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    // A globe with a green tick: is there something newer out there.
    drawDisc(p, QPointF(7, 7.5), 6.5, QColor(90, 160, 235), darkBlue);
    p.setPen(QPen(QColor(255, 255, 255, 170), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(7, 7.5), 3, 6.3);
    p.drawLine(QPointF(0.8, 7.5), QPointF(13.2, 7.5));
    p.setPen(QPen(paper, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF tick;
    tick << QPointF(8, 11.5) << QPointF(10.5, 14) << QPointF(15, 8.5);
    p.drawPolyline(tick);
    p.setPen(QPen(darkGreen.lighter(120), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(tick);
  });
  makePainted(PIC_ICON_NO_IMAGE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    drawDisc(p, QPointF(8, 8), 7.3, red, darkRed);
    drawCross(p, QPointF(8, 8), 3.2, 2.2, paper);
  });
  makePainted(PIC_ICON_PLACE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    paintStar(p, QPointF(8, 8.6), 7.6, 3.2, 5, yellow, darkYellow);
  });
  makePainted(PIC_ICON_SELECT, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    drawArrow(p, QPointF(8, 1), QPointF(8, 15), 5, 7, 13, green, darkGreen);
  });
  makePainted(PIC_ICON_SHIFT_SCENE, 16, 16, 32, Qt::transparent, [](QPainter& p, int, int) {
    drawArrow(p, QPointF(1.5, 12.5), QPointF(14.5, 3), 4, 6.5, 10, blue, darkBlue);
  });
  makePainted(PIC_ICON_GRID, 15, 15, 32, Qt::transparent, [](QPainter& p, int, int) { paintGrid(p); });
  makePainted(PIC_ICON_SNAP, 15, 15, 32, Qt::transparent, [](QPainter& p, int, int) {
    paintGrid(p);
    // A horseshoe magnet over the grid.
    p.setPen(QPen(red, 3, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath magnet;
    magnet.moveTo(4.5, 3);
    magnet.lineTo(4.5, 7.5);
    magnet.arcTo(QRectF(4.5, 4.5, 6, 6), 180, 180);
    magnet.lineTo(10.5, 3);
    p.drawPath(magnet);
    p.setPen(QPen(QColor(220, 220, 220), 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(4.5, 1), QPointF(4.5, 3));
    p.drawLine(QPointF(10.5, 1), QPointF(10.5, 3));
  });
}
