// JPEG files through libjpeg. Its errors jump back to the setjmp of the
// call; its warnings too, since a warning means a damaged or cut-off file
// that libjpeg would otherwise fill up with grey.
#include "ui/image.h"
#include "ui/image/image_files.h"
#include "ui/image_store.h"

#include <cstdio>   // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>

#include <csetjmp>
#include <cstdlib>

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void fail(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
  if (level < 0) fail(info);   // a warning: corrupt or truncated data
}

// Errors and warnings alike jump back to the caller's setjmp.
void takeErrors(jpeg_decompress_struct& info, ErrorManager& errors) {
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = fail;
  errors.base.emit_message = onMessage;
}

// The most one picture may take: the pixels of the largest (1 GiB). The
// coefficients that progressive and multi-scan files keep until their last
// scan are held to it too, and libjpeg's own memory with a little room for
// its row buffers.
constexpr uint64_t PICTURE_BUDGET = uint64_t(IMAGE_MAX_SIDE) * IMAGE_MAX_SIDE * 4;
constexpr long LIBJPEG_MEMORY = long(PICTURE_BUDGET + (uint64_t(64) << 20));

bool isRestart(uint8_t code) { return code >= 0xD0 && code <= 0xD7; }

// The entropy-coded bytes of all the scans: what follows each scan header
// up to the next marker that is not a restart. Comments, tables and other
// segments, and fill bytes before markers, count nothing.
size_t scanDataBytes(const uint8_t* data, size_t size) {
  size_t total = 0, at = 2;
  while (at + 1 < size && data[at] == 0xFF) {
    uint8_t code = data[at + 1];
    if (code == 0xD9) break;   // end of image
    if (code == 0xFF || code == 0x01 || isRestart(code)) {   // fill byte, or a marker without a segment
      at += code == 0xFF ? 1 : 2;
      continue;
    }
    if (at + 3 >= size) break;
    at += 2 + (size_t(data[at + 2]) << 8 | data[at + 3]);
    if (code != 0xDA) continue;
    size_t start = at;
    while (at + 1 < size && !(data[at] == 0xFF && data[at + 1] != 0 && !isRestart(data[at + 1]))) at++;
    total += at - start;
  }
  return total;
}

// Huffman coding spends at least a bit on each 8 x 8 block it codes, so
// a picture of over 512 pixels for each byte of scan data (comments and
// padding count nothing) is refused; a file whose scans leave out a
// subsampled component can beat that, but only with real scan data.
// Arithmetic coding packs a flat picture into a few bytes whatever its
// size (the decoder makes up the rest from zeros), so only pictures up to
// IMAGE_UNPROVEN_PIXELS are taken on the header's word.
bool plausibleSize(unsigned width, unsigned height, const uint8_t* data, size_t size) {
  uint64_t pixels = uint64_t(width) * height;
  return pixels <= IMAGE_UNPROVEN_PIXELS || pixels <= uint64_t(scanDataBytes(data, size)) * 512;
}

// The whole-picture coefficient buffer libjpeg keeps for a progressive or
// multi-scan file: 64 two-byte coefficients a block, each component padded
// to whole blocks of its sampling.
uint64_t coefficientBytes(j_decompress_ptr info) {
  if (!jpeg_has_multiple_scans(info)) return 0;
  uint64_t total = 0;
  for (int i = 0; i < info->num_components; i++) {
    const jpeg_component_info& c = info->comp_info[i];
    uint64_t columns = (uint64_t(c.width_in_blocks) + c.h_samp_factor - 1) / c.h_samp_factor * c.h_samp_factor;
    uint64_t rows = (uint64_t(c.height_in_blocks) + c.v_samp_factor - 1) / c.v_samp_factor * c.v_samp_factor;
    total += columns * rows * DCTSIZE2 * sizeof(JCOEF);
  }
  return total;
}

// The header read: whether the picture it declares may be decoded.
bool acceptableHeader(j_decompress_ptr info, const uint8_t* data, size_t size) {
  return info->image_width > 0 && info->image_height > 0 && info->image_width <= unsigned(IMAGE_MAX_SIDE) &&
         info->image_height <= unsigned(IMAGE_MAX_SIDE) &&
         plausibleSize(info->image_width, info->image_height, data, size) && coefficientBytes(info) <= PICTURE_BUDGET;
}

// CMYK as libjpeg gives it (it turns YCCK into CMYK itself) to RGB. Adobe
// stores the values inverted (255 is no ink) and marks its files with
// APP14; without the marker the values are the ink itself.
void cmykToRgb(const uint8_t* cmyk, uint32_t* rgb, int width, bool inverted) {
  auto product = [](int a, int b) { return uint32_t((a * b + 127) / 255); };
  for (int x = 0; x < width; x++, cmyk += 4) {
    int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    rgb[x] = product(c, k) | (product(m, k) << 8) | (product(y, k) << 16) | 0xFF000000u;
  }
}

void rgbRow(const uint8_t* row, uint32_t* rgb, int width) {
  for (int x = 0; x < width; x++, row += 3)
    rgb[x] = uint32_t(row[0]) | (uint32_t(row[1]) << 8) | (uint32_t(row[2]) << 16) | 0xFF000000u;
}

}  // namespace

bool isJpegData(const uint8_t* data, size_t size) {
  return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool jpegDimensions(const uint8_t* data, size_t size, int& width, int& height) {
  if (!isJpegData(data, size)) return false;
  jpeg_decompress_struct info;
  ErrorManager errors;
  takeErrors(info, errors);
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  bool ok = acceptableHeader(&info, data, size);
  if (ok) {
    width = int(info.image_width);
    height = int(info.image_height);
  }
  jpeg_destroy_decompress(&info);
  return ok;
}

bool decodeJpeg(const uint8_t* data, size_t size, ImageData& image) {
  if (!isJpegData(data, size)) return false;
  jpeg_decompress_struct info;
  ErrorManager errors;
  takeErrors(info, errors);
  uint8_t* volatile row = nullptr;   // read again after a longjmp
  if (setjmp(errors.jump)) {
    std::free(row);
    jpeg_destroy_decompress(&info);
    image.pixels.reset();
    return false;
  }
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = LIBJPEG_MEMORY;
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  if (!acceptableHeader(&info, data, size)) fail(reinterpret_cast<j_common_ptr>(&info));
  jpeg_start_decompress(&info);
  if (info.output_components != (cmyk ? 4 : 3)) fail(reinterpret_cast<j_common_ptr>(&info));
  int width = int(info.output_width), height = int(info.output_height);
  image.width = width;
  image.height = height;
  image.depth = 24;
  image.pixels = allocatePixels(width, height);
  row = static_cast<uint8_t*>(std::malloc(size_t(width) * info.output_components));
  if (!image.pixels || !row) fail(reinterpret_cast<j_common_ptr>(&info));
  while (info.output_scanline < info.output_height) {
    int y = int(info.output_scanline);
    JSAMPROW rows[1] = {row};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) fail(reinterpret_cast<j_common_ptr>(&info));
    uint32_t* dst = image.pixels.get() + size_t(y) * width;
    if (cmyk) cmykToRgb(row, dst, width, info.saw_Adobe_marker);
    else rgbRow(row, dst, width);
  }
  jpeg_finish_decompress(&info);
  std::free(row);
  jpeg_destroy_decompress(&info);
  return true;
}
