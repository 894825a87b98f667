#include "ui/image.h"
#include "ui/system.h"

#include <gtest/gtest.h>

#include <QImage>

#include <random>

#include <sys/resource.h>

QImage imageToQImage(int image);

namespace {

std::string fixture(const std::string& name) { return std::string(ZM_FIXTURES) + "/" + name; }

int loadBytes(const std::string& bytes) {
  return loadImageFromMemory(-1, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void put16(std::string& s, size_t at, int v) {
  s[at] = char(v & 255);
  s[at + 1] = char((v >> 8) & 255);
}
void put32(std::string& s, size_t at, int64_t v) {
  for (int i = 0; i < 4; i++) s[at + i] = char((v >> (8 * i)) & 255);
}

// A small BMP writer of our own for the reader's fixtures: rows in the
// order given by topDown, padded to 4 bytes.
std::string makeBmp(int w, int h, int bits, bool topDown, const std::vector<uint32_t>& pixels,
                    const std::vector<uint32_t>& palette = {}) {
  size_t pitch = ((size_t(w) * bits + 31) / 32) * 4;
  size_t paletteBytes = palette.size() * 4;
  size_t offset = 14 + 40 + paletteBytes;
  std::string s(offset + pitch * h, '\0');
  s[0] = 'B', s[1] = 'M';
  put32(s, 2, int64_t(s.size()));
  put32(s, 10, int64_t(offset));
  put32(s, 14, 40);
  put32(s, 18, w);
  put32(s, 22, topDown ? -h : h);
  put16(s, 26, 1);
  put16(s, 28, bits);
  put32(s, 46, int64_t(palette.size()));
  for (size_t i = 0; i < palette.size(); i++) {
    s[54 + i * 4] = char(blue(palette[i]));
    s[54 + i * 4 + 1] = char(green(palette[i]));
    s[54 + i * 4 + 2] = char(red(palette[i]));
  }
  for (int y = 0; y < h; y++) {
    size_t row = offset + pitch * size_t(topDown ? y : h - 1 - y);
    for (int x = 0; x < w; x++) {
      uint32_t p = pixels[size_t(y) * w + x];
      if (bits <= 8) {
        size_t bit = size_t(x) * bits;
        s[row + bit / 8] = char(uint8_t(s[row + bit / 8]) | (p << (8 - bits - bit % 8)));
      } else if (bits == 16) {   // 5-5-5
        put16(s, row + size_t(x) * 2, int((red(p) >> 3) << 10 | (green(p) >> 3) << 5 | (blue(p) >> 3)));
      } else {
        size_t at = row + size_t(x) * (bits / 8);
        s[at] = char(blue(p)), s[at + 1] = char(green(p)), s[at + 2] = char(red(p));
        if (bits == 32) s[at + 3] = char(alpha(p));
      }
    }
  }
  return s;
}

void expectPixels(int image, int w, int h, const std::vector<uint32_t>& pixels, const char* what) {
  ASSERT_NE(image, 0) << what;
  ASSERT_EQ(imageWidth(image), w) << what;
  ASSERT_EQ(imageHeight(image), h) << what;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) EXPECT_EQ(getPixel(image, x, y), pixels[size_t(y) * w + x]) << what << " " << x << "," << y;
}

}  // namespace

TEST(Png, RoundTripIsExactAtBothDepths) {
  std::mt19937 random(7);
  for (int depth : {24, 32}) {
    int image = createImage(-1, 13, 7, depth);
    for (int y = 0; y < 7; y++)
      for (int x = 0; x < 13; x++) setPixel(image, x, y, random());
    setPixel(image, 0, 0, depth == 32 ? rgba(255, 0, 0, 0) : rgba(255, 0, 0, 255));   // hidden colour kept
    std::string bytes;
    ASSERT_TRUE(encodePng(image, bytes));
    int back = loadBytes(bytes);
    ASSERT_NE(back, 0);
    EXPECT_EQ(imageDepth(back), depth);
    EXPECT_EQ(bytes[25], depth == 24 ? 2 : 6);   // colour type: RGB or RGBA
    for (int y = 0; y < 7; y++)
      for (int x = 0; x < 13; x++) ASSERT_EQ(getPixel(back, x, y), getPixel(image, x, y)) << depth;
    freeImage(image);
    freeImage(back);
  }
}

TEST(Png, SaveAndLoadThroughAFile) {
  std::string path = testing::TempDir() + "zm-png-test.png";
  int image = createImage(-1, 3, 2, 32, rgba(1, 2, 3, 4));
  ASSERT_TRUE(savePng(image, path));
  int back = loadImage(-1, path);
  EXPECT_EQ(getPixel(back, 2, 1), rgba(1, 2, 3, 4));
  EXPECT_FALSE(savePng(999999999, path + "2"));
  EXPECT_EQ(fileKind(path + "2"), FILE_NONE);
  EXPECT_FALSE(savePng(image, testing::TempDir() + "no/such/folder/x.png"));
  deleteFile(path);
  freeImage(image);
  freeImage(back);
}

TEST(Png, ReadsPaletteGrayAndSixteenBitFilesFromQt) {
  // Other encoders' layouts come out as 8-bit RGBA at the right depth.
  struct Case {
    QImage::Format format;
    int depth;
  } cases[] = {{QImage::Format_Indexed8, 24}, {QImage::Format_Grayscale8, 24}, {QImage::Format_RGBA64, 32},
               {QImage::Format_Grayscale16, 24}};
  for (const Case& c : cases) {
    QImage picture(5, 4, QImage::Format_RGBA8888);
    picture.fill(QColor(30, 60, 90, 255));
    picture.setPixelColor(4, 3, QColor(200, 200, 200, c.depth == 32 ? 128 : 255));
    QImage converted = picture.convertToFormat(c.format);
    if (c.format == QImage::Format_Indexed8) {
      converted = QImage(5, 4, QImage::Format_Indexed8);
      converted.setColorTable({qRgb(30, 60, 90), qRgb(200, 200, 200)});
      converted.fill(0);
      converted.setPixel(4, 3, 1);
    }
    std::string path = testing::TempDir() + "zm-qt.png";
    ASSERT_TRUE(converted.save(QString::fromStdString(path), "PNG"));
    int image = loadImage(-1, path);
    ASSERT_NE(image, 0) << int(c.format);
    EXPECT_EQ(imageDepth(image), c.depth) << int(c.format);
    EXPECT_EQ(imageWidth(image), 5);
    uint32_t corner = getPixel(image, 4, 3);
    EXPECT_NEAR(red(corner), 200, 1) << int(c.format);
    EXPECT_EQ(alpha(corner), c.depth == 32 ? 128 : 255) << int(c.format);
    freeImage(image);
    deleteFile(path);
  }
}

TEST(Jpeg, FixturesDecode) {
  for (const char* name : {"quadrants.jpg", "quadrants-progressive.jpg"}) {
    int image = loadImage(-1, fixture(name));
    ASSERT_NE(image, 0) << name;
    EXPECT_EQ(imageWidth(image), 16);
    EXPECT_EQ(imageDepth(image), 24);
    struct Probe {
      int x, y, r, g, b;
    } probes[] = {{2, 2, 255, 0, 0}, {13, 2, 0, 255, 0}, {2, 13, 0, 0, 255}, {13, 13, 255, 255, 255}};
    for (const Probe& p : probes) {
      uint32_t c = getPixel(image, p.x, p.y);
      EXPECT_NEAR(red(c), p.r, 12) << name << " " << p.x << "," << p.y;
      EXPECT_NEAR(green(c), p.g, 12) << name << " " << p.x << "," << p.y;
      EXPECT_NEAR(blue(c), p.b, 12) << name << " " << p.x << "," << p.y;
      EXPECT_EQ(alpha(c), 255);
    }
    freeImage(image);
  }
  int gray = loadImage(-1, fixture("gray.jpg"));
  ASSERT_NE(gray, 0);
  EXPECT_EQ(getPixel(gray, 3, 3), rgba(100, 100, 100, 255));
  freeImage(gray);
}

TEST(Bmp, LayoutsDecode) {
  std::vector<uint32_t> pixels = {rgba(255, 0, 0, 255), rgba(0, 255, 0, 255), rgba(0, 0, 255, 255),
                                  rgba(1, 2, 3, 255),   rgba(9, 8, 7, 255),   rgba(200, 100, 50, 255)};
  expectPixels(loadBytes(makeBmp(3, 2, 24, false, pixels)), 3, 2, pixels, "24 bottom-up");
  expectPixels(loadBytes(makeBmp(3, 2, 24, true, pixels)), 3, 2, pixels, "24 top-down");
  std::vector<uint32_t> withAlpha = pixels;
  withAlpha[1] = rgba(0, 255, 0, 0);
  withAlpha[4] = rgba(9, 8, 7, 100);
  int image = loadBytes(makeBmp(3, 2, 32, false, withAlpha));
  expectPixels(image, 3, 2, withAlpha, "32 with alpha");
  EXPECT_EQ(imageDepth(image), 32);
  std::vector<uint32_t> unusedAlpha = pixels;
  for (uint32_t& p : unusedAlpha) p &= 0xFFFFFFu;   // fourth byte 0 throughout
  image = loadBytes(makeBmp(3, 2, 32, true, unusedAlpha));
  expectPixels(image, 3, 2, pixels, "32 with the fourth byte unused");
  EXPECT_EQ(imageDepth(image), 24);
  // The same pixels with the three colour masks after the header.
  std::string masked = makeBmp(3, 2, 32, false, withAlpha);
  std::string masks(12, '\0');
  put32(masks, 0, 0x00FF0000), put32(masks, 4, 0x0000FF00), put32(masks, 8, 0x000000FF);
  masked.insert(54, masks);
  put32(masked, 10, 54 + 12);
  put32(masked, 30, 3);
  expectPixels(loadBytes(masked), 3, 2, withAlpha, "32 with colour masks");
  put32(masked, 54, 0x000000FF);   // red and blue on the same bits
  EXPECT_EQ(loadBytes(masked), 0);
  std::vector<uint32_t> palette = {rgba(10, 20, 30, 255), rgba(40, 50, 60, 255), rgba(70, 80, 90, 255)};
  std::vector<uint32_t> indices = {0, 1, 2, 2, 1, 0, 1, 1, 1, 0, 0, 0, 2, 0, 1};   // 5 x 3: rows padded
  std::vector<uint32_t> colours;
  for (uint32_t i : indices) colours.push_back(palette[i]);
  expectPixels(loadBytes(makeBmp(5, 3, 8, false, indices, palette)), 5, 3, colours, "8-bit paletted");
  expectPixels(loadBytes(makeBmp(5, 3, 4, true, indices, palette)), 5, 3, colours, "4-bit paletted");
  std::vector<uint32_t> bitsOnly = {0, 1, 1, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 1, 1, 0, 1, 0, 1};   // 10 x 2
  std::vector<uint32_t> twoColours;
  for (uint32_t i : bitsOnly) twoColours.push_back(palette[i]);
  expectPixels(loadBytes(makeBmp(10, 2, 1, false, bitsOnly, {palette[0], palette[1]})), 10, 2, twoColours, "1-bit");
  // 16 bits: 5-5-5 by default; full scale stays 255, one step is 8 apart.
  std::vector<uint32_t> shorts = {rgba(255, 0, 8, 255), rgba(0, 255, 248, 255), rgba(16, 132, 255, 255)};
  expectPixels(loadBytes(makeBmp(3, 1, 16, false, shorts)), 3, 1,
               {rgba(255, 0, 8, 255), rgba(0, 255, 255, 255), rgba(16, 132, 255, 255)}, "16-bit");
  std::string fiveSixFive = makeBmp(2, 1, 16, false, {0, 0});
  std::string masks565(12, '\0');
  put32(masks565, 0, 0xF800), put32(masks565, 4, 0x07E0), put32(masks565, 8, 0x001F);
  fiveSixFive.insert(54, masks565);
  put32(fiveSixFive, 10, 54 + 12);
  put32(fiveSixFive, 30, 3);
  put16(fiveSixFive, 66, 0x07E0);       // green at full scale
  put16(fiveSixFive, 68, 0x0821);       // the lowest step of each channel
  expectPixels(loadBytes(fiveSixFive), 2, 1, {rgba(0, 255, 0, 255), rgba(8, 4, 8, 255)}, "16-bit 5-6-5");
}

TEST(ImageFiles, DamagedFilesGiveNoImage) {
  std::string png, jpeg;
  int image = createImage(-1, 40, 30, 32, rgba(10, 200, 30, 128));
  ASSERT_TRUE(encodePng(image, png));
  freeImage(image);
  ASSERT_TRUE(readFile(fixture("quadrants.jpg"), jpeg));
  std::vector<uint32_t> pixels(12, rgba(1, 2, 3, 255));
  std::string bmp = makeBmp(4, 3, 24, false, pixels);
  std::string bmp8 = makeBmp(4, 3, 8, false, std::vector<uint32_t>(12, 5), {rgba(1, 1, 1, 255)});   // index past the palette

  auto corrupt = [](std::string s, size_t at) {
    s[at] = char(s[at] ^ 0x55);
    return s;
  };
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"png signature only", png.substr(0, 8)},
      {"png cut in the header", png.substr(0, 20)},
      {"png cut in the data", png.substr(0, png.size() / 2)},
      {"png without its end", png.substr(0, png.size() - 12)},
      {"png bad crc", corrupt(png, 30)},
      {"png data scrambled", corrupt(corrupt(png, png.size() / 2), png.size() / 2 + 3)},
      {"jpeg markers only", jpeg.substr(0, 4)},
      {"jpeg cut in the header", jpeg.substr(0, 100)},
      {"jpeg cut in the scan", jpeg.substr(0, jpeg.size() - 60)},
      {"bmp cut in the header", bmp.substr(0, 30)},
      {"bmp cut in the pixels", bmp.substr(0, bmp.size() - 1)},
      {"bmp 2 bits", [&] { std::string s = bmp; put16(s, 28, 2); return s; }()},
      {"bmp compressed", [&] { std::string s = bmp; put32(s, 30, 1); return s; }()},
      {"bmp zero width", [&] { std::string s = bmp; put32(s, 18, 0); return s; }()},
      {"bmp huge height", [&] { std::string s = bmp; put32(s, 22, 0x7FFFFFFF); return s; }()},
      {"bmp offset past the end", [&] { std::string s = bmp; put32(s, 10, 100000); return s; }()},
      {"bmp palette index out of range", bmp8},
      {"text", "this is not an image at all"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(loadBytes(c.bytes), 0) << c.name;
  }
  EXPECT_EQ(loadImage(-1, "/nonexistent/zm.png"), 0);
  EXPECT_EQ(loadImageFromMemory(-1, nullptr, 0), 0);
}

TEST(ImageFiles, QImageCopyShowsTheSamePixels) {
  int image = createImage(-1, 2, 1, 32, rgba(10, 20, 30, 40));
  QImage shown = imageToQImage(image);
  ASSERT_EQ(shown.width(), 2);
  QColor c = shown.pixelColor(1, 0);
  EXPECT_EQ(c.red(), 10);
  EXPECT_EQ(c.green(), 20);
  EXPECT_EQ(c.blue(), 30);
  EXPECT_EQ(c.alpha(), 40);
  EXPECT_TRUE(imageToQImage(999999999).isNull());
  freeImage(image);
}

// A bitfields BMP whose header says 41 to 51 bytes: its colour masks run
// past the header into bytes the file does not have. Here the bytes after
// the 59 given ones hold valid masks, so a reader that looks past the end
// takes the file; one that stays inside refuses it.
TEST(Bmp, MasksPastTheEndOfAShortHeaderAreNotRead) {
  std::string bytes(80, '\0');
  bytes[0] = 'B', bytes[1] = 'M';
  put32(bytes, 10, 55);   // pixels right after the 41-byte header
  put32(bytes, 14, 41);
  put32(bytes, 18, 1);
  put32(bytes, 22, 1);
  put16(bytes, 26, 1);
  put16(bytes, 28, 32);
  put32(bytes, 30, 3);
  put32(bytes, 54, 0x00FF0000), put32(bytes, 58, 0x0000FF00), put32(bytes, 62, 0x000000FF);
  std::vector<uint8_t> heap(bytes.begin(), bytes.end());
  EXPECT_EQ(loadImageFromMemory(-1, heap.data(), 59), 0);
}

// A text, compressed text, international text or palette chunk claiming
// 0x7F000000 bytes in a 45-byte file: refused without reserving that much.
TEST(Png, HugeChunkLengthIsRefusedWithoutTheMemory) {
  auto peakMb = [] {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
  };
  const std::string start("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0\x90\x77\x53\xde", 33);
  long before = peakMb();
  for (const char* kind : {"tEXt", "zTXt", "iTXt", "sPLT"}) {
    std::string file = start + std::string("\x7f\0\0\0", 4) + kind + "abcd";
    ASSERT_EQ(file.size(), 45u);
    EXPECT_EQ(loadBytes(file), 0) << kind;
    EXPECT_LT(peakMb() - before, 256) << kind;
  }
}

// 125 bytes of arithmetic-coded grey that declare 16384 x 9767: decoded,
// 640 MB and most of a second; refused by the size its bytes can hold.
TEST(Jpeg, DecompressionBombIsRefusedWithoutTheMemory) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  long before = usage.ru_maxrss;
  EXPECT_EQ(loadImage(-1, fixture("arithmetic-16384x9767.jpg")), 0);
  int width = 0, height = 0;
  EXPECT_FALSE(imageFileDimensions(fixture("arithmetic-16384x9767.jpg"), width, height));
  getrusage(RUSAGE_SELF, &usage);
  EXPECT_LT((usage.ru_maxrss - before) / 1024, 256);
}

TEST(ImageFiles, DeclaredSizeIsReadFromTheHeaderAlone) {
  std::string png, jpeg;
  int image = createImage(-1, 40, 30, 32);
  ASSERT_TRUE(encodePng(image, png));
  freeImage(image);
  ASSERT_TRUE(readFile(fixture("quadrants-progressive.jpg"), jpeg));
  std::vector<uint32_t> pixels(12, rgba(1, 2, 3, 255));
  std::string bmp = makeBmp(4, 3, 24, true, pixels);
  std::string bigPng = png.substr(0, 33);   // the header alone, for 16384 x 9000
  bigPng[18] = 0x40, bigPng[19] = 0, bigPng[22] = 0x23, bigPng[23] = 0x28;
  // Deflate packs at most 1032 bytes into one: 16384 x 9000 one-bit pixels
  // need some 18 KB of file.
  std::string paddedPng = bigPng + std::string("\0\0\x4e\x20zzzz", 8) + std::string(20004, '\0');
  struct Case {
    const char* name;
    std::string bytes;
    bool known;
    int width, height;
  } cases[] = {
      {"png", png, true, 40, 30},
      {"png larger than its bytes can hold", bigPng, false, 0, 0},
      {"png header and room for the pixels", paddedPng, true, 16384, 9000},
      {"jpeg", jpeg, true, 16, 16},
      {"jpeg header cut", jpeg.substr(0, 20), false, 0, 0},
      // 591 bytes cannot hold 16384 x 9767 pixels (no more than 512 a
      // byte): neither the size nor the load is taken.
      {"jpeg larger than its bytes can hold", [&] {
         std::string s = jpeg;
         s[163] = char(0x26), s[164] = char(0x27), s[165] = char(0x40), s[166] = 0;
         return s;
       }(), false, 0, 0},
      {"bmp top-down", bmp, true, 4, 3},
      {"bmp too wide", [&] { std::string s = bmp; put32(s, 18, 16385); return s; }(), false, 0, 0},
      {"text", "not an image", false, 0, 0},
  };
  for (const Case& c : cases) {
    int w = -1, h = -1;
    EXPECT_EQ(imageDimensions(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size(), w, h), c.known)
        << c.name;
    if (!c.known) {
      EXPECT_EQ(loadBytes(c.bytes), 0) << c.name;
    }
    EXPECT_EQ(w, c.width) << c.name;
    EXPECT_EQ(h, c.height) << c.name;
  }
}
