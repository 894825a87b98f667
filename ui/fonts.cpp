// The font registry: numbered fonts for gadgets and for text drawn into
// images. Windows family names map to installed metric-compatible families
// so that texts keep the widths the layouts were made for.
#include "ui/fonts_family.h"
#include "ui/ui.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

#include <map>
#include <vector>

QFont fontOf(int font);

namespace {

struct FontRecord {
  QFont font;
  std::string family;
};

std::map<int, FontRecord> fonts;
int nextPickedFont = 1000000;

bool haveGui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

}  // namespace

std::string installedFamily(const std::string& family) {
  static const std::map<std::string, std::vector<std::string>> substitutes = {
      {"arial", {"Arial", "Liberation Sans", "Arimo", "DejaVu Sans"}},
      {"helvetica", {"Helvetica", "Liberation Sans", "Arimo", "DejaVu Sans"}},
      {"times new roman", {"Times New Roman", "Liberation Serif", "Tinos", "DejaVu Serif"}},
      {"courier new", {"Courier New", "Liberation Mono", "Cousine", "DejaVu Sans Mono"}},
      {"consolas", {"Consolas", "Liberation Mono", "DejaVu Sans Mono", "Cousine"}},
  };
  std::string lower;
  for (char c : family) lower += char(c >= 'A' && c <= 'Z' ? c + 32 : c);
  auto it = substitutes.find(lower);
  if (it == substitutes.end()) return family;
  if (!haveGui()) return it->second[1];
  QStringList installed = QFontDatabase::families();
  for (const std::string& candidate : it->second)
    if (installed.contains(QString::fromStdString(candidate), Qt::CaseInsensitive)) return candidate;
  return family;
}

int loadFont(int number, const std::string& family, int size, int style) {
  if (family.empty() || size <= 0) return 0;
  if (number < 1) number = nextPickedFont++;
  FontRecord record;
  record.family = installedFamily(family);
  record.font = QFont(QString::fromStdString(record.family));
  // The layouts were drawn where a point is a pixel: sized in points at 96
  // dpi, texts overflow their boxes by a third.
  record.font.setPixelSize(size);
  record.font.setBold(style & FONT_BOLD);
  record.font.setItalic(style & FONT_ITALIC);
  record.font.setUnderline(style & FONT_UNDERLINE);
  fonts[number] = record;
  return number;
}

bool isFont(int font) { return fonts.count(font) != 0; }

void freeFont(int font) { fonts.erase(font); }

std::string fontFamilyName(int font) {
  auto it = fonts.find(font);
  return it == fonts.end() ? std::string() : it->second.family;
}

QFont fontOf(int font) {
  auto it = fonts.find(font);
  if (it != fonts.end()) return it->second.font;
  return haveGui() ? QGuiApplication::font() : QFont();
}
