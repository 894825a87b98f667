// The instance properties dialog of the scene window.
#pragma once

struct ObjectRecord;

// Edits the position, direction and image angle of the placed instance at
// `instanceIndex` in the objects table; OK also rebuilds its turned display
// image. Modal to `parentWindow` (the scene window), which is disabled while
// the dialog is open. Returns once the dialog has closed.
void editInstance(int instanceIndex, int parentWindow);

// Makes the instance's display image anew from its sprite's current first
// frame, turned by its image angle; the old one is freed. Without a frame
// image the instance keeps none (-1) and a 15 x 15 box.
void rebuildDisplayImage(ObjectRecord& instance);
