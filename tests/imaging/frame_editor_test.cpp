#include <array>
#include <vector>

#include "editors/editor_settings.h"
#include "imaging/frame_editor.h"
#include "imaging/frame_editor_commands.h"
#include "imaging/frame_list.h"
#include "project/makers.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"

namespace {

constexpr uint32_t markBlue = 0xFFFF9595u;   // (149, 149, 255) opaque

class FrameEditor : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    startMainWindow();
    sprite = newSprite();
  }

  int addFrame(int w, int h, int tag = 0, const std::string& owner = "") {
    const std::string& s = owner.empty() ? sprite : owner;
    return appendSpriteFrame(s, newFrameNumber(s), createImage(-1, w, h, 32, rgba(tag, 0, 0, 255)));
  }

  static std::vector<std::string> table() {
    std::vector<std::string> out;
    for (const FrameRecord& f : frames) out.push_back(f.sprite.substr(0, 1) + f.file);
    return out;
  }

  std::string pngOf(int w, int h, const std::string& name) {
    int image = createImage(-1, w, h, 32, rgba(9, 9, 9, 255));
    std::string path = folder.path + "/" + name;
    EXPECT_TRUE(savePng(image, path));
    freeImage(image);
    return path;
  }

  static int canvas(int k) { return gadgetByName(0, "frame " + std::to_string(k)); }
  // Whether the strip shows the current-frame mark on frame k.
  static bool marked(int k) { return getPixel(canvasImage(canvas(k)), 0, 0) == markBlue; }

  void edit() { editSpriteFrames(sprite, 0); }

  std::string sprite;
  using Names = std::vector<std::string>;
};

// Frames of 32 x 32 and 16 x 48 stand top-aligned at x 10 and 52; the first
// frame of the sprite in table order is current, not record 0.
TEST_F(FrameEditor, OpensOnTheSpritesFirstFrameWithTheStripLaidOut) {
  std::string other = newSprite();
  addFrame(8, 8, 0, other);
  addFrame(32, 32, 1);
  addFrame(16, 48, 2);
  setModified(0);
  driverCall([] {
    int window = windowWith("strip");
    EXPECT_EQ(getWindowTitle(window), "Edit sprite frames");
    EXPECT_EQ(windowWidth(window), 800);
    EXPECT_EQ(currentFrame, 1);
    EXPECT_EQ(gadgetX(canvas(0)), 10);
    EXPECT_EQ(gadgetX(canvas(1)), 52);
    EXPECT_EQ(gadgetY(canvas(1)), 10);
    EXPECT_EQ(gadgetHeight(canvas(1)), 48);
    EXPECT_TRUE(gadgetInside(canvas(0), gadgetByName(0, "strip")));
    EXPECT_EQ(getGadgetAttribute(gadgetByName(0, "strip"), ATTR_SCROLL_INNERWIDTH), 78);
    EXPECT_EQ(getGadgetAttribute(gadgetByName(0, "strip"), ATTR_SCROLL_INNERHEIGHT), 58);
    EXPECT_TRUE(marked(0));
    EXPECT_FALSE(marked(1));
    EXPECT_EQ(getPixel(canvasImage(canvas(0)), 1, 0), opaque(rgb(1, 0, 0)));
    std::vector<std::string> menus = menuBarTexts(window);
    EXPECT_EQ(menus.size(), 4u + 24u + 4u);
    EXPECT_EQ(menus[1], "New...\tCtrl + N");
    EXPECT_EQ(gadgetX(gadgetByName(0, "Make opaque")), 730);
  });
  // A click moves the mark at once.
  driverCanvas("frame 1", ET_LEFTCLICK, 3, 3);
  driverCall([] {
    EXPECT_EQ(currentFrame, 2);
    EXPECT_FALSE(marked(0));
    EXPECT_TRUE(marked(1));
  });
  driverClick("Done");
  edit();
  EXPECT_EQ(modifiedFlag, 1);
  // Closing made the panel pictures anew.
  EXPECT_GE(sprites[0].thumbnail, 0);
  EXPECT_EQ(getPixel(sprites[0].thumbnail, 45, 20), opaque(rgb(1, 0, 0)));
}

TEST_F(FrameEditor, WithoutFramesTheStripIsEmptyAndFrameCommandsDoNothing) {
  driverShortcut("Edit sprite frames", SC_CONTROL | 'D');
  driverShortcut("Edit sprite frames", KEY_DELETE);
  driverClick("Move current frame to left");
  driverCall([] {
    EXPECT_EQ(currentFrame, -1);
    EXPECT_EQ(canvas(0), 0);
    EXPECT_EQ(getGadgetAttribute(gadgetByName(0, "strip"), ATTR_SCROLL_INNERWIDTH), 10);
    EXPECT_EQ(getGadgetAttribute(gadgetByName(0, "strip"), ATTR_SCROLL_INNERHEIGHT), 10);
  });
  driverClick("Done");
  edit();
  EXPECT_TRUE(frames.empty());
}

// New checks its fields before anything goes: a refused size keeps every
// frame and the dialog; the defaults give one transparent 40 x 40 frame "0".
TEST_F(FrameEditor, NewReplacesTheFramesByOneBlankFrame) {
  std::string other = newSprite();
  addFrame(8, 8);
  addFrame(8, 8, 0, other);
  addFrame(8, 8);
  addFrame(8, 8);
  int old = frames[0].image;
  driverShortcut("Edit sprite frames", SC_CONTROL | 'N');
  driverSetText("Width", "");
  driverClick("OK");
  driverAnswerMessage("Error", "The width and the height must be from 1 to 16384 pixels");
  driverSetText("Width", "99999");
  driverClick("OK");
  driverAnswerMessage("Error", "The width and the height must be from 1 to 16384 pixels");
  driverCall([&] {
    EXPECT_EQ(table(), (Names{"s0", "s0", "s1", "s2"}));
    EXPECT_TRUE(isImage(old));
  });
  driverClick("Cancel");
  driverClick("Create new sprite");
  driverClick("OK");
  driverCall([&] {
    EXPECT_EQ(table(), (Names{"s0", "s0"}));
    EXPECT_EQ(frames[1].sprite, sprite);
    EXPECT_EQ(imageWidth(frames[1].image), 40);
    EXPECT_EQ(getPixel(frames[1].image, 0, 0), 0u);
    EXPECT_EQ(currentFrame, 1);
    EXPECT_FALSE(isImage(old));
    EXPECT_FALSE(isWindowDisabled(windowWith("strip")));
  });
  driverClick("Done");
  edit();
}

TEST_F(FrameEditor, AddFromFileAsksOnlyWhenTheSizeDiffers) {
  std::string small = pngOf(32, 32, "small.png"), big = pngOf(64, 64, "big.png");
  writeFile(folder.path + "/broken.png", "no picture");
  driverShortcut("Edit sprite frames", SC_CONTROL | 'A');
  driverAnswerFile("Select an image", small);
  driverClick("Add new frame from file");
  driverAnswerFile("Select an image", small);
  driverClick("Add new frame from file");
  driverAnswerFile("Select an image", "");
  driverClick("Add new frame from file");
  driverAnswerFile("Select an image", folder.path + "/broken.png");
  driverAnswerMessage("Error", "The image '" + folder.path + "/broken.png' could not be loaded");
  driverCall([] {
    EXPECT_EQ(table(), (Names{"s0", "s1"}));
    EXPECT_EQ(currentFrame, 1);
  });
  // Cancel keeps the frames and the current frame.
  driverCanvas("frame 0", ET_LEFTCLICK, 1, 1);
  driverClick("Add new frame from file");
  driverAnswerFile("Select an image", big);
  driverCall([] {
    int dialog = windowWith("Keep");
    EXPECT_EQ(getWindowTitle(dialog), "Adding new frame");
    EXPECT_EQ(getGadgetText(gadgetByName(dialog, "Keep")), "Keep the original image size (32 x 32)");
    EXPECT_EQ(getGadgetState(gadgetByName(dialog, "Resize")), 1);
    EXPECT_EQ(getGadgetState(gadgetByName(dialog, "Stretch")), 1);
    EXPECT_TRUE(isWindowDisabled(windowWith("strip")));
  });
  driverClick("Cancel");
  driverCall([] {
    EXPECT_EQ(table(), (Names{"s0", "s1"}));
    EXPECT_EQ(currentFrame, 0);
  });
  driverClick("Add new frame from file");
  driverAnswerFile("Select an image", big);
  driverClick("Keep");
  driverClick("Center");
  driverClick("OK");
  driverCall([] {
    EXPECT_EQ(table(), (Names{"s0", "s1", "s2"}));
    EXPECT_EQ(imageWidth(frames[2].image), 32);
    EXPECT_EQ(currentFrame, 2);
  });
  driverClick("Done");
  edit();
}

// The Edit commands from their shortcuts and buttons; an image operation's
// button opens its dialog, and the strip shows what OK made.
TEST_F(FrameEditor, DuplicateMoveAndDeleteFromShortcutsAndButtons) {
  addFrame(4, 4, 10);
  addFrame(4, 4, 11);
  addFrame(4, 4, 12);
  driverShortcut("Edit sprite frames", SC_CONTROL | 'D');
  driverCall([] {
    EXPECT_EQ(table(), (Names{"s0", "s1", "s2", "s3"}));
    EXPECT_EQ(currentFrame, 3);
    EXPECT_EQ(red(getPixel(frames[3].image, 0, 0)), 10);
    EXPECT_TRUE(marked(3));
  });
  driverShortcut("Edit sprite frames", SC_CONTROL | int(KEY_RIGHT));
  driverShortcut("Edit sprite frames", SC_CONTROL | int(KEY_LEFT));
  driverClick("Move current frame to left");
  driverCall([] {
    EXPECT_EQ(table(), (Names{"s0", "s3", "s1", "s2"}));
    EXPECT_EQ(currentFrame, 1);
  });
  int before = 0;
  driverCall([&] { before = frames[1].image; });
  driverClick("Invert");
  driverCheck("all frames", false);
  driverClick("OK");
  driverClick("Rotate");
  driverClick("Cancel");
  driverCall([&] {
    EXPECT_NE(frames[1].image, before);
    EXPECT_EQ(red(getPixel(frames[1].image, 0, 0)), 255 - 10);
    EXPECT_EQ(red(getPixel(frames[0].image, 0, 0)), 10);
    EXPECT_TRUE(marked(1));
    EXPECT_FALSE(marked(0));
  });
  driverClick("Delete current frame");
  driverCall([] {
    EXPECT_EQ(table(), (Names{"s0", "s1", "s2"}));
    EXPECT_EQ(currentFrame, 0);
  });
  driverShortcut("Edit sprite frames", SC_CONTROL | 'S');
  driverAnswerFile("Save sprite as PNG strip", folder.path + "/strip");
  driverClick("Done");
  edit();
  int saved = loadImage(-1, folder.path + "/strip.png");
  EXPECT_EQ(imageWidth(saved), 12);
  freeImage(saved);
}

// A tool button's command redraws the strip once, as its menu item does.
// Gadget numbers are never given twice, so each redraw of the two frames
// moves the first canvas's number on by the same step.
TEST_F(FrameEditor, ToolButtonRedrawsTheStripOnce) {
  addFrame(4, 4, 10);
  addFrame(4, 4, 11);
  int first = 0, byMenu = 0, byButton = 0;
  driverCall([&] { first = canvas(0); });
  driverChooseMenu(FE_MOVE_RIGHT);
  driverCall([&] { byMenu = canvas(0); });
  driverClick("Move current frame to left");
  driverCall([&] { byButton = canvas(0); });
  driverClick("Done");
  edit();
  EXPECT_GT(byMenu, first);
  EXPECT_EQ(byButton - byMenu, byMenu - first);
  EXPECT_EQ(table(), (Names{"s0", "s1"}));
}

// Done fits a box still 0 on every edge to the sprite's last frame with an
// image, as an imported strip's box is fitted to its cells. A box with any
// edge set is the user's; the origin and the radius are never touched.
TEST_F(FrameEditor, DoneFitsAnUnsetCollisionBoxToTheFrames) {
  using Box = std::array<int, 4>;   // left, right, top, bottom
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> sizes;   // 0 x 0: a frame without image
    Box before, after;
  } cases[] = {
      {"no frames", {}, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"only a frame without image", {{0, 0}}, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"one frame", {{32, 24}}, {0, 0, 0, 0}, {0, 32, 0, 24}},
      {"the last frame's size", {{8, 8}, {20, 10}}, {0, 0, 0, 0}, {0, 20, 0, 10}},
      {"the last frame with an image", {{16, 12}, {0, 0}}, {0, 0, 0, 0}, {0, 16, 0, 12}},
      {"left set", {{16, 16}}, {5, 0, 0, 0}, {5, 0, 0, 0}},
      {"right set", {{16, 16}}, {0, 40, 0, 0}, {0, 40, 0, 0}},
      {"top set", {{16, 16}}, {0, 0, 3, 0}, {0, 0, 3, 0}},
      {"bottom set below the frame's top", {{16, 16}}, {0, 0, 0, -2}, {0, 0, 0, -2}},
  };
  for (const Case& c : cases) {
    removeSpriteFrames(sprite);
    for (auto [w, h] : c.sizes)
      appendSpriteFrame(sprite, newFrameNumber(sprite), w > 0 ? createImage(-1, w, h, 32, 0) : 0);
    SpriteRecord& r = sprites[0];
    r.collisionleft = c.before[0];
    r.collisionright = c.before[1];
    r.collisiontop = c.before[2];
    r.collisionbottom = c.before[3];
    r.centerx = 3;
    r.centery = 4;
    r.collisionradius = 0;
    driverClick("Done");
    edit();
    EXPECT_EQ((Box{r.collisionleft, r.collisionright, r.collisiontop, r.collisionbottom}), c.after) << c.what;
    EXPECT_EQ(r.centerx, 3) << c.what;
    EXPECT_EQ(r.centery, 4) << c.what;
    EXPECT_EQ(r.collisionradius, 0) << c.what;
  }
}

}  // namespace
