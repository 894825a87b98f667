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

// Huffman coding spends at least a bit on each 8 x 8 block, and a real
// picture far more: a header declaring over 512 pixels a byte (a few
// hundred arithmetic-coded bytes can claim 16384 x 9767 of nothing) is
// refused before the decoder reserves and fills the whole picture.
bool plausibleSize(unsigned width, unsigned height, size_t size) {
  return uint64_t(width) * height <= uint64_t(size) * 512;
}

}  // namespace

bool isJpegData(const uint8_t* data, size_t size) {
  return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool jpegDimensions(const uint8_t* data, size_t size, int& width, int& height) {
  if (!isJpegData(data, size)) return false;
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = fail;
  errors.base.emit_message = onMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  bool ok = info.image_width > 0 && info.image_height > 0 && info.image_width <= unsigned(IMAGE_MAX_SIDE) &&
            info.image_height <= unsigned(IMAGE_MAX_SIDE) && plausibleSize(info.image_width, info.image_height, size);
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
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = fail;
  errors.base.emit_message = onMessage;
  uint8_t* volatile row = nullptr;   // read again after a longjmp
  if (setjmp(errors.jump)) {
    std::free(row);
    jpeg_destroy_decompress(&info);
    image.pixels.reset();
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  if (info.image_width == 0 || info.image_height == 0 || info.image_width > unsigned(IMAGE_MAX_SIDE) ||
      info.image_height > unsigned(IMAGE_MAX_SIDE) || !plausibleSize(info.image_width, info.image_height, size))
    fail(reinterpret_cast<j_common_ptr>(&info));
  jpeg_start_decompress(&info);
  if (info.output_components != 3) fail(reinterpret_cast<j_common_ptr>(&info));
  int width = int(info.output_width), height = int(info.output_height);
  image.width = width;
  image.height = height;
  image.depth = 24;
  image.pixels = allocatePixels(width, height);
  row = static_cast<uint8_t*>(std::malloc(size_t(width) * 3));
  if (!image.pixels || !row) fail(reinterpret_cast<j_common_ptr>(&info));
  while (info.output_scanline < info.output_height) {
    int y = int(info.output_scanline);
    JSAMPROW rows[1] = {row};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) fail(reinterpret_cast<j_common_ptr>(&info));
    uint32_t* dst = image.pixels.get() + size_t(y) * width;
    for (int x = 0; x < width; x++)
      dst[x] = uint32_t(row[x * 3]) | (uint32_t(row[x * 3 + 1]) << 8) | (uint32_t(row[x * 3 + 2]) << 16) | 0xFF000000u;
  }
  jpeg_finish_decompress(&info);
  std::free(row);
  jpeg_destroy_decompress(&info);
  return true;
}
