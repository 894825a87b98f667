// The larger carried pictures: the resource panel cards, the heading
// strips, the Game tab pictures, the splash, the About picture and the
// placeholders, painted in code.
#include "ui/pictures.h"
#include "ui/pictures_make.h"
#include "ui/pictures_shapes.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>

using namespace shade;

namespace {

const QColor panelGrey(200, 200, 200);   // the resource tabs' background
const QColor lightCard(240, 244, 250);

// The rounded black-bordered card that every panel picture sits on.
void paintCard(QPainter& p, QColor fill) {
  QPainterPath card;
  card.addRoundedRect(QRectF(3, 3, 144, 94), 10, 10);
  p.setPen(QPen(QColor(20, 20, 20), 2));
  p.setBrush(fill);
  p.drawPath(card);
}

void paintSpeaker(QPainter& p, QPointF at, double size, QColor colour) {
  QPolygonF speaker;
  speaker << QPointF(0, 0.35) << QPointF(0.3, 0.35) << QPointF(0.65, 0) << QPointF(0.65, 1) << QPointF(0.3, 0.65)
          << QPointF(0, 0.65);
  for (QPointF& q : speaker) q = at + q * size;
  QPainterPath path;
  path.addPolygon(speaker);
  path.closeSubpath();
  fillOutlined(p, path, colour, ink, 2);
  p.setPen(QPen(colour, size * 0.07, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  for (double r : {0.25, 0.45})
    p.drawArc(QRectF(at.x() + size * (0.7 - r), at.y() + size * (0.5 - r), 2 * r * size, 2 * r * size), -45 * 16, 90 * 16);
}

void paintHeading(QPainter& p, int w, int h, const char* title) {
  QLinearGradient fade(0, 0, 0, h);
  fade.setColorAt(0, QColor(95, 95, 100));
  fade.setColorAt(1, QColor(45, 45, 50));
  p.fillRect(QRect(0, 0, w, h), fade);
  if (!canPaintText()) return;
  p.setFont(pictureFont(24, true));
  p.setPen(paper);
  p.drawText(QRectF(15, 0, w - 15, h), Qt::AlignVCenter | Qt::AlignLeft, title);
}

void paintGameButton(QPainter& p, int w, int h, const char* title, QColor mark) {
  QLinearGradient fade(0, 0, 0, h);
  fade.setColorAt(0, QColor(250, 250, 252));
  fade.setColorAt(1, QColor(210, 214, 222));
  QPainterPath button;
  button.addRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 6, 6);
  p.setPen(QPen(QColor(110, 115, 125), 1));
  p.setBrush(fade);
  p.drawPath(button);
  drawDisc(p, QPointF(20, h / 2.0), 10, mark, mark.darker(160));
  if (!canPaintText()) return;
  p.setFont(pictureFont(15, true));
  p.setPen(QColor(40, 45, 60));
  p.drawText(QRectF(40, 0, w - 45, h), Qt::AlignVCenter | Qt::AlignLeft, title);
}

// A dark backdrop with a few coloured discs, under the program's name.
// The title stands in the band from titleTop down to titleTop + 0.3 of the height.
void paintTitlePicture(QPainter& p, int w, int h, int titleSize, double titleTop) {
  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0, QColor(25, 35, 80));
  sky.setColorAt(1, QColor(70, 30, 90));
  p.fillRect(QRect(0, 0, w, h), sky);
  const QColor colours[] = {QColor(230, 80, 190), QColor(70, 180, 60), QColor(250, 210, 50), QColor(60, 125, 225)};
  for (int i = 0; i < 4; i++) {
    QPointF centre(w * (0.2 + 0.2 * i), h * 0.68);
    QRadialGradient glow(centre, h * 0.09);
    glow.setColorAt(0, colours[i].lighter(140));
    glow.setColorAt(1, colours[i]);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, h * 0.07, h * 0.07);
  }
  if (!canPaintText()) return;
  p.setFont(pictureFont(titleSize, true));
  p.setPen(paper);
  p.drawText(QRectF(0, h * titleTop, w, h * 0.3), Qt::AlignCenter, "Zembrik Game Maker");
}

}  // namespace

void makeCardPictures() {
  makePainted(PIC_RESOURCE_CARD, 150, 100, 24, panelGrey, [](QPainter& p, int, int) { paintCard(p, paper); });
  makePainted(PIC_NO_PICTURE_CARD, 150, 100, 24, panelGrey, [](QPainter& p, int w, int h) {
    paintCard(p, QColor(165, 85, 55));
    centredText(p, QRectF(0, 0, w, h), "?", QColor(255, 235, 215), pictureFont(72, true));
  });
  makePainted(PIC_SOUND_CARD, 150, 100, 24, panelGrey, [](QPainter& p, int, int) {
    paintCard(p, lightCard);
    paintSpeaker(p, QPointF(47, 22), 56, QColor(90, 100, 120));
  });
  makePainted(PIC_MUSIC_CARD, 150, 100, 24, panelGrey, [](QPainter& p, int, int) {
    paintCard(p, lightCard);
    // Headphones: a band over two ear pads.
    p.setPen(QPen(QColor(60, 65, 80), 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(48, 18, 54, 58), 0, 180 * 16);
    QPainterPath pads;
    pads.addRoundedRect(QRectF(42, 46, 16, 30), 6, 6);
    pads.addRoundedRect(QRectF(92, 46, 16, 30), 6, 6);
    fillOutlined(p, pads, QColor(60, 125, 225), ink, 2);
  });
  makePainted(PIC_FONT_CARD, 150, 100, 24, panelGrey, [](QPainter& p, int, int) {
    paintCard(p, lightCard);
    QPainterPath t;
    t.addRect(QRectF(45, 20, 60, 12));
    t.addRect(QRectF(69, 32, 12, 48));
    fillOutlined(p, t, QColor(35, 40, 60), QColor(35, 40, 60));
  });
  makePainted(PIC_CREATE_CARD, 150, 100, 24, panelGrey, [](QPainter& p, int w, int h) {
    QPainterPath card;
    card.addRoundedRect(QRectF(3, 3, 144, 94), 10, 10);
    QPen dashed(QColor(120, 90, 10), 2, Qt::CustomDashLine);
    dashed.setDashPattern({4, 3});
    p.setPen(dashed);
    p.setBrush(QColor(255, 225, 110));
    p.drawPath(card);
    centredText(p, QRectF(0, 0, w, h), "CREATE...", QColor(90, 65, 5), pictureFont(20, true));
  });
  makePainted(PIC_FUNCTION_CARD, 150, 100, 24, panelGrey, [](QPainter& p, int, int) {
    paintCard(p, lightCard);
    drawPage(p, QRectF(55.5, 14.5, 40, 70));
    p.setPen(QPen(QColor(140, 60, 190), 2.5, Qt::SolidLine, Qt::RoundCap));
    const double lengths[] = {16, 24, 20, 26, 14, 22, 18};
    for (int i = 0; i < 7; i++) {
      double indent = (i == 2 || i == 3 || i == 5) ? 6 : 0;
      p.drawLine(QPointF(62 + indent, 34 + i * 7), QPointF(62 + indent + lengths[i], 34 + i * 7));
    }
  });
  makePainted(PIC_NO_SPRITE, 100, 100, 24, QColor(165, 165, 165), [](QPainter& p, int, int) {
    QPainterPath ring;
    ring.addEllipse(QPointF(50, 50), 36, 36);
    ring.addEllipse(QPointF(50, 50), 28, 28);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 30, 30));
    p.drawPath(ring);
    p.save();
    p.translate(50, 50);
    p.rotate(45);
    p.drawRect(QRectF(-30, -4.5, 60, 9));
    p.restore();
  });
  static const char* const headings[] = {"SPRITES", "SOUNDS", "MUSICS", "BACKGROUNDS", "FONTS", "OBJECTS", "SCENES", "FUNCTIONS"};
  static const PaintPicture headingPainters[] = {
      [](QPainter& p, int w, int h) { paintHeading(p, w, h, headings[0]); },
      [](QPainter& p, int w, int h) { paintHeading(p, w, h, headings[1]); },
      [](QPainter& p, int w, int h) { paintHeading(p, w, h, headings[2]); },
      [](QPainter& p, int w, int h) { paintHeading(p, w, h, headings[3]); },
      [](QPainter& p, int w, int h) { paintHeading(p, w, h, headings[4]); },
      [](QPainter& p, int w, int h) { paintHeading(p, w, h, headings[5]); },
      [](QPainter& p, int w, int h) { paintHeading(p, w, h, headings[6]); },
      [](QPainter& p, int w, int h) { paintHeading(p, w, h, headings[7]); },
  };
  for (int i = 0; i < 8; i++) makePainted(PIC_HEADING_SPRITES + i, 2880, 50, 24, Qt::black, headingPainters[i]);

  makePainted(PIC_GAME_GLOBALS, 275, 38, 32, Qt::transparent, [](QPainter& p, int w, int h) {
    paintGameButton(p, w, h, "GLOBAL VARIABLES", QColor(60, 125, 225));
  });
  makePainted(PIC_GAME_FUNCTIONS, 275, 38, 32, Qt::transparent, [](QPainter& p, int w, int h) {
    paintGameButton(p, w, h, "NOT LISTED FUNCTIONS", QColor(140, 60, 190));
  });
  makePainted(PIC_GAME_COMMENTS, 275, 38, 32, Qt::transparent, [](QPainter& p, int w, int h) {
    paintGameButton(p, w, h, "GAME COMMENTS", QColor(70, 180, 60));
  });
  makePainted(PIC_GAME_EXTENSIONS, 275, 38, 32, Qt::transparent, [](QPainter& p, int w, int h) {
    paintGameButton(p, w, h, "EXTENSIONS", QColor(245, 150, 40));
  });
  makePainted(PIC_SPLASH, 800, 600, 24, Qt::black, [](QPainter& p, int w, int h) {
    paintTitlePicture(p, w, h, 56, 0.2);
    centredText(p, QRectF(0, h * 0.82, w, 40), "Please wait...", QColor(220, 220, 240), pictureFont(20, false));
  });
  makePainted(PIC_ABOUT, 500, 350, 24, Qt::black, [](QPainter& p, int w, int h) {
    // The title keeps above the band of the version label (380, 122, 80 x 18),
    // which stands in the free field right of the credits' heading.
    paintTitlePicture(p, w, h, 36, 0.0);
    if (canPaintText()) {
      const QColor soft(200, 200, 220);
      p.setPen(soft);
      p.setFont(pictureFont(13, true));
      p.drawText(QRectF(40, 122, 330, 18), Qt::AlignRight | Qt::AlignVCenter, "Zembrik Game Maker for Linux");
      centredText(p, QRectF(0, 150, w, 20), "Made by the Zembrik team", soft, pictureFont(12, false));
    }
    centredText(p, QRectF(0, h * 0.85, w, 30), "Click to close", QColor(200, 200, 220), pictureFont(13, false));
  });
  makePainted(PIC_PROJECT_PLACEHOLDER, 240, 240, 24, QColor(128, 128, 128), [](QPainter& p, int w, int) {
    centredText(p, QRectF(0, 70, w, 40), "ZEMBRIK GAME MAKER", paper, pictureFont(19, true));
    centredText(p, QRectF(0, 120, w, 50), "PROJECT", paper, pictureFont(36, true));
  });
}
