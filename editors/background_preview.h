// What the background window's preview draws on each timer tick, on an
// image of the store (the preview canvas's backing image), without a window.
#pragma once

struct TileGrid {
  int width, height;       // tile size
  int xoffset, yoffset;    // the first tile's top left
  int xspace, yspace;      // between tiles
};

// The checkerboard backdrop over the whole target, the picture blended over
// it at (0, 0), and with a grid the tile grid combined by exclusive or: a
// 1-pixel frame for every cell that starts inside the picture, the last
// column and row included. A tile width or height of 0 or less gives no grid.
// Nothing is drawn without a valid picture.
void drawBackgroundTick(int target, int picture, const TileGrid* grid);
