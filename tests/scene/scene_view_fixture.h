// The scene view's tests without a window: a small project of one scene,
// sprites with frames, instances and tiles, and the carried pictures.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "project/tables.h"
#include "scene/scene_draw.h"
#include "ui/image.h"
#include "ui/pictures.h"

class SceneViewTest : public testing::Test {
 protected:
  void SetUp() override {
    loadCarriedPictures();
    clearProjectTables();
    SceneRecord& s = appendScene();
    s.name = "room";
    s.width = 200;
    s.height = 150;
    s.red = 10;
    s.green = 20;
    s.blue = 30;
    input.sceneIndex = 0;
    input.showGrid = 0;
  }
  void TearDown() override {
    for (int image : made) freeImage(image);
    clearProjectTables();
  }

  int keep(int image) {
    made.push_back(image);
    return image;
  }
  // A sprite whose frames are each w x h in one colour; returns the first frame's image.
  int addSprite(const std::string& name, int w, int h, uint32_t colour, int frameCount = 1, int cx = 0,
                int cy = 0) {
    SpriteRecord& s = appendSprite();
    s.name = name;
    s.centerx = cx;
    s.centery = cy;
    int first = 0;
    for (int i = 0; i < frameCount; ++i) {
      FrameRecord& f = appendFrame();
      f.sprite = name;
      f.file = std::to_string(i);
      f.image = createImage(-1, w, h, 32, colour);   // freed with the tables
      if (i == 0) first = f.image;
    }
    return first;
  }
  // An instance of the scene; with a sprite that has frames it carries the
  // first frame as its picture, unturned.
  ObjectRecord& addInstance(const std::string& name, const std::string& sprite, int x, int y, int depth = 0) {
    ObjectRecord& o = appendObject();
    o.prototype = 0;
    o.name = name;
    o.template_ = "obj";
    o.sprite = sprite;
    o.scene = "room";
    o.x = x;
    o.y = y;
    o.depth = depth;
    o.image = spriteFirstFrameImage(sprite);
    o.rotatedImage = isImage(o.image) ? keep(copyImage(o.image)) : -1;
    o.imageWidth = isImage(o.image) ? imageWidth(o.image) : 15;
    o.imageHeight = isImage(o.image) ? imageHeight(o.image) : 15;
    return o;
  }
  TileRecord& addTile(const std::string& name, int x, int y, int w, int h, int depth, uint32_t colour) {
    TileRecord& t = appendTile();
    t.name = name;
    t.scene = "room";
    t.x = x;
    t.y = y;
    t.width = w;
    t.height = h;
    t.depth = depth;
    t.image = createImage(-1, w, h, 32, colour);   // freed with the tables
    return t;
  }
  // The scene drawn whole into a canvas-like 24-bit image.
  int drawWhole() {
    int target = keep(createImage(-1, scenes[0].width, scenes[0].height, 24, opaque(0xFFFFFF)));
    status = drawSceneView(target, 0, 0, input);
    return target;
  }

  SceneViewInput input;
  std::string status;
  std::vector<int> made;
};

// (new * a + old * (255 - a)) / 255 per colour channel, over an opaque pixel.
inline uint32_t blendExpected(uint32_t old, uint32_t src, int extraAlpha = 255) {
  int a = alpha(src) * extraAlpha / 255;
  auto mix = [a](int n, int o) { return (n * a + o * (255 - a)) / 255; };
  return rgba(mix(red(src), red(old)), mix(green(src), green(old)), mix(blue(src), blue(old)), 255);
}

inline uint32_t xorExpected(uint32_t old, int r, int g, int b) { return old ^ uint32_t(rgb(r, g, b)); }
