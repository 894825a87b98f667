#include "imaging/frame_list.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <utility>

#include "imaging/pixel_rules.h"
#include "project/tables.h"
#include "ui/draw.h"
#include "ui/image.h"

namespace {

bool isFrameOf(int index, const std::string& sprite) {
  return index >= 0 && size_t(index) < frames.size() && frames[size_t(index)].sprite == sprite;
}

// A frame number as stored; a text that is no number counts as -1.
long frameNumberValue(const std::string& file) {
  if (file.empty()) return -1;
  errno = 0;
  char* end = nullptr;
  long value = std::strtol(file.c_str(), &end, 10);
  if (errno != 0 || *end != 0 || value < 0) return -1;
  return value;
}

// A new transparent image of w x h with `image` drawn on it at (x, y), or
// scaled over all of it; 0 when it cannot be made.
int placedImage(int image, int w, int h, int x, int y, bool stretch) {
  int result = newResultImage(w, h);
  if (!result || !startDrawing(result)) return result;
  drawingMode(DRAW_ALPHABLEND);
  if (stretch)
    drawImageScaled(image, 0, 0, w, h);
  else
    drawImage(image, x, y);
  stopDrawing();
  return result;
}

}  // namespace

int firstFrameIndex(const std::string& sprite) { return nthFrameIndex(sprite, 0); }

int lastFrameIndex(const std::string& sprite) {
  for (size_t i = frames.size(); i-- > 0;)
    if (frames[i].sprite == sprite) return int(i);
  return -1;
}

int nthFrameIndex(const std::string& sprite, int n) {
  if (n < 0) return -1;
  for (size_t i = 0; i < frames.size(); ++i)
    if (frames[i].sprite == sprite && n-- == 0) return int(i);
  return -1;
}

int lastFrameWithImage(const std::string& sprite) {
  for (size_t i = frames.size(); i-- > 0;)
    if (frames[i].sprite == sprite && isImage(frames[i].image)) return int(i);
  return -1;
}

int countSpriteFrames(const std::string& sprite) {
  return int(std::count_if(frames.begin(), frames.end(), [&](const FrameRecord& f) { return f.sprite == sprite; }));
}

std::string newFrameNumber(const std::string& sprite) {
  long highest = -1;
  for (const FrameRecord& f : frames)
    if (f.sprite == sprite) highest = std::max(highest, frameNumberValue(f.file));
  return std::to_string(highest + 1);
}

void removeSpriteFrames(const std::string& sprite) {
  std::erase_if(frames, [&](const FrameRecord& f) {
    if (f.sprite != sprite) return false;
    if (isImage(f.image)) freeImage(f.image);
    return true;
  });
}

int appendSpriteFrame(const std::string& sprite, const std::string& file, int image) {
  FrameRecord& r = appendFrame();
  r.file = file;
  r.sprite = sprite;
  r.image = image;
  return int(frames.size()) - 1;
}

int newBlankFrames(const std::string& sprite, int width, int height) {
  if (!validFrameSize(width, height)) return -1;
  int image = newResultImage(width, height);
  if (!image) return -1;
  removeSpriteFrames(sprite);
  return appendSpriteFrame(sprite, "0", image);
}

int frameAddNeedsChoice(const std::string& sprite, int width, int height) {
  int last = lastFrameIndex(sprite);
  if (last < 0) return 0;
  int image = frames[size_t(last)].image;
  return imageWidth(image) != width || imageHeight(image) != height ? 1 : 0;
}

int addLoadedFrame(const std::string& sprite, int loaded, int sizeChoice, int placement) {
  if (!isImage(loaded)) return -1;
  int nw = imageWidth(loaded), nh = imageHeight(loaded);
  int last = lastFrameIndex(sprite);
  int ow = last < 0 ? 0 : imageWidth(frames[size_t(last)].image);
  int oh = last < 0 ? 0 : imageHeight(frames[size_t(last)].image);
  bool stretch = placement == PLACE_STRETCH, center = placement == PLACE_CENTER;
  if (frameAddNeedsChoice(sprite, nw, nh) == 1 && sizeChoice == KEEP_FRAME_SIZE) {
    int fitted = 0;
    if (validFrameSize(ow, oh))
      fitted = placedImage(loaded, ow, oh, center ? ow / 2 - nw / 2 : 0, center ? oh / 2 - nh / 2 : 0, stretch);
    freeImage(loaded);
    if (!fitted) return -1;
    loaded = fitted;
  } else if (frameAddNeedsChoice(sprite, nw, nh) == 1) {
    // Every frame takes the same offset, that of the last frame's size.
    int x = center ? nw / 2 - ow / 2 : 0, y = center ? nh / 2 - oh / 2 : 0;
    for (FrameRecord& f : frames) {
      if (f.sprite != sprite || !isImage(f.image)) continue;
      if (stretch) {
        resizeImage(f.image, nw, nh, true);
        continue;
      }
      int placed = placedImage(f.image, nw, nh, x, y, false);
      if (!placed) continue;
      freeImage(f.image);
      f.image = placed;
    }
  }
  return appendSpriteFrame(sprite, newFrameNumber(sprite), loaded);
}

int duplicateFrame(const std::string& sprite, int index) {
  if (!isFrameOf(index, sprite)) return -1;
  int copy = copyImage(frames[size_t(index)].image);
  if (!copy) return -1;
  return appendSpriteFrame(sprite, newFrameNumber(sprite), copy);
}

int moveFrame(const std::string& sprite, int index, int step) {
  int other = index + step;
  if (!isFrameOf(index, sprite) || !isFrameOf(other, sprite)) return index;
  std::swap(frames[size_t(index)], frames[size_t(other)]);
  return other;
}

int deleteFrame(const std::string& sprite, int index) {
  if (!isFrameOf(index, sprite)) return firstFrameIndex(sprite);
  if (isImage(frames[size_t(index)].image)) freeImage(frames[size_t(index)].image);
  frames.erase(frames.begin() + index);
  return firstFrameIndex(sprite);
}

void giveSpriteUsersFirstFrame(const std::string& sprite) {
  int first = spriteFirstFrameImage(sprite);
  bool valid = isImage(first);
  noteTablesChanged();
  for (ObjectRecord& o : objects) {
    if (o.sprite != sprite) continue;
    o.image = valid ? first : -1;
    o.imageWidth = valid ? imageWidth(first) : 15;
    o.imageHeight = valid ? imageHeight(first) : 15;
  }
}

void fitCollisionBox(SpriteRecord& s, int w, int h) {
  s.collisionleft = 0;
  s.collisionright = w;
  s.collisiontop = 0;
  s.collisionbottom = h;
}

int fitUnsetCollisionBox(SpriteRecord& s) {
  if (s.collisionleft != 0 || s.collisionright != 0 || s.collisiontop != 0 || s.collisionbottom != 0) return 0;
  int last = lastFrameWithImage(s.name);
  if (last < 0) return 0;
  fitCollisionBox(s, imageWidth(frames[size_t(last)].image), imageHeight(frames[size_t(last)].image));
  return 1;
}
