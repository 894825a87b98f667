// The numbered image store. Picked numbers count up from a high base and are
// never handed out twice, so an old number can never reach a newer image.
#include "ui/image.h"
#include "ui/image_store.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace {
std::unordered_map<int, std::unique_ptr<ImageData>> images;
int nextPicked = 1000000;
// Drawing code asks for the same image many times in a row.
int cachedNumber = 0;
ImageData* cachedImage = nullptr;

void forgetCache() {
  cachedNumber = 0;
  cachedImage = nullptr;
}
}  // namespace

bool validImageSize(int width, int height) {
  return width > 0 && height > 0 && width <= IMAGE_MAX_SIDE && height <= IMAGE_MAX_SIDE;
}

PixelBuffer allocatePixels(int width, int height) {
  if (!validImageSize(width, height)) return PixelBuffer();
  auto* p = static_cast<uint32_t*>(std::calloc(size_t(width) * size_t(height), 4));
  return p ? PixelBuffer(p, PixelFree()) : PixelBuffer();
}

bool ownPixels(ImageData& image) {
  if (!image.pixels || image.pixels.use_count() == 1) return true;
  // Not zeroed first: the copy below writes every pixel.
  if (!validImageSize(image.width, image.height)) return false;
  auto* p = static_cast<uint32_t*>(std::malloc(size_t(image.width) * size_t(image.height) * 4));
  if (!p) return false;
  PixelBuffer own(p, PixelFree());
  std::memcpy(own.get(), image.pixels.get(), size_t(image.width) * size_t(image.height) * 4);
  image.pixels = std::move(own);
  return true;
}

ImageData* findImage(int number) {
  if (number == cachedNumber && cachedImage) return cachedImage;
  auto it = images.find(number);
  if (it == images.end()) return nullptr;
  cachedNumber = number;
  cachedImage = it->second.get();
  return cachedImage;
}

int storeImage(int number, ImageData&& image) {
  if (number < 1) {
    number = nextPicked++;
  } else {
    ImageData* old = findImage(number);
    if (old && old->kept) return 0;
  }
  forgetCache();
  images[number] = std::make_unique<ImageData>(std::move(image));
  return number;
}

int createImage(int number, int width, int height, int depth, uint32_t fill) {
  ImageData image;
  image.width = width;
  image.height = height;
  image.depth = depth == 24 ? 24 : 32;
  image.pixels = allocatePixels(width, height);
  if (!image.pixels) return 0;
  if (image.depth == 24) fill |= 0xFF000000u;
  if (fill != 0) {
    uint32_t* p = image.pixels.get();
    std::fill(p, p + size_t(width) * height, fill);
  }
  return storeImage(number, std::move(image));
}

int copyImage(int source, int number) {
  ImageData* from = findImage(source);
  if (!from) return 0;
  if (source == number) return number;
  // The pixels stay shared until either image is written.
  ImageData image;
  image.width = from->width;
  image.height = from->height;
  image.depth = from->depth;
  image.pixels = from->pixels;
  return storeImage(number, std::move(image));
}

int grabImage(int source, int number, int x, int y, int w, int h) {
  ImageData* from = findImage(source);
  if (!from) return 0;
  int x0 = std::max(x, 0), y0 = std::max(y, 0);
  int x1 = int(std::min<int64_t>(int64_t(x) + w, from->width));
  int y1 = int(std::min<int64_t>(int64_t(y) + h, from->height));
  if (x1 <= x0 || y1 <= y0) return 0;
  ImageData image;
  image.width = x1 - x0;
  image.height = y1 - y0;
  image.depth = from->depth;
  image.pixels = allocatePixels(image.width, image.height);
  if (!image.pixels) return 0;
  for (int row = 0; row < image.height; row++)
    std::memcpy(image.pixels.get() + size_t(row) * image.width,
                from->pixels.get() + size_t(y0 + row) * from->width + x0, size_t(image.width) * 4);
  return storeImage(number, std::move(image));
}

void freeImage(int number) {
  auto it = images.find(number);
  if (it == images.end() || it->second->kept) return;
  forgetCache();
  images.erase(it);
}

bool isImage(int number) { return findImage(number) != nullptr; }

int imageWidth(int number) {
  ImageData* image = findImage(number);
  return image ? image->width : 0;
}

int imageHeight(int number) {
  ImageData* image = findImage(number);
  return image ? image->height : 0;
}

int imageDepth(int number) {
  ImageData* image = findImage(number);
  return image ? image->depth : 0;
}

void keepImage(int number) {
  if (ImageData* image = findImage(number)) image->kept = true;
}

int liveImageCount() { return int(images.size()); }

size_t imagePixelBytes() {
  std::unordered_set<const uint32_t*> seen;
  size_t bytes = 0;
  for (const auto& [number, image] : images)
    if (image->pixels && seen.insert(image->pixels.get()).second)
      bytes += size_t(image->width) * size_t(image->height) * 4;
  return bytes;
}

uint32_t getPixel(int number, int x, int y) {
  ImageData* image = findImage(number);
  if (!image || x < 0 || y < 0 || x >= image->width || y >= image->height) return 0;
  return image->pixels[size_t(y) * image->width + x];
}

void setPixel(int number, int x, int y, uint32_t color) {
  ImageData* image = findImage(number);
  if (!image || x < 0 || y < 0 || x >= image->width || y >= image->height || !ownPixels(*image)) return;
  if (image->depth == 24) color |= 0xFF000000u;
  image->pixels[size_t(y) * image->width + x] = color;
}

uint8_t* imageBuffer(int number) {
  ImageData* image = findImage(number);
  return image && ownPixels(*image) ? reinterpret_cast<uint8_t*>(image->pixels.get()) : nullptr;
}

int imageBufferPitch(int number) {
  ImageData* image = findImage(number);
  return image ? image->width * 4 : 0;
}
