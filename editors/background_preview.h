// What the background window's preview draws on each timer tick, on an
// image of the store (the preview canvas's backing image), without a window.
#pragma once

struct TileGrid {
  int width, height;       // tile size
  int xoffset, yoffset;    // the first tile's top left
  int xspace, yspace;      // between tiles
  bool operator==(const TileGrid&) const = default;
};

// The checkerboard backdrop over the whole target, the picture blended over
// it at (0, 0), and with a grid the tile grid combined by exclusive or: a
// 1-pixel frame for every cell that starts inside the picture, the last
// column and row included. A tile width or height of 0 or less gives no grid.
// Nothing is drawn without a valid picture.
void drawBackgroundTick(int target, int picture, const TileGrid* grid);

// What the target shows after the last tick, so that a tick with nothing new
// leaves it alone. Reset it to {} whenever anything else draws on the target
// or the picture's pixels change under the same number.
struct BackgroundShown {
  bool drawn = false;
  int target = 0, picture = 0;
  int targetWidth = 0, targetHeight = 0, pictureWidth = 0, pictureHeight = 0;
  bool tiled = false;
  TileGrid grid{};
};

// One timer tick: draws what drawBackgroundTick would, but only when it
// differs from `shown`; when only the grid changed, the old grid is taken
// off by a second exclusive or and the new one put on. Returns whether the
// target changed (and needs showing again).
bool updateBackgroundTick(BackgroundShown& shown, int target, int picture, const TileGrid* grid);
