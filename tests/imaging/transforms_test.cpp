#include "imaging/image_operations.h"
#include "imaging/pixel_rules.h"
#include "imaging_test_util.h"
#include "ui/draw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// Every pixel its own colour: red x, green y, blue 7, opaque.
int numbered(int w, int h) {
  std::vector<uint32_t> p;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) p.push_back(rgba(x, y, 7, 255));
  return imageOf(w, h, p);
}
uint32_t at(int x, int y) { return rgba(x, y, 7, 255); }

// The turn as the formula reads: inverse mapping about (w div 2, h div 2)
// in single precision, the nearest source pixel with halves away from zero.
std::vector<uint32_t> turnedByFormula(int image, int degrees) {
  int w = imageWidth(image), h = imageHeight(image), cx = w / 2, cy = h / 2;
  float theta = float(degrees) * std::numbers::pi_v<float> / 180.0f;
  float c = std::cos(theta), s = std::sin(theta);
  std::vector<uint32_t> out;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      float u = float(x - cx) * c - float(y - cy) * s + float(cx);
      float v = float(x - cx) * s + float(y - cy) * c + float(cy);
      int sx = int(std::round(u)), sy = int(std::round(v));
      bool inside = sx >= 0 && sx < w && sy >= 0 && sy < h;
      out.push_back(inside ? stored(getPixel(image, sx, sy)) : 0u);
    }
  return out;
}

}  // namespace

TEST(Turn, ThreeByThreeAtNinety) {
  int image = numbered(3, 3);
  std::vector<uint32_t> out = take(turnImage(image, 90));
  // Top row: the right column read from the top; left column: the top row
  // read from the right.
  EXPECT_EQ(out[0], at(2, 0));
  EXPECT_EQ(out[1], at(2, 1));
  EXPECT_EQ(out[2], at(2, 2));
  EXPECT_EQ(out[3], at(1, 0));
  EXPECT_EQ(out[6], at(0, 0));
  freeImage(image);
}

// Even sizes turn about (w div 2, h div 2): one line lost, one transparent.
TEST(Turn, EvenSizesLoseALine) {
  int image = numbered(4, 4);
  struct Case {
    int degrees;
    int (*sx)(int x, int y);
    int (*sy)(int x, int y);
  } cases[] = {
      {90, [](int, int y) { return 4 - y; }, [](int x, int) { return x; }},
      {180, [](int x, int) { return 4 - x; }, [](int, int y) { return 4 - y; }},
      {270, [](int, int y) { return y; }, [](int x, int) { return 4 - x; }},
  };
  for (const Case& c : cases) {
    std::vector<uint32_t> out = take(turnImage(image, c.degrees));
    for (int y = 0; y < 4; y++)
      for (int x = 0; x < 4; x++) {
        int sx = c.sx(x, y), sy = c.sy(x, y);
        uint32_t expected = sx < 4 && sy < 4 ? at(sx, sy) : 0u;
        EXPECT_EQ(out[size_t(y * 4 + x)], expected) << c.degrees << " at " << x << "," << y;
      }
  }
  freeImage(image);

  // A 4 x 2 frame keeps its size: columns 0 and 3 transparent.
  image = numbered(4, 2);
  std::vector<uint32_t> out = take(turnImage(image, 90));
  std::vector<uint32_t> expected = {0, at(3, 0), at(3, 1), 0, 0, at(2, 0), at(2, 1), 0};
  EXPECT_EQ(out, expected);
  freeImage(image);
}

TEST(Turn, QuarterTurnsMatchTheFormulaOnRandomImages) {
  std::mt19937 random(16);
  int sizes[][2] = {{1, 1}, {1, 7}, {6, 1}, {3, 3}, {4, 4}, {5, 8}, {9, 4}, {17, 30}, {64, 63}, {301, 258}};
  for (auto& size : sizes) {
    int image = randomImage(random, size[0], size[1], size[0] % 2 ? 32 : 24);
    for (int degrees : {0, 90, 180, 270})
      EXPECT_EQ(take(turnImage(image, degrees)), turnedByFormula(image, degrees))
          << size[0] << "x" << size[1] << " at " << degrees;
    freeImage(image);
  }
}

// Every whole angle, on odd and even sides and a frame that is not square:
// the result keeps the frame's size, and each pixel is the formula's source
// pixel or transparent.
TEST(Turn, EveryWholeAngleMatchesTheFormula) {
  std::mt19937 random(29);
  int sizes[][2] = {{5, 5}, {6, 6}, {7, 4}};
  for (auto& size : sizes) {
    int image = randomImage(random, size[0], size[1]);
    for (int degrees = 0; degrees < 360; degrees++)
      EXPECT_EQ(take(turnImage(image, degrees)), turnedByFormula(image, degrees))
          << size[0] << "x" << size[1] << " at " << degrees;
    freeImage(image);
  }
}

// At 45 a square frame's corners are uncovered and the source's corners
// fall outside it; nothing is blended.
TEST(Turn, FreeTurnDropsTheCorners) {
  for (auto [w, h] : {std::pair{5, 5}, std::pair{6, 6}, std::pair{9, 9}}) {
    int image = numbered(w, h);
    std::vector<uint32_t> out = take(turnImage(image, 45));
    ASSERT_EQ(out.size(), size_t(w * h));
    for (size_t corner : {size_t(0), size_t(w - 1), size_t(w * (h - 1)), size_t(w * h - 1)})
      EXPECT_EQ(out[corner], 0u) << w << "x" << h << " corner " << corner;
    for (uint32_t c : out) {
      if (c == 0) continue;
      EXPECT_EQ(blue(c), 7) << "blended";
      bool sourceCorner = (red(c) == 0 || red(c) == w - 1) && (green(c) == 0 || green(c) == h - 1);
      EXPECT_FALSE(sourceCorner) << w << "x" << h << " keeps " << red(c) << "," << green(c);
    }
    freeImage(image);
  }
}

TEST(Turn, AnglesAndRoundTrips) {
  std::mt19937 random(3);
  int image = randomImage(random, 7, 5);
  std::vector<uint32_t> original;
  for (uint32_t c : pixelsOf(image)) original.push_back(stored(c));

  EXPECT_EQ(take(turnImage(image, -45)), take(turnImage(image, 315)));
  EXPECT_EQ(take(turnImage(image, -90)), take(turnImage(image, 270)));
  EXPECT_EQ(take(turnImage(image, 450)), take(turnImage(image, 90)));
  EXPECT_EQ(take(turnImage(image, 0)), original);
  EXPECT_EQ(turnImage(0, 90), 0);

  // Odd sizes turn without loss: a half turn twice gives the frame back,
  // and so does mirroring twice.
  int half = turnImage(image, 180);
  EXPECT_EQ(take(turnImage(half, 180)), original);
  freeImage(half);
  int mirrored = mirrorImage(image, true, true);
  EXPECT_EQ(take(mirrorImage(mirrored, true, true)), original);
  EXPECT_EQ(pixelsOf(mirrored), take(turnImage(image, 180)));   // H + V is a half turn
  freeImage(mirrored);
  freeImage(image);
}

TEST(Mirror, MatchesPlainReference) {
  std::mt19937 random(5);
  int sizes[][2] = {{1, 1}, {2, 3}, {8, 8}, {13, 6}};
  for (auto& size : sizes) {
    int w = size[0], h = size[1];
    int image = randomImage(random, w, h);
    for (int flags = 0; flags < 4; flags++) {
      bool horizontally = flags & 1, vertically = flags & 2;
      std::vector<uint32_t> expected(size_t(w * h));
      for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
          int tx = horizontally ? w - 1 - x : x, ty = vertically ? h - 1 - y : y;
          expected[size_t(ty * w + tx)] = stored(getPixel(image, x, y));
        }
      EXPECT_EQ(take(mirrorImage(image, horizontally, vertically)), expected) << w << "x" << h << " " << flags;
    }
    freeImage(image);
  }
}

// Moved pixels keep all four channels; a transparent one loses its colour,
// and a 24-bit frame comes back 32 bits deep and opaque.
TEST(Mirror, ResultImageRule) {
  int image = imageOf(2, 1, {rgba(255, 0, 0, 0), rgba(1, 2, 3, 128)});
  EXPECT_EQ(take(mirrorImage(image, true, false)), (std::vector<uint32_t>{rgba(1, 2, 3, 128), 0}));
  freeImage(image);
  image = imageOf(2, 1, {rgba(9, 8, 7, 0), rgba(1, 2, 3, 0)}, 24);
  EXPECT_EQ(take(mirrorImage(image, false, false)),
            (std::vector<uint32_t>{rgba(9, 8, 7, 255), rgba(1, 2, 3, 255)}));
  freeImage(image);
}

TEST(Shift, ColumnsMovedCutOrWrapped) {
  int image = numbered(10, 2);
  std::vector<uint32_t> cut = take(shiftImage(image, 3, 0, false, false));
  std::vector<uint32_t> wrapped = take(shiftImage(image, 3, 0, true, false));
  for (int x = 0; x < 10; x++) {
    EXPECT_EQ(cut[size_t(x)], x < 3 ? 0u : at(x - 3, 0)) << x;
    EXPECT_EQ(wrapped[size_t(x)], at((x + 7) % 10, 0)) << x;
  }
  std::vector<uint32_t> original = pixelsOf(image);
  for (int dx : {10, -10}) {
    EXPECT_EQ(take(shiftImage(image, dx, 0, false, false)), std::vector<uint32_t>(20, 0u)) << dx;
    EXPECT_EQ(take(shiftImage(image, dx, 0, true, false)), original) << dx;
  }
  EXPECT_EQ(take(shiftImage(image, 0, 0, false, false)), original);
  freeImage(image);
}

TEST(Shift, MatchesPlainReferenceOnRandomImages) {
  std::mt19937 random(7);
  for (int round = 0; round < 40; round++) {
    int w = 1 + int(random() % 12), h = 1 + int(random() % 12);
    int image = randomImage(random, w, h);
    int dx = int(random() % (4 * w + 1)) - 2 * w, dy = int(random() % (4 * h + 1)) - 2 * h;
    bool wrapH = random() % 2, wrapV = random() % 2;
    std::vector<uint32_t> expected;
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) {
        int sx = x - dx, sy = y - dy;
        if (wrapH) sx = ((sx % w) + w) % w;
        if (wrapV) sy = ((sy % h) + h) % h;
        bool inside = sx >= 0 && sx < w && sy >= 0 && sy < h;
        expected.push_back(inside ? stored(getPixel(image, sx, sy)) : 0u);
      }
    EXPECT_EQ(take(shiftImage(image, dx, dy, wrapH, wrapV)), expected)
        << w << "x" << h << " by " << dx << "," << dy << " wrap " << wrapH << wrapV;
    freeImage(image);
  }
}

TEST(Scale, HalfOfFiveByFive) {
  int image = numbered(5, 5);
  std::vector<uint32_t> out = take(scaleImage(image, 50, 50));
  // sw = 2.5: W = 2 (halves to even), x0 = 2 - 1.25 -> 1.
  for (int y = 0; y < 5; y++)
    for (int x = 0; x < 5; x++) {
      bool drawn = x >= 1 && x <= 2 && y >= 1 && y <= 2;
      EXPECT_EQ(out[size_t(y * 5 + x)] != 0, drawn) << x << "," << y;
    }
  EXPECT_EQ(out[6], at(1, 1));   // source (2 x 0 + 1) x 5 div 4 = 1
  freeImage(image);
}

TEST(Scale, EdgeCases) {
  int image = numbered(8, 8);
  EXPECT_EQ(take(scaleImage(image, 100, 100)), pixelsOf(image));
  // 200 %: the middle half enlarged; result (0, 0) shows source (2, 2).
  std::vector<uint32_t> doubled = take(scaleImage(image, 200, 200));
  EXPECT_EQ(doubled[0], at(2, 2));
  EXPECT_EQ(doubled[63], at(5, 5));
  // A size that rounds to 0 draws nothing: 1 % of 50 is 0.5, to even 0.
  int wide = numbered(50, 2);
  EXPECT_EQ(take(scaleImage(wide, 1, 100)), std::vector<uint32_t>(100, 0u));
  freeImage(wide);
  for (double percent : {0.0, -20.0}) EXPECT_EQ(take(scaleImage(image, percent, 100)), std::vector<uint32_t>(64, 0u));
  freeImage(image);
}

// Against the drawing layer's nearest-pixel scaled drawing into the
// rectangle that the percentages give, fractions included.
TEST(Scale, MatchesScaledDrawingOnRandomImages) {
  std::mt19937 random(11);
  double percents[] = {1, 12.5, 33.3, 50, 75, 99.9, 100, 150, 200, 399.5, 400};
  for (int round = 0; round < 30; round++) {
    int w = 1 + int(random() % 40), h = 1 + int(random() % 40);
    int image = randomImage(random, w, h, round % 3 ? 32 : 24);
    double ph = percents[random() % 11], pv = percents[random() % 11];
    float sw = float(ph) * float(w) / 100.0f, sh = float(pv) * float(h) / 100.0f;
    int reference = createImage(-1, w, h, 32);
    startDrawing(reference);
    drawingMode(DRAW_DEFAULT);
    drawImageScaled(image, int(std::nearbyint(float(w / 2) - sw / 2)), int(std::nearbyint(float(h / 2) - sh / 2)),
                    int(std::nearbyint(sw)), int(std::nearbyint(sh)));
    stopDrawing();
    std::vector<uint32_t> expected;
    for (uint32_t c : pixelsOf(reference)) expected.push_back(stored(c));
    EXPECT_EQ(take(scaleImage(image, ph, pv)), expected) << w << "x" << h << " at " << ph << "," << pv;
    freeImage(reference);
    freeImage(image);
  }
}

TEST(ResizeCanvas, PictureCentredByItsOwnSize) {
  struct Case {
    int from, to, offset;
  } cases[] = {{10, 20, 5}, {10, 4, -3}, {5, 8, 2}, {3, 3, 0}, {1, 16384, 8192}};
  for (const Case& c : cases) {
    int image = numbered(c.from, 1);
    int result = resizeCanvasImage(image, c.to, 1);
    ASSERT_NE(result, 0);
    EXPECT_EQ(imageWidth(result), c.to);
    for (int x = 0; x < c.to; x++) {
      int sx = x - c.offset;
      uint32_t expected = sx >= 0 && sx < c.from ? at(sx, 0) : 0u;
      ASSERT_EQ(getPixel(result, x, 0), expected) << c.from << "->" << c.to << " at " << x;
    }
    freeImage(result);
    freeImage(image);
  }
  // Both axes: a 10 x 10 frame in 20 x 20 sits at (5, 5) with a 5-pixel border.
  int image = numbered(10, 10);
  std::vector<uint32_t> out = take(resizeCanvasImage(image, 20, 20));
  for (int y = 0; y < 20; y++)
    for (int x = 0; x < 20; x++) {
      bool inside = x >= 5 && x < 15 && y >= 5 && y < 15;
      ASSERT_EQ(out[size_t(y * 20 + x)], inside ? at(x - 5, y - 5) : 0u) << x << "," << y;
    }
  freeImage(image);
}

// Sizes outside 1 ... 16384 are refused before anything is made or changed.
TEST(ResizeCanvas, SizeOutOfRangeChangesNothing) {
  int image = numbered(4, 4);
  std::vector<uint32_t> before = pixelsOf(image);
  int sizes[][2] = {{0, 4}, {4, 0}, {16385, 4}, {4, -1}};
  for (auto& size : sizes) {
    EXPECT_EQ(resizeCanvasImage(image, size[0], size[1]), 0);
    EXPECT_FALSE(stretchImage(image, size[0], size[1], true));
    EXPECT_EQ(imageWidth(image), 4);
    EXPECT_EQ(pixelsOf(image), before);
  }
  EXPECT_TRUE(stretchImage(image, 8, 2, false));   // in place: same number
  EXPECT_EQ(imageWidth(image), 8);
  EXPECT_EQ(imageHeight(image), 2);
  EXPECT_EQ(getPixel(image, 7, 1), at(3, 3));
  freeImage(image);
}
