// The frames of a sprite as operations on the frames table, free of any
// window: finding them, numbering new ones, replacing, adding, duplicating,
// moving and deleting, and fitting the sprite's collision box to them. Every
// frame owns its image; an operation that removes a frame or replaces its
// picture frees the old image.
#pragma once

#include <string>

struct SpriteRecord;

// Table indices of the sprite's first and last frame in table order; -1 for none.
int firstFrameIndex(const std::string& sprite);
int lastFrameIndex(const std::string& sprite);
// The table index of the sprite's n-th frame (from 0); -1 when it has fewer.
int nthFrameIndex(const std::string& sprite, int n);
int countSpriteFrames(const std::string& sprite);
// The table index of the sprite's last frame that has an image, whose size
// is the sprite's; -1 for none.
int lastFrameWithImage(const std::string& sprite);

// The number of a new frame: one more than the highest number among the
// sprite's frames, so that a moved frame never lends its number (and its
// PNG file) twice; "0" for a sprite without frames.
std::string newFrameNumber(const std::string& sprite);

// Removes every frame of the sprite, freeing the images; the other records
// keep their order.
void removeSpriteFrames(const std::string& sprite);
// Appends a frame record that takes `image` over; returns its index.
int appendSpriteFrame(const std::string& sprite, const std::string& file, int image);

// Replaces the sprite's frames by one transparent frame "0" of width x
// height. Checks the size and makes the image before removing anything:
// returns the new frame's index, or -1 with nothing changed.
int newBlankFrames(const std::string& sprite, int width, int height);

enum FrameSizeChoice : int { KEEP_FRAME_SIZE = 0, RESIZE_ALL_FRAMES = 1 };
enum FramePlacement : int { PLACE_LEFT_TOP = 0, PLACE_CENTER = 1, PLACE_STRETCH = 2 };
// 1 when a loaded image of this size needs the choice of "Adding new frame":
// the sprite has frames and its last one is of another size.
int frameAddNeedsChoice(const std::string& sprite, int width, int height);
// Appends `loaded` (taken over and freed) as a new frame. When its size
// differs from the sprite's last frame, either the new image is fitted into
// that size, or every frame of the sprite is brought to the new size, by the
// placement. Returns the new frame's index, -1 when nothing could be added.
int addLoadedFrame(const std::string& sprite, int loaded, int sizeChoice, int placement);

// Appends a copy of the frame at `index` as the sprite's last frame; returns
// the copy's index, or -1 (nothing changed) unless `index` is a frame of
// the sprite.
int duplicateFrame(const std::string& sprite, int index);
// Exchanges the frame at `index` with its neighbour (step -1 left, +1 right)
// when that neighbour is a record of the same sprite; returns the frame's
// index afterwards (unchanged when it cannot move).
int moveFrame(const std::string& sprite, int index, int step);
// Removes the frame at `index` (when it is one of the sprite's) and frees its
// image; returns the sprite's first remaining frame, or -1.
int deleteFrame(const std::string& sprite, int index);

// Object definitions and placed instances of the sprite take its first
// frame as their picture (15 x 15 and no image when it has none).
void giveSpriteUsersFirstFrame(const std::string& sprite);

// The collision box of one frame of w x h: its edges from the frame's
// top-left corner, as an imported strip sets it.
void fitCollisionBox(SpriteRecord& s, int w, int h);
// A new sprite's box, 0 on every edge, meets nothing in the game: when the
// sprite has a frame with an image, fits such a box to its size. A box with
// any edge set is the user's and stays. Returns 1 when the box was fitted.
int fitUnsetCollisionBox(SpriteRecord& s);
