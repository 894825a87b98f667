// Writes test games the way the program does: records in the project tables,
// then generateGameFiles with the shipped template. The browser tests play
// them. Usage: runtime_game_writer <export.js> <program folder>
#include <cstdio>
#include <string>
#include <vector>

#include "builder/game_files.h"
#include "builder/settings.h"
#include "project/hooks.h"
#include "project/makers.h"
#include "project/tables.h"
#include "ui/image.h"
#include "ui/ui.h"
#include "ui/system.h"

namespace {

int failures = 0;

SpriteRecord& addSprite(const std::string& name, int w, int h, int cx, int cy,
                        const std::vector<uint32_t>& frameColours) {
  SpriteRecord& s = appendSprite();
  s.name = name;
  s.collisionshape = "Box";
  s.collisionright = w;
  s.collisionbottom = h;
  s.collisionradius = w / 2;
  s.centerx = cx;
  s.centery = cy;
  for (size_t i = 0; i < frameColours.size(); i++) {
    FrameRecord& f = appendFrame();
    f.sprite = name;
    f.file = std::to_string(i);
    f.image = createImage(UI_ANY, w, h, 32, frameColours[i]);
  }
  return sprites.back();
}

// The pictures go where the project writer would put them.
void writeFramePictures(const std::string& project) {
  for (const FrameRecord& f : frames)
    if (!savePng(f.image, "Projects/" + project + "/" + imgFolder + "/" + f.sprite + "_" + f.file + ".png"))
      failures++;
}

void writePicture(const std::string& project, const std::string& file, int w, int h, uint32_t left,
                  uint32_t right) {
  int img = createImage(UI_ANY, w, h, 32, left);
  for (int y = 0; y < h; y++)
    for (int x = w / 2; x < w; x++) setPixel(img, x, y, right);
  if (!savePng(img, "Projects/" + project + "/" + imgFolder + "/" + file)) failures++;
  freeImage(img);
}

ObjectRecord& addObject(const std::string& name, const std::string& sprite, const std::string& parent,
                        int depth) {
  ObjectRecord& o = appendObject();
  o.prototype = 1;
  o.name = name;
  o.sprite = sprite;
  o.parent = parent;
  o.visible = 1;
  o.collision = 1;
  o.depth = depth;
  return o;
}

void addInstance(const std::string& of, const std::string& scene, int x, int y) {
  ObjectRecord& o = appendObject();
  o.prototype = 0;
  o.name = "inst_" + std::to_string(objects.size());
  o.template_ = of;
  o.scene = scene;
  o.x = x;
  o.y = y;
}

void addScript(const std::string& object, const std::string& event, const std::string& code,
               const std::string& parameter = "") {
  ScriptRecord& s = appendScript();
  s.name = "scr_" + std::to_string(scripts.size());
  s.object = object;
  s.event = event;
  s.parameter = parameter;
  s.code = code;
}

SceneRecord& addScene(const std::string& name, int w, int h, int r, int g, int b) {
  SceneRecord& s = appendScene();
  s.name = name;
  s.width = w;
  s.height = h;
  s.viewportwidth = w;
  s.viewportheight = h;
  s.speed = 30;
  s.red = r;
  s.green = g;
  s.blue = b;
  return scenes.back();
}

void addTile(const std::string& scene, const std::string& background, int depth, int x, int y, int w, int h) {
  TileRecord& t = appendTile();
  t.name = "tile_" + std::to_string(tiles.size());
  t.scene = scene;
  t.background = background;
  t.depth = depth;
  t.width = w;
  t.height = h;
  t.x = x;
  t.y = y;
}

void start(const std::string& project) {
  clearProjectTables();
  projectName = project;
  makeFolder("Projects/" + project);
  makeFolder("Projects/" + project + "/" + imgFolder);
}

void finish() {
  writeFramePictures(projectName);
  generateGameFiles();
}

const uint32_t RED = rgba(255, 0, 0, 255), DARK_RED = rgba(200, 0, 0, 255), BLUE = rgba(0, 0, 255, 255),
               GREEN = rgba(0, 160, 0, 255), YELLOW = rgba(255, 255, 0, 255), CYAN = rgba(0, 255, 255, 255);

// The whole game: a player with two frames moved by Step and the right
// arrow, a wall destroyed on collision, a parent defined after its child, a
// followed view, a tile over an instance of equal depth, a tiled and a
// stretched background, a second scene, global variables, a user function.
void wholeGame() {
  start("whole");
  projectInfo.variables = "var trail = [];\r\nvar score = 0;\r\nvar ended = 0;";
  FunctionRecord& f = appendFunction();
  f.name = "note";
  f.params = "s";
  f.code = "trail.push(s);";
  addSprite("spr_player", 16, 16, 8, 8, {RED, DARK_RED});
  addSprite("spr_wall", 16, 16, 0, 0, {BLUE});
  BackgroundRecord& sky = appendBackground();
  sky.name = "bg_sky";
  sky.file = "sky.png";
  writePicture("whole", "sky.png", 20, 20, YELLOW, CYAN);
  BackgroundRecord& tilesBg = appendBackground();
  tilesBg.name = "bg_tiles";
  tilesBg.file = "tiles.png";
  writePicture("whole", "tiles.png", 16, 16, GREEN, GREEN);

  addObject("obj_player", "spr_player", "obj_base", 0);
  addScript("obj_player", "Creation", "hp = 3; note('create player');");
  addScript("obj_player", "Step", "x += 2;");
  addScript("obj_player", "Step", "if (keyboard_check(vk_right)) x += 10;\r\nif (x > 420) scene_goto(scene_two);");
  addScript("obj_player", "Room end", "note('room end');");
  addObject("obj_wall", "spr_wall", "", 0);
  addScript("obj_wall", "Collision", "note('hit');\r\ninstance_destroy();", "obj_player");
  addScript("obj_wall", "Destroy", "score += 10;");
  addObject("obj_block", "spr_wall", "", 5);
  addObject("obj_base", "", "", 0);
  addScript("obj_base", "End step", "ended += 1;");
  addScript("obj_base", "Room start", "note(scene == scene_one ? 'start one' : 'start two');");

  SceneRecord& one = addScene("scene_one", 1000, 300, 10, 20, 30);
  one.background = "bg_sky";
  one.backgroundtilex = 1;
  one.viewportwidth = 200;
  one.viewportheight = 150;
  one.viewportobject = "obj_player";
  one.viewportxborder = 60;
  one.viewportyborder = 20;
  addTile("scene_one", "bg_tiles", 5, 40, 120, 16, 16);
  addInstance("obj_player", "scene_one", 20, 40);
  addInstance("obj_wall", "scene_one", 80, 32);
  addInstance("obj_block", "scene_one", 40, 120);
  SceneRecord& two = addScene("scene_two", 100, 100, 0, 0, 0);
  two.background = "bg_sky";
  two.backgroundstretch = 1;
  addInstance("obj_player", "scene_two", 10, 50);
  finish();
}

// Records left behind by deletes and odd file names.
void faults() {
  start("faults");
  BackgroundRecord& quoted = appendBackground();
  quoted.name = "bg_quote";
  quoted.file = "it's here.png";
  writePicture("faults", "it's here.png", 8, 8, GREEN, GREEN);
  BackgroundRecord& empty = appendBackground();
  empty.name = "bg_empty";
  addSprite("spr_dot", 8, 8, 0, 0, {RED});
  addObject("obj_orphan", "spr_dot", "obj_deleted", 0);
  addScript("obj_orphan", "Step", "steps += 1;");
  SceneRecord& s = addScene("scene_faults", 64, 64, 0, 0, 90);
  s.background = "bg_empty";
  s.viewportobject = "obj_gone";
  addTile("scene_faults", "bg_quote", 0, 40, 40, 8, 8);
  addTile("scene_faults", "bg_empty", 0, 0, 0, 8, 8);
  addInstance("obj_orphan", "scene_faults", 0, 0);
  addInstance("obj_deleted", "scene_faults", 8, 8);
  // A sprite name that no sprite has, as an edited file may leave it.
  addObject("obj_ghost", "spr_gone", "", 0);
  addScript("obj_ghost", "Step", "ghost_steps += 1;");
  addInstance("obj_ghost", "scene_faults", 20, 50);
  projectInfo.variables = "var steps = 0;\r\nvar ghost_steps = 0;";
  finish();
}

// A typo in one piece of code of each kind: every other piece still plays.
// The v flag of a regular expression is one the builder's engine refuses
// and the browser takes.
void typos() {
  start("typo");
  addSprite("spr_dot", 8, 8, 0, 0, {RED});
  addObject("obj_mover", "spr_dot", "", 0);
  addScript("obj_mover", "Step", "x += 2; seen_let = shared_let;");
  addScript("obj_mover", "Collision", "hit( ;", "obj_typo");
  addObject("obj_typo", "spr_dot", "", 0);
  addScript("obj_typo", "Creation", "made += 1;");
  addScript("obj_typo", "Step", "y += 1;\r\nif (x > 100 {");
  addScript("obj_typo", "End step", "typo_end += 1;");
  // A stray "}" here and an unclosed "{" further on made one script that
  // parsed, with the handlers between them moved out of their objects.
  addObject("obj_stray", "spr_dot", "", 0);
  addScript("obj_stray", "Step", "stray_steps += 1;\r\n}");
  addScript("obj_stray", "End step", "stray_end += 1;");
  addObject("obj_open", "spr_dot", "", 0);
  addScript("obj_open", "Creation", "if (true) {");
  addScript("obj_open", "Step", "open_steps += 1;");
  addObject("obj_modern", "", "", 0);
  addScript("obj_modern", "Step", "modern_steps += 1; modern_ok = /[\\p{L}--[a-z]]/v.test('Q');");
  // Inside with(this) a directive is only a text, also for a piece that
  // the runtime compiles (the v flag).
  addScript("obj_typo", "Step", "\"use strict\"; strict_steps += /[a-z]/v.test('a') ? 010 : 0;");
  // Each compiles alone; together they declare n twice.
  addObject("obj_clash", "", "", 0);
  addScript("obj_clash", "Step", "let n = 1; clash_one += n;");
  addScript("obj_clash", "Step", "let n = 2; clash_two += n;");
  SceneRecord& s = addScene("scene_typo", 520, 160, 0, 0, 40);
  s.code = "scene_started = 1;\r\nvar = 3;";
  addInstance("obj_mover", "scene_typo", 10, 10);
  addInstance("obj_typo", "scene_typo", 60, 10);
  addInstance("obj_stray", "scene_typo", 110, 10);
  addInstance("obj_open", "scene_typo", 10, 60);
  addInstance("obj_modern", "scene_typo", 0, 0);
  addInstance("obj_clash", "scene_typo", 0, 0);
  FunctionRecord& body = appendFunction();
  body.name = "bad_body";
  body.code = "return (1;";
  FunctionRecord& params = appendFunction();
  params.name = "bad_params";
  params.params = "a, (";
  params.code = "return a;";
  FunctionRecord& modern = appendFunction();
  modern.name = "v_double";
  modern.params = "n";
  modern.code = "return /[a-z]/v.test('a') ? n * 2 : 0;";
  FunctionRecord& twice = appendFunction();
  twice.name = "twice";
  twice.params = "n";
  twice.code = "return n * 2;";
  projectInfo.functions = "function helper() { return 3; }\r\nfunction oops( {";
  projectInfo.variables =
      "var made = 0, typo_end = 0, stray_steps = 0, stray_end = 0, open_steps = 0, modern_steps = 0;\r\n"
      "var modern_ok = null, scene_started = 0, seen_let = null;\r\n"
      "var strict_steps = 0, clash_one = 0, clash_two = 0;\r\n"
      "let shared_let = twice(21);\r\nvar late_rx = /[a-z]/v;";
  writeFile("Extensions/typo_ext.tex", "[EXTENSION]\nTypo\n[AUTHOR]\nMe\n[CODE]\nvar ext_ok = 1;\next_fn( {\n");
  // Names the runtime and a resource declare: each script costs only itself.
  writeFile("Extensions/clash_ext.tex",
            "[EXTENSION]\nClash\n[AUTHOR]\nMe\n[CODE]\nlet max = 10;\nvar clash_ext = 1;\n");
  writeFile("Extensions/names_ext.tex", "[EXTENSION]\nNames\n[AUTHOR]\nMe\n[CODE]\nclass spr_dot {}\n");
  // Functions compiled late, called while the game loads.
  writeFile("Extensions/early_ext.tex", "[EXTENSION]\nEarly\n[AUTHOR]\nMe\n[CODE]\n"
            "var early_twice = v_double(21);\nvar early_bad = bad_body();\nvar early_after = 1;\n");
  writeFile("Projects/typo/extensions.dat", "typo_ext\nclash_ext\nnames_ext\nearly_ext\n");
  finish();
}

void noScene() {
  start("noscene");
  addObject("obj_alone", "", "", 0);
  finish();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <export.js> <program folder>\n", argv[0]);
    return 2;
  }
  std::string templateBytes;
  if (!readFile(argv[1], templateBytes)) return 2;
  makeFolder(argv[2]);
  if (!setCurrentFolder(argv[2])) return 2;
  writeFile("export.js", templateBytes);
  makeFolder("Projects");
  loadRuntimeTemplate();
  builderHooks.readyAfter = [](int) {};
  projectHooks.message = [](const std::string& title, const std::string& text) {
    std::printf("%s: %s\n", title.c_str(), text.c_str());
  };
  projectHooks.setStatusText = [](const std::string&) {};
  generateIndexHtml = 1;
  imgFolder = "img";
  audFolder = "aud";
  wholeGame();
  faults();
  makeFolder("Extensions");
  typos();
  noScene();
  clearProjectTables();
  return failures == 0 ? 0 : 1;
}
