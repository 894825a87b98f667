// Picking the tile to place from the tile-set canvas.
#include "scene/tile_pick.h"

#include <cstdint>

#include "scene/scene_draw.h"
#include "scene/scene_grid.h"
#include "ui/draw.h"
#include "ui/image.h"
#include "ui/pictures.h"

namespace {

constexpr int MOD_SHIFT_KEY = 1, MOD_OPTION_KEY = 2, MOD_CONTROL_KEY = 4;
constexpr int LEFT_BUTTON = 1;
constexpr int PREVIEW_SIDE = 100;

// The corner of the cell of `v` in a series of cells `step` apart that
// starts at `offset`.
int64_t cellCorner(int64_t v, int64_t offset, int64_t step) { return floorDiv(v - offset, step) * step + offset; }

}  // namespace

int tilePickMode(int modifiers) {
  if (modifiers == MOD_OPTION_KEY || modifiers == (MOD_CONTROL_KEY | MOD_SHIFT_KEY)) return PICK_FREE;
  if (modifiers == MOD_CONTROL_KEY) return PICK_GRID;
  return PICK_CELLS;
}

TileRect pickTileRect(const BackgroundRecord& b, int tileSetWidth, int tileSetHeight, int sx, int sy, int m,
                      int n, int mode, int gridSize, TileRect previous, bool& inMargin) {
  inMargin = false;
  TileRect r = previous;
  if (mode == PICK_FREE) {
    r.left = sx;
    r.top = sy;
    if (m > sx && n > sy) {
      r.width = clampToInt(int64_t(m) - sx);
      r.height = clampToInt(int64_t(n) - sy);
    }
    return r;
  }
  if (mode == PICK_GRID) {
    int64_t g = gridSize < 1 ? 1 : gridSize;
    int64_t left = floorDiv(sx, g) * g, top = floorDiv(sy, g) * g;
    int64_t ex = floorDiv(int64_t(m) - b.tilexoffset, g) * g, ey = floorDiv(int64_t(n) - b.tileyoffset, g) * g;
    r.left = clampToInt(left);
    r.top = clampToInt(top);
    if (ex + g > left && ey + g > top) {
      r.width = clampToInt(ex - left + g);
      r.height = clampToInt(ey - top + g);
    }
    return r;
  }
  int64_t stepX = int64_t(b.tilewidth) + b.tilexspace, stepY = int64_t(b.tileheight) + b.tileyspace;
  bool cells = b.tile == 1 && b.tilewidth > 0 && b.tileheight > 0 && stepX > 0 && stepY > 0;
  if (!cells) return {0, 0, tileSetWidth, tileSetHeight};   // one whole tile
  if (m <= b.tilexoffset || n <= b.tileyoffset) {
    inMargin = true;
    return {};
  }
  int64_t left = cellCorner(sx, b.tilexoffset, stepX), top = cellCorner(sy, b.tileyoffset, stepY);
  int64_t ex = cellCorner(m, b.tilexoffset, stepX), ey = cellCorner(n, b.tileyoffset, stepY);
  r.left = clampToInt(left);
  r.top = clampToInt(top);
  // A block of whole cells, the spaces between them included.
  if (ex + b.tilewidth > left && ey + b.tileheight > top) {
    r.width = clampToInt(ex - left + b.tilewidth);
    r.height = clampToInt(ey - top + b.tileheight);
  }
  return r;
}

int cutTile(int tileSetImage, TileRect r) {
  int cut = createImage(-1, r.width < 1 ? 1 : r.width, r.height < 1 ? 1 : r.height, 32, 0);
  if (!cut || !startDrawing(cut)) return 0;
  drawingMode(DRAW_DEFAULT);
  drawImage(PIC_CHECKERBOARD, 0, 0);
  drawingMode(DRAW_ALPHABLEND);
  if (isImage(tileSetImage)) {
    drawImage(tileSetImage, clampToInt(-int64_t(r.left)), clampToInt(-int64_t(r.top)));
  } else {
    box(0, 0, PREVIEW_SIDE, PREVIEW_SIDE, opaque(0));
  }
  drawingMode(DRAW_DEFAULT);
  stopDrawing();
  return cut;
}

bool tilePickEvent(TilePickState& s, const std::string& tileSetName, int m, int n, int buttons, int modifiers,
                   int gridSize) {
  if (buttons != LEFT_BUTTON || tileSetName.empty()) {
    s.drag = TILE_DRAG_IDLE;
    return false;
  }
  int found = findBackground(tileSetName);
  if (found < 0) {
    s.drag = TILE_DRAG_IDLE;
    return false;
  }
  const BackgroundRecord& b = backgrounds[size_t(found)];
  if (s.drag != TILE_DRAG_DRAGGING) {
    s.drag = TILE_DRAG_DRAGGING;
    s.startX = m;
    s.startY = n;
    s.rect.width = s.rect.height = 0;
    s.tileSetImage = releaseImage(s.tileSetImage);
    if (!b.file.empty()) {
      int loaded = loadImage(-1, workFolder + "/" + b.file);
      s.tileSetImage = loaded ? loaded : -1;
    }
  }
  bool inMargin = false;
  int w = isImage(s.tileSetImage) ? imageWidth(s.tileSetImage) : 0;
  int h = isImage(s.tileSetImage) ? imageHeight(s.tileSetImage) : 0;
  s.rect = pickTileRect(b, w, h, s.startX, s.startY, m, n, tilePickMode(modifiers), gridSize, s.rect, inMargin);
  if (inMargin) {
    s.drag = TILE_DRAG_IDLE;
    s.selectedTileImage = releaseImage(s.selectedTileImage);
    s.tileSetImage = releaseImage(s.tileSetImage);
  }
  if (s.rect.width <= 0 || s.rect.height <= 0) s.rect.width = s.rect.height = 1;
  int cut = cutTile(s.tileSetImage, s.rect);
  s.selectedTileImage = releaseImage(s.selectedTileImage);
  s.tilePreviewImage = releaseImage(s.tilePreviewImage);
  if (cut) {
    int copy = copyImage(cut);
    s.selectedTileImage = copy ? copy : -1;
    resizeImage(cut, PREVIEW_SIDE, PREVIEW_SIDE, false);
    s.tilePreviewImage = cut;
  }
  return true;
}
