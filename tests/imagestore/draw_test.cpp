#include "ui/draw.h"
#include "ui/draw_pixel.h"
#include "ui/image.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

int solid(int w, int h, uint32_t color, int depth = 32) { return createImage(-1, w, h, depth, color); }

// The rule written out on its own: straight alpha "over" with exact sums.
uint32_t referenceBlend(uint32_t dst, uint32_t src, int a) {
  if (a == 0) return dst;
  int da = alpha(dst);
  if (da == 255) {
    return rgba((red(src) * a + red(dst) * (255 - a)) / 255, (green(src) * a + green(dst) * (255 - a)) / 255,
                (blue(src) * a + blue(dst) * (255 - a)) / 255, 255);
  }
  int64_t under = int64_t(da) * (255 - a), total = int64_t(a) * 255 + under;
  if (total == 0) return dst;
  auto mix = [&](int s, int d) { return int((int64_t(s) * a * 255 + int64_t(d) * under) / total); };
  return rgba(mix(red(src), red(dst)), mix(green(src), green(dst)), mix(blue(src), blue(dst)), a + int(under / 255));
}

}  // namespace

TEST(DrawModes, PlotInEachMode) {
  struct Case {
    const char* name;
    int mode;
    uint32_t before, color, after;
  } cases[] = {
      {"plain writes alpha too", DRAW_DEFAULT, rgba(1, 2, 3, 255), rgba(9, 8, 7, 6), rgba(9, 8, 7, 6)},
      {"blend over opaque", DRAW_ALPHABLEND, rgba(0, 0, 0, 255), rgba(255, 255, 255, 128), rgba(128, 128, 128, 255)},
      {"blend truncates", DRAW_ALPHABLEND, rgba(10, 200, 255, 255), rgba(100, 0, 1, 100),
       rgba(45, 121, 155, 255)},
      {"blend alpha 0 draws nothing", DRAW_ALPHABLEND, rgba(1, 2, 3, 255), rgba(255, 255, 255, 0), rgba(1, 2, 3, 255)},
      {"blend onto transparent copies exactly", DRAW_ALPHABLEND, rgba(50, 60, 70, 0), rgba(200, 100, 33, 77),
       rgba(200, 100, 33, 77)},
      {"blend onto half transparent", DRAW_ALPHABLEND, rgba(0, 0, 0, 128), rgba(255, 0, 0, 128),
       rgba(170, 0, 0, 191)},
      {"xor ignores colour alpha", DRAW_XOR, rgba(0x0F, 0xF0, 0xAA, 99), rgba(0xFF, 0xFF, 0x0F, 0),
       rgba(0xF0, 0x0F, 0xA5, 99)},
  };
  for (const Case& c : cases) {
    int image = solid(1, 1, c.before);
    ASSERT_TRUE(startDrawing(image));
    drawingMode(c.mode);
    plot(0, 0, c.color);
    EXPECT_EQ(point(0, 0), c.after) << c.name;
    stopDrawing();
    freeImage(image);
  }
  drawingMode(DRAW_DEFAULT);
}

TEST(DrawModes, OpaqueTargetStaysOpaque) {
  int image = solid(2, 1, rgba(0, 0, 0, 255), 24);
  startDrawing(image);
  for (int mode : {DRAW_DEFAULT, DRAW_ALPHABLEND, DRAW_XOR}) {
    drawingMode(mode);
    plot(0, 0, rgba(40, 50, 60, 10));
    box(1, 0, 1, 1, rgba(40, 50, 60, 0));
    EXPECT_EQ(alpha(point(0, 0)), 255) << mode;
    EXPECT_EQ(alpha(point(1, 0)), 255) << mode;
  }
  stopDrawing();
  drawingMode(DRAW_DEFAULT);
  freeImage(image);
}

TEST(DrawModes, SemiTransparentImageCopiedOntoTransparentStaysExact) {
  int source = solid(3, 3, rgba(10, 20, 30, 40));
  setPixel(source, 1, 1, rgba(255, 0, 0, 0));   // hidden colour: blending skips it
  int target = solid(3, 3, 0);
  startDrawing(target);
  drawingMode(DRAW_ALPHABLEND);
  drawImage(source, 0, 0);
  EXPECT_EQ(point(0, 0), rgba(10, 20, 30, 40));
  EXPECT_EQ(point(1, 1), 0u);
  drawingMode(DRAW_DEFAULT);
  drawImage(source, 0, 0);   // plain copy keeps the hidden colour
  EXPECT_EQ(point(1, 1), rgba(255, 0, 0, 0));
  stopDrawing();
  freeImage(source);
  freeImage(target);
}

TEST(DrawModes, ExtraAlphaScalesTheImageAlpha) {
  int source = solid(1, 1, rgba(255, 255, 255, 255));
  int target = solid(1, 1, rgba(0, 0, 0, 255));
  startDrawing(target);
  drawingMode(DRAW_ALPHABLEND);
  drawImage(source, 0, 0, 51);
  EXPECT_EQ(point(0, 0), rgba(51, 51, 51, 255));
  drawImage(source, 0, 0, 0);
  EXPECT_EQ(point(0, 0), rgba(51, 51, 51, 255));
  stopDrawing();
  drawingMode(DRAW_DEFAULT);
  freeImage(source);
  freeImage(target);
}

TEST(DrawImage, ClipsAtNegativeAndFarOffsets) {
  int source = createImage(-1, 4, 4);
  for (int y = 0; y < 4; y++)
    for (int x = 0; x < 4; x++) setPixel(source, x, y, rgba(x, y, 0, 255));
  struct Case {
    int x, y;
  } cases[] = {{-2, -3}, {3, -1}, {-3, 2}, {4, 4}, {-4, 0}, {2000000000, 0}, {-2000000000, -2000000000}};
  for (const Case& c : cases) {
    int target = createImage(-1, 4, 4);
    startDrawing(target);
    drawImage(source, c.x, c.y);
    for (int y = 0; y < 4; y++)
      for (int x = 0; x < 4; x++) {
        int sx = x - c.x, sy = y - c.y;
        bool inside = int64_t(x) - c.x >= 0 && int64_t(x) - c.x < 4 && int64_t(y) - c.y >= 0 && int64_t(y) - c.y < 4;
        EXPECT_EQ(point(x, y), inside ? rgba(sx, sy, 0, 255) : 0u) << c.x << "," << c.y << " at " << x << "," << y;
      }
    stopDrawing();
    freeImage(target);
  }
  freeImage(source);
}

TEST(DrawImage, ScaledNearestAndEmptyRectangles) {
  int source = createImage(-1, 2, 2);
  setPixel(source, 0, 0, rgba(1, 0, 0, 255));
  setPixel(source, 1, 0, rgba(2, 0, 0, 255));
  setPixel(source, 0, 1, rgba(3, 0, 0, 255));
  setPixel(source, 1, 1, rgba(4, 0, 0, 255));
  int target = createImage(-1, 6, 6);
  startDrawing(target);
  for (auto [w, h] : {std::pair{0, 0}, {0, 5}, {5, 0}, {-4, -4}}) drawImageScaled(source, 0, 0, w, h);
  for (int y = 0; y < 6; y++)
    for (int x = 0; x < 6; x++) EXPECT_EQ(point(x, y), 0u);
  drawImageScaled(source, -1, 0, 4, 4);   // each source pixel 2 x 2, first column clipped
  EXPECT_EQ(point(0, 0), rgba(1, 0, 0, 255));
  EXPECT_EQ(point(1, 0), rgba(2, 0, 0, 255));
  EXPECT_EQ(point(2, 3), rgba(4, 0, 0, 255));
  EXPECT_EQ(point(3, 0), 0u);
  stopDrawing();
  freeImage(source);
  freeImage(target);
}

TEST(DrawImage, MatchesPerPixelReferenceOnRandomImages) {
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> byte(0, 255), pick(0, 3);
  auto alphaByte = [&] {
    int k = pick(random);   // plenty of the edge values 0 and 255
    return k == 0 ? 0 : k == 1 ? 255 : byte(random);
  };
  for (int round = 0; round < 48; round++) {
    int mode = round % 3, targetDepth = (round / 3) % 2 ? 24 : 32, sourceDepth = round % 7 == 0 ? 24 : 32;
    bool scaled = (round / 6) % 2 == 1;
    int w = 1 + byte(random) % 80, h = 1 + byte(random) % 40;
    int source = createImage(-1, w, h, sourceDepth), target = createImage(-1, 77, 23, targetDepth);
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) setPixel(source, x, y, rgba(byte(random), byte(random), byte(random), alphaByte()));
    bool opaqueTarget = round % 5 == 1;   // a 32-bit target drawn over everywhere
    for (int y = 0; y < 23; y++)
      for (int x = 0; x < 77; x++)
        setPixel(target, x, y, rgba(byte(random), byte(random), byte(random), opaqueTarget ? 255 : alphaByte()));
    int expected = copyImage(target);
    int ox = byte(random) % 90 - 20, oy = byte(random) % 40 - 20, extra = round % 4 ? 255 : byte(random);
    int dw = scaled ? 1 + byte(random) % 100 : w, dh = scaled ? 1 + byte(random) % 60 : h;
    for (int y = 0; y < dh; y++)
      for (int x = 0; x < dw; x++) {
        int tx = ox + x, ty = oy + y;
        if (tx < 0 || ty < 0 || tx >= 77 || ty >= 23) continue;
        // The source pixel whose area holds the target pixel's centre.
        uint32_t s = getPixel(source, int((x + 0.5) * w / dw), int((y + 0.5) * h / dh));
        uint32_t d = getPixel(expected, tx, ty), out = d;
        if (mode == DRAW_DEFAULT) out = s;
        else if (mode == DRAW_XOR) out = d ^ (s & 0xFFFFFF);
        else out = referenceBlend(d, s, alpha(s) * extra / 255);
        setPixel(expected, tx, ty, out);
      }
    startDrawing(target);
    drawingMode(mode);
    if (scaled) drawImageScaled(source, ox, oy, dw, dh, extra);
    else drawImage(source, ox, oy, extra);
    stopDrawing();
    drawingMode(DRAW_DEFAULT);
    for (int y = 0; y < 23; y++)
      for (int x = 0; x < 77; x++)
        ASSERT_EQ(getPixel(target, x, y), getPixel(expected, x, y))
            << "round " << round << " mode " << mode << " depth " << targetDepth << " at " << x << "," << y;
    freeImage(source);
    freeImage(target);
    freeImage(expected);
  }
}

namespace {

// The per-pixel loops that drawImage ran before it took runs of pixels a
// pair at a time: the fast paths must give the same bytes.
void oldDrawRow(uint32_t* dst, const uint32_t* src, int count, int mode, int targetDepth, uint32_t extra) {
  for (int i = 0; i < count; i++) {
    if (mode == DRAW_DEFAULT) {
      dst[i] = targetDepth == 24 ? src[i] | 0xFF000000u : src[i];
      continue;
    }
    uint32_t a = div255((src[i] >> 24) * extra);
    if (targetDepth == 24 || (dst[i] >> 24) == 255) dst[i] = blendOntoOpaque(dst[i], src[i], a);
    else if (a != 0) dst[i] = blendOver(dst[i], src[i], a);
  }
}

}  // namespace

// Every alpha (the first row holds them all in turn) over every kind of
// target: 24-bit, 32-bit opaque, 32-bit with opaque runs and clear pixels,
// with and without extra alpha, at offsets that start runs on odd pixels
// and leave odd tails.
TEST(DrawImage, RunsMatchTheOldPerPixelLoops) {
  std::mt19937 random(777);
  std::uniform_int_distribution<int> byte(0, 255), pick(0, 5);
  for (int round = 0; round < 60; round++) {
    int mode = round % 5 == 4 ? DRAW_DEFAULT : DRAW_ALPHABLEND;
    int targetDepth = round % 3 == 0 ? 24 : 32, targetKind = round % 3;   // 2: mixed 32-bit target
    uint32_t extra = round % 2 ? 255 : uint32_t(byte(random));
    int w = 1 + byte(random) + (round % 4 == 0 ? 256 : 0), h = 1 + byte(random) % 9;
    int source = createImage(-1, w, h, 32), target = createImage(-1, 301, 12, targetDepth);
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) {
        int k = pick(random);
        int a = y == 0 ? x % 256 : k == 0 ? 0 : k == 1 ? 255 : byte(random);
        setPixel(source, x, y, rgba(byte(random), byte(random), byte(random), a));
      }
    for (int y = 0; y < 12; y++)
      for (int x = 0; x < 301; x++) {
        // A mixed target: runs of opaque pixels long enough to be taken whole.
        int a = targetKind == 2 && (x / 40) % 2 ? (pick(random) ? byte(random) : 0) : 255;
        setPixel(target, x, y, rgba(byte(random), byte(random), byte(random), a));
      }
    int ox = byte(random) % 60 - 20, oy = byte(random) % 6 - 2;
    int expected = copyImage(target);
    for (int y = std::max(oy, 0); y < std::min(oy + h, 12); y++) {
      int left = std::max(ox, 0), right = std::min(ox + w, 301);
      if (right <= left) continue;
      auto row = [](int image, int y) {
        return reinterpret_cast<uint32_t*>(imageBuffer(image) + size_t(y) * size_t(imageBufferPitch(image)));
      };
      const uint32_t* src = row(source, y - oy) + (left - ox);
      uint32_t* dst = row(expected, y) + left;
      oldDrawRow(dst, src, right - left, mode, targetDepth, extra);
    }
    startDrawing(target);
    drawingMode(mode);
    drawImage(source, ox, oy, int(extra));
    stopDrawing();
    drawingMode(DRAW_DEFAULT);
    for (int y = 0; y < 12; y++)
      for (int x = 0; x < 301; x++)
        ASSERT_EQ(getPixel(target, x, y), getPixel(expected, x, y))
            << "round " << round << " mode " << mode << " depth " << targetDepth << " extra " << extra << " at " << x
            << "," << y;
    freeImage(source);
    freeImage(target);
    freeImage(expected);
  }
}

TEST(DrawImage, IntoItselfReadsTheOldPixels) {
  int image = createImage(-1, 4, 1);
  for (int x = 0; x < 4; x++) setPixel(image, x, 0, rgba(x + 1, 0, 0, 255));
  startDrawing(image);
  drawImage(image, 1, 0);
  stopDrawing();
  EXPECT_EQ(red(getPixel(image, 0, 0)), 1);
  EXPECT_EQ(red(getPixel(image, 1, 0)), 1);
  EXPECT_EQ(red(getPixel(image, 2, 0)), 2);
  EXPECT_EQ(red(getPixel(image, 3, 0)), 3);
  freeImage(image);
}

// Counting the pixels a shape covers: XOR twice over one pixel would undo it,
// so a shape that touches each pixel once leaves exactly its pixels set.
static int xorCount(int image) {
  int n = 0;
  for (int y = 0; y < imageHeight(image); y++)
    for (int x = 0; x < imageWidth(image); x++) n += getPixel(image, x, y) != rgba(0, 0, 0, 255);
  return n;
}

TEST(DrawShapes, EachPixelOnceAndClipped) {
  struct Case {
    const char* name;
    void (*draw)();
    int pixels;
  } cases[] = {
      {"box", [] { box(2, 2, 3, 4, rgba(255, 255, 255, 255)); }, 12},
      {"box with negative size", [] { box(5, 6, -3, -4, rgba(255, 255, 255, 255)); }, 12},
      {"box clipped", [] { box(-5, -5, 7, 7, rgba(255, 255, 255, 255)); }, 4},
      {"outline", [] { boxOutline(1, 1, 4, 3, rgba(255, 255, 255, 255)); }, 10},
      {"thin outline", [] { boxOutline(1, 1, 1, 3, rgba(255, 255, 255, 255)); }, 3},
      {"line", [] { line(0, 0, 9, 3, rgba(255, 255, 255, 255)); }, 10},
      {"line one point", [] { line(4, 4, 4, 4, rgba(255, 255, 255, 255)); }, 1},
      {"line steep", [] { line(3, 9, 0, 0, rgba(255, 255, 255, 255)); }, 10},
      {"circle radius 0", [] { circle(5, 5, 0, rgba(255, 255, 255, 255)); }, 1},
      {"circle radius 2", [] { circle(5, 5, 2, rgba(255, 255, 255, 255)); }, 13},
      {"circle clipped", [] { circle(0, 0, 2, rgba(255, 255, 255, 255)); }, 6},
      {"circle outline radius 2", [] { circleOutline(5, 5, 2, rgba(255, 255, 255, 255)); }, 8},
      {"circle outline radius 1", [] { circleOutline(5, 5, 1, rgba(255, 255, 255, 255)); }, 4},
      {"box far left", [] { box(-2147483647, 3, 2147483647, 2, rgba(255, 255, 255, 255)); }, 0},
      {"box of the widest negative width", [] { box(4, 5, -2147483647 - 1, 2, rgba(255, 255, 255, 255)); }, 8},
      {"outline around the image", [] { boxOutline(-2000000000, -1, 2100000000, 14, rgba(255, 255, 255, 255)); }, 0},
      {"outline crossing", [] { boxOutline(-2000000000, 2, 2000000005, 3, rgba(255, 255, 255, 255)); }, 11},
      {"line across far ends", [] { line(-2000000000, 5, 2000000000, 5, rgba(255, 255, 255, 255)); }, 12},
      {"circle of the largest radius", [] { circle(2147483647, 5, 2147483647, rgba(255, 255, 255, 255)); }, 133},
  };
  for (const Case& c : cases) {
    int image = createImage(-1, 12, 12, 32, rgba(0, 0, 0, 255));
    startDrawing(image);
    drawingMode(DRAW_XOR);
    c.draw();
    EXPECT_EQ(xorCount(image), c.pixels) << c.name;
    stopDrawing();
    freeImage(image);
  }
  drawingMode(DRAW_DEFAULT);
}

TEST(DrawShapes, LargeCircleOutlineIsTheDiscBorder) {
  int disc = createImage(-1, 61, 61, 32, rgba(0, 0, 0, 255));
  int ring = createImage(-1, 61, 61, 32, rgba(0, 0, 0, 255));
  startDrawing(disc);
  circle(30, 30, 27, rgba(255, 255, 255, 255));
  startDrawing(ring);
  drawingMode(DRAW_XOR);
  circleOutline(30, 30, 27, rgba(255, 255, 255, 255));
  drawingMode(DRAW_DEFAULT);
  stopDrawing();
  auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < 61 && y < 61 && getPixel(disc, x, y) != rgba(0, 0, 0, 255); };
  for (int y = 0; y < 61; y++)
    for (int x = 0; x < 61; x++) {
      bool border = in(x, y) && (!in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1));
      EXPECT_EQ(getPixel(ring, x, y) != rgba(0, 0, 0, 255), border) << x << "," << y;
    }
  EXPECT_TRUE(in(30, 3));
  EXPECT_FALSE(in(30, 2));
  freeImage(disc);
  freeImage(ring);
}

TEST(DrawShapes, NoTargetDrawsNothing) {
  int image = createImage(-1, 2, 2);
  startDrawing(image);
  freeImage(image);
  EXPECT_EQ(drawingTarget(), 0);
  plot(0, 0, rgba(1, 1, 1, 1));   // no crash
  EXPECT_FALSE(startDrawing(image));
  EXPECT_EQ(point(0, 0), 0u);
}

TEST(DrawText, GlyphsFollowTheMode) {
  int font = loadFont(-1, "Arial", 14, FONT_BOLD);
  ASSERT_NE(font, 0);
  drawingFont(font);
  EXPECT_GT(textWidth("WW"), textWidth("W"));
  EXPECT_GT(textHeight("W"), 5);
  int image = createImage(-1, 40, 30, 32, rgba(0, 0, 0, 255));
  startDrawing(image);
  drawingMode(DRAW_ALPHABLEND);
  drawText(2, 2, "H", rgba(255, 255, 255, 0));   // alpha 0: nothing
  EXPECT_EQ(xorCount(image), 0);
  drawingMode(DRAW_DEFAULT);
  drawText(2, 2, "H", rgba(255, 0, 0, 255));
  int covered = xorCount(image);
  EXPECT_GT(covered, 10);
  for (int y = 0; y < 30; y++)
    for (int x = 0; x < 40; x++) {
      uint32_t p = getPixel(image, x, y);
      EXPECT_EQ(green(p), 0);
      EXPECT_EQ(alpha(p), 255);
    }
  stopDrawing();
  drawingFont(0);
  freeImage(image);
  freeFont(font);
}

TEST(Fonts, WindowsFamiliesMapToInstalledOnes) {
  int arial = loadFont(-1, "Arial", 11);
  int mono = loadFont(70, "Consolas", 10);
  EXPECT_EQ(mono, 70);
  EXPECT_TRUE(isFont(70));
  std::string sans = fontFamilyName(arial), fixed = fontFamilyName(mono);
  EXPECT_TRUE(sans == "Arial" || sans == "Liberation Sans" || sans == "Arimo" || sans == "DejaVu Sans") << sans;
  EXPECT_TRUE(fixed == "Consolas" || fixed == "Liberation Mono" || fixed == "DejaVu Sans Mono" || fixed == "Cousine")
      << fixed;
  freeFont(70);
  EXPECT_FALSE(isFont(70));
  EXPECT_EQ(fontFamilyName(70), "");
  EXPECT_EQ(loadFont(-1, "", 11), 0);
  freeFont(arial);
}

TEST(DrawModes, BlendRuleExactForEveryAlphaPair) {
  const int values[] = {0, 1, 2, 100, 127, 128, 254, 255};
  for (int a = 1; a <= 255; a++)
    for (int da = 0; da <= 255; da++)
      for (int c : values)
        for (int old : values) {
          uint32_t src = rgba(c, 255 - c, old, 0), dst = rgba(old, c, 255 - old, da);
          ASSERT_EQ(blendOver(dst, src, uint32_t(a)), referenceBlend(dst, src, a))
              << "a " << a << " da " << da << " c " << c << " old " << old;
        }
  for (uint32_t x = 0; x <= 255 * 255; x++) ASSERT_EQ(div255(x), x / 255) << x;
}
