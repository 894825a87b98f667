// Everything the open scene window keeps: its gadgets, its images and the
// state of the editing on its canvases. One window is open at a time; its
// procedures (opening, commands, the view and the canvas editing) take this
// record instead of sharing globals.
#pragma once

#include <string>

constexpr int SCENE_VIEW_TIMER = 888;
constexpr int SCENE_VIEW_INTERVAL_MS = 33;

// The tabs of the panel, in order.
enum SceneTab : int { TAB_SETTINGS = 0, TAB_OBJECTS = 1, TAB_BACKGROUND = 2, TAB_TILES = 3 };
// The items of the object and tile action lists, in order.
enum SceneAction : int { ACTION_PLACE = 0, ACTION_SELECT = 1, ACTION_REMOVE = 2 };

// Where New and Shift stand while the Objects or Tiles tab is chosen, and
// where they go while another tab is.
constexpr int NEW_BUTTON_X = 320;
constexpr int SHIFT_BUTTON_X = 355;
constexpr int HIDDEN_BUTTON_X = -5000;

struct SceneGadgets {
  int window = 0;
  int done = 0, name = 0, panel = 0;
  // Settings tab
  int width = 0, height = 0, viewportWidth = 0, viewportHeight = 0, follow = 0, marginX = 0,
      marginY = 0, speed = 0, sceneCode = 0;
  // Objects tab
  int objectAction = 0, objectList = 0, preview = 0, editInstance = 0;
  // Background tab
  int swatch = 0, colour = 0, backgroundList = 0, tileX = 0, tileY = 0, stretch = 0;
  // Tiles tab
  int tileImageList = 0, tileAction = 0, tileSetArea = 0, tileSetCanvas = 0, layerList = 0,
      addLayer = 0, deleteLayer = 0, changeLayer = 0, selectedTile = 0;
  // Toolbar and scene view
  int newButton = 0, shiftButton = 0, gridToggle = 0, snapToggle = 0, gridSizeField = 0,
      showObjectsBox = 0, showTilesBox = 0, status = 0, sceneArea = 0, sceneCanvas = 0;
};

enum TileDrag : int { DRAG_NONE = -1, DRAG_IDLE = 0, DRAG_DRAGGING = 1 };

struct SceneState {
  int sceneIndex = -1;
  std::string openedName;   // the title keeps it after a rename
  SceneGadgets g;

  int backgroundImage = -1;   // the scene's background picture, -1 none

  // The object to place: its sprite's first frame, that sprite's index and
  // the 100 x 100 preview.
  int placeImage = -1;
  int placeSprite = -1;
  int previewImage = -1;

  // The tile set and the tile picked in it.
  int tileSetImage = -1;
  int tileLeft = 0, tileTop = 0, tileWidth = 0, tileHeight = 0;
  int selectedTileImage = -1;
  int tilePreviewImage = -1;

  // The pointer on the scene canvas and the tile-set drag.
  int pointerInside = 0;
  int mouseX = 0, mouseY = 0;
  int lastCellX = 0, lastCellY = 0;
  int tileDrag = DRAG_NONE;
  int dragStartX = 0, dragStartY = 0;

  int endFlag = 0;
};
