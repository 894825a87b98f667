#include "imaging/image_operations.h"
#include "imaging/pixel_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

TEST(PixelRules, RoundingRules) {
  struct Case {
    float value;
    int away, even;
  } cases[] = {{2.5f, 3, 2},   {3.5f, 4, 4},     {-2.5f, -3, -2}, {0.5f, 1, 0},
               {1.25f, 1, 1},  {0.49999997f, 0, 0}, {-0.75f, -1, -1}, {1e20f, INT_MAX, INT_MAX},
               {-1e20f, INT_MIN, INT_MIN}};
  for (const Case& c : cases) {
    EXPECT_EQ(roundHalfAway(c.value), c.away) << c.value;
    EXPECT_EQ(roundHalfEven(c.value), c.even) << c.value;
  }
  EXPECT_EQ(roundHalfAway(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(roundHalfEven(std::numeric_limits<float>::infinity()), INT_MAX);
}

TEST(PixelRules, LuminanceOfPrimariesAndGreys) {
  EXPECT_EQ(luminance(255, 0, 0), 54);    // 54.213
  EXPECT_EQ(luminance(0, 255, 0), 182);   // 182.376
  EXPECT_EQ(luminance(0, 0, 255), 18);    // 18.411
  EXPECT_EQ(luminance(255, 255, 255), 255);
  EXPECT_EQ(luminance(0, 0, 0), 0);
  for (int v = 0; v < 256; v++) EXPECT_EQ(luminance(v, v, v), v) << v;
}

// The table form used in the pixel loops against the formula written out,
// over every colour.
TEST(PixelRules, LuminanceTablesMatchTheFormulaEverywhere) {
  const LuminanceTables& tables = luminanceTables();
  int mismatches = 0;
  for (int r = 0; r < 256; r++)
    for (int g = 0; g < 256; g++)
      for (int b = 0; b < 256; b++) {
        float y = 0.2126f * float(r) + 0.7152f * float(g) + 0.0722f * float(b);
        int expected = std::min(255, int(std::floor(double(y) + 0.5)));
        if (luminanceOf(tables, rgba(r, g, b, 0)) != expected) mismatches++;
      }
  EXPECT_EQ(mismatches, 0);
}

TEST(PixelRules, DecimalReader) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"12.5", 12.5},     {"  -3", -3},      {"\t+7", 7},       {"1e9", 1},
               {"12,5", 12},       {".5", 0.5},       {"5.", 5},         {"", 0},
               {"abc", 0},         {"-", 0},          {".", 0},          {"-.", 0},
               {"400.9x", 400.9},  {"$10", 0},        {"0x10", 0},       {"99999999999", INT_MAX},
               {"-99999999999", -double(INT_MAX)},    {" 1 2", 1},       {"007", 7}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(decimalValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(PixelRules, FrameSizeLimits) {
  struct Case {
    int w, h;
    bool valid;
  } cases[] = {{1, 1, true},          {16384, 16384, true}, {0, 5, false},         {5, 0, false},
               {16385, 1, false},     {1, 16385, false},    {-4, 4, false},        {INT_MIN, INT_MAX, false}};
  for (const Case& c : cases) EXPECT_EQ(validFrameSize(c.w, c.h), c.valid) << c.w << "x" << c.h;
}

// "Keep aspect ratio": the other side from the typed one, halves to even.
TEST(PixelRules, AspectSideText) {
  struct Case {
    const char* typed;
    int typedSide, otherSide;
    const char* expected;
  } cases[] = {
      {"64", 32, 32, "64"}, {"10", 32, 32, "10"}, {"45", 30, 20, "30"}, {"5", 30, 20, "3"},
      {"1", 3, 2, "1"},     {"3", 2, 1, "2"},     {"5", 2, 1, "2"},     {"7", 2, 1, "4"},
      {"", 10, 10, "0"},    {"1e9", 10, 10, "1"}, {"12.5", 10, 20, "25"}, {"5", 0, 10, "0"},
      {"99999999999999", 1, 16384, "35184372088832"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(aspectSideText(c.typed, c.typedSide, c.otherSide), c.expected)
        << '"' << c.typed << "\" " << c.typedSide << " " << c.otherSide;
}
