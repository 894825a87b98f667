// The frame that every image operation dialog shares: its window, the OK
// pass over the frames, Cancel, the close box, the previews, value pairs.
#include "dialog_fixture.h"

#include "ui/image.h"

namespace {

class OperationDialogFrame : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    addFrame("hero", 4, 4, rgba(200, 100, 0, 255));    // 0: the current frame
    addFrame("other", 4, 4, rgba(200, 100, 0, 255));   // 1: another sprite
    addFrame("hero", 2, 2, rgba(10, 20, 30, 255));     // 2: smaller than the current frame
    addFrame("hero", 6, 3, rgba(10, 20, 30, 128));     // 3: larger
    addFrame("hero", 0, 0, 0);                         // 4: no picture
    addFrame("Hero", 4, 4, rgba(200, 100, 0, 255));    // 5: another sprite, by case
  }
};

// Mended: each frame is read within its own size, and a frame without a
// picture is passed over.
TEST_F(OperationDialogFrame, OkOnAllFramesChangesEveryFrameOfTheSpriteOnly) {
  driverCall([&] {
    int w = gadgetWindow(gadgetByName(0, "Level field"));
    EXPECT_EQ(getWindowTitle(w), "Brightness");
    EXPECT_EQ(windowWidth(w), 800);
    EXPECT_EQ(windowHeight(w), 600);
    EXPECT_TRUE(isWindowDisabled(editor));
    int all = gadgetByName(w, "all frames");
    EXPECT_EQ(getGadgetState(all), 1);
    EXPECT_EQ(gadgetX(all), 530);
    EXPECT_EQ(gadgetY(all), 565);
    EXPECT_EQ(getGadgetState(gadgetByName(w, "Level track")), 255);
    EXPECT_EQ(getGadgetText(gadgetByName(w, "Level field")), "0");
  });
  driverSetText("Level field", "100");
  driverClick("OK");
  applyBrightness(editor, "hero", 0);
  EXPECT_TRUE(driverCheckDone());
  EXPECT_FALSE(isWindowDisabled(editor));
  EXPECT_EQ(stripRebuilds, std::vector<std::string>{"hero"});
  for (int i : {0, 2, 3}) {
    EXPECT_NE(frames[size_t(i)].image, numbers[size_t(i)]) << i;
    EXPECT_FALSE(isImage(numbers[size_t(i)])) << i;
  }
  EXPECT_EQ(framePixels(0), std::vector<uint32_t>(16, rgba(255, 200, 100, 255)));
  EXPECT_EQ(framePixels(2), std::vector<uint32_t>(4, rgba(110, 120, 130, 255)));
  EXPECT_EQ(framePixels(3), std::vector<uint32_t>(18, rgba(110, 120, 130, 128)));
  EXPECT_EQ(frames[4].image, 0);
  EXPECT_TRUE(unchanged(1));
  EXPECT_TRUE(unchanged(5));
}

TEST_F(OperationDialogFrame, OkWithTheBoxClearedChangesTheCurrentFrameOnly) {
  driverCheck("Apply to all frames in the sprite", false);
  driverClick("OK");
  applyInvert(editor, "hero", 2);
  EXPECT_EQ(framePixels(2), std::vector<uint32_t>(4, rgba(245, 235, 225, 255)));
  for (int i : {0, 1, 3, 5}) EXPECT_TRUE(unchanged(i)) << i;
}

TEST_F(OperationDialogFrame, CancelAndTheCloseBoxChangeNothing) {
  driverSetText("Level field", "-80");
  driverCloseBox("Brightness");
  driverCall([] { EXPECT_TRUE(isWindow(gadgetWindow(gadgetByName(0, "Level field")))); }, "still open");
  driverClick("Cancel");
  applyBrightness(editor, "hero", 0);
  EXPECT_TRUE(driverCheckDone());
  for (int i : {0, 1, 2, 3, 5}) EXPECT_TRUE(unchanged(i)) << i;
  EXPECT_FALSE(isWindowDisabled(editor));
  EXPECT_EQ(stripRebuilds, std::vector<std::string>{"hero"});
}

// No current frame, or an index that is no frame of the sprite with a
// picture: no window, no strip rebuild.
TEST_F(OperationDialogFrame, NothingOpensWithoutACurrentFrame) {
  for (int index : {-1, 1, 4, 99}) {
    applyGrayscale(editor, "hero", index);
    applyBrightness(editor, "hero", index);
  }
  EXPECT_TRUE(driverCheckDone());
  EXPECT_TRUE(stripRebuilds.empty());
  for (int i : {0, 1, 2, 3, 5}) EXPECT_TRUE(unchanged(i)) << i;
}

// A rule without values shows its preview at once; a frame is shown at its
// own size over the checkerboard, transparent parts letting it through.
TEST_F(OperationDialogFrame, PreviewsOverTheCheckerboard) {
  driverCall([] {
    EXPECT_EQ(canvasPixel("original", 0, 0), rgba(200, 100, 0, 255));
    EXPECT_EQ(canvasPixel("modified", 0, 0), rgba(55, 155, 255, 255));
  });
  driverClick("Cancel");
  applyInvert(editor, "hero", 0);

  // Half-transparent (10, 20, 30) over the grey square.
  int grey = (10 * 128 + 192 * 127) / 255;
  driverSetText("Level field", "0");
  driverCall([&] {
    EXPECT_EQ(canvasPixel("original", 5, 2), rgba(grey, (20 * 128 + 192 * 127) / 255, (30 * 128 + 192 * 127) / 255, 255));
    EXPECT_EQ(imageWidth(canvasImage(gadgetByName(0, "modified"))), 6);
    EXPECT_EQ(canvasPixel("modified", 5, 2), canvasPixel("original", 5, 2));
  });
  driverClick("Cancel");
  applyBrightness(editor, "hero", 3);
}

// Past the 800 x 800 backdrop a wide frame is shown over white each time,
// not blended again over the previous preview.
TEST_F(OperationDialogFrame, APreviewPastTheBackdropIsOverWhite) {
  int wide = addFrame("wide", 810, 1, rgba(0, 0, 0, 128));
  int over = (255 * 127) / 255;
  driverSetText("Level field", "0");
  driverSetText("Level field", "-0");
  driverCall([&] {
    EXPECT_EQ(canvasPixel("original", 805, 0), rgba(over, over, over, 255));
    EXPECT_EQ(canvasPixel("modified", 805, 0), rgba(over, over, over, 255));
  });
  driverClick("Cancel");
  applyBrightness(editor, "wide", wide);
}

struct PairCase {
  void (*procedure)(int, const std::string&, int);
  const char* pair;
  const char* typed;
  const char* text;   // the field's text afterwards
  int track;          // the track bar's position afterwards
};

// The field's text is corrected into the range, text that is not a number
// counts as 0, and the track bar follows (value + offset). The current frame
// is 4 x 4, so Shift runs -4 ... 4.
TEST_F(OperationDialogFrame, ValuePairCorrections) {
  const PairCase cases[] = {
      {applyBrightness, "Level", "300", "255", 510},   {applyBrightness, "Level", "-999", "-255", 0},
      {applyBrightness, "Level", "abc", "abc", 255},   {applyBrightness, "Level", "12", "12", 267},
      {applyColorBalance, "Green", "-300", "-255", 0}, {applyColorize, "Hue", "400", "359", 359},
      {applyColorize, "Hue", "-3", "0", 0},            {applyOpacity, "Percent", "150", "100", 100},
      {applyOpacity, "Percent", "-5", "0", 0},         {applyOpacity, "Percent", "x", "x", 0},
      {applyPosterize, "Level", "1", "2", 2},          {applyPosterize, "Level", "500", "120", 120},
      {applyPosterize, "Level", "abc", "2", 2},        {applyNoise, "Level", "101", "100", 100},
      {applyEraseColor, "Tolerance", "300", "255", 255}, {applyEraseColor, "Tolerance", "-1", "0", 0},
      {applyShift, "Horizontal", "25", "4", 8},        {applyShift, "Vertical", "-25", "-4", 0},
      {applyShift, "Horizontal", "-2", "-2", 2},       {applyScale, "Vertical", "500", "400", 400},
      {applyScale, "Horizontal", "0.5", "1", 1},       {applyScale, "Horizontal", "12.5", "12.5", 12},
      {applyScale, "Horizontal", "", "1", 1},
  };
  for (const PairCase& c : cases) {
    std::string field = std::string(c.pair) + " field", track = std::string(c.pair) + " track";
    driverSetText(field, c.typed);
    driverCall([&] {
      EXPECT_EQ(getGadgetText(gadgetByName(0, field)), c.text) << c.pair << " " << c.typed;
      EXPECT_EQ(getGadgetState(gadgetByName(0, track)), c.track) << c.pair << " " << c.typed;
    });
    driverClick("Cancel");
    c.procedure(editor, "hero", 0);
    EXPECT_TRUE(driverCheckDone());
  }
  // Moving a track bar writes its position less the offset.
  driverChoose("Red track", 300);
  driverCall([] { EXPECT_EQ(getGadgetText(gadgetByName(0, "Red field")), "45"); });
  driverClick("Cancel");
  applyColorBalance(editor, "hero", 0);
  for (int i : {0, 1, 2, 3, 5}) EXPECT_TRUE(unchanged(i)) << i;
}

TEST(ImageCommands, EveryCommandOnceWithItsMenuItem) {
  std::vector<int> items;
  for (const ImageCommand& c : imageCommands) {
    items.push_back(c.menuItem);
    EXPECT_NE(c.run, nullptr) << c.label;
  }
  std::sort(items.begin(), items.end());
  for (int i = 0; i < IMAGE_COMMAND_COUNT; i++) EXPECT_EQ(items[size_t(i)], 211 + i);
  EXPECT_EQ(imageCommands[0].run, applyShift);
  EXPECT_STREQ(imageCommands[9].label, "Swap RGB channel");
  EXPECT_EQ(imageCommands[9].run, applySwapChannels);
  EXPECT_EQ(imageCommands[15].run, applyEraseColor);
  EXPECT_FALSE(runImageCommand(210, 0, "hero", 0));
  EXPECT_TRUE(runImageCommand(217, 0, "hero", -1));   // Grayscale without a current frame: nothing opens
}

}  // namespace
