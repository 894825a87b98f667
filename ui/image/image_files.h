// Inside the image store: the decoders of each file kind. Each fills
// `image` and returns true, or returns false and leaves no pixels behind.
#pragma once

#include <cstddef>
#include <cstdint>

struct ImageData;

// The largest picture a reader takes on its header's word alone. Beyond it
// the file's picture data must be large enough to hold what it declares,
// so that a few bytes cannot claim a gigabyte of pixels.
constexpr uint64_t IMAGE_UNPROVEN_PIXELS = uint64_t(4096) * 4096;

// The size a file declares, read from its header alone (nothing decoded);
// false when the header is not there or the size is out of range.
bool pngDimensions(const uint8_t* data, size_t size, int& width, int& height);
bool jpegDimensions(const uint8_t* data, size_t size, int& width, int& height);
bool bmpDimensions(const uint8_t* data, size_t size, int& width, int& height);

bool isPngData(const uint8_t* data, size_t size);
bool decodePng(const uint8_t* data, size_t size, ImageData& image);
bool isJpegData(const uint8_t* data, size_t size);
bool decodeJpeg(const uint8_t* data, size_t size, ImageData& image);
bool isBmpData(const uint8_t* data, size_t size);
bool decodeBmp(const uint8_t* data, size_t size, ImageData& image);
