#include "editors/editor_settings.h"
#include "editors/editors.h"
#include "imaging/frame_list.h"
#include "project/makers.h"
#include "tests/shell/shell_fixture.h"
#include "tests/shell/widget_probe.h"

namespace {

class SpriteWindow : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    startMainWindow();
    sprite = newSprite();
    previewZoom = 1;
    previewSpeed = 30;
    showCollisionShape = 1;
  }

  // A frame of one opaque colour.
  void addFrame(int w, int h, uint32_t color = rgba(200, 0, 0, 255), const std::string& owner = "") {
    appendSpriteFrame(owner.empty() ? sprite : owner, newFrameNumber(owner.empty() ? sprite : owner),
                      createImage(-1, w, h, 32, color));
  }

  std::string title() const { return "Sprite properties - " + sprite; }
  static int field(const char* name) { return gadgetByName(0, name); }
  static std::string text(const char* name) { return getGadgetText(field(name)); }
  static int preview() { return canvasImage(field("preview")); }

  // A PNG strip of w x h, each column of cells its own red level.
  std::string writeStrip(int w, int h, int cell, const std::string& name) {
    int image = createImage(-1, w, h, 32, 0);
    for (int x = 0; x < w; ++x)
      for (int y = 0; y < h; ++y) setPixel(image, x, y, rgba(x / cell, 0, 0, 255));
    std::string path = folder.path + "/" + name;
    EXPECT_TRUE(savePng(image, path));
    freeImage(image);
    return path;
  }

  std::string sprite;
};

// Key by key: each text that is no larger than the sprite's width counts;
// a larger one leaves the last.
TEST_F(SpriteWindow, OriginTypedKeyByKey) {
  addFrame(64, 64);
  struct Step {
    const char* typed;
    int centerx;
  } steps[] = {{"1", 1}, {"10", 10}, {"100", 10}, {"", 0}, {"-", 0}, {"-5", -5}, {"$40", 64}, {"64", 64}};
  for (const Step& s : steps) {
    driverSetText("origin x", s.typed);
    driverCall([&] { EXPECT_EQ(sprites[0].centerx, s.centerx) << s.typed; });
  }
  driverSetText("origin y", "65");
  driverCall([] { EXPECT_EQ(sprites[0].centery, 0); });
  driverSetText("radius", "12");
  driverSetText("Left", "-3");
  driverSetText("Bottom", "99");
  driverChooseText("shape", "Circle");
  driverCall([] {
    EXPECT_EQ(sprites[0].collisionradius, 12);
    EXPECT_EQ(sprites[0].collisionleft, -3);
    EXPECT_EQ(sprites[0].collisionbottom, 99);
    EXPECT_EQ(sprites[0].collisionshape, "Circle");
  });
  driverClick("Done");
  editSprite(sprite);
  EXPECT_EQ(modifiedFlag, 1);
}

TEST_F(SpriteWindow, SizeLabelAndCenterFollowTheLastFrame) {
  addFrame(20, 20);
  addFrame(30, 11);
  driverCall([] { EXPECT_EQ(text("size"), "Size: 30 x 11"); });
  driverClick("Center");
  driverCall([] {
    EXPECT_EQ(text("origin x"), "15");
    EXPECT_EQ(text("origin y"), "5");
    EXPECT_EQ(sprites[0].centerx, 15);
    EXPECT_EQ(sprites[0].centery, 5);
  });
  driverClick("Done");
  editSprite(sprite);
}

TEST_F(SpriteWindow, WithoutFramesNothingIsShownAndCenterDoesNothing) {
  sprites[0].centerx = 7;
  driverClick("Center");
  driverTick(title(), 1);
  driverCall([] {
    EXPECT_EQ(text("size"), "");
    EXPECT_EQ(sprites[0].centerx, 7);
    EXPECT_EQ(gadgetWidth(field("preview")), 0);
  });
  driverClick("Done");
  editSprite(sprite);
}

// Zoom 3 on 32 x 16: a 96 x 48 canvas with the cross moved by the zoom; the
// ticks step through the frames and start again.
TEST_F(SpriteWindow, ZoomAndAnimation) {
  addFrame(32, 16, rgba(200, 0, 0, 255));
  addFrame(32, 16, rgba(0, 0, 200, 255));
  sprites[0].centerx = 10;
  sprites[0].centery = 4;
  showCollisionShape = 0;
  driverChoose("zoom", 3);
  driverTick(title(), 1);
  driverCall([] {
    EXPECT_EQ(previewZoom, 3);
    EXPECT_TRUE(gadgetInside(field("preview"), field("preview area")));
    EXPECT_EQ(getGadgetAttribute(field("preview area"), ATTR_SCROLL_INNERWIDTH), 96);
    EXPECT_EQ(imageWidth(preview()), 96);
    EXPECT_EQ(imageHeight(preview()), 48);
    EXPECT_EQ(getPixel(preview(), 30, 47), opaque(0));
    EXPECT_EQ(getPixel(preview(), 95, 12), opaque(0));
    EXPECT_EQ(getPixel(preview(), 31, 13), opaque(rgb(200, 0, 0)));
    EXPECT_EQ(getPixel(preview(), 95, 47), opaque(rgb(200, 0, 0)));
  });
  driverTick(title(), 1);
  driverCall([] { EXPECT_EQ(getPixel(preview(), 31, 13), opaque(rgb(0, 0, 200))); });
  driverTick(title(), 1);
  driverCall([] { EXPECT_EQ(getPixel(preview(), 31, 13), opaque(rgb(200, 0, 0))); });
  driverSetText("speed", "0");
  driverSetText("speed", "7");
  driverCall([] { EXPECT_EQ(previewSpeed, 7); });
  driverClick("Done");
  editSprite(sprite);
}

// A large frame at the highest zoom keeps the canvas within 4096 a side.
TEST_F(SpriteWindow, ZoomIsCappedForLargeFrames) {
  addFrame(256, 200);
  driverChoose("zoom", 64);
  driverTick(title(), 1);
  driverCall([] {
    EXPECT_EQ(imageWidth(preview()), 4096);
    EXPECT_EQ(imageHeight(preview()), 3200);
    EXPECT_EQ(getPixel(preview(), 4095, 3199), opaque(rgb(200, 0, 0)));
  });
  driverClick("Done");
  editSprite(sprite);
}

// After the frame editor removed every frame the preview ticks show nothing
// and nothing breaks.
TEST_F(SpriteWindow, TicksAfterTheFrameEditorRemovedEveryFrame) {
  addFrame(8, 8);
  addFrame(8, 8);
  driverTick(title(), 1);
  driverClick("Edit");
  driverShortcut("Edit sprite frames", KEY_DELETE);
  driverShortcut("Edit sprite frames", KEY_DELETE);
  driverClick("Done");
  driverTick(title(), 1);
  driverTick(title(), 1);
  driverCall([] {
    EXPECT_EQ(frames.size(), 0u);
    EXPECT_EQ(text("size"), "Size: 8 x 8");   // the last size found stays
  });
  driverClick("Done");
  editSprite(sprite);
}

// Frames made in the frame editor give a new sprite's box the frames' size:
// the fields show it, and the sprite window's Done keeps it.
TEST_F(SpriteWindow, FramesMadeInTheFrameEditorFitTheUnsetBox) {
  driverClick("Edit");
  driverShortcut("Edit sprite frames", SC_CONTROL | 'N');
  driverSetText("Width", "48");
  driverSetText("Height", "24");
  driverClick("OK");
  driverClick("Done");
  driverCall([] {
    EXPECT_EQ(text("Left"), "0");
    EXPECT_EQ(text("Right"), "48");
    EXPECT_EQ(text("Top"), "0");
    EXPECT_EQ(text("Bottom"), "24");
    EXPECT_EQ(text("size"), "Size: 48 x 24");
    // The box is drawn over the frame's last pixel.
    uint32_t corner = getPixel(preview(), 47, 23);
    EXPECT_GT(green(corner), red(corner));
  }, "the sprite window after the frame editor");
  driverClick("Done");
  editSprite(sprite);
  const SpriteRecord& r = sprites[0];
  EXPECT_EQ(r.collisionleft, 0);
  EXPECT_EQ(r.collisionright, 48);
  EXPECT_EQ(r.collisiontop, 0);
  EXPECT_EQ(r.collisionbottom, 24);
}

// An edge typed just before the frame editor opens makes the box the user's:
// the frame editor's Done leaves it, and its field keeps the text as typed.
TEST_F(SpriteWindow, ATypedBoxOutlivesTheFrameEditor) {
  struct Case {
    const char* edge;
    const char* typed;
    int value;
  } cases[] = {{"Left", "5", 5}, {"Right", "$28", 40}, {"Top", "3", 3}, {"Bottom", "-2", -2}};   // left, right, top, bottom
  for (int k = 0; k < 4; ++k) {
    const Case& c = cases[k];
    removeSpriteFrames(sprite);
    SpriteRecord& r = sprites[0];
    r.collisionleft = r.collisionright = r.collisiontop = r.collisionbottom = 0;
    driverSetText(c.edge, c.typed);
    driverClick("Edit");
    driverShortcut("Edit sprite frames", SC_CONTROL | 'N');
    driverClick("OK");
    driverClick("Done");
    driverCall([&] {
      EXPECT_EQ(text("size"), "Size: 40 x 40") << c.edge;
      for (const char* edge : {"Left", "Right", "Top", "Bottom"})
        EXPECT_EQ(text(edge), edge == std::string(c.edge) ? c.typed : "0") << c.edge;
    }, "the sprite window after the frame editor");
    driverClick("Done");
    editSprite(sprite);
    int edges[] = {r.collisionleft, r.collisionright, r.collisiontop, r.collisionbottom};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(edges[i], i == k ? c.value : 0) << c.edge;
  }
}

// A rename carries the name into frames, objects and instances; the objects
// take the first frame. A name whose frame files would be a background's
// file is refused.
TEST_F(SpriteWindow, RenameCarriesTheNameAndRefusesABackgroundsFile) {
  addFrame(5, 3);
  addFrame(5, 3);
  std::string object = newObject();
  objects[0].sprite = sprite;
  ObjectRecord& instance = appendObject();
  instance.sprite = sprite;
  instance.template_ = object;
  newBackground();
  backgrounds[0].file = "hero_1.png";
  driverSetText("name", "hero");
  driverClick("Done");
  driverAnswerMessage("Error", "The sprite name 'hero' would save a frame as 'hero_1.png', the file of the "
                               "background '" + backgrounds[0].name + "'");
  driverSetText("name", "ship");
  driverClick("Done");
  editSprite(sprite);
  EXPECT_EQ(sprites[0].name, "ship");
  for (const FrameRecord& f : frames) EXPECT_EQ(f.sprite, "ship");
  for (const ObjectRecord& o : objects) {
    EXPECT_EQ(o.sprite, "ship");
    EXPECT_EQ(o.image, frames[0].image);
    EXPECT_EQ(o.imageWidth, 5);
  }
}

// "Load..." cuts a strip; refused counts keep the dialog and the frames;
// the objects of the sprite take the new first frame.
TEST_F(SpriteWindow, LoadCutsAStripAndTheObjectsTakeTheNewFirstFrame) {
  addFrame(4, 4);
  newObject();
  objects[0].sprite = sprite;
  objects[0].image = frames[0].image;
  std::string strip = writeStrip(128, 32, 32, "strip.png");
  writeFile(folder.path + "/broken.png", "not a picture");
  driverClick("Load...");
  driverAnswerFile("Select an image strip", folder.path + "/broken.png");
  driverAnswerMessage("Error", "The image '" + folder.path + "/broken.png' could not be loaded");
  driverClick("Load...");
  driverAnswerFile("Select an image strip", strip);
  driverCall([] {
    EXPECT_TRUE(isWindowDisabled(windowWith("name")));
    EXPECT_TRUE(gadgetInside(gadgetByName(0, "strip picture"), gadgetByName(0, "strip view")));
  }, "the import dialog");
  for (auto [columns, rows] : {std::pair{"0", "1"}, {"4", ""}, {"129", "1"}, {"1", "33"}}) {
    driverSetText("Columns", columns);
    driverSetText("Rows", rows);
    driverClick("Import");
    driverAnswerMessage("Error", "Invalid column or row number");
  }
  driverCall([] { EXPECT_EQ(frames.size(), 1u); });
  driverSetText("Columns", "4");
  driverSetText("Rows", "1");
  driverClick("Import");
  driverCall([] {
    EXPECT_EQ(text("radius"), "16");
    EXPECT_EQ(text("Right"), "32");
    EXPECT_EQ(text("Bottom"), "32");
    EXPECT_EQ(text("origin x"), "0");
    EXPECT_EQ(text("size"), "Size: 32 x 32");
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[3].file, "3");
    EXPECT_EQ(red(getPixel(frames[3].image, 0, 0)), 3);
    EXPECT_EQ(objects[0].image, frames[0].image);
    EXPECT_EQ(objects[0].imageWidth, 32);
  });
  driverClick("Done");
  editSprite(sprite);
  EXPECT_GE(sprites[0].thumbnail, 0);
}

// Cancel in the import dialog frees the loaded strip and changes nothing:
// the frames with their images, the sprite's fields, its users and the
// modified flag stay as they were.
TEST_F(SpriteWindow, CancelledImportChangesNothing) {
  addFrame(4, 4);
  addFrame(6, 6);
  newObject();
  objects[0].sprite = sprite;
  objects[0].image = frames[0].image;
  sprites[0].collisionright = 3;
  std::string strip = writeStrip(128, 32, 32, "strip.png");
  const std::vector<FrameRecord> before = frames;
  int images = 0;
  driverCall([&] {
    setModified(0);
    images = liveImageCount();
  });
  driverClick("Load...");
  driverAnswerFile("Select an image strip", strip);
  driverSetText("Columns", "4");
  driverClick("Cancel");
  driverCall([&] {
    EXPECT_EQ(windowWith("strip view"), 0);
    EXPECT_FALSE(isWindowDisabled(windowWith("name")));
    EXPECT_EQ(liveImageCount(), images);
    ASSERT_EQ(frames.size(), before.size());
    for (size_t i = 0; i < frames.size(); ++i) {
      EXPECT_EQ(frames[i].sprite, before[i].sprite);
      EXPECT_EQ(frames[i].file, before[i].file);
      EXPECT_EQ(frames[i].image, before[i].image);
    }
    EXPECT_EQ(sprites[0].collisionright, 3);
    EXPECT_EQ(text("Right"), "3");
    EXPECT_EQ(objects[0].image, before[0].image);
    EXPECT_EQ(modifiedFlag, 0);
  });
  driverClick("Done");
  editSprite(sprite);
}

// The strip of three 16 x 16 frames is 48 x 16; ".png" is not doubled; a
// strip wider than an image can be is refused with a message.
TEST_F(SpriteWindow, SaveAsPng) {
  for (int k = 0; k < 3; ++k) addFrame(16, 16, rgba(k, 0, 0, 255));
  driverClick("Save as PNG...");
  driverAnswerFile("Save sprite as PNG strip", folder.path + "/out.png");
  driverClick("Save as PNG...");
  driverAnswerFile("Save sprite as PNG strip", "");
  driverClick("Done");
  editSprite(sprite);
  int saved = loadImage(-1, folder.path + "/out.png");
  ASSERT_NE(saved, 0);
  EXPECT_EQ(imageWidth(saved), 48);
  EXPECT_EQ(imageHeight(saved), 16);
  EXPECT_EQ(getPixel(saved, 47, 0), rgba(2, 0, 0, 255));
  freeImage(saved);
  EXPECT_EQ(fileKind(folder.path + "/out.png.png"), FILE_NONE);

  removeSpriteFrames(sprite);
  for (int k = 0; k < 65; ++k) addFrame(256, 1);
  driverClick("Save as PNG...");
  driverAnswerFile("Save sprite as PNG strip", folder.path + "/wide");
  driverAnswerMessage("Error", "The strip would be 16640 pixels wide; a PNG image can be 16384 pixels wide at most");
  driverClick("Done");
  editSprite(sprite);
  EXPECT_EQ(fileKind(folder.path + "/wide.png"), FILE_NONE);
}

// The default file that a save-file requester offers, caught on its way to
// the driver's answer.
std::string offeredFile;
const Requesters* answering = nullptr;

std::string catchSaveFile(const std::string& title, const std::string& defaultFile, const std::string& pattern,
                          int patternIndex) {
  offeredFile = defaultFile;
  return answering->saveFile(title, defaultFile, pattern, patternIndex);
}

// Saved from the sprite window or from its frame editor, the strip is
// offered under the name being typed; an emptied field offers the sprite's
// own name.
TEST_F(SpriteWindow, TheStripIsOfferedUnderTheTypedName) {
  static Requesters catching;
  answering = setRequesters(nullptr);
  catching = *answering;
  catching.saveFile = catchSaveFile;
  setRequesters(&catching);
  addFrame(8, 8);
  addFrame(8, 8);
  auto offered = [](const std::string& want) {
    driverCall([want] { EXPECT_EQ(offeredFile, currentFolder() + want); }, "offered " + want);
  };
  driverSetText("name", "ship");
  driverClick("Save as PNG...");
  driverAnswerFile("Save sprite as PNG strip", "");
  offered("ship_strip2");
  driverClick("Edit");
  driverShortcut("Edit sprite frames", SC_CONTROL | 'S');
  driverAnswerFile("Save sprite as PNG strip", "");
  offered("ship_strip2");
  driverClick("Done");
  driverSetText("name", "");
  driverClick("Save as PNG...");
  driverAnswerFile("Save sprite as PNG strip", "");
  offered(sprite + "_strip2");
  driverSetText("name", "ship");
  driverClick("Done");
  editSprite(sprite);
  setRequesters(answering);
  EXPECT_EQ(sprites[0].name, "ship");
  EXPECT_EQ(frames[1].sprite, "ship");
}

}  // namespace
