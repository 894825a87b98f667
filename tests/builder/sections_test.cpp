// Every section generator against golden texts, one table per generator.
#include "builder/sections.h"

#include "builder/extensions.h"
#include "builder_fixture.h"
#include "golden.h"
#include "ui/image.h"

namespace {

class SectionTest : public BuilderTest {
 protected:
  void runTable(const std::vector<GoldenCase>& cases, std::string (*generate)()) {
    for (const GoldenCase& c : cases) {
      SCOPED_TRACE(c.golden);
      clearProjectTables();
      extensions.clear();
      imgFolder = "img";
      audFolder = "aud";
      c.setup();
      std::string got = generate();
      EXPECT_EQ(visible(got), visible(goldenText(c.golden)));
    }
  }
};

void frame(const std::string& spriteName, const std::string& file, int w, int h) {
  FrameRecord& f = appendFrame();
  f.sprite = spriteName;
  f.file = file;
  f.image = createImage(-1, w, h);
}

TEST_F(SectionTest, Sprites) {
  runTable(
      {
          {"sprites/frames_split.js",
           [] {
             SpriteRecord& s = sprite("sprite_2");
             s.centerx = -3;
             s.centery = 4;
             s.collisionshape = "Circle";
             s.collisionradius = 10;
             s.collisionleft = -1;
             s.collisionright = 2;
             s.collisiontop = 3;
             s.collisionbottom = 4;
             sprite("sprite_3");
             sprite("sprite_4");
             frame("sprite_2", "0", 32, 32);
             frame("sprite_3", "0", 16, 16);
             frame("sprite_2", "1", 48, 40);
           }},
          {"sprites/quoted_folder.js",
           [] {
             imgFolder = "it's\\";
             sprite("sprite_2");
             frame("sprite_2", "0", 8, 8);
           }},
          {"sprites/none.js", [] { frame("sprite_9", "0", 8, 8); }},
      },
      generateSpritesSection);
}

TEST_F(SectionTest, SoundsAndMusics) {
  runTable({{"sounds/formats.js",
             [] {
               SoundRecord& a = appendSound();
               a.name = "sound_2";
               a.ogg = "a.ogg";
               appendSound().name = "sound_3";   // no file: left out
               SoundRecord& b = appendSound();
               b.name = "sound_4";
               b.wav = "b.wav";
               b.mp3 = "b.mp3";
               b.ogg = "b.ogg";
               appendMusic() = {"music_9", "m.wav", "", ""};   // another table
             }}},
           generateSoundsSection);
  runTable({{"musics/quoted_file.js",
             [] {
               audFolder = "sounds";
               appendMusic().name = "music_4";
               appendMusic() = {"music_5", "", "tune's.mp3", ""};
               appendSound() = {"sound_9", "s.wav", "", ""};
             }}},
           generateMusicsSection);
}

TEST_F(SectionTest, Backgrounds) {
  runTable({{"backgrounds/files.js",
             [] {
               background("background_2", "sky.png");
               background("background_3", "").tile = 1;
               background("background_4", "back\\slash\r\n.png");
             }}},
           generateBackgroundsSection);
}

TEST_F(SectionTest, Fonts) {
  runTable({{"fonts/families.js",
             [] {
               font("f1").italic = 1;
               FontRecord& f = font("font_3");
               f.family = "Odd'Font\xE2\x80\xA8\xE2\x80\xA9";
               f.size = -5;
               f.bold = 1;
             }}},
           generateFontsSection);
}

TEST_F(SectionTest, GlobalTexts) {
  runTable({{"functions/empty.js", [] {}},
            {"functions/two.js",
             [] {
               projectInfo.functions = "var helper = 1;";
               newFunction();
               fns.back() = {"function_2", "a, b", "adds", "return a + b;"};
               newFunction();
               fns.back().name = "function_3";
             }}},
           generateGlobalFunctionsSection);
  projectInfo.variables = "var score = 0;\nvar lives";
  EXPECT_EQ(generateGlobalVariablesSection(), "var score = 0;\nvar lives");
  EXPECT_EQ(formatVersion(), "v1.3.0");
}

TEST_F(SectionTest, Objects) {
  runTable(
      {
          {"objects/spec_example.js",
           [] {
             sprite("sprite_3");
             object("object_2").sprite = "sprite_3";
             script("object_2", "Step", "x += 1;");
           }},
          {"objects/advanced_positions.js",
           [] {
             projectInfo.advancedscriptmode = 1;
             sprite("sprite_7");
             object("object_2");
             instance("SceneObject5", "object_2", "scene_9", 0, 0);
             ObjectRecord& o = object("object_4");
             o.parent = "object_2";
             o.sprite = "sprite_7";
             o.visible = 0;
             o.depth = -10;
             o.collision = 0;
             script("object_4", "Step", "a();");
             script("object_4", "Creation", "c();");
             script("object_4", "step", "never();");   // no such kind
             script("object_4", "Draw", "d();");
             script("object_4", "Step", "b();");
             script("object_4", "Animation end", "e();");
             script("object_4", "Room end", "");
             script("SceneObject5", "Destroy", "never();");   // an instance
           }},
          {"objects/collisions_wrapped.js",
           [] {
             object("object_2");
             object("object_3");
             object("object_4").parent = "object_deleted";
             script("object_2", "Collision", "hit3();", "object_3");
             script("object_2", "Collision", "lost();", "");
             script("object_2", "Collision", "hit4();", "object_4");
             script("object_2", "Collision", "gone();", "object_gone");
             script("object_2", "Animation end", "e();");
             script("object_2", "Draw", "d();");
             script("object_3", "Collision", "x();", "");
           }},
          {"objects/no_definitions.js",
           [] { instance("SceneObject2", "object_9", "scene_1", 0, 0); }},
          // A sprite left behind by an edited file, or never there: no sprite.
          {"objects/missing_sprite.js",
           [] {
             sprite("sprite_3");
             object("object_2").sprite = "sprite_gone";
             object("object_4").sprite = "Sprite_3";   // names are matched exactly
             object("object_5").sprite = "sprite_3";
           }},
      },
      generateObjectsSection);
}

TEST_F(SectionTest, Scenes) {
  runTable(
      {
          {"scenes/spec_example.js",
           [] {
             object("object_2");
             scene("scene_5");
             instance("SceneObject6", "object_2", "scene_5", 64, 96);
           }},
          {"scenes/tiles_two_scenes.js",
           [] {
             background("background_3", "t.png");
             background("background_4", "u.png");
             background("background_9", "");
             object("object_2");
             SceneRecord& b = scene("scene_b");
             b.background = "background_3";
             b.backgroundtilex = 1;
             b.backgroundstretch = 1;
             b.width = 800;
             b.height = 600;
             b.speed = 60;
             b.red = 10;
             b.green = 20;
             b.blue = 30;
             b.viewportwidth = 320;
             b.viewportheight = 240;
             b.viewportobject = "object_2";
             b.viewportxborder = 5;
             b.viewportyborder = 6;
             b.code = "start();";
             SceneRecord& a = scene("scene_a");
             a.background = "background_9";      // no image: no variable
             a.viewportobject = "object_gone";   // no such object
             tile("scene_b", "background_4", 1000000, {0, 0, 32, 32, 0, 0});
             tile("scene_a", "background_3", 5, {1, 2, 3, 4, 5, 6});
             tile("scene_b", "background_3", 10, {32, 0, 32, 32, 32, 0});
             tile("scene_b", "background_4", 10, {64, 0, 32, 32, 64, 0});
             tile("scene_b", "background_3", 1000000, {0, 32, 16, 16, -16, -8});
             tile("scene_b", "background_4", 10, {96, 0, 32, 32, 96, 0});
             instance("SceneObject3", "object_2", "scene_b", 10, 20).direction = 90;
             instance("SceneObject4", "object_2", "scene_a", 1, 2);
             instance("SceneObject5", "object_2", "scene_b", -5, 7).image_angle = -45;
             ObjectRecord& i = instance("SceneObject6", "object_2", "scene_b", 0, 0);
             i.direction = -1;
             i.image_angle = 30;
           }},
          {"scenes/none.js", [] { tile("scene_1", "background_2", 0, {0, 0, 1, 1, 0, 0}); }},
          // Names that no declared variable carries would stop the script.
          {"scenes/undeclared_left_out.js",
           [] {
             background("background_3", "t.png");
             background("background_4", "");
             object("object_2");
             scene("scene_5");
             tile("scene_5", "background_4", 10, {0, 0, 8, 8, 0, 0});
             tile("scene_5", "background_3", 10, {8, 0, 8, 8, 8, 0});
             tile("scene_5", "background_gone", 20, {0, 0, 8, 8, 0, 0});
             instance("SceneObject6", "object_gone", "scene_5", 1, 2);
             instance("SceneObject7", "object_2", "scene_5", 3, 4);
           }},
      },
      generateScenesSection);
}

TEST_F(SectionTest, SceneHasTilesMatchesSceneBackgroundAndDepth) {
  tile("scene_2", "background_3", 10, {0, 0, 1, 1, 0, 0});
  EXPECT_EQ(sceneHasTiles("scene_2", "background_3", 10), 1);
  EXPECT_EQ(sceneHasTiles("scene_2", "background_3", 11), 0);
  EXPECT_EQ(sceneHasTiles("scene_2", "Background_3", 10), 0);
  EXPECT_EQ(sceneHasTiles("scene_3", "background_3", 10), 0);
}

TEST_F(SectionTest, Extensions) {
  auto ext = [](const char* name, const char* author, const char* code, int enabled) {
    ExtensionRecord r;
    r.fileName = name;
    r.name = name;
    r.author = author;
    r.code = code;
    r.enabled = enabled;
    extensions.push_back(r);
  };
  runTable({{"extensions/three_second_enabled.js",
             [&] {
               ext("One", "Me", "\r\none();\r\n", 0);
               ext("Foo", "Bar", "\r\nfoo();\r\n", 1);
               ext("Three", "You", "\r\nthree();\r\n", 0);
             }},
            {"extensions/comment_end_in_name.js",
             [&] { ext("A*/B", "*/x*/", "\r\ncode();\r\n", 1); }}},
           generateExtensionsSection);
  extensions.clear();
  EXPECT_EQ(generateExtensionsSection(), "");
}

}  // namespace
