#include <cstdlib>

#include "editors/editors.h"
#include "editors/name_tests.h"
#include "project/makers.h"
#include "scene/scene_window.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"

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

// The main window away from the screen's centre, so that a window centred
// on it rather than on the screen shows it.
void moveMainWindowAside() {
  setWindowState(MAIN_WINDOW, WINSTATE_NORMAL);
  resizeWindow(MAIN_WINDOW, 300, 200, 1100, 800);
  runSteps();
}

// Centred on the screen (the test screen's available area starts at 0, 0),
// frame and all; along a side the window is larger than the screen, at its
// start, so that the title bar stays in reach.
void expectCentredOnScreen(int window) {
  int fw = 0, fh = 0;
  windowFrameSize(window, fw, fh);
  int sw = desktopWidth(), sh = desktopHeight();
  if (fw > sw) EXPECT_EQ(windowX(window), 0);
  else EXPECT_LE(std::abs(2 * windowX(window) + fw - sw), 1);
  if (fh > sh) EXPECT_EQ(windowY(window), 0);
  else EXPECT_LE(std::abs(2 * windowY(window) + fh - sh), 1);
}

}  // namespace

TEST_F(PropertyWindows, FrameOfEveryKind) {
  startMainWindow();
  moveMainWindowAside();
  for (const Kind& k : kinds) {
    SCOPED_TRACE(k.word);
    std::string name = k.make();
    setModified(0);
    driverCall([&] {
      int w = windowWith("Done");
      EXPECT_EQ(getWindowTitle(w), k.title + name);
      EXPECT_EQ(windowWidth(w), k.w);
      EXPECT_EQ(windowHeight(w), k.h);
      EXPECT_EQ(windowTitleButtons(w), "");
      EXPECT_FALSE(windowIsResizable(w));
      expectCentredOnScreen(w);
      EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
      EXPECT_EQ(getGadgetText(gadgetByName(w, "name")), name);
      int done = gadgetByName(w, "Done"), remove = gadgetByName(w, "Delete");
      EXPECT_EQ(gadgetX(done), k.w - 75);
      EXPECT_EQ(gadgetY(done), k.h - 35);
      EXPECT_EQ(gadgetX(remove), 10);
    });
    // An empty name is refused, yet marks the project modified.
    driverSetText("name", "");
    driverClick("Done");
    driverAnswerMessage("Error", std::string("The ") + k.word + " name is missing");
    driverCall([] { EXPECT_EQ(modifiedFlag, 1); });
    driverCloseBox(0);   // no close box: nothing happens
    driverSetText("name", name + "_x");
    driverClick("Done");
    k.edit(name);
    EXPECT_TRUE(driverCheckDone());
    EXPECT_EQ(shownWindowCount(), 1);
    EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
    EXPECT_NE(itemGadget(k.panelKind, name + "_x"), 0) << "the panel shows the new name";

    // Taken names are refused; Delete asks its own question.
    std::string other = k.make();
    std::string question = std::string("Do you really want to delete this ") + k.word + "?";
    driverSetText("name", name + "_x");
    driverClick("Done");
    driverAnswerMessage("Error", std::string("The ") + k.word + " name '" + name + "_x' already exists");
    driverClick("Delete");
    driverAnswerMessage("Confirm", question, MSG_RESULT_NO);
    driverCall([&] { EXPECT_EQ(k.count(), 2u); });
    driverClick("Delete");
    driverAnswerMessage("Confirm", question, MSG_RESULT_YES);
    k.edit(other);
    EXPECT_TRUE(driverCheckDone());
    EXPECT_EQ(k.count(), 1u);
    EXPECT_EQ(itemGadget(k.panelKind, other), 0);
    EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
  }
}

// Its Delete is unsaved work, as the popup menu's is: Exit, New and Open ask.
TEST_F(PropertyWindows, DeleteMarksTheProjectModified) {
  startMainWindow();
  for (const Kind& k : kinds) {
    SCOPED_TRACE(k.word);
    std::string name = k.make();
    setModified(0);
    driverClick("Delete");
    driverAnswerMessage("Confirm", std::string("Do you really want to delete this ") + k.word + "?", MSG_RESULT_YES);
    k.edit(name);
    EXPECT_EQ(k.count(), 0u);
    EXPECT_EQ(modifiedFlag, 1);
  }
}

TEST_F(PropertyWindows, UnknownNameOpensNothingAndRebuildsThePanel) {
  startMainWindow();
  int before = resourceItems[0].gadget;
  newSprite();
  editSprite("nobody");   // a window loop would fail: no step is queued
  EXPECT_EQ(shownWindowCount(), 1);
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
  moveMainWindowAside();
  std::string scene = newScene(), other = newScene();
  appendSprite().name = "hero";
  setModified(0);
  driverCall([&] {
    int w = windowWith("Done");
    EXPECT_EQ(getWindowTitle(w), "Scene properties - " + scene);
    EXPECT_EQ(windowWidth(w), 1024);
    EXPECT_EQ(windowHeight(w), 668);
    EXPECT_TRUE(windowIsResizable(w));
    EXPECT_EQ(windowTitleButtons(w), "");
    // Wider than the test screen: at its left edge, centred from top to bottom.
    EXPECT_EQ(windowX(w), 0);
    expectCentredOnScreen(w);
    EXPECT_TRUE(isWindowDisabled(MAIN_WINDOW));
  });
  driverSetText("name", other);
  driverClick("Done");
  driverAnswerMessage("Error", "The scene name '" + other + "' already exists");
  driverSetText("name", "top");
  driverClick("Done");
  driverAnswerMessage("Error", "The name 'top' is already a name of the browser's window");
  driverSetText("name", "level 1");
  driverClick("Done");
  driverAnswerMessage("Error", "The name 'level 1' is not a JavaScript name (letters, digits, _ and $, not starting "
                               "with a digit)");
  driverSetText("name", "hero");
  driverClick("Done");
  driverAnswerMessage("Error", "The name 'hero' is already the name of the sprite 'hero'");
  driverSetText("name", "level");
  driverClick("Done");
  editScene(scene);
  EXPECT_TRUE(driverCheckDone());
  EXPECT_EQ(scenes[0].name, "level");
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_NE(itemGadget("Scenes", "level"), 0);
  EXPECT_FALSE(isWindowDisabled(MAIN_WINDOW));
}
