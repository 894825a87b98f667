// The procedures of the scene window's files, over its state record.
#pragma once

#include <string>

#include "scene/scene_draw.h"
#include "scene/scene_state.h"

// The state of the scene window while it is open, null otherwise: what
// the window's tests look at beside the records.
const SceneState* openSceneState();

// ---------------------------------------------------------------- layout (scene_layout.cpp)
// Makes every control of the window in order; `objects` display images and
// the object-to-place preview are made on the way.
void makeSceneGadgets(SceneState& s);
// The panel and the scene view follow the window's inner size.
void layoutSceneWindow(const SceneState& s);

// ---------------------------------------------------------------- lists and canvases (scene_lists.cpp)
// The depths of the scene's layers, in table order; the first is chosen.
void fillLayerList(const std::string& sceneName, int list);
// Sizes the canvas and the scroll area's inner size from the two fields.
void resizeSceneCanvas(int canvas, int area, int widthField, int heightField);
// Shows the named background over the checkerboard on the canvas, sized to
// it; a background without a file or a picture that does not load: 0 x 0.
void loadSceneBackground(int canvas, int area, const std::string& name);
// The same for a picture already loaded; -1 or no image gives 0 x 0.
void showSceneBackground(int canvas, int area, int picture);
// Loads the image work folder + "/" + file; -1 when it cannot be loaded.
int loadWorkImage(const std::string& file);
// The picture of the first background named `name` (with `needsFile`, the
// first of that name that has a file); -1 for none or one that does not load.
int loadSceneBackgroundImage(const std::string& name, bool needsFile);
// Makes the display image of every instance of the scene anew from its
// sprite's current first frame, turned by its image angle.
void buildInstanceImages(const std::string& sceneName);
// Frees the display images of the scene's instances (-1 afterwards).
void freeInstanceImages(const std::string& sceneName);
// The object-to-place image, sprite index and preview from the object list.
void updatePlacePreview(SceneState& s);
// Chooses the layer item whose depth equals textValue(kept); when none has
// it, the item with the text `previous`; else the first stays chosen.
void chooseLayer(int list, const std::string& kept, const std::string& previous);

// ---------------------------------------------------------------- commands (scene_commands.cpp)
void sceneNew(SceneState& s);
void sceneShift(SceneState& s);
void sceneAddLayer(SceneState& s);
void sceneDeleteLayer(SceneState& s);
void sceneChangeLayer(SceneState& s);
// `value` + `delta` held in the 32-bit range.
int clampedSum(int value, int delta);

// ---------------------------------------------------------------- Done (scene_done.cpp)
// Validates and writes back; true when the window may close.
bool sceneDone(SceneState& s);

// ---------------------------------------------------------------- view (scene_view.cpp)
// One tick of the scene view: the toolbar buttons follow the tab, and the
// scene canvas is drawn from the records.
void sceneViewTick(SceneState& s);
// The scene's picture on its canvas: the part the scroll area shows; then
// the status label and the tile-set canvas.
void redrawSceneView(SceneState& s);
// What the view's picture depends on, read from the window.
SceneViewInput sceneViewInput(const SceneState& s);
// Frees what the view keeps between ticks; when the window closes.
void releaseSceneView();

// ---------------------------------------------------------------- canvas editing (scene_canvas.cpp)
// An event of the scene canvas (pointer, click, key) or of the tile-set canvas.
void sceneCanvasEvent(SceneState& s, int type);
void tileSetCanvasEvent(SceneState& s);
