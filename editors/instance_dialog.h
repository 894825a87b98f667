// The instance properties dialog of the scene window.
#pragma once

// Edits the position, direction and image angle of the placed instance at
// `instanceIndex` in the objects table; OK also rebuilds its turned display
// image. Modal to `parentWindow` (the scene window), which is disabled while
// the dialog is open. Returns once the dialog has closed.
void editInstance(int instanceIndex, int parentWindow);
