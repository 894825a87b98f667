// PNG files through libpng. Every libpng error jumps back to the setjmp of
// the call, which frees what it made: a bad file gives no image at all.
#include "ui/image.h"
#include "ui/image/image_files.h"
#include "ui/image_store.h"
#include "ui/system.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace {

// No chunk of a picture we read needs more: text, palettes and colour
// profiles stay far below it, and the pixel data is not held in one chunk.
constexpr png_alloc_size_t PNG_CHUNK_MAX = 8000000;

// Deflate packs at most 1032 bytes into one, and a pixel takes at least one
// bit: a size the file cannot hold is refused before anything is reserved.
bool plausibleSize(uint64_t width, uint64_t height, size_t size) { return width * height <= uint64_t(size) * 8256; }

struct MemoryReader {
  const uint8_t* data;
  size_t size;
  size_t offset;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (length > reader->size - reader->offset) png_error(png, "truncated");
  std::memcpy(out, reader->data + reader->offset, length);
  reader->offset += length;
}

void writeToString(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void flushNothing(png_structp) {}

void quietWarning(png_structp, png_const_charp) {}

// A bad file is an ordinary result here, not something to print.
[[noreturn]] void quietError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// Most warnings are about damaged ancillary chunks and leave a good
// picture. A chunk that is too large is only a warning too, but libpng
// then reads and clears the whole length it claims (2 GB from a 45-byte
// file): that one, and running out of memory, end the read.
void readWarning(png_structp png, png_const_charp message) {
  if (std::strstr(message, "too large") || std::strstr(message, "memory") || std::strstr(message, "chunk cache"))
    png_longjmp(png, 1);
}

// Decodes into `image`; false on any error. Kept free of C++ objects with
// destructors between setjmp and longjmp.
bool decodePngInto(const uint8_t* data, size_t size, ImageData& image) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, readWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  MemoryReader reader{data, size, 0};
  png_bytep* volatile rows = nullptr;   // read again after a longjmp
  if (setjmp(png_jmpbuf(png))) {
    std::free(rows);
    png_destroy_read_struct(&png, &info, nullptr);
    image.pixels.reset();
    return false;
  }
  png_set_read_fn(png, &reader, readFromMemory);
  png_set_user_limits(png, IMAGE_MAX_SIDE, IMAGE_MAX_SIDE);
  png_set_chunk_malloc_max(png, PNG_CHUNK_MAX);
  png_read_info(png, info);
  png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
  if (!plausibleSize(width, height, size)) png_error(png, "larger than the file can hold");
  int colorType = png_get_color_type(png, info);
  bool hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t(width) * 4) png_error(png, "unexpected layout");
  image.width = int(width);
  image.height = int(height);
  image.depth = hasAlpha ? 32 : 24;
  image.pixels = allocatePixels(int(width), int(height));
  rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (!image.pixels || !rows) png_error(png, "out of memory");
  for (png_uint_32 y = 0; y < height; y++)
    rows[y] = reinterpret_cast<png_bytep>(image.pixels.get() + size_t(y) * width);
  png_read_image(png, rows);
  png_read_end(png, nullptr);
  std::free(rows);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

bool encodePngData(const ImageData& image, std::string& out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  uint8_t* volatile row = nullptr;   // read again after a longjmp
  if (setjmp(png_jmpbuf(png))) {
    std::free(row);
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, writeToString, flushNothing);
  // Frames are saved often and are small: fast compression with the
  // one filter that suits sprites (runs of equal pixels) wins over size.
  png_set_compression_level(png, 1);
  png_set_compression_strategy(png, Z_DEFAULT_STRATEGY);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  bool rgbOnly = image.depth == 24;
  png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8,
               rgbOnly ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  png_write_info(png, info);
  if (rgbOnly) {
    row = static_cast<uint8_t*>(std::malloc(size_t(image.width) * 3));
    if (!row) png_error(png, "out of memory");
  }
  for (int y = 0; y < image.height; y++) {
    const uint32_t* src = image.pixels.get() + size_t(y) * image.width;
    if (rgbOnly) {
      for (int x = 0; x < image.width; x++) {
        row[x * 3] = uint8_t(src[x]);
        row[x * 3 + 1] = uint8_t(src[x] >> 8);
        row[x * 3 + 2] = uint8_t(src[x] >> 16);
      }
      png_write_row(png, row);
    } else {
      png_write_row(png, reinterpret_cast<png_const_bytep>(src));
    }
  }
  png_write_end(png, nullptr);
  std::free(row);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool isPngData(const uint8_t* data, size_t size) {
  return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool pngDimensions(const uint8_t* data, size_t size, int& width, int& height) {
  // libpng takes the header only as the first chunk.
  if (!isPngData(data, size) || size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0) return false;
  auto be32 = [&](size_t at) {
    return uint32_t(data[at]) << 24 | uint32_t(data[at + 1]) << 16 | uint32_t(data[at + 2]) << 8 | data[at + 3];
  };
  uint32_t w = be32(16), h = be32(20);
  if (w == 0 || h == 0 || w > uint32_t(IMAGE_MAX_SIDE) || h > uint32_t(IMAGE_MAX_SIDE) || !plausibleSize(w, h, size))
    return false;
  width = int(w);
  height = int(h);
  return true;
}

bool decodePng(const uint8_t* data, size_t size, ImageData& image) {
  if (!isPngData(data, size)) return false;
  return decodePngInto(data, size, image);
}

bool encodePng(int number, std::string& out) {
  out.clear();
  ImageData* image = findImage(number);
  if (!image) return false;
  if (!encodePngData(*image, out)) {
    out.clear();
    return false;
  }
  return true;
}

bool savePng(int number, const std::string& path) {
  std::string bytes;
  return encodePng(number, bytes) && writeFileAtomic(path, bytes);
}
