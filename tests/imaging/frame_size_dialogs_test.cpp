// Resize canvas and Stretch: every frame of the sprite gets the new size.
#include "dialog_fixture.h"

namespace {

class FrameSizeDialogs : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    // A 10 x 10 frame with a red pixel at (0, 0), another sprite's frame
    // between, a frame without a picture, and a 4 x 2 last frame.
    std::vector<uint32_t> pixels(100, rgba(0, 0, 255, 255));
    pixels[0] = rgba(255, 0, 0, 255);
    addFrameOf("hero", 10, 10, pixels);
    addFrame("other", 10, 10, rgba(1, 2, 3, 255));
    addFrame("hero", 0, 0, 0);
    addFrame("hero", 4, 2, rgba(0, 255, 0, 255));
  }
};

TEST_F(FrameSizeDialogs, ResizeCanvasCentresEachFrameByItsOwnSize) {
  driverCall([&] {
    int w = gadgetWindow(gadgetByName(0, "new width"));
    EXPECT_EQ(getWindowTitle(w), "Resize canvas");
    EXPECT_EQ(windowWidth(w), 220);
    EXPECT_EQ(windowHeight(w), 160);
    EXPECT_TRUE(isWindowDisabled(editor));
    // The current size is the last frame's.
    EXPECT_EQ(getGadgetText(gadgetByName(w, "new width")), "4");
    EXPECT_EQ(getGadgetText(gadgetByName(w, "new height")), "2");
  });
  driverCheck("Keep aspect ratio", false);
  driverSetText("new width", "20");
  driverSetText("new height", "20");
  driverClick("OK");
  resizeCanvas(editor, "hero", 0);
  EXPECT_TRUE(driverCheckDone());
  EXPECT_FALSE(isWindowDisabled(editor));
  EXPECT_EQ(stripRebuilds, std::vector<std::string>{"hero"});
  EXPECT_NE(frames[0].image, numbers[0]);
  EXPECT_FALSE(isImage(numbers[0]));
  EXPECT_EQ(imageWidth(frames[0].image), 20);
  EXPECT_EQ(getPixel(frames[0].image, 5, 5), rgba(255, 0, 0, 255));
  EXPECT_EQ(getPixel(frames[0].image, 4, 5), 0u);
  EXPECT_EQ(getPixel(frames[0].image, 14, 14), rgba(0, 0, 255, 255));
  EXPECT_EQ(getPixel(frames[0].image, 15, 15), 0u);
  // 4 x 2 drawn at (10 - 2, 10 - 1).
  EXPECT_EQ(getPixel(frames[3].image, 8, 9), rgba(0, 255, 0, 255));
  EXPECT_EQ(getPixel(frames[3].image, 7, 9), 0u);
  EXPECT_EQ(getPixel(frames[3].image, 11, 10), rgba(0, 255, 0, 255));
  EXPECT_EQ(frames[2].image, 0);
  EXPECT_TRUE(unchanged(1));
}

// Mended: a size no frame can have is refused before any frame changes,
// and the dialog stays open.
TEST_F(FrameSizeDialogs, SizesOutsideOneTo16384AreRefused) {
  const char* refused[][2] = {{"0", "10"}, {"10", ""}, {"16385", "10"}, {"99999999999", "3"}};
  for (void (*procedure)(int, const std::string&, int) : {resizeCanvas, applyStretch}) {
    driverCheck("Keep aspect ratio", false);
    for (const auto& size : refused) {
      driverSetText("new width", size[0]);
      driverSetText("new height", size[1]);
      driverClick("OK");
      driverAnswerMessage("Error", "The new width and height must each be from 1 to 16384 pixels.");
    }
    driverClick("Cancel");
    procedure(editor, "hero", 0);
    EXPECT_TRUE(driverCheckDone());
    for (int i : {0, 1, 3}) EXPECT_TRUE(unchanged(i)) << i;
  }
  EXPECT_EQ(stripRebuilds, (std::vector<std::string>{"hero", "hero"}));
}

// The ratio is always that of the frame size (here 4 x 2); halves go to even.
TEST_F(FrameSizeDialogs, KeepAspectRatio) {
  const struct {
    const char* field;
    const char* typed;
    const char* other;
    const char* shown;
  } cases[] = {{"new width", "8", "new height", "4"},  {"new width", "5", "new height", "2"},
               {"new width", "7", "new height", "4"},  {"new height", "3", "new width", "6"},
               {"new width", "", "new height", "0"},   {"new height", "1", "new width", "2"}};
  for (const auto& c : cases) {
    driverSetText(c.field, c.typed);
    driverCall([&] { EXPECT_EQ(getGadgetText(gadgetByName(0, c.other)), c.shown) << c.field << " " << c.typed; });
  }
  driverClick("Cancel");
  resizeCanvas(editor, "hero", 0);
  EXPECT_TRUE(driverCheckDone());
}

TEST_F(FrameSizeDialogs, StretchKeepsTheImageNumbers) {
  driverCall([] {
    int w = gadgetWindow(gadgetByName(0, "new width"));
    EXPECT_EQ(getWindowTitle(w), "Stretch the images");
    EXPECT_EQ(windowHeight(w), 200);
  });
  driverCheck("Smooth (Interpolate pixels)", false);
  driverSetText("new width", "20");   // the height follows: 10
  driverClick("OK");
  applyStretch(editor, "hero", 0);
  EXPECT_TRUE(driverCheckDone());
  for (int i : {0, 3}) {
    EXPECT_EQ(frames[size_t(i)].image, numbers[size_t(i)]);
    EXPECT_EQ(imageWidth(frames[size_t(i)].image), 20);
    EXPECT_EQ(imageHeight(frames[size_t(i)].image), 10);
  }
  EXPECT_EQ(getPixel(frames[0].image, 1, 0), rgba(255, 0, 0, 255));
  EXPECT_EQ(getPixel(frames[0].image, 2, 0), rgba(0, 0, 255, 255));
  EXPECT_TRUE(unchanged(1));
  EXPECT_EQ(stripRebuilds, std::vector<std::string>{"hero"});
}

TEST_F(FrameSizeDialogs, ASpriteWithoutFramesOpensNothing) {
  resizeCanvas(editor, "nobody", 0);
  applyStretch(editor, "nobody", 0);
  EXPECT_TRUE(driverCheckDone());
  EXPECT_TRUE(stripRebuilds.empty());
}

}  // namespace
