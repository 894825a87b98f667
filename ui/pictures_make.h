// Inside the carried pictures: the painting helpers and the makers of each
// group of pictures.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <string>

void makePatternPictures();
void makeIconPictures();
void makeToolPictures();
void makeCardPictures();
void makeEventPictures();

// Paints a picture with Qt's antialiased painter and stores it, kept, under
// `number`. `ground` fills it first (transparent for icons).
using PaintPicture = void (*)(QPainter& p, int w, int h);
void makePainted(int number, int w, int h, int depth, QColor ground, PaintPicture paint);

// Glyphs need the font database of a running QGuiApplication; without one
// the pictures are made without their words.
bool canPaintText();
QFont pictureFont(int pixelSize, bool bold);
void fillOutlined(QPainter& p, const QPainterPath& path, QColor fill, QColor outline, double width = 1.0);
void centredText(QPainter& p, const QRectF& box, const std::string& text, QColor colour, const QFont& font);
