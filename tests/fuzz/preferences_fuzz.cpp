// preferences.dat read at start-up.
#include "fuzz_folder.h"
#include "shell/preferences.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  enterFuzzFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  writeFile("preferences.dat", fuzzBytes(data, size));
  loadPreferences();
  return 0;
}
