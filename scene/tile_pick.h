// Picking the tile to place from the tile-set canvas: a drag chooses a
// rectangle of the tile set, snapped to its cells, to the scene grid or
// free, and the rectangle is cut out as the selected tile.
#pragma once

#include <string>

#include "project/tables.h"

struct TileRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const TileRect&) const = default;
};

enum TilePickMode : int {
  PICK_CELLS = 0,   // whole cells of the tile set (or the whole image)
  PICK_FREE,        // any pixel rectangle
  PICK_GRID,        // cells of the scene grid
};

// The mode the held modifiers choose (ui MOD_ flags: Shift 1, Option 2,
// Control 4, Command 8): Option alone, or Control with Shift where Option
// drags move windows, picks freely; Control alone on the scene grid.
int tilePickMode(int modifiers);

// The rectangle of a drag from (sx, sy) to (m, n) over the tile set `b`
// whose image is tileSetWidth x tileSetHeight (0 x 0 for none); `previous`
// is the rectangle so far, kept where the drag gives no new size.
// inMargin is set when a cell pick lies in the tile set's offset margin.
// A background that is no tile set, or whose cells or steps have no size,
// is one whole tile.
TileRect pickTileRect(const BackgroundRecord& b, int tileSetWidth, int tileSetHeight, int sx, int sy, int m,
                      int n, int mode, int gridSize, TileRect previous, bool& inMargin);

// The tile cut from the tile set over the checkerboard, width x height
// (each at least 1); black where there is no tile set. 0 when the size
// cannot be made.
int cutTile(int tileSetImage, TileRect r);

// What the tile-set canvas keeps between its events.
enum TileDragState : int { TILE_DRAG_NONE = -1, TILE_DRAG_IDLE = 0, TILE_DRAG_DRAGGING = 1 };
struct TilePickState {
  int drag = TILE_DRAG_NONE;
  int startX = 0, startY = 0;
  TileRect rect;
  int tileSetImage = -1;       // loaded afresh when a drag starts
  int selectedTileImage = -1;
  int tilePreviewImage = -1;   // the cut at 100 x 100
};

// One event of the tile-set canvas at (m, n) with the held buttons (ui
// BUTTON_ flags) and modifiers. Returns true when a tile was picked: the
// tile action then becomes "Place tiles" and the preview is shown.
bool tilePickEvent(TilePickState& s, const std::string& tileSetName, int m, int n, int buttons, int modifiers,
                   int gridSize);
