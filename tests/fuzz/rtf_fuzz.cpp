// The help viewer's RTF reader, on any bytes.
#include <cstddef>
#include <cstdint>

#include "ui/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RtfDocument document;
  parseRtf(reinterpret_cast<const char*>(data), size, document);
  return 0;
}
