// JPEG files written here with libjpeg: CMYK and YCCK colour, arithmetic
// coding, and files whose header declares more than their scan data holds.
#include "ui/image.h"

#include <gtest/gtest.h>

#include <cstdio>   // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <string>

#include <sys/resource.h>

// gcc says so with a macro of its own, clang only through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define ZM_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZM_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef ZM_ADDRESS_SANITIZER
#define ZM_ADDRESS_SANITIZER 0
#endif

namespace {

using Channels = std::array<uint8_t, 4>;

struct JpegForm {
  int width = 32, height = 32;
  J_COLOR_SPACE input = JCS_RGB;        // JCS_GRAYSCALE, JCS_RGB or JCS_CMYK
  J_COLOR_SPACE stored = JCS_UNKNOWN;   // libjpeg's choice for the input unless given
  bool adobeMarker = true;              // CMYK only: libjpeg writes one unless told not to
  bool arithmetic = false;
  bool progressive = false;
};

// Quality 100: flat areas come back within 1 of what went in.
std::string writeJpeg(const JpegForm& form, const std::function<Channels(int x, int y)>& pixel) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(form.width);
  info.image_height = JDIMENSION(form.height);
  info.input_components = form.input == JCS_GRAYSCALE ? 1 : form.input == JCS_RGB ? 3 : 4;
  info.in_color_space = form.input;
  jpeg_set_defaults(&info);
  if (form.stored != JCS_UNKNOWN) jpeg_set_colorspace(&info, form.stored);
  if (form.stored == JCS_YCCK) {
    // Unsubsampled, so that the edges of flat areas stay sharp.
    for (int i = 0; i < info.num_components; i++) info.comp_info[i].h_samp_factor = info.comp_info[i].v_samp_factor = 1;
  }
  if (form.input == JCS_CMYK) info.write_Adobe_marker = form.adobeMarker;
  jpeg_set_quality(&info, 100, TRUE);
  info.arith_code = form.arithmetic;
  if (form.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(size_t(form.width) * info.input_components);
  while (info.next_scanline < info.image_height) {
    for (int x = 0; x < form.width; x++) {
      Channels c = pixel(x, int(info.next_scanline));
      for (int i = 0; i < info.input_components; i++) row[size_t(x) * info.input_components + i] = c[i];
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

// Where the segment of a marker starts (its 0xFF), or npos.
size_t findMarker(const std::string& jpeg, const std::function<bool(uint8_t)>& wanted) {
  size_t at = 2;
  while (at + 4 <= jpeg.size() && uint8_t(jpeg[at]) == 0xFF) {
    uint8_t code = uint8_t(jpeg[at + 1]);
    if (wanted(code)) return at;
    at += 2 + (size_t(uint8_t(jpeg[at + 2])) << 8 | uint8_t(jpeg[at + 3]));
  }
  return std::string::npos;
}

bool isFrame(uint8_t code) { return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC; }

// The same file declaring another size: its scan data then covers only the
// top left corner.
std::string withSize(std::string jpeg, int width, int height) {
  size_t frame = findMarker(jpeg, isFrame);
  jpeg[frame + 5] = char(height >> 8), jpeg[frame + 6] = char(height & 255);
  jpeg[frame + 7] = char(width >> 8), jpeg[frame + 8] = char(width & 255);
  return jpeg;
}

// Comments after the start marker until the file is `total` bytes long.
std::string paddedWithComments(std::string jpeg, size_t total) {
  std::string comments;
  while (jpeg.size() + comments.size() + 4 <= total) {
    size_t length = std::min<size_t>(total - jpeg.size() - comments.size() - 2, 65535);
    comments += std::string("\xFF\xFE", 2) + char(length >> 8) + char(length & 255) + std::string(length - 2, 'c');
  }
  return jpeg.insert(2, comments);
}

// `count` zero bytes at the start of the first scan's data.
std::string withScanData(std::string jpeg, size_t count) {
  size_t scan = findMarker(jpeg, [](uint8_t code) { return code == 0xDA; });
  size_t data = scan + 2 + (size_t(uint8_t(jpeg[scan + 2])) << 8 | uint8_t(jpeg[scan + 3]));
  return jpeg.insert(data, std::string(count, '\0'));
}

int loadBytes(const std::string& bytes) {
  return loadImageFromMemory(-1, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

bool declaredSize(const std::string& bytes, int& width, int& height) {
  return imageDimensions(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), width, height);
}

long peakMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

}  // namespace

// Four flat 16 x 16 quadrants of ink, read back as the colours they print.
// Adobe's APP14 marker means the values are stored inverted (255 is no
// ink), as Adobe writes them; YCCK files always carry it.
TEST(Jpeg, CmykAndYcckComeOutAsTheirColours) {
  struct Case {
    const char* name;
    J_COLOR_SPACE stored;
    bool adobeMarker;
    Channels ink[4];
    uint32_t expected[4];
  } cases[] = {
      {"inverted cmyk", JCS_CMYK, true,
       {{255, 255, 255, 255}, {0, 255, 255, 255}, {200, 100, 50, 255}, {128, 255, 0, 128}},
       {rgba(255, 255, 255, 255), rgba(0, 255, 255, 255), rgba(200, 100, 50, 255), rgba(64, 128, 0, 255)}},
      {"straight cmyk", JCS_CMYK, false,
       {{0, 0, 0, 0}, {255, 255, 255, 255}, {55, 155, 205, 0}, {0, 128, 255, 127}},
       {rgba(255, 255, 255, 255), rgba(0, 0, 0, 255), rgba(200, 100, 50, 255), rgba(128, 64, 0, 255)}},
      {"ycck", JCS_YCCK, true,
       {{255, 255, 255, 255}, {0, 255, 255, 255}, {200, 100, 50, 255}, {128, 255, 0, 128}},
       {rgba(255, 255, 255, 255), rgba(0, 255, 255, 255), rgba(200, 100, 50, 255), rgba(64, 128, 0, 255)}},
  };
  for (const Case& c : cases) {
    JpegForm form;
    form.input = JCS_CMYK;
    form.stored = c.stored;
    form.adobeMarker = c.adobeMarker;
    std::string jpeg = writeJpeg(form, [&](int x, int y) { return c.ink[(y / 16) * 2 + x / 16]; });
    int image = loadBytes(jpeg);
    ASSERT_NE(image, 0) << c.name;
    EXPECT_EQ(imageDepth(image), 24) << c.name;
    int width = 0, height = 0;
    EXPECT_TRUE(declaredSize(jpeg, width, height)) << c.name;
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
    for (int y = 0; y < 32; y++)
      for (int x = 0; x < 32; x++) {
        uint32_t want = c.expected[(y / 16) * 2 + x / 16], got = getPixel(image, x, y);
        EXPECT_NEAR(red(got), red(want), 1) << c.name << " " << x << "," << y;
        EXPECT_NEAR(green(got), green(want), 1) << c.name << " " << x << "," << y;
        EXPECT_NEAR(blue(got), blue(want), 1) << c.name << " " << x << "," << y;
        EXPECT_EQ(alpha(got), 255) << c.name;
      }
    freeImage(image);
    for (size_t cut : {size_t(30), jpeg.size() - 40}) {
      EXPECT_EQ(loadBytes(jpeg.substr(0, cut)), 0) << c.name << " cut to " << cut << " bytes";
    }
  }
}

// Arithmetic coding packs flat grey into a few bytes whatever the size:
// some 200 bytes of file for 2048 x 2048 pixels.
TEST(Jpeg, FlatArithmeticPictureLoads) {
  for (bool progressive : {false, true}) {
    JpegForm form;
    form.width = form.height = 2048;
    form.arithmetic = true;
    form.progressive = progressive;
    std::string jpeg = writeJpeg(form, [](int, int) { return Channels{90, 140, 200, 0}; });
    ASSERT_LT(jpeg.size(), 400u);
    int width = 0, height = 0;
    EXPECT_TRUE(declaredSize(jpeg, width, height)) << progressive;
    EXPECT_EQ(width, 2048);
    EXPECT_EQ(height, 2048);
    int image = loadBytes(jpeg);
    ASSERT_NE(image, 0) << progressive;
    for (int at : {0, 1000, 2047}) {
      uint32_t c = getPixel(image, at, 2047 - at);
      EXPECT_NEAR(red(c), 90, 1) << at;
      EXPECT_NEAR(green(c), 140, 1) << at;
      EXPECT_NEAR(blue(c), 200, 1) << at;
    }
    freeImage(image);
  }
}

// A few hundred bytes of picture declaring 16384 x 16384, made over half a
// megabyte long: by comments around a flat arithmetic-coded picture
// (which libjpeg would decode in full: 1 GiB of pixels, and half as much
// again for the coefficients of the progressive one) or around cut-off
// Huffman data, or by scan data for a 1.5 GiB coefficient buffer. Each is
// refused before that memory is taken, and declares no size to the
// project's picture budget.
TEST(Jpeg, PaddedFilesAreRefusedWithoutTheMemory) {
  auto grey = [](int, int) { return Channels{128, 128, 128, 0}; };
  // Flat enough for the coder to have settled: the rows past its own
  // decode as the same grey.
  JpegForm arithmetic;
  arithmetic.input = JCS_GRAYSCALE;
  arithmetic.width = arithmetic.height = 2048;
  arithmetic.arithmetic = true;
  JpegForm progressiveArithmetic = arithmetic;
  progressiveArithmetic.progressive = true;
  JpegForm huffman;
  huffman.width = huffman.height = 16;
  JpegForm progressiveFullColour = huffman;
  progressiveFullColour.stored = JCS_RGB;   // three components at full size
  progressiveFullColour.progressive = true;
  const size_t padded = 600000;
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"arithmetic with comments", paddedWithComments(withSize(writeJpeg(arithmetic, grey), 16384, 16384), padded)},
      {"progressive arithmetic with comments",
       paddedWithComments(withSize(writeJpeg(progressiveArithmetic, grey), 16384, 16384), padded)},
      {"huffman with comments", paddedWithComments(withSize(writeJpeg(huffman, grey), 16384, 16384), padded)},
      // Enough to pass for 16384 x 16384 pixels and to fill some 400 MB of
      // coefficients before it runs out.
      {"progressive with scan data",
       withScanData(withSize(writeJpeg(progressiveFullColour, grey), 16384, 16384), 5 * padded)},
  };
  for (const Case& c : cases) {
    ASSERT_GE(c.bytes.size(), padded) << c.name;
    [[maybe_unused]] long before = peakMb();
    EXPECT_EQ(loadBytes(c.bytes), 0) << c.name;
    int width = 0, height = 0;
    EXPECT_FALSE(declaredSize(c.bytes, width, height)) << c.name;
#if !ZM_ADDRESS_SANITIZER
    // The address sanitizer's own memory would blur the figure. The peak
    // is the process's, so a case can only show memory it touches beyond
    // the cases before it: the one that fills most comes last.
    EXPECT_LT(peakMb() - before, 64) << c.name;
#endif
  }
}
