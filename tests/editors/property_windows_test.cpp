#include "editors/editors.h"
#include "editors/name_tests.h"
#include "project/makers.h"
#include "scene/scene_window.h"
#include "tests/shell/shell_fixture.h"

using PropertyWindows = ShellTest;

namespace {

struct Kind {
  const char* word;
  std::string (*make)();
  void (*edit)(const std::string&);
  const char* title;
  int w, h;
  std::function<size_t()> count;
  const char* panelKind;
};

const Kind kinds[] = {
    {"sprite", newSprite, editSprite, "Sprite properties - ", 800, 600, [] { return sprites.size(); }, "Sprites"},
    {"sound", newSound, editSound, "Sound properties - ", 480, 220, [] { return sounds.size(); }, "Sounds"},
    {"music", newMusic, editMusic, "Music properties - ", 480, 220, [] { return musics.size(); }, "Musics"},
    {"background", newBackground, editBackground, "Background properties - ", 800, 600,
     [] { return backgrounds.size(); }, "Backgrounds"},
    {"font", newFont, editFont, "Font properties - ", 200, 300, [] { return fonts.size(); }, "Fonts"},
    {"object", newObject, editObject, "Object properties - ", 800, 600, [] { return objects.size(); }, "Objects"},
    {"function", newFunction, editFunction, "Function properties - ", 800, 600, [] { return fns.size(); },
     "Functions"},
};

}  // namespace

TEST_F(PropertyWindows, FrameOfEveryKind) {
  startMainWindow();
  for (const Kind& k : kinds) {
    std::string name = k.make();
    setModified(0);
    messages().clear();
    fake::queue(fake::check([&] {
      int w = fake::topWindow();
      const fake::Window& win = fake::state().windows[w];
      EXPECT_EQ(win.title, k.title + name);
      EXPECT_EQ(win.w, k.w);
      EXPECT_EQ(win.h, k.h);
      EXPECT_EQ(win.flags, WIN_TITLEBAR) << "no close box, not resizable";
      EXPECT_EQ(win.centerTarget, MAIN_WINDOW);
      EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
      EXPECT_EQ(getGadgetText(fake::gadgetNamed("name")), name);
      int done = fake::gadgetNamed("Done"), remove = fake::gadgetNamed("Delete");
      EXPECT_EQ(gadgetX(done), k.w - 75);
      EXPECT_EQ(gadgetY(done), k.h - 35);
      EXPECT_EQ(gadgetX(remove), 10);
    }));
    // An empty name is refused, yet marks the project modified.
    fake::queue(fake::type("name", ""));
    fake::queue(fake::clickNamed("Done"));
    fake::queue(fake::check([&] {
      ASSERT_EQ(messages().size(), 1u);
      EXPECT_EQ(messages()[0].title, "Error");
      EXPECT_EQ(messages()[0].text, std::string("The ") + k.word + " name is missing");
      EXPECT_EQ(modifiedFlag, 1);
    }));
    fake::queue(fake::windowEvent(EV_CLOSEWINDOW));   // no close box: ignored
    fake::queue(fake::type("name", name + "_x"));
    fake::queue(fake::clickNamed("Done"));
    k.edit(name);
    EXPECT_EQ(fake::topWindow(), MAIN_WINDOW) << k.word;
    EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
    EXPECT_NE(itemGadget(k.panelKind, name + "_x"), 0) << k.word << ": the panel shows the new name";

    // Taken names are refused; Delete asks its own question.
    std::string other = k.make();
    messages().clear();
    answer({MSG_RESULT_NO, MSG_RESULT_YES});
    fake::queue(fake::type("name", name + "_x"));
    fake::queue(fake::clickNamed("Done"));
    fake::queue(fake::clickNamed("Delete"));
    fake::queue(fake::check([&] { EXPECT_EQ(k.count(), 2u); }));
    fake::queue(fake::clickNamed("Delete"));
    k.edit(other);
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_EQ(messages()[0].text, std::string("The ") + k.word + " name '" + name + "_x' already exists");
    EXPECT_EQ(messages()[1].title, "Confirm");
    EXPECT_EQ(messages()[1].text, std::string("Do you really want to delete this ") + k.word + "?");
    EXPECT_EQ(k.count(), 1u) << k.word;
    EXPECT_EQ(itemGadget(k.panelKind, other), 0);
    EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
  }
}

TEST_F(PropertyWindows, UnknownNameOpensNothingAndRebuildsThePanel) {
  startMainWindow();
  int before = resourceItems[0].gadget;
  newSprite();
  editSprite("nobody");
  EXPECT_EQ(fake::state().openedTitles.size(), 1u);
  EXPECT_EQ(resourceItems.size(), 10u);
  EXPECT_NE(resourceItems[0].gadget, before);
}

TEST_F(PropertyWindows, RenamesReachTheRecordsThatReferToThem) {
  std::string sprite = newSprite(), background = newBackground(), object = newObject(), scene = newScene();
  FrameRecord& frame = appendFrame();
  frame.sprite = sprite;
  objects[0].sprite = sprite;
  ObjectRecord& child = appendObject();
  child.prototype = 1;
  child.name = "child";
  child.parent = object;
  ObjectRecord& instance = appendObject();
  instance.template_ = object;
  instance.scene = scene;
  instance.name = "SceneObject9";
  ScriptRecord& script = appendScript();
  script.object = "child";
  script.event = "Collision";
  script.parameter = object;
  scenes[0].background = background;
  scenes[0].viewportobject = object;
  TileRecord& tile = appendTile();
  tile.background = background;
  tile.scene = scene;

  EXPECT_EQ(isObjectNameFree("SceneObject9", 0), 0);   // instances count
  EXPECT_EQ(isSpriteNameFree(sprite, 0), 1);           // the record skips itself
  EXPECT_EQ(isSpriteNameFree(sprite, -1), 0);
  EXPECT_EQ(isSpriteNameFree("Sprite_2", -1), 1);      // case counts

  renameSprite(0, "hero");
  renameBackground(0, "sky");
  renameObject(0, "player");
  renameScene(0, "level");
  EXPECT_EQ(frames[0].sprite, "hero");
  EXPECT_EQ(objects[0].sprite, "hero");
  EXPECT_EQ(objects[1].parent, "player");
  EXPECT_EQ(objects[2].template_, "player");
  EXPECT_EQ(objects[2].scene, "level");
  EXPECT_EQ(scripts[0].parameter, "player");
  EXPECT_EQ(scripts[0].object, "child");
  EXPECT_EQ(scenes[0].background, "sky");
  EXPECT_EQ(scenes[0].viewportobject, "player");
  EXPECT_EQ(tiles[0].background, "sky");
  EXPECT_EQ(tiles[0].scene, "level");
  EXPECT_EQ(layers[0].scene, "level");
}

TEST_F(PropertyWindows, SceneWindow) {
  startMainWindow();
  std::string scene = newScene(), other = newScene();
  setModified(0);
  fake::queue(fake::check([&] {
    const fake::Window& win = fake::state().windows[fake::topWindow()];
    EXPECT_EQ(win.title, "Scene properties - " + scene);
    EXPECT_EQ(win.w, 1024);
    EXPECT_EQ(win.h, 668);
    EXPECT_TRUE(win.flags & WIN_SIZEGADGET);
    EXPECT_EQ(win.centerTarget, MAIN_WINDOW);
    EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
  }));
  fake::queue(fake::type("name", other));
  fake::queue(fake::clickNamed("Done"));
  fake::queue(fake::type("name", "level"));
  fake::queue(fake::clickNamed("Done"));
  editScene(scene);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].text, "The scene name '" + other + "' already exists");
  EXPECT_EQ(scenes[0].name, "level");
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_NE(itemGadget("Scenes", "level"), 0);
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
}
