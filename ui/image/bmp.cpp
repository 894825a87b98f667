// Our own BMP reader: uncompressed files of 16, 24 and 32 bits a pixel and
// paletted ones of 1, 4 and 8 bits, bottom-up or top-down. Every size is checked against the bytes there are
// before a pixel is read.
#include "ui/image.h"
#include "ui/image/image_files.h"
#include "ui/image_store.h"

#include <algorithm>
#include <cstdlib>

namespace {

uint32_t le32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }
uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

constexpr uint32_t BI_RGB = 0, BI_BITFIELDS = 3;
constexpr size_t MASKS_AT = 14 + 40;

}  // namespace

bool isBmpData(const uint8_t* data, size_t size) {
  return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

bool bmpDimensions(const uint8_t* data, size_t size, int& width, int& height) {
  if (!isBmpData(data, size) || size < 14 + 12) return false;
  uint32_t headerSize = le32(data + 14);
  int64_t w, h;
  if (headerSize == 12) {
    w = le16(data + 18);
    h = int16_t(le16(data + 20));
  } else {
    if (headerSize < 40 || size < 14 + 40) return false;
    w = int32_t(le32(data + 18));
    h = int32_t(le32(data + 22));
  }
  if (h < 0) h = -h;
  if (w <= 0 || h <= 0 || w > IMAGE_MAX_SIDE || h > IMAGE_MAX_SIDE) return false;
  width = int(w);
  height = int(h);
  return true;
}

bool decodeBmp(const uint8_t* data, size_t size, ImageData& image) {
  if (!isBmpData(data, size) || size < 14 + 12) return false;
  uint32_t pixelOffset = le32(data + 10);
  uint32_t headerSize = le32(data + 14);
  if (headerSize < 12 || 14 + uint64_t(headerSize) > size) return false;
  int64_t width, height;
  int bits;
  uint32_t compression = BI_RGB, colorsUsed = 0;
  bool alphaMask = false, green6 = false;
  if (headerSize == 12) {   // the old core header
    width = le16(data + 18);
    height = int16_t(le16(data + 20));
    bits = le16(data + 24);
  } else {
    if (headerSize < 40) return false;
    width = int32_t(le32(data + 18));
    height = int32_t(le32(data + 22));
    bits = le16(data + 28);
    compression = le32(data + 30);
    colorsUsed = le32(data + 46);
    if (compression == BI_BITFIELDS) {
      // Only the usual masks: 8 bits a channel in the order B, G, R (alpha
      // on top), or 5-6-5 and 5-5-5 for 16 bits.
      // The masks follow the 40-byte header part whatever the header size
      // says: a header of 41 to 51 bytes holds only some of them.
      if (MASKS_AT + 12 > size) return false;
      const uint8_t* masks = data + MASKS_AT;
      uint32_t r = le32(masks), g = le32(masks + 4), b = le32(masks + 8);
      if (bits == 32 && r == 0x00FF0000u && g == 0x0000FF00u && b == 0x000000FFu) {
        alphaMask = headerSize >= 56 && le32(masks + 12) == 0xFF000000u;
      } else if (bits == 16 && r == 0xF800u && g == 0x07E0u && b == 0x001Fu) {
        green6 = true;
      } else if (!(bits == 16 && r == 0x7C00u && g == 0x03E0u && b == 0x001Fu)) {
        return false;
      }
    } else if (compression != BI_RGB) {
      return false;
    }
  }
  bool topDown = height < 0;
  if (topDown) height = -height;
  if (!validImageSize(int(std::min<int64_t>(width, IMAGE_MAX_SIDE + 1)), int(std::min<int64_t>(height, IMAGE_MAX_SIDE + 1))))
    return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;

  uint32_t palette[256] = {};
  uint32_t paletteSize = 0;
  if (bits <= 8) {
    paletteSize = colorsUsed == 0 ? (1u << bits) : colorsUsed;
    if (paletteSize > 256) return false;
    size_t entry = headerSize == 12 ? 3 : 4;
    size_t start = 14 + headerSize;
    if (start + paletteSize * entry > size) return false;
    for (uint32_t i = 0; i < paletteSize; i++) {
      const uint8_t* p = data + start + i * entry;
      palette[i] = uint32_t(p[2]) | (uint32_t(p[1]) << 8) | (uint32_t(p[0]) << 16) | 0xFF000000u;
    }
  }
  size_t pitch = ((size_t(width) * size_t(bits) + 31) / 32) * 4;
  if (pixelOffset < 14 + headerSize || pixelOffset > size || pitch * size_t(height) > size - pixelOffset) return false;

  PixelBuffer pixels = allocatePixels(int(width), int(height));
  if (!pixels) return false;
  bool anyAlpha = false;
  for (int64_t row = 0; row < height; row++) {
    const uint8_t* src = data + pixelOffset + size_t(row) * pitch;
    int64_t y = topDown ? row : height - 1 - row;
    uint32_t* dst = pixels.get() + size_t(y) * size_t(width);
    for (int64_t x = 0; x < width; x++) {
      if (bits <= 8) {
        size_t bit = size_t(x) * size_t(bits);
        uint32_t index = (src[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= paletteSize) return false;
        dst[x] = palette[index];
      } else if (bits == 16) {
        uint32_t v = le16(src + x * 2);
        // Short channels widened so that full scale stays full scale.
        uint32_t r = green6 ? (v >> 11) & 31 : (v >> 10) & 31, b = v & 31;
        uint32_t g = green6 ? (v >> 5) & 63 : (v >> 5) & 31;
        r = (r << 3) | (r >> 2);
        b = (b << 3) | (b >> 2);
        g = green6 ? (g << 2) | (g >> 4) : (g << 3) | (g >> 2);
        dst[x] = r | (g << 8) | (b << 16) | 0xFF000000u;
      } else if (bits == 24) {
        const uint8_t* p = src + x * 3;
        dst[x] = uint32_t(p[2]) | (uint32_t(p[1]) << 8) | (uint32_t(p[0]) << 16) | 0xFF000000u;
      } else {
        const uint8_t* p = src + x * 4;
        dst[x] = uint32_t(p[2]) | (uint32_t(p[1]) << 8) | (uint32_t(p[0]) << 16) | (uint32_t(p[3]) << 24);
        if (p[3] != 0) anyAlpha = true;
      }
    }
  }
  // Many writers leave the fourth byte of a 32-bit pixel at 0 without
  // meaning transparency; it counts as alpha only when declared or used.
  bool withAlpha = bits == 32 && (alphaMask || anyAlpha);
  if (!withAlpha) {
    uint32_t* p = pixels.get();
    for (size_t i = 0, n = size_t(width) * size_t(height); i < n; i++) p[i] |= 0xFF000000u;
  }
  image.width = int(width);
  image.height = int(height);
  image.depth = withAlpha ? 32 : 24;
  image.pixels = std::move(pixels);
  return true;
}
