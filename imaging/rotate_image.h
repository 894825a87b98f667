// Turning a picture for the scene view: pure functions over the image
// store's pixels. Each returns a new image that the caller owns and frees,
// or 0 on failure; the source is never changed.
#pragma once

// Turns by a multiple of 90 degrees (positive: clockwise on screen), exactly.
// 0 for no image, an unsupported depth or an angle that is no multiple of 90.
int rotateImageRightAngle(int image, int degrees);

enum RotateMode : int { ROTATE_NEAREST = 0, ROTATE_BILINEAR = 1 };

// Turns by any angle in degrees (positive: clockwise) into an image large
// enough to hold the turned picture. With fill -1 the uncovered corners are
// opaque black; with a colour (rgb()) they are transparent in a 32-bit
// image and that colour in a 24-bit one. Angles of exactly 0, 90, 180 and
// 270 (after taking 360 off) give rotateImageRightAngle's result.
int rotateImage(int image, float angle, int mode, int fill);
