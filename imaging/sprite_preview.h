// One picture of the sprite window's animated preview, drawn straight from
// the frame's image at each tick: memory does not grow with the zoom or the
// number of frames.
#pragma once

#include "project/tables.h"

// The preview timer's interval in milliseconds for a speed in frames per
// second (above 0): whole milliseconds, the fraction dropped.
inline int previewIntervalFor(int speed) { return 1000 / speed; }

// The largest side of the preview canvas; the zoom is lowered to keep it.
constexpr int PREVIEW_MAX_SIDE = 4096;
// The zoom the preview of a w x h sprite uses for the chosen one: at most
// the chosen one, at least 1, and low enough that no side passes
// PREVIEW_MAX_SIDE (a larger sprite is shown at zoom 1).
int effectivePreviewZoom(int w, int h, int zoom);

// Draws into `target` (the canvas image): the checkerboard, the frame
// scaled by `zoom` through its alpha, the black origin cross and, with
// showShape 1, the green collision shape ("Circle": around the middle of the
// w x h sprite; else the box). w and h are the sprite's size. Only the
// rectangle (left, top, width, height) of the target is drawn (width and
// height -1: all of it); the rest keeps its pixels.
void drawSpritePreview(int target, int frameImage, const SpriteRecord& sprite, int w, int h, int zoom,
                       int showShape, int left = 0, int top = 0, int width = -1, int height = -1);
