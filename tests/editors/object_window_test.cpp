#include "codeeditor/code_editor.h"
#include "editors/editor_frame.h"
#include "editors/editors.h"
#include "project/makers.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"
#include "ui/draw.h"

using ObjectWindow = ShellTest;

namespace {

std::vector<std::string> eventRows() {
  std::vector<std::string> rows;
  int list = gadgetByName(0, "events");
  for (int i = 0; i < countGadgetItems(list); ++i)
    rows.push_back(getGadgetItemText(list, i, 0) + "|" + getGadgetItemText(list, i, 1));
  return rows;
}

ScriptRecord& addScript(const std::string& object, const std::string& kind, const std::string& parameter,
                        const std::string& code) {
  ScriptRecord& s = appendScript();
  s.name = "scr_" + std::to_string(nextUid());
  s.object = object;
  s.event = kind;
  s.parameter = parameter;
  s.code = code;
  return s;
}

}  // namespace

TEST_F(ObjectWindow, EventsListedByKindWithTheirPopup) {
  startMainWindow();
  std::string ball = newObject(), other = newObject();
  addScript(ball, "Step", "", "step();");
  addScript(other, "Creation", "", "");
  addScript(ball, "Creation", "", "born();");
  addScript(ball, "Collision", other, "hit();");
  addScript(ball, "Teleport", "", "");   // no kind of the nine: never listed
  addScript(ball, "Step", "", "second();");
  driverCall([] {
    EXPECT_EQ(eventRows(), (std::vector<std::string>{"Creation|", "Step|", "Step|", "Collision|object_3"}));
    EXPECT_EQ(getGadgetText(gadgetByName(0, "code preview")), "");
  });
  driverSelectRow("events", 3);
  driverCall([] { EXPECT_EQ(getGadgetText(gadgetByName(0, "code preview")), "hit();"); });
  // The popup's Delete asks; No keeps the event.
  driverRightClickRow("events", 1);
  driverChoosePopupItem(EVENT_POPUP_DELETE);
  driverAnswerMessage("Confirm", "Delete this event?", MSG_RESULT_NO);
  driverCall([] { EXPECT_EQ(scripts.size(), 6u); });
  driverRightClickRow("events", 1);
  driverChoosePopupItem(EVENT_POPUP_DELETE);
  driverAnswerMessage("Confirm", "Delete this event?", MSG_RESULT_YES);
  driverCall([] {
    EXPECT_EQ(scripts.size(), 5u);
    EXPECT_EQ(eventRows(), (std::vector<std::string>{"Creation|", "Step|", "Collision|object_3"}));
    EXPECT_EQ(getGadgetText(gadgetByName(0, "code preview")), "");
  });
  // Edit opens the event's code window over this one.
  driverRightClickRow("events", 1);
  driverChoosePopupItem(EVENT_POPUP_EDIT);
  driverCall([] {
    EXPECT_EQ(getWindowTitle(windowWith("code")), "Code editor - Step event of object_2");
    EXPECT_TRUE(isWindowDisabled(windowWith("events")));
  });
  driverClick("Cancel");
  driverDoubleClickRow("events", 0);
  driverSetText("code", "again();");
  driverClick("OK");
  driverCall([] { EXPECT_FALSE(isWindowDisabled(windowWith("events"))); });
  driverClick("Done");
  editObject(ball);
  EXPECT_TRUE(driverCheckDone());
  EXPECT_EQ(scripts[1].code, "again();");
  EXPECT_EQ(scripts[4].code, "second();") << "the deleted one was the first Step";
}

TEST_F(ObjectWindow, AnEventAddedAndCancelledStaysEmpty) {
  startMainWindow();
  std::string ball = newObject();
  driverChooseText("kind", "Draw");
  driverClick("Add event >>> ");
  driverCall([] { EXPECT_EQ(getWindowTitle(windowWith("code")), "Code editor - Draw event of object_2"); });
  driverSetText("code", "drawn();");
  driverClick("Cancel");
  driverClick("Add event >>> ");
  driverClick("OK");
  driverCall([] { EXPECT_EQ(eventRows(), (std::vector<std::string>{"Draw|", "Draw|"})); });
  driverClick("Done");
  editObject(ball);
  ASSERT_EQ(scripts.size(), 2u);
  EXPECT_EQ(scripts[0].event, "Draw");
  EXPECT_EQ(scripts[0].code, "");
}

// Every refill of the event list leaves no row selected and so no code in the
// preview, which would be read as that of some other row; a row that gets
// selected, by a left or a right click, shows its own code.
TEST_F(ObjectWindow, ThePreviewShowsOnlyTheSelectedEventsCode) {
  startMainWindow();
  std::string ball = newObject();
  addScript(ball, "Creation", "", "born();");
  addScript(ball, "Step", "", "step();");
  addScript(ball, "Draw", "", "drawn();");
  auto preview = [] { return getGadgetText(gadgetByName(0, "code preview")); };
  struct Path {
    const char* what;
    std::function<void()> steps;
  };
  const Path paths[] = {
      {"an event added", [] { driverClick("Add event >>> "); driverClick("OK"); }},
      {"an event added and cancelled", [] { driverClick("Add event >>> "); driverClick("Cancel"); }},
      {"an event's code edited",
       [] {
         driverDoubleClickRow("events", 0);
         driverSetText("code", "again();");
         driverClick("OK");
       }},
      {"an event deleted",
       [] {
         driverRightClickRow("events", 1);
         driverChoosePopupItem(EVENT_POPUP_DELETE);
         driverAnswerMessage("Confirm", "Delete this event?", MSG_RESULT_YES);
       }},
      {"an event's kind changed",
       [] {
         driverRightClickRow("events", 0);
         driverChoosePopupItem(EVENT_POPUP_EDIT);
         driverChooseText("kind", "Destroy");
         driverClick("OK");
       }},
  };
  for (const Path& p : paths) {
    driverSelectRow("events", 0);
    driverCall([&] {
      SCOPED_TRACE(p.what);
      EXPECT_NE(preview(), "") << "the first Creation row shows its code";
    });
    p.steps();
    driverCall([&] {
      SCOPED_TRACE(p.what);
      EXPECT_EQ(getGadgetState(gadgetByName(0, "events")), -1);
      EXPECT_EQ(preview(), "");
    });
  }
  driverCall([] {
    EXPECT_EQ(eventRows(), (std::vector<std::string>{"Creation|", "Destroy|", "Step|", "Draw|"}));
  });
  driverSelectRow("events", 3);
  driverCall([&] { EXPECT_EQ(preview(), "drawn();"); });
  driverRightClickRow("events", 2);   // the popup is left unused
  driverCall([&] { EXPECT_EQ(preview(), "step();"); });
  driverClick("Done");
  editObject(ball);
}

// A new name reaches every record that names the object; the instances take
// its depth, sprite and display image.
TEST_F(ObjectWindow, DoneRenamesAndDressesTheInstances) {
  startMainWindow();
  std::string sprite = newSprite(), bare = newSprite();
  int frame = createImage(-1, 32, 16, 32, rgba(255, 0, 0, 255));
  appendFrame() = {"0", sprite, frame};
  std::string ball = newObject(), child = newObject(), wall = newObject(), scene = newScene();
  objects[1].parent = ball;
  objects[0].depth = 3;
  ObjectRecord& instance = appendObject();
  instance.template_ = ball;
  instance.name = "SceneObject90";
  instance.scene = scene;
  instance.image = -1;
  addScript(ball, "Step", "", "");
  addScript(wall, "Collision", ball, "");
  scenes[0].viewportobject = ball;
  driverCall([&] {
    EXPECT_EQ(getGadgetText(gadgetByName(0, "size")), "Size: <no sprite>");
    int parent = gadgetByName(0, "parent");
    std::vector<std::string> items;
    for (int i = 0; i < countGadgetItems(parent); ++i) items.push_back(getGadgetItemText(parent, i));
    EXPECT_EQ(items, (std::vector<std::string>{"", child, wall})) << "never the object itself";
  });
  driverChooseText("sprite", bare);
  driverCall([] { EXPECT_EQ(getGadgetText(gadgetByName(0, "size")), "Size: <no sprite>"); });
  driverChooseText("sprite", sprite);
  driverCall([] {
    EXPECT_EQ(getGadgetText(gadgetByName(0, "size")), "Size: 32 x 16 px");
    int preview = gadgetByName(0, "preview");
    EXPECT_EQ(gadgetScreenPixel(preview, 50, 20), 255) << "the longer side fills 100 pixels";
    EXPECT_NE(gadgetScreenPixel(preview, 50, 70), 255) << "top-left aligned";
  });
  driverSetText("depth", "-7x");
  driverCheck("Visible", false);
  driverSetText("name", "bullet");
  driverClick("Done");
  editObject(ball);
  EXPECT_TRUE(driverCheckDone());
  const ObjectRecord& o = objects[0];
  EXPECT_EQ(o.name, "bullet");
  EXPECT_EQ(o.sprite, sprite);
  EXPECT_EQ(o.depth, -7);
  EXPECT_EQ(o.visible, 0);
  EXPECT_EQ(o.image, frame);
  EXPECT_EQ(o.imageWidth, 32);
  EXPECT_EQ(objects[1].parent, "bullet");
  EXPECT_EQ(objects[3].template_, "bullet");
  EXPECT_EQ(objects[3].depth, -7);
  EXPECT_EQ(objects[3].sprite, sprite);
  EXPECT_EQ(objects[3].image, frame);
  EXPECT_EQ(objects[3].imageHeight, 16);
  EXPECT_EQ(scripts[0].object, "bullet");
  EXPECT_EQ(scripts[1].parameter, "bullet");
  EXPECT_EQ(scenes[0].viewportobject, "bullet");
  EXPECT_NE(itemGadget("Objects", "bullet"), 0);

  // The empty first item clears the parent.
  driverChoose("parent", 0);
  driverClick("Done");
  objects[1].parent = "bullet";
  editObject(child);
  EXPECT_EQ(objects[1].parent, "");
}

// While a new name is typed, the Collision partner list shows the object
// under it, yet a pick of it stores the object's record, so that Done's
// rename reaches the event whatever name is applied in the end; a taken
// name shown twice keeps the two objects apart. The code window's title
// keeps the event's own object name, which Done changes.
TEST_F(ObjectWindow, PartnerListShowsTheNameBeingTyped) {
  startMainWindow();
  std::string ball = newObject(), wall = newObject();
  auto partnerItems = [] {
    int partner = gadgetByName(0, "partner");
    std::vector<std::string> items;
    for (int i = 0; i < countGadgetItems(partner); ++i) items.push_back(getGadgetItemText(partner, i));
    return items;
  };
  driverSetText("name", "bullet");
  driverChooseText("kind", "Collision");
  driverClick("Add event >>> ");
  driverCall([&] {
    EXPECT_EQ(partnerItems(), (std::vector<std::string>{"", "bullet", wall}));
    EXPECT_EQ(getWindowTitle(windowWith("code")), "Code editor - Collision event of " + ball);
  });
  driverChooseText("partner", "bullet");
  driverSetText("code", "bounce();");
  driverClick("OK");
  driverSetText("name", wall);
  driverClick("Done");
  driverAnswerMessage("Error", "The object name '" + wall + "' already exists");
  driverDoubleClickRow("events", 0);
  driverCall([&] {
    EXPECT_EQ(partnerItems(), (std::vector<std::string>{"", wall, wall}));
    EXPECT_EQ(getGadgetState(gadgetByName(0, "partner")), 1) << "the object itself";
  });
  driverClick("Cancel");
  driverClick("Add event >>> ");
  driverChoose("partner", 2);   // the other object of that name
  driverClick("OK");
  driverSetText("name", "rock");
  driverClick("Done");
  editObject(ball);
  EXPECT_TRUE(driverCheckDone());
  EXPECT_EQ(objects[0].name, "rock");
  ASSERT_EQ(scripts.size(), 2u);
  EXPECT_EQ(scripts[0].object, "rock");
  EXPECT_EQ(scripts[0].parameter, "rock");
  EXPECT_EQ(scripts[0].code, "bounce();");
  EXPECT_EQ(scripts[1].object, "rock");
  EXPECT_EQ(scripts[1].parameter, wall);
}

// Item pictures are kept at 16 x 16, however large the frame.
TEST_F(ObjectWindow, DropDownPicturesAreSmall) {
  startMainWindow();
  std::string big = newSprite();
  appendFrame() = {"0", big, createImage(-1, 1024, 512, 32, rgba(0, 0, 255, 255))};
  std::string ball = newObject();
  driverCall([] {
    int w = 0, h = 0;
    comboItemPictureSize(gadgetByName(0, "sprite"), 1, w, h);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 8);
    comboItemPictureSize(gadgetByName(0, "kind"), 0, w, h);
    EXPECT_EQ(w, 16);
  });
  driverClick("Done");
  editObject(ball);
}

TEST_F(ObjectWindow, DeleteRemovesTheObjectWithItsEventsAndInstances) {
  startMainWindow();
  std::string ball = newObject();
  addScript(ball, "Step", "", "");
  ObjectRecord& instance = appendObject();
  instance.template_ = ball;
  instance.name = "SceneObject9";
  driverClick("Delete");
  driverAnswerMessage("Confirm", "Do you really want to delete this object?", MSG_RESULT_YES);
  editObject(ball);
  EXPECT_TRUE(objects.empty());
  EXPECT_TRUE(scripts.empty());
}
