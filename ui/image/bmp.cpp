// Our own BMP reader: uncompressed files of 16, 24 and 32 bits a pixel
// (16 and 32 with any contiguous channel masks) and paletted ones of 1, 4
// and 8 bits, bottom-up or top-down, and 4- and 8-bit run-length encoded
// ones. Every size is checked against the bytes there are before a pixel is
// read, and every run against the picture before it is written.
#include "ui/image.h"
#include "ui/image/image_files.h"
#include "ui/image_store.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <vector>

namespace {

uint32_t le32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }
uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;
constexpr size_t MASKS_AT = 14 + 40;

// One channel of a 16- or 32-bit pixel: where its bits are, and each of
// their values widened (or narrowed) to 8 bits, rounded.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  std::vector<uint8_t> levels;
};

// False for a mask that is not one run of 1 to 16 bits.
bool makeChannel(uint32_t mask, Channel& channel) {
  if (mask == 0) return false;
  int shift = std::countr_zero(mask);
  uint32_t value = mask >> shift;
  if ((value & (value + 1)) != 0 || std::popcount(value) > 16) return false;
  channel.mask = mask;
  channel.shift = shift;
  channel.levels.resize(size_t(value) + 1);
  for (uint32_t v = 0; v <= value; v++) channel.levels[v] = uint8_t((v * 255 + value / 2) / value);
  return true;
}

uint32_t level(const Channel& channel, uint32_t pixel) {
  return channel.levels[(pixel & channel.mask) >> channel.shift];
}

// The colour masks of a 16- or 32-bit file: given after the 40-byte header
// part for bitfields files, the usual ones otherwise. An alpha mask is read
// where the header has room for one (or the compression says it follows);
// without one, the fourth byte of a 32-bit pixel in the usual layout is
// alpha only if some pixel uses it, since many writers leave it at 0.
struct Masks {
  Channel red, green, blue, alpha;
  bool withAlpha = false, alphaIfUsed = false;
};

bool readMasks(const uint8_t* data, size_t size, uint32_t headerSize, uint32_t compression, int bits, Masks& out) {
  uint32_t r, g, b, a = 0;
  bool alphaGiven = false;
  if (compression == BI_RGB) {
    if (bits == 16) r = 0x7C00u, g = 0x03E0u, b = 0x001Fu;
    else r = 0x00FF0000u, g = 0x0000FF00u, b = 0x000000FFu;
  } else {
    // The masks follow the 40-byte header part whatever the header size
    // says: a header of 41 to 51 bytes holds only some of them.
    alphaGiven = compression == BI_ALPHABITFIELDS || headerSize >= 56;
    if (MASKS_AT + (alphaGiven ? 16 : 12) > size) return false;
    const uint8_t* masks = data + MASKS_AT;
    r = le32(masks), g = le32(masks + 4), b = le32(masks + 8);
    if (alphaGiven) a = le32(masks + 12);
  }
  if (bits == 16) {   // bits above the pixel's own mean nothing
    r &= 0xFFFFu, g &= 0xFFFFu, b &= 0xFFFFu, a &= 0xFFFFu;
  }
  if ((r & g) != 0 || (r & b) != 0 || (g & b) != 0 || (a & (r | g | b)) != 0) return false;
  if (!makeChannel(r, out.red) || !makeChannel(g, out.green) || !makeChannel(b, out.blue)) return false;
  if (!alphaGiven && bits == 32 && (r | g | b) == 0x00FFFFFFu) {
    a = 0xFF000000u;
    out.alphaIfUsed = true;
  }
  if (a != 0) {
    if (!makeChannel(a, out.alpha)) return false;
    out.withAlpha = !out.alphaIfUsed;
  }
  return true;
}

// Run-length encoded rows, bottom-up: pairs of a count and a colour, or 0
// and an escape (end of row, end of picture, a move, or a run of single
// pixels padded to a 16-bit word). Pixels the stream moves past stay
// transparent. A run or move out of the picture, an index past the palette
// or a stream cut short refuses the file.
bool decodeRle(const uint8_t* src, size_t size, int bits, const uint32_t* palette, uint32_t paletteSize,
               int64_t width, int64_t height, uint32_t* pixels, bool& skipped) {
  size_t at = 0;
  int64_t x = 0, row = 0, written = 0;
  auto put = [&](uint32_t index) {
    if (index >= paletteSize) return false;
    pixels[size_t(height - 1 - row) * size_t(width) + size_t(x++)] = palette[index];
    written++;
    return true;
  };
  while (true) {
    if (size - at < 2) {
      // Some writers end the last row without an end-of-picture mark.
      if (at == size && (row == height || (row == height - 1 && x == width))) break;
      return false;
    }
    uint32_t count = src[at], value = src[at + 1];
    at += 2;
    if (count > 0) {
      if (row >= height || x + count > width) return false;
      for (uint32_t i = 0; i < count; i++) {
        uint32_t index = bits == 8 ? value : (i % 2 == 0 ? value >> 4 : value & 15);
        if (!put(index)) return false;
      }
    } else if (value == 0) {
      if (row >= height) return false;
      x = 0;
      row++;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (size - at < 2) return false;
      x += src[at];
      row += src[at + 1];
      at += 2;
      if (x > width || row >= height) return false;
    } else {
      size_t bytes = bits == 8 ? value : (value + 1) / 2;
      size_t padded = bytes + bytes % 2;
      if (row >= height || x + value > width || size - at < padded) return false;
      for (uint32_t i = 0; i < value; i++) {
        uint32_t index = bits == 8 ? src[at + i] : (i % 2 == 0 ? src[at + i / 2] >> 4 : src[at + i / 2] & 15);
        if (!put(index)) return false;
      }
      at += padded;
    }
  }
  skipped = written < width * height;
  return true;
}

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
  }
  bool topDown = height < 0;
  if (topDown) height = -height;
  if (!validImageSize(int(std::min<int64_t>(width, IMAGE_MAX_SIDE + 1)), int(std::min<int64_t>(height, IMAGE_MAX_SIDE + 1))))
    return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  bool rle = compression == BI_RLE8 || compression == BI_RLE4;
  if (rle) {
    // Run-length rows are bottom-up by definition.
    if (topDown || bits != (compression == BI_RLE8 ? 8 : 4)) return false;
  } else if (compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS) {
    if (bits != 16 && bits != 32) return false;
  } else if (compression != BI_RGB) {
    return false;
  }
  Masks masks;
  if ((bits == 16 || bits == 32) && !readMasks(data, size, headerSize, compression, bits, masks)) return false;

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
  if (pixelOffset < 14 + headerSize || pixelOffset > size) return false;
  size_t pitch = ((size_t(width) * size_t(bits) + 31) / 32) * 4;
  if (!rle && pitch * size_t(height) > size - pixelOffset) return false;
  // A run of two bytes paints at most 255 pixels; the moves and an early end
  // that leave the rest transparent must not let a few bytes claim a
  // gigabyte of them.
  if (rle && uint64_t(width) * uint64_t(height) > IMAGE_UNPROVEN_PIXELS &&
      uint64_t(width) * uint64_t(height) > uint64_t(size - pixelOffset) * 128)
    return false;

  PixelBuffer pixels = allocatePixels(int(width), int(height));
  if (!pixels) return false;
  if (rle) {
    bool skipped = false;
    if (!decodeRle(data + pixelOffset, size - pixelOffset, bits, palette, paletteSize, width, height, pixels.get(),
                   skipped))
      return false;
    image.width = int(width);
    image.height = int(height);
    image.depth = skipped ? 32 : 24;
    image.pixels = std::move(pixels);
    return true;
  }
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
      } else if (bits == 24) {
        const uint8_t* p = src + x * 3;
        dst[x] = uint32_t(p[2]) | (uint32_t(p[1]) << 8) | (uint32_t(p[0]) << 16) | 0xFF000000u;
      } else {
        uint32_t v = bits == 16 ? le16(src + x * 2) : le32(src + x * 4);
        uint32_t a = masks.alpha.mask ? level(masks.alpha, v) : 255;
        dst[x] = level(masks.red, v) | (level(masks.green, v) << 8) | (level(masks.blue, v) << 16) | (a << 24);
        if (a != 0) anyAlpha = true;
      }
    }
  }
  bool withAlpha = masks.withAlpha || (masks.alphaIfUsed && anyAlpha);
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
