// The scene window's tests: the shell's main window with a small project of
// scenes, a sprite with one frame, object definitions, instances, layers
// and tiles.
#pragma once

#include <string>

#include "project/makers.h"
#include "scene/scene_parts.h"
#include "scene/scene_settings.h"
#include "scene/scene_window.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"

class SceneWindowTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    startMainWindow();
    showGrid = 1;
    gridSize = 20;
    snapToGrid = 1;
    showObjects = 1;
    showTiles = 1;
  }

  // A sprite "ball" whose one frame is w x h in `colour`; returns the frame image.
  int addSprite(const std::string& name, int w, int h, uint32_t colour) {
    SpriteRecord& s = appendSprite();
    s.name = name;
    s.thumbnail = -1;
    int image = createImage(UI_ANY, w, h, 32, colour);
    FrameRecord& f = appendFrame();
    f.sprite = name;
    f.file = "0";
    f.image = image;
    return image;
  }
  void addDefinition(const std::string& name, const std::string& sprite) {
    ObjectRecord& o = appendObject();
    o.prototype = 1;
    o.name = name;
    o.sprite = sprite;
    o.image = spriteFirstFrameImage(sprite);
    o.rotatedImage = -1;
  }
  void addInstance(const std::string& scene, const std::string& name, const std::string& sprite, int x, int y,
                   int angle = 0) {
    ObjectRecord& o = appendObject();
    o.prototype = 0;
    o.template_ = "obj";
    o.name = name;
    o.sprite = sprite;
    o.scene = scene;
    o.x = x;
    o.y = y;
    o.image_angle = angle;
    o.image = -1;
    o.rotatedImage = -1;
  }
  // A tile of `colour`, w x h at (x, y) on the layer `depth`.
  void addTile(const std::string& scene, const std::string& name, int depth, int x = 0, int y = 0, int w = 8,
               int h = 8, uint32_t colour = opaque(rgb(0, 0, 255))) {
    TileRecord& t = appendTile();
    t.name = name;
    t.scene = scene;
    t.depth = depth;
    t.x = x;
    t.y = y;
    t.width = w;
    t.height = h;
    t.image = createImage(UI_ANY, w, h, 32, colour);
  }
  void addLayer(const std::string& scene, const std::string& name, int depth) {
    LayerRecord& l = appendLayer();
    l.name = name;
    l.scene = scene;
    l.value = depth;
  }
  static int window() { return openSceneState() ? openSceneState()->g.window : 0; }
  static const SceneGadgets& gadgets() { return openSceneState()->g; }
  // Chooses a tab and lets one tick of the view pass, as the user sees it.
  static void chooseTab(int tab) {
    driverChoose("panel", tab);
    driverTick("", SCENE_VIEW_TIMER);
  }
};
