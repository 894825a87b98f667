// Image strips: one picture holding a sprite's frames in a grid of equal
// cells. Cutting a loaded strip into a sprite's frames and laying the frames
// side by side, free of any window.
#pragma once

#include <string>

// 1 when a strip of width x height can be cut into columns x rows cells of
// at least one pixel each; 0 otherwise.
int validStripCut(int width, int height, int columns, int rows);
// Replaces the frames of the sprite at `spriteIndex` by the cells of `strip`
// (row by row, numbered from "0"), fits the origin and collision box to one
// cell and makes the sprite's panel picture anew. The strip stays the
// caller's. Returns the number of frames made; 0 (nothing changed) for a cut
// that validStripCut refuses or cells that cannot be made.
int cutImageStrip(int spriteIndex, int strip, int columns, int rows);

// Width of the strip of a sprite: count of frames x the width of its last
// frame that has an image (0 without one).
long long spriteStripWidth(const std::string& sprite);
// The sprite's frames side by side in a new transparent 32-bit image, each
// cell the size of its last frame that has an image; a frame without image
// leaves its cell empty. 0 for a sprite without such a frame or a strip
// wider than an image can be (see spriteStripWidth).
int makeSpriteStrip(const std::string& sprite);
// The name a strip is saved under: ".png" appended unless the chosen name
// already ends so (in any case).
std::string stripFileName(const std::string& chosen);
