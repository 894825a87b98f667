// Editing a scene on its canvas: placing, painting, selecting, moving and
// removing instances and tiles. Functions over the records, with what the
// window's controls say passed in; the picture follows at the next tick.
#pragma once

#include <string>
#include <vector>

#include "scene/scene_draw.h"
#include "scene/scene_grid.h"

struct SceneEditInput {
  std::string sceneName;
  int tab = VIEW_TAB_SETTINGS;
  int objectAction = VIEW_ACTION_PLACE;
  int tileAction = VIEW_ACTION_PLACE;
  std::string objectToPlace;   // the object list's text
  int placeImage = -1;         // the object-to-place image, or none
  std::string tileSetName;     // the tile image list's text
  int tileLeft = 0, tileTop = 0, tileWidth = 0, tileHeight = 0;
  int selectedTileImage = -1;
  int layerDepth = 0;          // the number value of the layer list's text
  int gridSize = 20, snapToGrid = 1;
};

// Appends an instance of the object to place (or a tile cut from the
// selected rectangle) at the snapped position of (m, n); returns its index.
int placeInstance(const SceneEditInput& in, int m, int n);
int placeTile(const SceneEditInput& in, int m, int n);

// A left press or drag with exactly Shift: removes what lies under the
// point in a remove mode, and places one instance or tile per new cell.
void shiftPaint(const SceneEditInput& in, int m, int n, GridPoint& lastCell);
// A left click; exactlyShift: the press already painted.
void sceneClick(const SceneEditInput& in, int m, int n, bool exactlyShift);

// Select mode: toggles every instance under the point that has a picture,
// in table order, up to and including the first without one.
void toggleInstancesAt(const std::string& sceneName, int m, int n);
void toggleTilesAt(const std::string& sceneName, int layerDepth, int m, int n);
void removeInstancesAt(const std::string& sceneName, int m, int n);
void removeTilesAt(const std::string& sceneName, int layerDepth, int m, int n);

// Selections of every scene are cleared; moves touch only this scene's
// selected records (tiles of every layer), each sum held in the int range.
void clearInstanceSelection();
void clearTileSelection();
void moveSelectedInstances(const std::string& sceneName, int dx, int dy);
void moveSelectedTiles(const std::string& sceneName, int dx, int dy);
std::vector<std::string> selectedInstanceNames(const std::string& sceneName);
std::vector<std::string> selectedTileNames(const std::string& sceneName);
// Asks "Delete N objects?" (or "tiles?") through the project's yes/no
// question when anything is selected; on Yes removes them. Returns how many
// went.
int deleteSelectedInstances(const std::string& sceneName);
int deleteSelectedTiles(const std::string& sceneName);

// The keys of the scene canvas.
enum SceneKey : int { SCENE_KEY_CLEAR, SCENE_KEY_LEFT, SCENE_KEY_RIGHT, SCENE_KEY_UP, SCENE_KEY_DOWN, SCENE_KEY_DELETE };
void sceneKey(const SceneEditInput& in, int key);
