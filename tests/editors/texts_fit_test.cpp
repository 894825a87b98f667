// Every label, check box, option and button text of the editing windows and
// their dialogs is shown whole in the program's font, clear of the gadgets
// beside it, in the boxes drawn for it; and their title bars ask for no
// button the window does not have (only the event code window has any).
#include "editors/editor_frame.h"
#include "editors/editors.h"
#include "editors/instance_dialog.h"
#include "imaging/frame_list.h"
#include "project/makers.h"
#include "scene/scene_state.h"
#include "scene/scene_window.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"

#include <functional>

using TextsFit = ShellTest;

namespace {

using Texts = std::vector<std::string>;
using Box = std::vector<int>;

// The newest window holding the gadget, checked by the step queued now.
void expectFits(const std::string& what, const std::string& gadget, const std::string& buttons = "") {
  driverCall([=] {
    int w = windowWith(gadget);
    ASSERT_NE(w, 0) << what;
    EXPECT_EQ(clippedTexts(w), Texts{}) << what;
    EXPECT_EQ(crowdedTexts(w), Texts{}) << what;
    EXPECT_EQ(windowTitleButtons(w), buttons) << what;
  });
}

std::string pngOf(const std::string& folder, int w, int h, const std::string& name) {
  int image = createImage(-1, w, h, 32, rgba(0, 120, 0, 255));
  std::string path = folder + "/" + name;
  EXPECT_TRUE(savePng(image, path));
  freeImage(image);
  return path;
}

}  // namespace

TEST_F(TextsFit, EveryEditingWindowAndDialog) {
  startMainWindow();
  std::string sprite = newSprite();
  // The widest frame there can be: its size is shown in five digits.
  for (int i = 0; i < 3; ++i)
    appendSpriteFrame(sprite, newFrameNumber(sprite), createImage(-1, 16384, 4, 32, rgba(200, 0, 0, 255)));
  std::string big = pngOf(folder.path, 64, 64, "big.png");
  std::string strip = pngOf(folder.path, 64, 32, "strip.png");

  // The sprite window, the frame editor and the dialogs they open.
  struct Dialog {
    const char* what;
    std::function<void()> open;   // queues the steps that open it
    const char* gadget;           // a gadget of its own
    std::function<void()> close;  // queues the steps that end it
  };
  auto click = [](const char* b) { return [=] { driverClick(b); }; };
  const Dialog frameDialogs[] = {
      {"New", [] { driverShortcut("Edit sprite frames", SC_CONTROL | 'N'); }, "Width", click("Cancel")},
      {"Adding new frame",
       [&] {
         driverClick("Add new frame from file");
         driverAnswerFile("Select an image", big);
       },
       "Keep", click("Cancel")},
      {"Invert", click("Invert"), "all frames", click("Cancel")},
      {"Shift", click("Shift"), "all frames", click("Cancel")},
      {"Mirror", click("Mirror"), "all frames", click("Cancel")},
      {"Rotate", click("Rotate"), "all frames", click("Cancel")},
      {"Swap RGB channels", click("Swap RGB channels"), "all frames", click("Cancel")},
      {"Colorize", click("Colorize"), "all frames", click("Cancel")},
      {"Resize canvas", click("Resize canvas"), "new width", click("Cancel")},
      {"Stretch", click("Stretch"), "new width", click("Cancel")},
  };
  expectFits("sprite window", "preview area");
  driverClick("Edit");
  expectFits("frame editor", "strip");
  for (const Dialog& d : frameDialogs) {
    d.open();
    expectFits(d.what, d.gadget);
    d.close();
  }
  driverClick("Done");
  driverClick("Load...");
  driverAnswerFile("Select an image strip", strip);
  expectFits("strip import", "strip view");
  driverCall([] {
    int w = windowWith("strip view");
    EXPECT_EQ(textBox(w, "Columns"), (Box{10, 15, 40, 25}));
    EXPECT_EQ(textBox(w, "Rows"), (Box{120, 15, 40, 25}));
  });
  driverClick("Import");
  driverClick("Done");
  editSprite(sprite);
}

TEST_F(TextsFit, EveryPropertyWindow) {
  startMainWindow();
  std::string background = newBackground(), object = newObject(), font = newFont(), sound = newSound(),
              music = newMusic(), function = newFunction();
  std::string picture = pngOf(folder.path, 64, 64, "picture.png");
  addObjectEvent(object, "Animation end", "");
  driverClick("Select image...");
  driverAnswerFile("Select an image", picture);
  driverClick("Use as tile set");
  expectFits("background window", "Width");
  // Each field lies over the end of its label's box.
  driverCall([] {
    int w = windowWith("tile set");
    const struct {
      const char* label;
      int y;
    } rows[] = {{"Width", 15},     {"Height", 45},    {"X offset", 105},
                {"Y offset", 145}, {"X space", 205}, {"Y space", 245}};
    for (const auto& r : rows) {
      EXPECT_EQ(textBox(w, r.label), (Box{10, r.y, 50, 25}));
      int field = gadgetByName(w, r.label);
      Box place{gadgetX(field), gadgetY(field), gadgetWidth(field), gadgetHeight(field)};
      EXPECT_EQ(place, (Box{50, r.y - 5, 30, 25})) << r.label;
    }
  });
  driverClick("Done");
  editBackground(background);

  driverChooseText("kind", "Step");
  driverClick("Add event >>> ");
  expectFits("event code window", "code", "menu minimise close");
  driverClick("OK");
  expectFits("object window", "events");
  driverCall([] {
    int events = gadgetByName(0, "events");
    ASSERT_EQ(countGadgetItems(events), 2);
    EXPECT_EQ(getGadgetItemText(events, 1), "Animation end");
    EXPECT_EQ(listColumnWidth(events, 0), 90);
    EXPECT_EQ(clippedItems(events), Texts{});
  });
  driverClick("Done");
  editObject(object);

  struct Window {
    const char* what;
    void (*edit)(const std::string&);
    std::string name;
  } windows[] = {{"font", editFont, font}, {"sound", editSound, sound}, {"music", editMusic, music},
                 {"function", editFunction, function}};
  for (const Window& w : windows) {
    expectFits(w.what, "name");
    driverClick("Done");
    w.edit(w.name);
  }
}

TEST_F(TextsFit, SceneWindowTabsAndDialogs) {
  startMainWindow();
  std::string object = newObject(), background = newBackground(), scene = newScene();
  ObjectRecord& placed = appendObject();
  placed.prototype = 0;
  placed.template_ = object;
  placed.name = "SceneObject90";
  placed.scene = scene;
  placed.image = -1;
  placed.rotatedImage = -1;
  // Every tab's gadgets, in front or not.
  expectFits("scene window", "panel");
  driverCall([] {
    int actions = gadgetByName(0, "object action");
    Box place{gadgetX(actions), gadgetY(actions), gadgetWidth(actions), gadgetHeight(actions)};
    EXPECT_EQ(place, (Box{10, 35, 120, 25}));
    EXPECT_EQ(countGadgetItems(actions), 3);
    EXPECT_EQ(clippedItems(actions), Texts{});
  });
  driverChoose("panel", TAB_TILES);
  const struct {
    const char* what;
    const char* button;
    const char* gadget;
  } dialogs[] = {{"add layer", "Add", "depth"}, {"change layer", "Change...", "depth"}, {"shift", "shift", "horizontal"}};
  for (const auto& d : dialogs) {
    driverClick(d.button);
    expectFits(d.what, d.gadget);
    driverClick("Cancel");
  }
  driverCall([] { editInstance(int(objects.size()) - 1, windowWith("panel")); }, "instance dialog");
  expectFits("instance dialog", "image angle");
  driverClick("Cancel");
  driverClick("Done");
  editScene(scene);
}
