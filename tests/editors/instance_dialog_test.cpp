#include "editors/instance_dialog.h"

#include "project/tables.h"
#include "ui/driver.h"
#include "ui/image.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

namespace {

// A stand-in scene window and one placed instance of a sprite with a frame.
class InstanceDialog : public testing::Test {
 protected:
  void SetUp() override {
    clearProjectTables();
    driverStart();
    scene = openWindow(UI_ANY, 0, 0, 400, 300, "Scene properties - scene_1", WIN_TITLEBAR);
    appendSprite().name = "ball";
    frame = createImage(UI_ANY, 20, 10, 32, rgba(200, 30, 30, 255));
    FrameRecord& f = appendFrame();
    f.sprite = "ball";
    f.file = "0";
    f.image = frame;
    ObjectRecord& o = appendObject();
    o.prototype = 0;
    o.template_ = "obj_ball";
    o.name = "SceneObject7";
    o.sprite = "ball";
    o.scene = "scene_1";
    o.x = 40;
    o.y = 60;
    o.direction = 90;
    o.image_angle = 0;
    o.image = frame;
    o.imageWidth = 20;
    o.imageHeight = 10;
    o.rotatedImage = copyImage(frame, UI_ANY);
    setModified(0);
  }
  void TearDown() override {
    for (const FrameRecord& f : frames) freeImage(f.image);
    freeImage(objects[0].rotatedImage);
    closeWindow(scene);
    clearProjectTables();
  }
  ObjectRecord& instance() { return objects[0]; }
  void typeFields(const std::string& x, const std::string& y, const std::string& direction,
                  const std::string& angle) {
    driverSetText("x", x);
    driverSetText("y", y);
    driverSetText("direction", direction);
    driverSetText("image angle", angle);
  }
  int scene = 0, frame = 0;
};

TEST_F(InstanceDialog, OkStoresTheNumbersOfTheFieldsAndTurnsThePicture) {
  int oldDisplay = instance().rotatedImage;
  driverCall([&] {
    int w = gadgetWindow(gadgetByName(0, "x"));
    EXPECT_EQ(getWindowTitle(w), "Instance properties - SceneObject7");
    EXPECT_EQ(windowWidth(w), 280);
    EXPECT_EQ(windowHeight(w), 220);
    EXPECT_TRUE(isWindowDisabled(scene));
    EXPECT_EQ(getGadgetText(gadgetByName(w, "x")), "40");
    EXPECT_EQ(getGadgetText(gadgetByName(w, "direction")), "90");
    EXPECT_EQ(gadgetX(gadgetByName(w, "image angle")), 170);
    EXPECT_EQ(gadgetY(gadgetByName(w, "image angle")), 100);
  });
  typeFields("-30", "$10", "abc", " 45deg");
  driverClick("OK");
  editInstance(0, scene);
  EXPECT_TRUE(driverCheckDone());
  EXPECT_FALSE(isWindowDisabled(scene));
  EXPECT_EQ(instance().x, -30);
  EXPECT_EQ(instance().y, 16);
  EXPECT_EQ(instance().direction, 0);
  EXPECT_EQ(instance().image_angle, 45);
  EXPECT_EQ(modifiedFlag, 1);
  EXPECT_FALSE(isImage(oldDisplay));
  int turned = instance().rotatedImage;
  ASSERT_TRUE(isImage(turned));
  EXPECT_EQ(imageWidth(turned), 22);   // 20 x 10 turned by 45 degrees
  EXPECT_EQ(imageHeight(turned), 22);
  EXPECT_EQ(getPixel(turned, 0, 0), rgba(0, 0, 0, 0));
  EXPECT_EQ(getPixel(turned, 11, 11), rgba(200, 30, 30, 255));
}

TEST_F(InstanceDialog, AngleZeroShowsAnUnturnedCopy) {
  instance().image_angle = 30;
  typeFields("1", "2", "3", "0");
  driverClick("OK");
  editInstance(0, scene);
  int shown = instance().rotatedImage;
  ASSERT_TRUE(isImage(shown));
  EXPECT_NE(shown, frame);
  EXPECT_EQ(imageWidth(shown), 20);
  EXPECT_EQ(imageHeight(shown), 10);
  EXPECT_EQ(getPixel(shown, 19, 9), rgba(200, 30, 30, 255));
}

TEST_F(InstanceDialog, CancelKeepsEverything) {
  int display = instance().rotatedImage;
  typeFields("-30", "$10", "abc", "45");
  driverClick("Cancel");
  editInstance(0, scene);
  EXPECT_FALSE(isWindowDisabled(scene));
  EXPECT_EQ(instance().x, 40);
  EXPECT_EQ(instance().y, 60);
  EXPECT_EQ(instance().direction, 90);
  EXPECT_EQ(instance().image_angle, 0);
  EXPECT_EQ(instance().rotatedImage, display);
  EXPECT_TRUE(isImage(display));
  EXPECT_EQ(modifiedFlag, 0);
}

// The sprite window's "Load..." frees the old frames while the scene
// window still holds their numbers: OK turns the sprite's frame as it is now.
TEST_F(InstanceDialog, OkTakesThePictureAfreshFromTheSprite) {
  freeImage(frame);
  frames[0].image = createImage(UI_ANY, 8, 4, 32, rgba(10, 200, 10, 255));
  typeFields("0", "0", "0", "90");
  driverClick("OK");
  editInstance(0, scene);
  EXPECT_EQ(instance().image, frames[0].image);
  EXPECT_EQ(instance().imageWidth, 8);
  int turned = instance().rotatedImage;
  ASSERT_TRUE(isImage(turned));
  EXPECT_EQ(imageWidth(turned), 4);
  EXPECT_EQ(imageHeight(turned), 8);
  EXPECT_EQ(getPixel(turned, 0, 0), rgba(10, 200, 10, 255));
}

// Without a frame the values are stored all the same and no stale display
// number is left behind.
TEST_F(InstanceDialog, SpriteWithoutFrameLeavesNoDisplayImage) {
  int display = instance().rotatedImage;
  freeImage(frame);
  frames.clear();
  typeFields("5", "6", "7", "45");
  driverClick("OK");
  editInstance(0, scene);
  EXPECT_EQ(instance().x, 5);
  EXPECT_EQ(instance().image_angle, 45);
  EXPECT_EQ(instance().image, -1);
  EXPECT_EQ(instance().rotatedImage, -1);
  EXPECT_FALSE(isImage(display));
  EXPECT_EQ(modifiedFlag, 1);
}

}  // namespace
