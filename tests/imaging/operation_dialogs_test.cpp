// Each operation's dialog: its controls reach the pure operation, and OK
// gives the frames what the preview showed.
#include "dialog_fixture.h"

#include "imaging/image_operations.h"
#include "imaging/pixel_rules.h"

#include <cmath>
#include <random>

namespace {

class OperationDialogs : public DialogTest {
 protected:
  // A 5 x 5 current frame of random pixels and a second frame of the sprite.
  void SetUp() override {
    DialogTest::SetUp();
    std::mt19937 random(7);
    int picture = randomImage(random, 5, 5);
    current = addFrameOf("hero", 5, 5, pixelsOf(picture));
    freeImage(picture);
    second = addFrame("hero", 3, 2, rgba(220, 128, 30, 255));
  }
  void run(void (*procedure)(int, const std::string&, int)) {
    driverCheck("all frames", false);
    driverClick("OK");
    procedure(editor, "hero", current);
    EXPECT_TRUE(driverCheckDone());
    EXPECT_TRUE(unchanged(second));
  }
  int current = 0, second = 0;
};

TEST_F(OperationDialogs, Mirror) {
  driverClick("Mirror horizontally");
  run(applyMirror);
  EXPECT_EQ(framePixels(current), expected(current, [](int i) { return mirrorImage(i, true, false); }));
}

TEST_F(OperationDialogs, RotateByQuarters) {
  driverClick("90");
  driverCall([] { EXPECT_EQ(getGadgetState(gadgetByName(0, "Angle track")), 90); });
  run(applyRotate);
  EXPECT_EQ(framePixels(current), expected(current, [](int i) { return turnImage(i, 90); }));
}

// The turn about (w div 2, h div 2) by the nearest source pixel, in
// single precision, counter-clockwise on screen.
std::vector<uint32_t> freeTurnReference(const std::vector<uint32_t>& source, int w, int h, int degrees) {
  float theta = float(degrees) * 3.14159265f / 180.0f;
  float c = std::cos(theta), s = std::sin(theta);
  int cx = w / 2, cy = h / 2;
  std::vector<uint32_t> out(source.size(), 0);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      int sx = roundHalfAway(float(x - cx) * c - float(y - cy) * s + float(cx));
      int sy = roundHalfAway(float(x - cx) * s + float(y - cy) * c + float(cy));
      if (sx >= 0 && sx < w && sy >= 0 && sy < h) out[size_t(y * w + x)] = stored(source[size_t(sy * w + sx)]);
    }
  return out;
}

// "180" then the track bar: the track bar selects "Free" with its angle.
TEST_F(OperationDialogs, RotateFreely) {
  driverClick("180");
  // At 30 some source positions fall on exact halves, which round away from zero.
  driverChoose("Angle track", 30);
  driverCall([] {
    EXPECT_EQ(getGadgetState(gadgetByName(0, "Angle track")), 30);
  });
  run(applyRotate);
  std::vector<uint32_t> turned = framePixels(current);
  EXPECT_EQ(turned, freeTurnReference(pixelsOf(originals[size_t(current)]), 5, 5, 30));
  EXPECT_EQ(turned[0], 0u);    // corners uncovered
  EXPECT_EQ(turned[24], 0u);
}

TEST_F(OperationDialogs, Shift) {
  driverSetText("Horizontal field", "2");
  driverSetText("Vertical field", "-1");
  driverClick("Wrap horizontally");
  run(applyShift);
  EXPECT_EQ(framePixels(current), expected(current, [](int i) { return shiftImage(i, 2, -1, true, false); }));
}

// The buttons set both axes; "Lock" couples the track bars and fields.
TEST_F(OperationDialogs, Scale) {
  driverCheck("Lock", false);
  driverClick("1/2");
  driverChoose("Horizontal track", 300);
  driverCall([] {
    EXPECT_EQ(getGadgetText(gadgetByName(0, "Horizontal field")), "300");
    EXPECT_EQ(getGadgetText(gadgetByName(0, "Vertical field")), "50");
  });
  driverCheck("Lock", true);
  driverSetText("Vertical field", "60");
  driverCall([] {
    EXPECT_EQ(getGadgetText(gadgetByName(0, "Horizontal field")), "60");
    EXPECT_EQ(getGadgetState(gadgetByName(0, "Horizontal track")), 60);
  });
  driverChoose("Vertical track", 200);
  driverCall([] { EXPECT_EQ(getGadgetText(gadgetByName(0, "Horizontal field")), "200"); });
  driverSetText("Vertical field", "50.5");
  run(applyScale);
  EXPECT_EQ(framePixels(current), expected(current, [](int i) { return scaleImage(i, 50.5, 50.5); }));
}

// Grayscale, invert and make opaque need no action: OK applies them.
TEST_F(OperationDialogs, RulesWithoutValues) {
  const struct {
    void (*procedure)(int, const std::string&, int);
    int (*rule)(int image);
  } cases[] = {{applyGrayscale, grayscaleImage}, {applyInvert, invertImage}, {applyMakeOpaque, makeOpaqueImage}};
  std::vector<uint32_t> picture = framePixels(current);
  for (const auto& c : cases) {
    current = addFrameOf("hero", 5, 5, picture);
    run(c.procedure);
    EXPECT_EQ(framePixels(current), expected(current, c.rule));
  }
}

TEST_F(OperationDialogs, SwapChannels) {
  driverClick("RGB ==> BGR");
  run(applySwapChannels);
  EXPECT_EQ(framePixels(current), expected(current, [](int i) { return swapChannelsImage(i, SWAP_BGR); }));
}

// Colour balance reads the track bars, brightness the field.
TEST_F(OperationDialogs, LevelsOnTheSecondFrame) {
  driverChoose("Red track", 305);
  driverSetText("Blue field", "-50");
  driverClick("OK");
  applyColorBalance(editor, "hero", second);
  EXPECT_EQ(framePixels(second), std::vector<uint32_t>(6, rgba(255, 128, 0, 255)));

  driverSetText("Level field", "-20");
  driverCheck("all frames", false);
  driverClick("OK");
  applyBrightness(editor, "hero", second);
  EXPECT_EQ(framePixels(second), std::vector<uint32_t>(6, rgba(235, 108, 0, 255)));
  EXPECT_FALSE(unchanged(current));   // the first OK took every frame
}

TEST_F(OperationDialogs, ColorizeOpacityPosterize) {
  driverSetText("Hue field", "30");
  run(applyColorize);
  EXPECT_EQ(framePixels(current), expected(current, [](int i) { return colorizeImage(i, 30); }));

  driverSetText("Percent field", "33");
  driverClick("OK");
  applyOpacity(editor, "hero", second);
  EXPECT_EQ(framePixels(second), std::vector<uint32_t>(6, rgba(220, 128, 30, 85)));

  driverSetText("Level field", "100");
  driverClick("OK");
  applyPosterize(editor, "hero", second);
  EXPECT_EQ(framePixels(second), std::vector<uint32_t>(6, rgba(200, 100, 0, 85)));
}

// Level 0 adds exactly 1; every frame gets the pattern of the last preview.
TEST_F(OperationDialogs, NoiseAppliesTheLastPreview) {
  driverSetText("Level field", "0");
  run(applyNoise);
  EXPECT_EQ(framePixels(current), expected(current, [](int i) {
              return noiseImage(i, makeNoisePattern(5, 5, 0, [](int) { return 0; }));
            }));

  int a = addFrame("hero", 5, 5, rgba(100, 100, 100, 255));
  int b = addFrame("hero", 5, 5, rgba(100, 100, 100, 255));
  std::vector<uint32_t> shown;
  driverSetText("Level field", "100");
  driverChoose("Level track", 99);
  driverChoose("Level track", 100);
  driverCall([&] {
    for (int i = 0; i < 25; i++) shown.push_back(canvasPixel("modified", i % 5, i / 5));
  });
  driverClick("OK");
  applyNoise(editor, "hero", a);
  std::vector<uint32_t> noisy = framePixels(a);
  EXPECT_EQ(noisy, shown);
  EXPECT_EQ(framePixels(b), noisy);
  bool varied = false;
  for (uint32_t c : noisy) {
    EXPECT_GE(red(c), 101);
    EXPECT_LE(red(c), 201);
    EXPECT_EQ(red(c), blue(c));
    varied = varied || c != noisy[0];
  }
  EXPECT_TRUE(varied);
}

class EraseColorDialog : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    frame = addFrameOf("hero", 4, 1,
                       {rgba(255, 0, 0, 255), rgba(54, 54, 54, 255), rgba(55, 55, 55, 255), rgba(9, 9, 9, 0)});
  }
  int frame = 0;
};

// The chooser's colour by luminance; a cancelled chooser keeps it.
TEST_F(EraseColorDialog, KeyFromTheChooser) {
  driverClick("...");
  driverAnswerColor(rgb(255, 0, 0));
  driverClick("...");
  driverAnswerColor(-1);
  driverCall([] { EXPECT_EQ(getGadgetColor(gadgetByName(0, "key colour"), COLOR_BACK), rgb(255, 0, 0)); });
  driverClick("OK");
  applyEraseColor(editor, "hero", frame);
  EXPECT_EQ(framePixels(frame), (std::vector<uint32_t>{0, 0, rgba(55, 55, 55, 255), 0}));
}

// A click into "ORIGINAL" picks what it shows there: the backdrop's grey
// under a transparent pixel.
TEST_F(EraseColorDialog, KeyFromTheOriginalPreview) {
  driverCanvas("original", ET_LEFTCLICK, 3, 0);
  driverCall([] { EXPECT_EQ(getGadgetColor(gadgetByName(0, "key colour"), COLOR_BACK), rgb(192, 192, 192)); });
  driverCanvas("original", ET_LEFTCLICK, 2, 0);
  driverClick("OK");
  applyEraseColor(editor, "hero", frame);
  EXPECT_EQ(framePixels(frame), (std::vector<uint32_t>{rgba(255, 0, 0, 255), rgba(54, 54, 54, 255), 0, 0}));
}

}  // namespace
