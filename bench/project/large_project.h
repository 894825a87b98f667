// The large project of the benchmarks: per unit of size, 2,000 sprites of
// 4 frames of 32 x 32, 10 tile-set backgrounds (their files in the work
// folder), 1,000 objects with 5 events each, 100 scenes with 500 instances
// and 500 tiles each, 500 functions. The work folder must exist.
#pragma once

#include <string>

#include "project/makers.h"
#include "project/tables.h"
#include "ui/draw.h"
#include "ui/image.h"

inline void buildProject(int size) {
  clearProjectTables();
  const char* events[] = {"Creation", "Step", "Draw", "Destroy", "Collision"};
  for (int i = 0; i < 2000 * size; ++i) {
    std::string sprite = newSprite();
    for (int f = 0; f < 4; ++f) {
      int image = createImage(-1, 32, 32, 32, rgba(i & 255, f * 60, 100, 255));
      startDrawing(image);
      box(f, f, 10, 10, rgba(255, 255, 255, 128));
      stopDrawing();
      appendFrame() = {std::to_string(f), sprite, image};
    }
  }
  for (int b = 0; b < 10; ++b) {
    std::string bg = newBackground();
    backgrounds.back().file = bg + ".png";
    backgrounds.back().tile = 1;
    int sheet = createImage(-1, 256, 256, 32, rgba(b * 20, 0, 0, 255));
    savePng(sheet, workFolder + "/" + bg + ".png");
    freeImage(sheet);
  }
  for (int i = 0; i < 1000 * size; ++i) {
    std::string object = newObject();
    objects.back().sprite = sprites[size_t(i) % sprites.size()].name;
    for (const char* e : events) {
      int at = addObjectEvent(object, e, "");
      scripts[size_t(at)].code = "if (x < 10 && y > 2) {\n\tx += 1; // \"step\"\n}\n";
    }
  }
  const size_t definitions = objects.size();
  for (int s = 0; s < 100 * size; ++s) {
    std::string scene = newScene();
    scenes.back().code = "start();";
    for (int k = 0; k < 500; ++k) {
      const ObjectRecord def = objects[size_t(k * 7 + s) % definitions];
      ObjectRecord& o = appendObject();
      o.prototype = 0;
      o.template_ = def.name;
      o.name = "SceneObject" + std::to_string(nextUid());
      o.sprite = def.sprite;
      o.scene = scene;
      o.x = k * 3;
      o.y = k * 5;
      o.visible = 1;
      o.collision = 1;
      TileRecord& t = appendTile();
      t.name = "tile_" + std::to_string(nextUid());
      t.background = backgrounds[size_t(k) % backgrounds.size()].name;
      t.left = (k % 8) * 32;
      t.top = (k / 8 % 8) * 32;
      t.width = 32;
      t.height = 32;
      t.x = k * 32;
      t.y = k * 16;
      t.depth = 1000000;
      t.scene = scene;
    }
  }
  for (int i = 0; i < 500 * size; ++i) {
    newFunction();
    fns.back().params = "a, b";
    fns.back().code = "return a + b;";
  }
  projectName = "big" + std::to_string(size);
}
