#include "imaging/image_operations.h"
#include "imaging/pixel_rules.h"
#include "imaging_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

namespace {

// One operation on a row of single pixels.
std::vector<uint32_t> applied(const std::function<int(int)>& operation, const std::vector<uint32_t>& pixels,
                              int depth = 32) {
  int image = imageOf(int(pixels.size()), 1, pixels, depth);
  std::vector<uint32_t> out = take(operation(image));
  freeImage(image);
  return out;
}

uint32_t opaqueRgb(int r, int g, int b) { return rgba(r, g, b, 255); }

// Checks an operation against a per-pixel rule on random images, 24 and 32
// bits deep, pixel by pixel with getPixel.
void expectMatchesReference(const std::string& name, const std::function<int(int)>& operation,
                            const std::function<uint32_t(int r, int g, int b, int a)>& rule) {
  std::mt19937 random(42);
  for (int depth : {32, 24}) {
    int w = 37, h = 23;
    int image = randomImage(random, w, h, depth);
    std::vector<uint32_t> expected;
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) {
        uint32_t c = getPixel(image, x, y);
        expected.push_back(stored(rule(red(c), green(c), blue(c), depth == 24 ? 255 : alpha(c))));
      }
    EXPECT_EQ(take(operation(image)), expected) << name << " at depth " << depth;
    freeImage(image);
  }
}

int clamp255(int v) { return std::clamp(v, 0, 255); }

}  // namespace

TEST(ChannelMaps, GreyLevels) {
  std::vector<uint32_t> out = applied(grayscaleImage, {opaqueRgb(255, 0, 0), opaqueRgb(0, 255, 0), opaqueRgb(0, 0, 255),
                                                       opaqueRgb(255, 255, 255), rgba(128, 128, 128, 77),
                                                       rgba(255, 0, 0, 0)});
  std::vector<uint32_t> expected = {opaqueRgb(54, 54, 54), opaqueRgb(182, 182, 182), opaqueRgb(18, 18, 18),
                                    opaqueRgb(255, 255, 255), rgba(128, 128, 128, 77), 0};
  EXPECT_EQ(out, expected);
}

TEST(ChannelMaps, InvertTwiceAndSwapsUndone) {
  std::mt19937 random(1);
  int image = randomImage(random, 9, 7);
  std::vector<uint32_t> original;
  for (uint32_t c : pixelsOf(image)) original.push_back(stored(c));
  auto twice = [image](const std::function<int(int)>& first, const std::function<int(int)>& second) {
    int middle = first(image);
    std::vector<uint32_t> out = take(second(middle));
    freeImage(middle);
    return out;
  };
  EXPECT_EQ(twice(invertImage, invertImage), original);
  auto swap = [](int order) { return [order](int i) { return swapChannelsImage(i, order); }; };
  EXPECT_EQ(twice(swap(SWAP_GBR), swap(SWAP_BRG)), original);
  for (int order : {SWAP_RBG, SWAP_GRB, SWAP_BGR}) EXPECT_EQ(twice(swap(order), swap(order)), original) << order;
  freeImage(image);
}

TEST(ChannelMaps, SwapOrders) {
  struct Case {
    int order;
    uint32_t expected;
  } cases[] = {{SWAP_RBG, rgba(10, 30, 20, 99)}, {SWAP_GRB, rgba(20, 10, 30, 99)}, {SWAP_GBR, rgba(20, 30, 10, 99)},
               {SWAP_BRG, rgba(30, 10, 20, 99)}, {SWAP_BGR, rgba(30, 20, 10, 99)}};
  for (const Case& c : cases)
    EXPECT_EQ(applied([&](int i) { return swapChannelsImage(i, c.order); }, {rgba(10, 20, 30, 99)})[0], c.expected)
        << c.order;
  int image = imageOf(1, 1, {0});
  EXPECT_EQ(swapChannelsImage(image, 5), 0);
  EXPECT_EQ(swapChannelsImage(image, -1), 0);
  freeImage(image);
}

TEST(ChannelMaps, MatchReferences) {
  expectMatchesReference("grayscale", grayscaleImage, [](int r, int g, int b, int a) {
    float y = 0.2126f * float(r) + 0.7152f * float(g) + 0.0722f * float(b);
    int grey = std::min(255, int(std::floor(double(y) + 0.5)));
    return rgba(grey, grey, grey, a);
  });
  expectMatchesReference("invert", invertImage,
                         [](int r, int g, int b, int a) { return rgba(255 - r, 255 - g, 255 - b, a); });
  expectMatchesReference("swap BRG", [](int i) { return swapChannelsImage(i, SWAP_BRG); },
                         [](int r, int g, int b, int a) { return rgba(b, r, g, a); });
}

TEST(Brightness, LevelsClampPerChannel) {
  auto brightness = [](int level) { return [level](int i) { return brightnessImage(i, level); }; };
  EXPECT_EQ(applied(brightness(100), {opaqueRgb(200, 100, 0)})[0], opaqueRgb(255, 200, 100));
  EXPECT_EQ(applied(brightness(255), {rgba(1, 2, 3, 40), rgba(9, 9, 9, 0)}),
            (std::vector<uint32_t>{rgba(255, 255, 255, 40), 0}));
  EXPECT_EQ(applied(brightness(-255), {rgba(250, 251, 252, 41)})[0], rgba(0, 0, 0, 41));
  EXPECT_EQ(applied(brightness(0), {rgba(5, 6, 7, 0)}, 24)[0], opaqueRgb(5, 6, 7));
  EXPECT_EQ(applied([](int i) { return colorBalanceImage(i, 50, 0, -50); }, {opaqueRgb(220, 128, 30)})[0],
            opaqueRgb(255, 128, 0));
  expectMatchesReference("balance", [](int i) { return colorBalanceImage(i, 37, -120, 300); },
                         [](int r, int g, int b, int a) { return rgba(clamp255(r + 37), clamp255(g - 120), clamp255(b + 255), a); });
}

TEST(Colorize, HuesOnKnownColours) {
  struct Case {
    int hue;
    uint32_t in, expected;
  } cases[] = {
      {0, opaqueRgb(200, 100, 50), opaqueRgb(200, 0, 0)},     {120, opaqueRgb(200, 100, 50), opaqueRgb(0, 100, 0)},
      {240, opaqueRgb(200, 100, 50), opaqueRgb(0, 0, 50)},    {60, opaqueRgb(200, 100, 50), opaqueRgb(200, 100, 0)},
      {180, opaqueRgb(200, 100, 50), opaqueRgb(0, 100, 50)},  {300, opaqueRgb(200, 100, 50), opaqueRgb(200, 0, 50)},
      {30, opaqueRgb(255, 255, 255), opaqueRgb(255, 128, 0)}, {90, opaqueRgb(255, 255, 255), opaqueRgb(128, 255, 0)},
      {359, opaqueRgb(255, 255, 255), opaqueRgb(255, 0, 4)},  {1, opaqueRgb(255, 255, 255), opaqueRgb(255, 4, 0)},
      {200, rgba(255, 255, 255, 0), 0},                       {200, rgba(0, 0, 0, 9), rgba(0, 0, 0, 9)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(applied([&](int i) { return colorizeImage(i, c.hue); }, {c.in})[0], c.expected) << c.hue;
}

TEST(Colorize, MatchesReferenceAtEveryHue) {
  std::mt19937 random(8);
  int image = randomImage(random, 16, 16);
  for (int hue = 0; hue < 360; hue++) {
    float s = float(hue) / 360.0f * 6.0f;
    int i = int(s);
    float t = s - float(i), q = 1.0f - t;
    float f[6][3] = {{1, t, 0}, {q, 1, 0}, {0, 1, t}, {0, q, 1}, {t, 0, 1}, {1, 0, q}};
    std::vector<uint32_t> expected;
    for (uint32_t c : pixelsOf(image)) {
      auto channel = [](int v, float factor) { return int(std::nearbyint(float(v) * factor)); };
      expected.push_back(stored(rgba(channel(red(c), f[i][0]), channel(green(c), f[i][1]), channel(blue(c), f[i][2]),
                                     alpha(c))));
    }
    ASSERT_EQ(take(colorizeImage(image, hue)), expected) << hue;
  }
  freeImage(image);
}

// Alpha times percent, rounded up, in integers: the single-precision division
// gave alpha 15 at 100 % as 16.
TEST(Opacity, RoundsUpExactly) {
  auto opacity = [](int percent) { return [percent](int i) { return opacityImage(i, percent); }; };
  EXPECT_EQ(applied(opacity(100), {rgba(1, 2, 3, 15)})[0], rgba(1, 2, 3, 15));
  struct Case {
    int a, percent, expected;
  } cases[] = {{255, 50, 128}, {200, 33, 66}, {255, 1, 3}, {1, 1, 1}, {1, 100, 1}, {128, 50, 64}, {255, 0, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(alpha(applied(opacity(c.percent), {rgba(9, 9, 9, c.a)})[0]), c.expected) << c.a << " at " << c.percent;
  std::vector<uint32_t> all;
  for (int a = 0; a < 256; a++) all.push_back(rgba(a, 255 - a, 7, a));
  std::vector<uint32_t> expected;
  for (uint32_t c : all) expected.push_back(stored(c));
  EXPECT_EQ(applied(opacity(100), all), expected);   // 100 % keeps every alpha
  EXPECT_EQ(applied(opacity(0), all), std::vector<uint32_t>(256, 0u));
  EXPECT_EQ(applied(opacity(40), {opaqueRgb(1, 2, 3)}, 24)[0], rgba(1, 2, 3, 102));
  // Out-of-range percentages are held within 0 ... 100.
  EXPECT_EQ(applied(opacity(150), {rgba(1, 2, 3, 200)})[0], rgba(1, 2, 3, 200));
  EXPECT_EQ(applied(opacity(-5), {rgba(1, 2, 3, 200)})[0], 0u);
}

TEST(Opacity, MatchesReference) {
  // In double precision A x P / 100 is exact where whole and never rounds
  // onto a whole number otherwise, so its ceiling is the true one.
  for (int percent : {1, 33, 50, 99}) {
    expectMatchesReference("opacity " + std::to_string(percent), [percent](int i) { return opacityImage(i, percent); },
                           [percent](int r, int g, int b, int a) {
                             return rgba(r, g, b, int(std::ceil(double(a) * percent / 100.0)));
                           });
  }
}

TEST(Opacity, MakeOpaqueShowsTheStoredColour) {
  EXPECT_EQ(applied(makeOpaqueImage, {rgba(255, 0, 0, 0), rgba(0, 0, 0, 0), rgba(4, 5, 6, 7)}),
            (std::vector<uint32_t>{opaqueRgb(255, 0, 0), opaqueRgb(0, 0, 0), opaqueRgb(4, 5, 6)}));
}

TEST(Posterize, LevelsAndTop) {
  auto posterize = [](int level, int c) {
    return red(applied([level](int i) { return posterizeImage(i, level); }, {opaqueRgb(c, 0, 0)})[0]);
  };
  struct Case {
    int level, c, expected;
  } cases[] = {{50, 24, 0},   {50, 25, 50},   {50, 74, 50},   {50, 75, 100},  {50, 224, 200}, {50, 225, 250},
               {50, 255, 250}, {120, 59, 0},  {120, 60, 120}, {120, 180, 240}, {2, 4, 4},     {2, 5, 6},
               {2, 255, 255}, {100, 249, 200}, {100, 250, 255}, {4, 254, 255}, {4, 253, 252},
               // The level never falls below 2.
               {1, 5, 6},     {0, 5, 6},      {-7, 5, 6}};
  for (const Case& c : cases) EXPECT_EQ(posterize(c.level, c.c), c.expected) << c.c << " at level " << c.level;
  // Against the quotient in single precision, rounded halves up.
  for (int level : {2, 3, 7, 50, 99, 120}) {
    expectMatchesReference("posterize " + std::to_string(level), [level](int i) { return posterizeImage(i, level); },
                           [level](int r, int g, int b, int a) {
                             auto c = [level](int v) {
                               int q = int(std::floor(double(float(v) / float(level)) + 0.5));
                               return std::min(255, level * q);
                             };
                             return rgba(c(r), c(g), c(b), a);
                           });
  }
}

TEST(Noise, PatternFromTheRandomSource) {
  std::vector<int> maxima;
  int next = 0;
  RandomSource counting = [&](int maximum) {
    maxima.push_back(maximum);
    return next++ % (maximum + 1);
  };
  NoisePattern pattern = makeNoisePattern(3, 2, 4, counting);
  EXPECT_EQ(pattern.amounts, (std::vector<uint8_t>{1, 2, 3, 4, 5, 1}));
  EXPECT_EQ(maxima, std::vector<int>(6, 4));
  // The level is held within 0 ... 100; a source out of range is held too.
  maxima.clear();
  pattern = makeNoisePattern(2, 1, 500, [&](int maximum) {
    maxima.push_back(maximum);
    return 1000;
  });
  EXPECT_EQ(maxima, std::vector<int>(2, 100));
  EXPECT_EQ(pattern.amounts, (std::vector<uint8_t>{101, 101}));
  EXPECT_TRUE(makeNoisePattern(0, 5, 3, counting).amounts.empty());
}

TEST(Noise, AddsAndStopsAtWhite) {
  RandomSource zero = [](int) { return 0; }, top = [](int maximum) { return maximum; };
  NoisePattern level0 = makeNoisePattern(4, 1, 0, zero);
  int image = imageOf(4, 1, {rgba(0, 254, 255, 9), opaqueRgb(255, 255, 255), rgba(3, 3, 3, 0), 0});
  EXPECT_EQ(take(noiseImage(image, level0)),
            (std::vector<uint32_t>{rgba(1, 255, 255, 9), opaqueRgb(255, 255, 255), 0, 0}));
  freeImage(image);
  NoisePattern level100 = makeNoisePattern(2, 1, 100, top);
  image = imageOf(2, 1, {opaqueRgb(100, 154, 155), opaqueRgb(255, 255, 255)}, 24);
  EXPECT_EQ(take(noiseImage(image, level100)), (std::vector<uint32_t>{opaqueRgb(201, 255, 255), opaqueRgb(255, 255, 255)}));
  freeImage(image);
}

TEST(Noise, MatchesReference) {
  std::mt19937 source(99);
  NoisePattern pattern =
      makeNoisePattern(37, 23, 100, [&source](int maximum) { return int(source() % unsigned(maximum + 1)); });
  expectMatchesReference("noise", [&pattern](int i) { return noiseImage(i, pattern); },
                         [&pattern, i = size_t(0)](int r, int g, int b, int a) mutable {
                           int n = pattern.amounts[i++ % pattern.amounts.size()];
                           return rgba(std::min(255, r + n), std::min(255, g + n), std::min(255, b + n), a);
                         });
}

// A frame larger than the pattern gets nothing added outside it; a smaller
// one uses the pattern's top-left part.
TEST(Noise, FramesOfOtherSizes) {
  int next = 0;
  NoisePattern pattern = makeNoisePattern(2, 2, 9, [&](int) { return next++; });   // 1 2 / 3 4
  int large = imageOf(3, 3, std::vector<uint32_t>(9, opaqueRgb(10, 10, 10)));
  std::vector<uint32_t> out = take(noiseImage(large, pattern));
  std::vector<int> reds;
  for (uint32_t c : out) reds.push_back(red(c));
  EXPECT_EQ(reds, (std::vector<int>{11, 12, 10, 13, 14, 10, 10, 10, 10}));
  int small = imageOf(1, 1, {opaqueRgb(10, 10, 10)});
  EXPECT_EQ(take(noiseImage(small, pattern))[0], opaqueRgb(11, 11, 11));
  EXPECT_EQ(take(noiseImage(small, NoisePattern{})), std::vector<uint32_t>{opaqueRgb(10, 10, 10)});
  freeImage(large);
  freeImage(small);
}

TEST(EraseColor, LuminanceWithinTolerance) {
  struct Case {
    int key, tolerance;
    uint32_t pixel;
    bool erased;
  } cases[] = {
      {rgb(0, 0, 0), 0, opaqueRgb(0, 0, 0), true},       {rgb(0, 0, 0), 0, opaqueRgb(1, 0, 0), true},
      {rgb(0, 0, 0), 0, opaqueRgb(2, 0, 0), true},       {rgb(0, 0, 0), 0, opaqueRgb(0, 0, 6), true},
      {rgb(0, 0, 0), 0, opaqueRgb(0, 1, 0), false},      {rgb(0, 0, 0), 0, opaqueRgb(3, 0, 0), false},
      {rgb(0, 0, 0), 0, opaqueRgb(0, 0, 7), false},      {rgb(255, 0, 0), 0, opaqueRgb(54, 54, 54), true},
      {rgb(255, 0, 0), 0, opaqueRgb(55, 55, 55), false}, {rgb(255, 255, 255), 0, opaqueRgb(255, 255, 250), true},
      {rgb(100, 100, 100), 5, rgba(95, 95, 95, 1), true}, {rgb(100, 100, 100), 5, rgba(106, 106, 106, 1), false},
      {rgb(9, 200, 30), 255, opaqueRgb(255, 255, 255), true},
  };
  for (const Case& c : cases) {
    uint32_t out = applied([&](int i) { return eraseColorImage(i, c.key, c.tolerance); }, {c.pixel})[0];
    EXPECT_EQ(out, c.erased ? 0u : c.pixel) << std::hex << c.key << " tolerance " << std::dec << c.tolerance;
  }
  expectMatchesReference("erase", [](int i) { return eraseColorImage(i, rgb(90, 120, 200), 40); },
                         [](int r, int g, int b, int a) {
                           float y = 0.2126f * float(r) + 0.7152f * float(g) + 0.0722f * float(b);
                           int k = luminance(90, 120, 200), lum = int(std::floor(double(y) + 0.5));
                           return lum >= k - 40 && lum <= k + 40 ? 0u : rgba(r, g, b, a);
                         });
}
