// The BMP reader's run-length and bitfields files, written byte by byte.
#include "ui/image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

void put32(std::string& s, size_t at, int64_t v) {
  for (int i = 0; i < 4; i++) s[at + i] = char((v >> (8 * i)) & 255);
}

std::string le(uint32_t v, int size) {
  std::string s;
  for (int i = 0; i < size; i++) s += char((v >> (8 * i)) & 255);
  return s;
}

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += char(v);
  return s;
}

// A file of the given header size. The masks sit at the end of the 40-byte
// part: inside a larger header, or after a 40-byte one.
struct Bmp {
  int width, height;   // a negative height is top-down
  int bits;
  uint32_t compression = 0;
  uint32_t headerSize = 40;
  std::vector<uint32_t> masks = {};
  std::vector<uint32_t> palette = {};
  std::string data = {};
};

std::string bmpBytes(const Bmp& b) {
  size_t maskBytes = b.headerSize == 40 ? b.masks.size() * 4 : 0;
  size_t offset = 14 + b.headerSize + maskBytes + b.palette.size() * 4;
  std::string s(offset, '\0');
  s[0] = 'B', s[1] = 'M';
  put32(s, 2, int64_t(offset + b.data.size()));
  put32(s, 10, int64_t(offset));
  put32(s, 14, b.headerSize);
  put32(s, 18, b.width);
  put32(s, 22, b.height);
  s[26] = 1;
  s[28] = char(b.bits);
  put32(s, 30, b.compression);
  put32(s, 46, int64_t(b.palette.size()));
  for (size_t i = 0; i < b.masks.size(); i++) put32(s, 54 + i * 4, b.masks[i]);
  size_t at = 14 + b.headerSize + maskBytes;
  for (uint32_t c : b.palette) {
    s[at++] = char(blue(c)), s[at++] = char(green(c)), s[at++] = char(red(c));
    at++;
  }
  return s + b.data;
}

int load(const Bmp& b) {
  std::string s = bmpBytes(b);
  return loadImageFromMemory(-1, reinterpret_cast<const uint8_t*>(s.data()), s.size());
}

uint32_t colour(int i) { return rgba(10 * i, 100 + i, 250 - i, 255); }

std::vector<uint32_t> sixteenColours() {
  std::vector<uint32_t> palette;
  for (int i = 0; i < 16; i++) palette.push_back(colour(i));
  return palette;
}

constexpr uint32_t BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;

}  // namespace

// Each escape of both run-length forms. Rows of `indices` run top to bottom,
// the stream bottom to top; -1 is a pixel the stream skips (transparent).
TEST(BmpRle, EscapesDecode) {
  struct Case {
    const char* name;
    int bits, width, height;
    std::string data;
    std::vector<int> indices;
  } cases[] = {
      {"8: runs, end of line, end of picture", 8, 4, 3,
       bytes({3, 1, 1, 2, 0, 0, 4, 3, 0, 0, 2, 4, 2, 5, 0, 1}), {4, 4, 5, 5, 3, 3, 3, 3, 1, 1, 1, 2}},
      {"8: absolute runs, the odd one padded", 8, 5, 2,
       bytes({0, 3, 1, 2, 3, 0, 2, 4, 0, 0, 0, 4, 5, 6, 7, 8, 1, 9, 0, 1}), {5, 6, 7, 8, 9, 1, 2, 3, 4, 4}},
      {"8: a move across rows", 8, 4, 3,
       bytes({1, 1, 0, 2, 1, 1, 2, 2, 0, 0, 4, 3, 0, 1}), {3, 3, 3, 3, -1, -1, 2, 2, 1, -1, -1, -1}},
      {"8: early end of line and of picture", 8, 3, 3,
       bytes({2, 1, 0, 0, 1, 2, 0, 1}), {-1, -1, -1, 2, -1, -1, 1, 1, -1}},
      {"8: no end of picture after the last row", 8, 2, 2, bytes({2, 1, 0, 0, 2, 2}), {2, 2, 1, 1}},
      {"8: end of line after the last row", 8, 2, 2, bytes({2, 1, 0, 0, 2, 2, 0, 0}), {2, 2, 1, 1}},
      {"4: a run alternates its two nibbles", 4, 5, 1, bytes({5, 0x12, 0, 1}), {1, 2, 1, 2, 1}},
      {"4: absolute runs of 5 (padded) and 3", 4, 8, 2,
       bytes({0, 5, 0x12, 0x34, 0x50, 0, 3, 0x67, 0, 0, 0, 3, 0x89, 0xA0, 5, 0xBC, 0, 1}),
       {8, 9, 10, 11, 12, 11, 12, 11, 1, 2, 3, 4, 5, 6, 7, 6}},
      {"4: a move to the last pixel", 4, 4, 2, bytes({0, 2, 3, 1, 1, 0xF0, 0, 1}),
       {-1, -1, -1, 15, -1, -1, -1, -1}},
  };
  for (const Case& c : cases) {
    int image = load({c.width, c.height, c.bits, c.bits == 8 ? BI_RLE8 : BI_RLE4, 40, {}, sixteenColours(), c.data});
    ASSERT_NE(image, 0) << c.name;
    ASSERT_EQ(imageWidth(image), c.width) << c.name;
    ASSERT_EQ(imageHeight(image), c.height) << c.name;
    bool skips = false;
    for (int y = 0; y < c.height; y++)
      for (int x = 0; x < c.width; x++) {
        int index = c.indices[size_t(y * c.width + x)];
        skips = skips || index < 0;
        EXPECT_EQ(getPixel(image, x, y), index < 0 ? 0u : colour(index)) << c.name << " " << x << "," << y;
      }
    EXPECT_EQ(imageDepth(image), skips ? 32 : 24) << c.name;
    freeImage(image);
  }
}

TEST(BmpRle, StreamsLeavingThePictureOrCutShortAreRefused) {
  struct Case {
    const char* name;
    int bits, height;
    std::string data;
  } cases[] = {
      {"move past the right edge", 8, 2, bytes({0, 2, 5, 0, 0, 1})},
      {"move past the top", 8, 2, bytes({0, 2, 0, 2, 0, 1})},
      {"run past the row", 8, 2, bytes({5, 1, 0, 1})},
      {"run past the row after a move", 8, 2, bytes({0, 2, 3, 0, 2, 1, 0, 1})},
      {"absolute run past the row", 8, 2, bytes({0, 5, 1, 1, 1, 1, 1, 0, 0, 1})},
      {"run past the last row", 8, 2, bytes({0, 0, 0, 0, 1, 1, 0, 1})},
      {"end of line past the last row", 8, 2, bytes({0, 0, 0, 0, 0, 0, 0, 1})},
      {"4-bit run past the row", 4, 2, bytes({5, 0x11, 0, 1})},
      {"4-bit absolute run past the row", 4, 2, bytes({0, 5, 0x11, 0x11, 0x10, 0, 0, 1})},
      {"cut in a run", 8, 2, bytes({4})},
      {"cut in a move", 8, 2, bytes({0, 2, 1})},
      {"cut in an absolute run", 8, 2, bytes({0, 4, 1, 1})},
      {"cut before the padding of an absolute run", 8, 2, bytes({4, 1, 0, 0, 1, 1, 0, 3, 1, 1, 1})},
      {"ends before the last row", 8, 2, bytes({4, 1, 0, 0})},
      {"nothing at all", 8, 2, ""},
      {"index past the palette", 8, 2, bytes({2, 16, 0, 1})},
      {"absolute index past the palette", 8, 2, bytes({0, 3, 1, 200, 1, 0, 0, 1})},
      {"top-down", 8, -2, bytes({4, 1, 0, 0, 4, 1, 0, 1})},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(load({4, c.height, c.bits, c.bits == 8 ? BI_RLE8 : BI_RLE4, 40, {}, sixteenColours(), c.data}), 0)
        << c.name;
  }
  std::string whole = bytes({4, 1, 0, 0, 4, 1, 0, 1});
  EXPECT_NE(load({4, 2, 8, BI_RLE8, 40, {}, sixteenColours(), whole}), 0);
  EXPECT_EQ(load({4, 2, 4, BI_RLE8, 40, {}, sixteenColours(), whole}), 0) << "8-bit runs in a 4-bit file";
  EXPECT_EQ(load({4, 2, 8, BI_RLE4, 40, {}, sixteenColours(), whole}), 0) << "4-bit runs in an 8-bit file";
}

// A stream of a few bytes may leave a whole picture transparent, but only a
// picture of at most 4096 x 4096 pixels is taken without the bytes to paint
// it: past that, a two-byte end of picture cannot claim a gigabyte.
TEST(BmpRle, AFewBytesClaimNoHugePicture) {
  std::string end = bytes({0, 1});
  int image = load({4096, 4096, 8, BI_RLE8, 40, {}, sixteenColours(), end});
  ASSERT_NE(image, 0);
  EXPECT_EQ(getPixel(image, 4095, 0), 0u);
  freeImage(image);
  EXPECT_EQ(load({4097, 4096, 8, BI_RLE8, 40, {}, sixteenColours(), end}), 0);
  EXPECT_EQ(load({16384, 16384, 4, BI_RLE4, 40, {}, sixteenColours(), end + std::string(1000, '\0')}), 0);
}

// A channel of n bits is widened to round(v × 255 / (2ⁿ − 1)).
TEST(BmpBitfields, ShortChannelsWidenRounded) {
  std::string fives, sixes;   // every value of a 5-5-5 channel, of a 6-bit green
  for (uint32_t v = 0; v < 32; v++) fives += le(v << 10 | v << 5 | v, 2);
  for (uint32_t v = 0; v < 64; v++) sixes += le(v << 5, 2);
  int image = load({32, 1, 16, 0, 40, {}, {}, fives});
  int image565 = load({64, 1, 16, BI_BITFIELDS, 40, {0xF800, 0x07E0, 0x001F}, {}, sixes});
  ASSERT_NE(image, 0);
  ASSERT_NE(image565, 0);
  for (int v = 0; v < 64; v++) {
    if (v < 32) {
      int expected = int(std::lround(v * 255.0 / 31));
      EXPECT_EQ(getPixel(image, v, 0), rgba(expected, expected, expected, 255)) << "5 bits " << v;
    }
    EXPECT_EQ(getPixel(image565, v, 0), rgba(0, int(std::lround(v * 255.0 / 63)), 0, 255)) << "6 bits " << v;
  }
  freeImage(image);
  freeImage(image565);
}

TEST(BmpBitfields, UnusualMasksAndAlphaDecode) {
  std::vector<uint32_t> argb4444 = {0x0F00, 0x00F0, 0x000F, 0xF000};
  std::vector<uint32_t> rgb10a2 = {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000};
  std::vector<uint32_t> usual = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
  struct Case {
    const char* name;
    Bmp file;
    uint32_t expected;
    int depth;
  } cases[] = {
      {"16-bit 4-4-4-4 in a V5 header", {1, 1, 16, BI_BITFIELDS, 124, argb4444, {}, le(0x8421, 4)},
       rgba(68, 34, 17, 136), 32},
      {"16-bit 4-4-4-4 as alpha bitfields", {1, 1, 16, BI_ALPHABITFIELDS, 40, argb4444, {}, le(0x8421, 4)},
       rgba(68, 34, 17, 136), 32},
      {"32-bit 10-10-10-2 in a V5 header", {1, 1, 32, BI_BITFIELDS, 124, rgb10a2, {}, le(0x7FF80001, 4)},
       rgba(255, 128, 0, 85), 32},
      {"32-bit 10-10-10-2 in a V4 header", {1, 1, 32, BI_BITFIELDS, 108, rgb10a2, {}, le(0x00300C03, 4)},
       rgba(1, 1, 1, 0), 32},
      {"32-bit 8-8-8-8 in a V3 header", {1, 1, 32, BI_BITFIELDS, 56, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, {},
       le(0x40302010, 4)}, rgba(16, 32, 48, 64), 32},
      {"32-bit with a 16-bit red", {1, 1, 32, BI_BITFIELDS, 40, {0xFFFF0000, 0xFF00, 0xFF}, {}, le(0x80000102, 4)},
       rgba(128, 1, 2, 255), 24},
      {"zero alpha mask: opaque", {1, 1, 32, BI_BITFIELDS, 124, usual, {}, le(0x80102030, 4)},
       rgba(16, 32, 48, 255), 24},
      {"16-bit mask bits above the pixel ignored", {1, 1, 16, BI_BITFIELDS, 124, {0xF800, 0x07E0, 0x001F, 0xFF0000},
       {}, le(0xFFFF, 4)}, rgba(255, 255, 255, 255), 24},
  };
  for (const Case& c : cases) {
    int image = load(c.file);
    ASSERT_NE(image, 0) << c.name;
    EXPECT_EQ(getPixel(image, 0, 0), c.expected) << c.name;
    EXPECT_EQ(imageDepth(image), c.depth) << c.name;
    freeImage(image);
  }
}

TEST(BmpBitfields, BadMasksAreRefused) {
  std::string pixel(4, '\0');
  struct Case {
    const char* name;
    int bits;
    uint32_t headerSize;
    std::vector<uint32_t> masks;
  } cases[] = {
      {"red not contiguous", 16, 40, {0x7C01, 0x03E0, 0x001E}},
      {"red over green", 16, 40, {0xFC00, 0x07E0, 0x001F}},
      {"no green", 16, 40, {0xF800, 0, 0x001F}},
      {"green only above the pixel's bits", 16, 40, {0xF800, 0x70000, 0x001F}},
      {"alpha over blue", 32, 124, {0xFF0000, 0xFF00, 0xFF, 0x1FF}},
      {"alpha not contiguous", 32, 124, {0xFF0000, 0xFF00, 0xFF, 0xF1000000}},
      {"a channel of 17 bits", 32, 40, {0xFFFF8000, 0x7F00, 0xFF}},
      {"bitfields in a 24-bit file", 24, 40, {0xFF0000, 0xFF00, 0xFF}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(load({1, 1, c.bits, BI_BITFIELDS, c.headerSize, c.masks, {}, pixel}), 0) << c.name;
  }
}
