#include "imaging/image_strips.h"

#include <cctype>
#include <vector>

#include "imaging/frame_list.h"
#include "imaging/pixel_rules.h"
#include "project/tables.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/panel_picture.h"

int validStripCut(int width, int height, int columns, int rows) {
  return columns > 0 && rows > 0 && columns <= width && rows <= height ? 1 : 0;
}

int cutImageStrip(int spriteIndex, int strip, int columns, int rows) {
  if (spriteIndex < 0 || size_t(spriteIndex) >= sprites.size() || !isImage(strip)) return 0;
  int width = imageWidth(strip), height = imageHeight(strip);
  if (validStripCut(width, height, columns, rows) == 0) return 0;
  int cw = width / columns, ch = height / rows;
  // Every cell is made before the old frames go, so a failure loses nothing.
  std::vector<int> cells;
  cells.reserve(size_t(columns) * size_t(rows));
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      int cell = grabImage(strip, -1, c * cw, r * ch, cw, ch);
      if (!cell) {
        for (int made : cells) freeImage(made);
        return 0;
      }
      cells.push_back(cell);
    }
  }
  SpriteRecord& s = sprites[size_t(spriteIndex)];
  removeSpriteFrames(s.name);
  for (size_t k = 0; k < cells.size(); ++k) appendSpriteFrame(s.name, std::to_string(k), cells[k]);
  s.centerx = 0;
  s.centery = 0;
  s.collisionradius = cw / 2;
  fitCollisionBox(s, cw, ch);
  if (isImage(s.thumbnail)) freeImage(s.thumbnail);
  s.thumbnail = panelPicture(cells.front());
  return int(cells.size());
}

long long spriteStripWidth(const std::string& sprite) {
  int last = lastFrameWithImage(sprite);
  if (last < 0) return 0;
  return (long long)countSpriteFrames(sprite) * imageWidth(frames[size_t(last)].image);
}

int makeSpriteStrip(const std::string& sprite) {
  int last = lastFrameWithImage(sprite);
  if (last < 0) return 0;
  long long width = spriteStripWidth(sprite);
  int w = imageWidth(frames[size_t(last)].image), h = imageHeight(frames[size_t(last)].image);
  if (width > IMAGE_MAX_SIDE) return 0;
  int strip = newResultImage(int(width), h);
  if (!strip || !startDrawing(strip)) return strip;
  drawingMode(DRAW_ALPHABLEND);
  int k = 0;
  for (const FrameRecord& f : frames) {
    if (f.sprite != sprite) continue;
    if (isImage(f.image)) drawImage(f.image, k * w, 0);
    ++k;
  }
  stopDrawing();
  return strip;
}

std::string stripFileName(const std::string& chosen) {
  std::string tail = chosen.size() >= 4 ? chosen.substr(chosen.size() - 4) : "";
  for (char& c : tail) c = char(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".png" ? chosen : chosen + ".png";
}
