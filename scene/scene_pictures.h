// The two pictures that stand for a scene outside its window: the project
// thumbnail that the open dialog shows and the scene's card in the resource
// panel. Both show the scene itself (its colour, background, instances and
// tiles), none of the editing over it: no selection marks, grid, placing
// previews, hidden or dimmed layers. They depend on the records alone, so
// the scene window's Done and the cards made after Open give the same
// pixels. No window: the caller makes the instances' display images and
// loads the background picture.
#pragma once

// The whole scene scaled to w x h, each pixel the one nearest to its centre
// (as drawImageScaled picks them), drawn a band of rows at a time so that a
// large scene needs no image of its full size. A new 24-bit image; 0 for a
// scene without area.
int sceneScaledPicture(int sceneIndex, int backgroundImage, int w, int h);

// The 240 x 240 project thumbnail: the scene, its longer side 240, on black.
int sceneProjectPicture(int sceneIndex, int backgroundImage);

// The 150 x 100 panel picture: the scene, its longer side 80, at (35, 10) on
// the resource card.
int scenePanelPicture(int sceneIndex, int backgroundImage);
