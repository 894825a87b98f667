// The common dialog of the frame editor's image operations: the current
// frame before ("ORIGINAL") and after ("MODIFIED"), the operation's own
// controls, "Apply to all frames in the sprite", OK and Cancel. Each
// operation's procedure opens it, adds its controls and runs it with the
// rules of its own computation.
#pragma once

#include "imaging/frame_pass.h"

#include <functional>
#include <string>
#include <vector>

// Set by the frame editor: rebuilds the strip of `sprite` when a dialog of
// the image operations ends (after OK and Cancel alike). Null: nothing is
// rebuilt.
extern void (*frameStripHook)(const std::string& sprite);
// Calls the hook when there is one.
void rebuildFrameStrip(const std::string& sprite);

// A track bar beside a one-line value field. The track bar's position is
// the value plus `offset`, so that its range starts at 0.
struct ValuePair {
  int track = 0;
  int field = 0;
  int minimum = 0;
  int maximum = 0;
  int offset = 0;
};

struct OperationDialog {
  int editorWindow = 0;
  std::string sprite;
  int frameIndex = -1;
  // The current frame's size and its pixels as read at opening: every
  // preview is computed from this copy, never from the frame itself.
  int width = 0;
  int height = 0;
  int source = 0;
  int window = 0;
  int ok = 0;
  int cancel = 0;
  int allFrames = 0;
  int leftCanvas = 0;
  int rightCanvas = 0;
  bool outdated = false;
  std::vector<ValuePair> pairs;
};

// Reads the current frame and opens the 800 x 600 window with the common
// controls; the operation's own controls follow. False, with nothing
// opened, when the index is negative or is no frame of the sprite with a
// picture.
bool openOperationDialog(OperationDialog& d, int editorWindow, const std::string& sprite, int frameIndex,
                         const std::string& title);

// A row of label (10, labelY, 100 x 25), track bar (120, trackY,
// trackWidth x 25) and field (630, trackY, 50 x 25) standing at `value`.
// The track bar is named label + " track", the field label + " field".
// Returns the pair's index in d.pairs.
int addValuePair(OperationDialog& d, const std::string& label, int labelY, int trackY, int trackWidth, int minimum,
                 int maximum, int offset, int value);
// The integer value of the pair's field text (not a number: 0).
int pairFieldValue(const OperationDialog& d, int pair);
// The pair's track bar position less its offset.
int pairTrackValue(const OperationDialog& d, int pair);

struct OperationRules {
  // The result image of one picture: of the opening copy for the preview,
  // of each frame taken by OK. See FrameOperation.
  FrameOperation compute;
  // Runs before each preview is computed (Noise draws its values here).
  std::function<void()> beforePreview;
  // An event of an own control, after the value pairs have been kept in
  // step; true marks the preview outdated.
  std::function<bool(int gadget, int type)> control;
};

enum FirstPreview : int {
  PREVIEW_AT_OPENING,        // computed before the first event
  PREVIEW_AFTER_FIRST_EVENT, // marked outdated at opening
};

// The event loop until OK or Cancel (the close box is ignored), the OK pass
// over the sprite's frames, and the ending: the frame editor enabled, the
// window closed, the strip rebuilt, the copy freed.
void runOperationDialog(OperationDialog& d, const OperationRules& rules, FirstPreview first);

// The checkerboard backdrop as an opaque copy, then `image` blended over it.
void paintPreviewCanvas(int canvas, int image);
