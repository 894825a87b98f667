// Loading image files: the kind is told by the first bytes, not the name.
#include "ui/image.h"
#include "ui/image/image_files.h"
#include "ui/image_store.h"
#include "ui/system.h"

int loadImageFromMemory(int number, const uint8_t* data, size_t size) {
  if (!data || size == 0) return 0;
  ImageData image;
  bool ok = false;
  if (isPngData(data, size)) ok = decodePng(data, size, image);
  else if (isJpegData(data, size)) ok = decodeJpeg(data, size, image);
  else if (isBmpData(data, size)) ok = decodeBmp(data, size, image);
  if (!ok || !image.pixels) return 0;
  return storeImage(number, std::move(image));
}

int loadImage(int number, const std::string& path) {
  std::string bytes;
  if (!readFile(path, bytes)) return 0;
  return loadImageFromMemory(number, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

bool imageDimensions(const uint8_t* data, size_t size, int& width, int& height) {
  width = height = 0;
  if (!data) return false;
  if (isPngData(data, size)) return pngDimensions(data, size, width, height);
  if (isJpegData(data, size)) return jpegDimensions(data, size, width, height);
  if (isBmpData(data, size)) return bmpDimensions(data, size, width, height);
  return false;
}

bool imageFileDimensions(const std::string& path, int& width, int& height) {
  width = height = 0;
  std::string bytes;
  return readFile(path, bytes) &&
         imageDimensions(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), width, height);
}
