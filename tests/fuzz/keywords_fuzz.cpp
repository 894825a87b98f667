// keywords.dat read at start-up.
#include "codeeditor/keywords.h"
#include "fuzz_folder.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  enterFuzzFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  writeFile("keywords.dat", fuzzBytes(data, size));
  keywords.clear();
  loadKeywords();
  keywords.clear();
  return 0;
}
