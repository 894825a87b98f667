// Shapes shared by the icons of the carried pictures.
#include "ui/pictures_shapes.h"
#include "ui/pictures_make.h"

#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

void drawPage(QPainter& p, QRectF box, QColor fill) {
  double corner = box.width() * 0.35;
  QPainterPath sheet;
  sheet.moveTo(box.left(), box.top());
  sheet.lineTo(box.right() - corner, box.top());
  sheet.lineTo(box.right(), box.top() + corner);
  sheet.lineTo(box.right(), box.bottom());
  sheet.lineTo(box.left(), box.bottom());
  sheet.closeSubpath();
  fillOutlined(p, sheet, fill, shade::ink);
  QPainterPath flap;
  flap.moveTo(box.right() - corner, box.top());
  flap.lineTo(box.right() - corner, box.top() + corner);
  flap.lineTo(box.right(), box.top() + corner);
  fillOutlined(p, flap, shade::fold, shade::ink);
}

void drawDisc(QPainter& p, QPointF centre, double radius, QColor fill, QColor outline) {
  QPainterPath disc;
  disc.addEllipse(centre, radius, radius);
  fillOutlined(p, disc, fill, outline);
}

void drawArrow(QPainter& p, QPointF from, QPointF to, double shaft, double headLength, double headWidth,
               QColor fill, QColor outline) {
  QPointF d = to - from;
  double length = std::hypot(d.x(), d.y());
  if (length <= 0) return;
  QPointF u = d / length, n(-u.y(), u.x());
  QPointF neck = to - u * headLength;
  QPolygonF shape;
  shape << from + n * (shaft / 2) << neck + n * (shaft / 2) << neck + n * (headWidth / 2) << to
        << neck - n * (headWidth / 2) << neck - n * (shaft / 2) << from - n * (shaft / 2);
  QPainterPath path;
  path.addPolygon(shape);
  path.closeSubpath();
  fillOutlined(p, path, fill, outline);
}

void drawCross(QPainter& p, QPointF centre, double half, double width, QColor colour) {
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
  p.drawLine(centre + QPointF(half, -half), centre + QPointF(-half, half));
}
