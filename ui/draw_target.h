// Inside the drawing code: the target image and mode of the drawing state.
#pragma once

#include <cstdint>

struct ImageData;

ImageData* drawingImage();   // null when no target
int currentDrawMode();
void drawSpan(ImageData* image, int x0, int x1, int y, uint32_t color);
