// RTF runs into a QTextDocument: one block a paragraph, one fragment a run.
#include "ui/rich_text.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Twips to the view's pixels at 96 per inch.
qreal pixels(int twips) { return twips / 15.0; }

QFont::StyleHint styleHint(int family) {
  switch (family) {
    case RTF_FAMILY_ROMAN: return QFont::Serif;
    case RTF_FAMILY_SWISS: return QFont::SansSerif;
    case RTF_FAMILY_MODERN: return QFont::Monospace;
    case RTF_FAMILY_SCRIPT: return QFont::Cursive;
    case RTF_FAMILY_DECOR: return QFont::Decorative;
    default: return QFont::AnyStyle;
  }
}

QTextCharFormat charFormat(const RtfDocument& doc, const RtfCharFormat& f) {
  QTextCharFormat c;
  if (const RtfFont* font = findRtfFont(doc, f.font)) {
    if (!font->name.empty()) c.setFontFamilies({QString::fromStdString(font->name)});
    c.setFontStyleHint(styleHint(font->family));
    if (font->family == RTF_FAMILY_MODERN) c.setFontFixedPitch(true);
  }
  c.setFontPointSize(f.halfPoints / 2.0);
  c.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
  c.setFontItalic(f.italic);
  c.setFontUnderline(f.underline);
  if (f.color > 0 && size_t(f.color) < doc.colors.size() && !doc.colors[size_t(f.color)].automatic) {
    const RtfColor& rgb = doc.colors[size_t(f.color)];
    c.setForeground(QColor(rgb.red, rgb.green, rgb.blue));
  }
  return c;
}

QTextBlockFormat blockFormat(const RtfParagraph& p) {
  QTextBlockFormat b;
  switch (p.align) {
    case RTF_CENTER: b.setAlignment(Qt::AlignHCenter); break;
    case RTF_RIGHT: b.setAlignment(Qt::AlignRight); break;
    case RTF_JUSTIFY: b.setAlignment(Qt::AlignJustify); break;
    default: b.setAlignment(Qt::AlignLeft); break;
  }
  b.setLeftMargin(pixels(p.leftIndent));
  b.setRightMargin(pixels(p.rightIndent));
  b.setTextIndent(pixels(p.firstIndent));
  b.setTopMargin(pixels(p.spaceBefore));
  b.setBottomMargin(pixels(p.spaceAfter));
  return b;
}

}  // namespace

void buildRichText(const RtfDocument& doc, QTextDocument& target) {
  target.clear();
  QTextCursor cursor(&target);
  cursor.beginEditBlock();
  bool first = true;
  for (const RtfParagraph& p : doc.paragraphs) {
    QTextCharFormat mark = charFormat(doc, p.mark);
    if (first) {
      cursor.setBlockFormat(blockFormat(p));
      cursor.setBlockCharFormat(mark);
      first = false;
    } else {
      cursor.insertBlock(blockFormat(p), mark);
    }
    for (const RtfRun& r : p.runs) {
      QString text = QString::fromUtf8(r.text.data(), qsizetype(r.text.size()));
      text.replace(QLatin1Char('\n'), QChar::LineSeparator);
      cursor.insertText(text, charFormat(doc, r.format));
    }
  }
  cursor.endEditBlock();
  target.setModified(false);
}
