// Makers, lookups, deletes with their cascades, duplication and scene moves.
#include <climits>
#include <functional>
#include <sstream>

#include "project/deletes.h"
#include "project/makers.h"
#include "project/scene_order.h"
#include "project_fixture.h"
#include "ui/image.h"

namespace {

using ModelTest = ProjectTest;

TEST_F(ModelTest, CounterIsSharedAndIncrementedBeforeUse) {
  EXPECT_EQ(newSprite(), "sprite_2");
  EXPECT_EQ(newSound(), "sound_3");
  EXPECT_EQ(newScene(), "scene_4");
  ASSERT_EQ(layers.size(), 1u);
  EXPECT_EQ(layers[0].name, "layer_5");
  EXPECT_EQ(layers[0].scene, "scene_4");
  EXPECT_EQ(layers[0].value, 1000000);
  EXPECT_EQ(newMusic(), "music_6");
  EXPECT_EQ(newBackground(), "background_7");
  EXPECT_EQ(newFont(), "font_8");
  EXPECT_EQ(newObject(), "object_9");
  EXPECT_EQ(newFunction(), "function_10");
  EXPECT_EQ(uidCounter, 10);
  // Names are not tested against existing ones.
  sprites[0].name = "sprite_12";
  nextUid();
  EXPECT_EQ(newSprite(), "sprite_12");
  EXPECT_EQ(findSprite("sprite_12"), 0);
}

TEST_F(ModelTest, MakersFillTheirDefaults) {
  newSprite();
  newBackground();
  newFont();
  newObject();
  newScene();
  const SpriteRecord& s = sprites[0];
  EXPECT_EQ(s.thumbnail, -1);
  EXPECT_EQ(s.collisionshape, "Box");
  EXPECT_EQ(spriteFirstFrameImage(s.name), -1);
  const BackgroundRecord& b = backgrounds[0];
  EXPECT_EQ(b.thumbnail, -1);
  EXPECT_EQ(b.tilewidth, 32);
  EXPECT_EQ(b.tileheight, 32);
  EXPECT_EQ(b.file, "");
  EXPECT_EQ(fonts[0].family, "Arial");
  EXPECT_EQ(fonts[0].size, 12);
  const ObjectRecord& o = objects[0];
  EXPECT_EQ(o.prototype, 1);
  EXPECT_EQ(o.image, -1);
  EXPECT_EQ(o.visible, 1);
  EXPECT_EQ(o.collision, 1);
  EXPECT_EQ(o.depth, 0);
  const SceneRecord& c = scenes[0];
  EXPECT_EQ(c.thumbnail, -1);
  EXPECT_EQ(c.width, 640);
  EXPECT_EQ(c.height, 480);
  EXPECT_EQ(c.viewportwidth, 640);
  EXPECT_EQ(c.viewportheight, 480);
  EXPECT_EQ(c.speed, 30);
  EXPECT_EQ(c.viewportxborder, 50);
  EXPECT_EQ(c.viewportyborder, 50);
}

TEST_F(ModelTest, ModifiedFlagFromResourceMakersOnly) {
  const std::vector<std::pair<const char*, std::function<void()>>> cases = {
      {"newLayer", [] { newLayer("scene_x"); }},
      {"addObjectEvent", [] { addObjectEvent("object_x", "Step", ""); }},
      {"deleteSprite", [] { deleteSprite("x"); }},
      {"duplicateObject", [] { duplicateObject("x"); }},
      {"deleteScene", [] { deleteScene("x"); }},
  };
  for (const auto& c : cases) {
    setModified(0);
    c.second();
    EXPECT_EQ(modifiedFlag, 0) << c.first;
  }
  for (auto maker : {newSprite, newSound, newMusic, newBackground, newFont, newObject, newScene,
                     newFunction}) {
    setModified(0);
    maker();
    EXPECT_EQ(modifiedFlag, 1);
  }
}

TEST_F(ModelTest, AddObjectEventAppendsEvenTwiceAndReturnsPosition) {
  EXPECT_EQ(addObjectEvent("o", "Step", ""), 0);
  EXPECT_EQ(addObjectEvent("o", "Step", ""), 1);
  EXPECT_EQ(scripts[1].name, "scr_3");
  EXPECT_EQ(scripts[1].object, "o");
  EXPECT_EQ(scripts[1].event, "Step");
  EXPECT_EQ(objectHasEvent("o", "Step"), 1);
  EXPECT_EQ(objectHasEvent("o", "Draw"), 0);
  EXPECT_EQ(objectHasEvent("p", "Step"), 0);
}

TEST_F(ModelTest, LookupsTakeTheFirstMatchAndIgnorePrototype) {
  EXPECT_EQ(objectDepth("none"), 0);
  EXPECT_EQ(objectSprite("none"), "");
  EXPECT_EQ(spriteFirstFrameImage("none"), -1);
  EXPECT_EQ(findSprite("none"), -1);
  ObjectRecord& inst = appendObject();
  inst.name = "twin";
  inst.prototype = 0;
  inst.depth = 7;
  inst.sprite = "a";
  ObjectRecord& def = appendObject();
  def.name = "twin";
  def.prototype = 1;
  def.depth = 9;
  def.sprite = "b";
  EXPECT_EQ(objectDepth("twin"), 7);
  EXPECT_EQ(objectSprite("twin"), "a");
  EXPECT_EQ(findObjectDefinition("twin"), 1);
  appendFrame() = {"0", "s", 41};
  appendFrame() = {"1", "s", 42};
  std::swap(frames[0], frames[1]);
  EXPECT_EQ(spriteFirstFrameImage("s"), 42);
}

TEST_F(ModelTest, AppendAfterResetStartsClean) {
  newObject();
  objects[0].x = 5;
  objects[0].parent = "p";
  projectInfo.title = "t";
  clearProjectTables();
  EXPECT_EQ(projectInfo.title, "");
  EXPECT_EQ(uidCounter, 1);
  ObjectRecord& o = appendObject();
  EXPECT_EQ(o.x, 0);
  EXPECT_EQ(o.parent, "");
  EXPECT_EQ(newSprite(), "sprite_2");
}

// The cascade fixture: two sprites with frames, definitions, instances in
// two scenes, an object definition that bears an instance's name, events,
// layers, tiles from two backgrounds.
void buildCascadeProject() {
  sprites = {named<SpriteRecord>("spr1"), named<SpriteRecord>("spr2")};
  sprites[0].thumbnail = createImage(-1, 4, 4);
  int img1 = createImage(-1, 10, 20);
  int img2 = createImage(-1, 30, 40);
  frames = {{"0", "spr1", img1}, {"1", "spr1", createImage(-1, 10, 20)}, {"0", "spr2", img2}};
  auto object = [](const char* name, int prototype, const char* templ, const char* scene,
                   const char* sprite, int image) {
    ObjectRecord& o = appendObject();
    o.name = name;
    o.prototype = prototype;
    o.template_ = templ;
    o.scene = scene;
    o.sprite = sprite;
    o.image = image;
    o.imageWidth = 1;
    o.imageHeight = 1;
  };
  object("player", 1, "", "", "spr1", img1);
  object("enemy", 1, "", "", "spr2", img2);
  objects.back().parent = "player";
  object("SceneObject50", 0, "player", "s1", "spr1", img1);
  object("SceneObject51", 0, "enemy", "s2", "spr2", img2);
  object("SceneObject50", 1, "", "", "", -1);   // a definition named like an instance
  object("SceneObject52", 0, "player", "s2", "spr1", img1);
  scripts = {{"scr_1", "player", "Creation", "", "a"},
             {"scr_2", "player", "Collision", "enemy", "b"},
             {"scr_3", "enemy", "Step", "", "c"},
             {"scr_4", "SceneObject50", "Draw", "", "d"}};
  scenes.resize(2);
  scenes[0].name = "s1";
  scenes[0].background = "bg1";
  scenes[0].backgroundtilex = 1;
  scenes[0].backgroundstretch = 1;
  scenes[0].viewportobject = "player";
  scenes[1].name = "s2";
  scenes[1].background = "bg2";
  layers = {{"L1", 10, "s1"}, {"L2", 20, "s2"}, {"L3", 30, "s2"}};
  auto tile = [](const char* name, const char* bg, const char* scene, int depth) {
    TileRecord& t = appendTile();
    t.name = name;
    t.background = bg;
    t.scene = scene;
    t.depth = depth;
    t.image = createImage(-1, 2, 2);
  };
  tile("t1", "bg1", "s1", 10);
  tile("t2", "bg1", "s2", 20);
  tile("t3", "bg2", "s2", 30);
  backgrounds = {named<BackgroundRecord>("bg1"), named<BackgroundRecord>("bg2")};
}

// Every table in one line, with the fields the cascades touch.
std::string describeProject() {
  std::ostringstream d;
  d << "sprites:";
  for (const auto& s : sprites) d << ' ' << s.name;
  d << " | frames:";
  for (const auto& f : frames) d << ' ' << f.sprite << '_' << f.file;
  d << " | objects:";
  for (const auto& o : objects)
    d << ' ' << o.name << '(' << o.template_ << ',' << o.sprite << ','
      << (o.image == -1 ? std::string("-") : std::to_string(imageWidth(o.image))) << ','
      << o.imageWidth << ',' << o.parent << ')';
  d << " | scripts:";
  for (const auto& s : scripts) d << ' ' << s.name << '/' << s.object;
  d << " | scenes:";
  for (const auto& s : scenes)
    d << ' ' << s.name << '(' << s.background << ',' << s.backgroundtilex << s.backgroundstretch
      << ',' << s.viewportobject << ')';
  d << " | layers:";
  for (const auto& l : layers) d << ' ' << l.name;
  d << " | tiles:";
  for (const auto& t : tiles) d << ' ' << t.name;
  d << " | backgrounds:";
  for (const auto& b : backgrounds) d << ' ' << b.name;
  return d.str();
}

TEST_F(ModelTest, CascadesOfDeleteAndDuplicate) {
  struct Case {
    const char* what;
    std::function<void()> action;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"nothing", [] {},
       "sprites: spr1 spr2 | frames: spr1_0 spr1_1 spr2_0 | objects: player(,spr1,10,1,) "
       "enemy(,spr2,30,1,player) SceneObject50(player,spr1,10,1,) SceneObject51(enemy,spr2,30,1,) "
       "SceneObject50(,,-,1,) SceneObject52(player,spr1,10,1,) | scripts: scr_1/player "
       "scr_2/player scr_3/enemy scr_4/SceneObject50 | scenes: s1(bg1,11,player) s2(bg2,00,) | "
       "layers: L1 L2 L3 | tiles: t1 t2 t3 | backgrounds: bg1 bg2"},
      // The definition that bears an instance's name and its event stay.
      {"deleteScene s1", [] { deleteScene("s1"); },
       "sprites: spr1 spr2 | frames: spr1_0 spr1_1 spr2_0 | objects: player(,spr1,10,1,) "
       "enemy(,spr2,30,1,player) SceneObject51(enemy,spr2,30,1,) SceneObject50(,,-,1,) "
       "SceneObject52(player,spr1,10,1,) | scripts: scr_1/player scr_2/player scr_3/enemy "
       "scr_4/SceneObject50 | scenes: s2(bg2,00,) | layers: L2 L3 | tiles: t2 t3 | "
       "backgrounds: bg1 bg2"},
      {"deleteScene s2", [] { deleteScene("s2"); },
       "sprites: spr1 spr2 | frames: spr1_0 spr1_1 spr2_0 | objects: player(,spr1,10,1,) "
       "enemy(,spr2,30,1,player) SceneObject50(player,spr1,10,1,) SceneObject50(,,-,1,) | "
       "scripts: scr_1/player scr_2/player scr_3/enemy scr_4/SceneObject50 | scenes: "
       "s1(bg1,11,player) | layers: L1 | tiles: t1 | backgrounds: bg1 bg2"},
      // Instances in every scene and the events go; parent and followed object stay.
      {"deleteObject player", [] { deleteObject("player"); },
       "sprites: spr1 spr2 | frames: spr1_0 spr1_1 spr2_0 | objects: enemy(,spr2,30,1,player) "
       "SceneObject51(enemy,spr2,30,1,) SceneObject50(,,-,1,) | scripts: scr_3/enemy "
       "scr_4/SceneObject50 | scenes: s1(bg1,11,player) s2(bg2,00,) | layers: L1 L2 L3 | "
       "tiles: t1 t2 t3 | backgrounds: bg1 bg2"},
      // An instance and a definition of one name both go, with that name's events.
      {"deleteObject SceneObject50", [] { deleteObject("SceneObject50"); },
       "sprites: spr1 spr2 | frames: spr1_0 spr1_1 spr2_0 | objects: player(,spr1,10,1,) "
       "enemy(,spr2,30,1,player) SceneObject51(enemy,spr2,30,1,) "
       "SceneObject52(player,spr1,10,1,) | scripts: scr_1/player scr_2/player scr_3/enemy | "
       "scenes: s1(bg1,11,player) s2(bg2,00,) | layers: L1 L2 L3 | tiles: t1 t2 t3 | "
       "backgrounds: bg1 bg2"},
      {"deleteObject SceneObject51", [] { deleteObject("SceneObject51"); },
       "sprites: spr1 spr2 | frames: spr1_0 spr1_1 spr2_0 | objects: player(,spr1,10,1,) "
       "enemy(,spr2,30,1,player) SceneObject50(player,spr1,10,1,) SceneObject50(,,-,1,) "
       "SceneObject52(player,spr1,10,1,) | scripts: scr_1/player scr_2/player scr_3/enemy "
       "scr_4/SceneObject50 | scenes: s1(bg1,11,player) s2(bg2,00,) | layers: L1 L2 L3 | "
       "tiles: t1 t2 t3 | backgrounds: bg1 bg2"},
      // Users of spr1 lose it; the others get their image (and size) again.
      {"deleteSprite spr1", [] { deleteSprite("spr1"); },
       "sprites: spr2 | frames: spr2_0 | objects: player(,,-,1,) enemy(,spr2,30,30,player) "
       "SceneObject50(player,,-,1,) SceneObject51(enemy,spr2,30,30,) SceneObject50(,,-,1,) "
       "SceneObject52(player,,-,1,) | scripts: scr_1/player scr_2/player scr_3/enemy "
       "scr_4/SceneObject50 | scenes: s1(bg1,11,player) s2(bg2,00,) | layers: L1 L2 L3 | "
       "tiles: t1 t2 t3 | backgrounds: bg1 bg2"},
      // Tiles of bg1 go from both scenes; s1 keeps its tiling and stretch flags.
      {"deleteBackground bg1", [] { deleteBackground("bg1"); },
       "sprites: spr1 spr2 | frames: spr1_0 spr1_1 spr2_0 | objects: player(,spr1,10,1,) "
       "enemy(,spr2,30,1,player) SceneObject50(player,spr1,10,1,) SceneObject51(enemy,spr2,30,1,) "
       "SceneObject50(,,-,1,) SceneObject52(player,spr1,10,1,) | scripts: scr_1/player "
       "scr_2/player scr_3/enemy scr_4/SceneObject50 | scenes: s1(,11,player) s2(bg2,00,) | "
       "layers: L1 L2 L3 | tiles: t3 | backgrounds: bg2"},
      // The tiles at the layer's depth stay.
      {"deleteLayer L2", [] { deleteLayer("L2"); },
       "sprites: spr1 spr2 | frames: spr1_0 spr1_1 spr2_0 | objects: player(,spr1,10,1,) "
       "enemy(,spr2,30,1,player) SceneObject50(player,spr1,10,1,) SceneObject51(enemy,spr2,30,1,) "
       "SceneObject50(,,-,1,) SceneObject52(player,spr1,10,1,) | scripts: scr_1/player "
       "scr_2/player scr_3/enemy scr_4/SceneObject50 | scenes: s1(bg1,11,player) s2(bg2,00,) | "
       "layers: L1 L3 | tiles: t1 t2 t3 | backgrounds: bg1 bg2"},
      // Copies keep the event ids; the second copy's events name the same object.
      {"duplicateObject player twice",
       [] {
         duplicateObject("player");
         duplicateObject("player");
       },
       "sprites: spr1 spr2 | frames: spr1_0 spr1_1 spr2_0 | objects: player(,spr1,10,1,) "
       "enemy(,spr2,30,1,player) SceneObject50(player,spr1,10,1,) SceneObject51(enemy,spr2,30,1,) "
       "SceneObject50(,,-,1,) SceneObject52(player,spr1,10,1,) player_dup(,spr1,10,1,) "
       "player_dup(,spr1,10,1,) | scripts: scr_1/player scr_2/player scr_3/enemy "
       "scr_4/SceneObject50 scr_1/player_dup scr_2/player_dup scr_1/player_dup scr_2/player_dup | "
       "scenes: s1(bg1,11,player) s2(bg2,00,) | layers: L1 L2 L3 | tiles: t1 t2 t3 | "
       "backgrounds: bg1 bg2"},
      // Duplicating a name no object has still copies that name's events.
      {"duplicateObject ghost", [] {
         scripts.push_back({"scr_9", "ghost", "Step", "", ""});
         duplicateObject("ghost");
       },
       "sprites: spr1 spr2 | frames: spr1_0 spr1_1 spr2_0 | objects: player(,spr1,10,1,) "
       "enemy(,spr2,30,1,player) SceneObject50(player,spr1,10,1,) SceneObject51(enemy,spr2,30,1,) "
       "SceneObject50(,,-,1,) SceneObject52(player,spr1,10,1,) | scripts: scr_1/player "
       "scr_2/player scr_3/enemy scr_4/SceneObject50 scr_9/ghost scr_9/ghost_dup | scenes: "
       "s1(bg1,11,player) s2(bg2,00,) | layers: L1 L2 L3 | tiles: t1 t2 t3 | backgrounds: bg1 bg2"},
      {"unknown names", [] {
         deleteScene("x");
         deleteObject("x");
         deleteBackground("x");
         deleteLayer("x");
         removeTiles("x");
       },
       "sprites: spr1 spr2 | frames: spr1_0 spr1_1 spr2_0 | objects: player(,spr1,10,1,) "
       "enemy(,spr2,30,1,player) SceneObject50(player,spr1,10,1,) SceneObject51(enemy,spr2,30,1,) "
       "SceneObject50(,,-,1,) SceneObject52(player,spr1,10,1,) | scripts: scr_1/player "
       "scr_2/player scr_3/enemy scr_4/SceneObject50 | scenes: s1(bg1,11,player) s2(bg2,00,) | "
       "layers: L1 L2 L3 | tiles: t1 t2 t3 | backgrounds: bg1 bg2"},
  };
  for (const Case& c : cases) {
    clearProjectTables();
    buildCascadeProject();
    setModified(1);
    c.action();
    EXPECT_EQ(describeProject(), c.expected) << c.what;
    EXPECT_EQ(modifiedFlag, 1) << c.what;
  }
}

TEST_F(ModelTest, RemovedRecordsReleaseTheirImages) {
  buildCascadeProject();
  int thumb = sprites[0].thumbnail, frame = frames[1].image, tile = tiles[0].image;
  int kept = tiles[2].image;
  deleteSprite("spr1");
  deleteBackground("bg1");
  EXPECT_FALSE(isImage(thumb));
  EXPECT_FALSE(isImage(frame));
  EXPECT_FALSE(isImage(tile));
  EXPECT_TRUE(isImage(kept));
}

TEST_F(ModelTest, DuplicateCopiesFieldsButNotAngleNorDirection) {
  ObjectRecord& o = appendObject();
  o = {1, "", "obj", "spr", "", 3, 4, 1, 7, 8, 9, 10, 1, 5, 0, "par", 90, 45};
  duplicateObject("obj");
  const ObjectRecord& c = objects[1];
  EXPECT_EQ(c.name, "obj_dup");
  EXPECT_EQ(c.x, 3);
  EXPECT_EQ(c.y, 4);
  EXPECT_EQ(c.selected, 1);
  EXPECT_EQ(c.image, 7);
  EXPECT_EQ(c.imageWidth, 9);
  EXPECT_EQ(c.imageHeight, 10);
  EXPECT_EQ(c.depth, 5);
  EXPECT_EQ(c.parent, "par");
  EXPECT_EQ(c.rotatedImage, 0);
  EXPECT_EQ(c.direction, 0);
  EXPECT_EQ(c.image_angle, 0);
}

TEST_F(ModelTest, SceneMoves) {
  struct Case {
    std::vector<std::string> order;
    bool forward;
    const char* name;
    std::vector<std::string> expected;
    int refreshes;
  };
  const std::vector<Case> cases = {
      {{"a", "b", "c"}, false, "b", {"b", "a", "c"}, 1},
      {{"a", "b", "c"}, true, "b", {"a", "c", "b"}, 1},
      {{"a", "b", "c"}, false, "a", {"a", "b", "c"}, 0},
      {{"a", "b", "c"}, true, "c", {"a", "b", "c"}, 0},
      {{"a"}, false, "a", {"a"}, 0},
      {{"a"}, true, "a", {"a"}, 0},
      {{"a", "b"}, true, "zz", {"a", "b"}, 0},
      // The first record of the name is skipped when it cannot move.
      {{"x", "b", "x"}, false, "x", {"x", "x", "b"}, 1},
      {{"a", "x", "x"}, true, "x", {"a", "x", "x"}, 1},
  };
  int refreshes = 0;
  projectHooks.refreshResourcePanel = [&] { ++refreshes; };
  for (const Case& c : cases) {
    clearProjectTables();
    refreshes = 0;
    for (size_t i = 0; i < c.order.size(); ++i) {
      appendScene().name = c.order[i];
      scenes.back().width = int(i);
    }
    c.forward ? moveSceneForward(c.name) : moveSceneBackward(c.name);
    std::vector<std::string> order;
    for (const SceneRecord& s : scenes) order.push_back(s.name);
    EXPECT_EQ(order, c.expected) << c.name;
    EXPECT_EQ(refreshes, c.refreshes) << c.name;
    EXPECT_EQ(modifiedFlag, c.refreshes > 0 ? 1 : 0) << c.name;   // a move changes the game
  }
  // Every field travels with its record.
  clearProjectTables();
  appendScene() = {"a", 5, 1, 2, 3, 4, 5, 6, 7, "code a", 8, "bg", 1, 0, 1, "obj", 9, 10};
  appendScene().name = "b";
  moveSceneBackward("b");
  EXPECT_EQ(scenes[1].code, "code a");
  EXPECT_EQ(scenes[1].thumbnail, 5);
  EXPECT_EQ(scenes[1].viewportyborder, 10);
}

// Deleting goes by name, so a generated name must not be one a user gave
// another record (an object "SceneObject3" named ahead of the counter).
TEST_F(ModelTest, GeneratedSceneNamesSkipNamesInUse) {
  struct Case {
    std::function<void()> takeNames;
    std::function<std::string()> make;
    std::string want;
  } cases[] = {
      {[] {
         appendObject().name = "SceneObject2";   // a definition
         appendObject().name = "SceneObject3";   // an instance
         objects.back().template_ = "SceneObject2";
       },
       freeInstanceName, "SceneObject4"},
      {[] { appendLayer().name = "layer_2"; }, freeLayerName, "layer_3"},
      {[] { appendTile().name = "tile_2"; }, freeTileName, "tile_3"},
      {[] { appendLayer().name = "layer_2"; }, [] { return newLayer("scene_1"); }, "layer_3"},
      {[] { appendObject().name = "tile_2"; }, freeTileName, "tile_2"},   // only its own table counts
  };
  for (const Case& c : cases) {
    clearProjectTables();
    c.takeNames();
    EXPECT_EQ(c.make(), c.want);
    EXPECT_EQ(uidCounter, std::stoi(c.want.substr(c.want.find_first_of("0123456789"))));
  }
}

// A counter read at the top of its range stops there; a taken name must then
// not send the maker round forever.
TEST_F(ModelTest, GeneratedSceneNamesWithCounterAtTopGetSuffix) {
  struct Case {
    std::function<void()> takeNames;
    std::function<std::string()> make;
    std::string want;
  } cases[] = {
      {[] { appendLayer().name = "layer_2147483647"; }, freeLayerName, "layer_2147483647_2"},
      {[] {
         appendObject().name = "SceneObject2147483647";
         appendObject().name = "SceneObject2147483647_2";
       },
       freeInstanceName, "SceneObject2147483647_3"},
      {[] { appendTile().name = "tile_2147483647"; }, freeTileName, "tile_2147483647_2"},
      {[] {}, freeTileName, "tile_2147483647"},
  };
  for (const Case& c : cases) {
    clearProjectTables();
    uidCounter = INT_MAX;
    c.takeNames();
    EXPECT_EQ(c.make(), c.want);
    EXPECT_EQ(uidCounter, INT_MAX);
  }
}

}  // namespace
