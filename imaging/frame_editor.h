// The frame editor: the window in which the frames of one sprite are made,
// ordered and edited, its frame list dialogs, and the import and export of
// image strips. Each procedure runs its own event loop and returns once its
// window has closed.
#pragma once

#include <string>

// currentFrame, the frame editor's current frame (an index in the frames
// table, -1 for none), is kept with the editing windows' settings.
#include "editors/editor_settings.h"

// Opens the frame editor for the sprite; `opener` (the sprite window) is
// disabled until Done closes it. Done sets the modified flag, fits a
// collision box still 0 on every edge to the frames (fitUnsetCollisionBox)
// and remakes the resource panel's pictures. A saved strip's file is offered
// under `shownName`, the name the sprite window's field holds (see
// saveSpriteStrip).
void editSpriteFrames(const std::string& sprite, int opener = 0, const std::string& shownName = "");
// Rebuilds the strip of the open frame editor: one canvas per frame of the
// sprite in table order; rebuild 1 first frees the canvases of the last build.
void drawFrameStrip(const std::string& sprite, int rebuild);

// The frame operations: (frame editor window, sprite, current frame index).
void newSpriteFrames(int window, const std::string& sprite, int frame);
void addFrameFromFile(int window, const std::string& sprite, int frame);
void duplicateCurrentFrame(int window, const std::string& sprite, int frame);
void moveFrameLeft(int window, const std::string& sprite, int frame);
void moveFrameRight(int window, const std::string& sprite, int frame);
void deleteCurrentFrame(int window, const std::string& sprite, int frame);

// Cuts a picked image into the frames of the sprite at `spriteIndex`;
// `opener` is disabled while the dialog is open and activated afterwards.
// Returns 1 when frames were imported.
int importImageStrip(int spriteIndex, int opener);
// Saves the sprite's frames side by side as one PNG file the user picks,
// offered as `shownName` + "_strip" + the frame count: the sprite window
// offers the name typed in its field, which the sprite takes only on Done.
// An empty `shownName` offers the sprite's own name.
void saveSpriteStrip(const std::string& sprite, const std::string& shownName);
