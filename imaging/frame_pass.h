// Applying an image operation to a sprite's frames in the frames table.
#pragma once

#include <functional>
#include <string>

// An operation on one frame image: the new image (the caller frees the old
// one), the same number when it changed the image in place, or 0 when it
// could not be done (the frame then keeps its image).
using FrameOperation = std::function<int(int image)>;

// Goes through the frames table in order and applies the operation to the
// frames of `sprite` (exact name): to all of them, or only to the frame at
// index currentFrame. Each frame is handed over as its own image, so it is
// read within its own size; a frame without an image is skipped. Frames of
// other sprites are never touched. Returns how many frames changed.
int applyToFrames(const std::string& sprite, int currentFrame, bool allFrames, const FrameOperation& operation);
