// The scene view's picture: the drawing order of a scene's instances and
// tiles, and the picture itself drawn from the records into an image of the
// store. No window: the scene window hands in what its controls show.
#pragma once

#include <string>

#include "scene/scene_draw_order.h"

// What the scene window's controls and its pointer state say, as far as the
// picture depends on them. Tabs and actions count as in their lists.
enum SceneViewTab : int { VIEW_TAB_SETTINGS = 0, VIEW_TAB_OBJECTS, VIEW_TAB_BACKGROUND, VIEW_TAB_TILES };
enum SceneViewAction : int { VIEW_ACTION_PLACE = 0, VIEW_ACTION_SELECT, VIEW_ACTION_REMOVE };

struct SceneViewInput {
  int sceneIndex = -1;
  int backgroundImage = -1;   // the scene's background picture, or none
  int tab = VIEW_TAB_SETTINGS;
  int showObjects = 1;        // the "Show objects" box
  int showTiles = 1;          // the "Show tiles" box
  int objectAction = VIEW_ACTION_PLACE;
  int tileAction = VIEW_ACTION_PLACE;
  std::string objectToPlace;  // the object list's text
  int placeImage = -1;        // the object-to-place image, or none
  int placeSprite = -1;       // its sprite's index in `sprites`, or -1
  int layerDepth = 0;         // the number value of the layer list's text
  int pointerInside = 0;
  int mouseX = 0, mouseY = 0;
  int selectedTileImage = -1;
  int showGrid = 1, gridSize = 20, snapToGrid = 1;
  int marks = 1;              // the selection marks of instances and tiles
};

// Draws the scene into `target` (steps from the scene colour to the placing
// previews), with the target's pixel (0, 0) showing the scene's point
// (originX, originY): a target the size of the scene at origin (0, 0) holds
// the whole picture; a smaller one at another origin holds exactly that part
// of it, and only what reaches it is drawn. Returns the status text: the
// last selected instance drawn, or empty.
std::string drawSceneView(int target, int originX, int originY, const SceneViewInput& in);

// The tile-set canvas with the picked rectangle (left, top, width, height)
// outlined in exclusive-or; nothing when the rectangle is empty or there is
// no tile-set image.
void drawTileSetView(int target, int tileSetImage, int left, int top, int width, int height);

// The status text of a selected instance, e.g. "[object_3] x:40 y:60".
std::string instanceStatusText(const std::string& templateName, int x, int y);

// Frees an image number when it names an image; gives -1.
int releaseImage(int image);
