// Inside the carried pictures: small shapes that several icons share.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QRectF>

namespace shade {
const QColor ink(45, 45, 45);
const QColor paper(255, 255, 255);
const QColor fold(215, 215, 215);
const QColor blue(60, 125, 225);
const QColor darkBlue(25, 65, 150);
const QColor green(70, 180, 60);
const QColor darkGreen(25, 105, 30);
const QColor red(225, 50, 40);
const QColor darkRed(135, 20, 15);
const QColor yellow(250, 210, 50);
const QColor darkYellow(175, 125, 15);
const QColor grey(150, 150, 150);
const QColor brown(160, 100, 50);
}  // namespace shade

// A sheet of paper with its top right corner folded.
void drawPage(QPainter& p, QRectF box, QColor fill = shade::paper);
void drawDisc(QPainter& p, QPointF centre, double radius, QColor fill, QColor outline);
// A block arrow from `from` to `to`, head at `to`.
void drawArrow(QPainter& p, QPointF from, QPointF to, double shaft, double headLength, double headWidth,
               QColor fill, QColor outline);
// Two strokes across each other, as in a cross or an X.
void drawCross(QPainter& p, QPointF centre, double half, double width, QColor colour);
