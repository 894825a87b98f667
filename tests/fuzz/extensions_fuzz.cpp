// An installed extension (.tex) and a project's extensions.dat: the same
// bytes serve as both, read by the loader and put into game.js.
#include "builder/extensions.h"
#include "fuzz_folder.h"
#include "project/tables.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  enterFuzzFolder();
  makeFolder("Extensions");
  makeFolder("Projects");
  makeFolder("Projects/f");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes = fuzzBytes(data, size);
  writeFile("Extensions/x.tex", bytes);
  writeFile("Projects/f/extensions.dat", bytes);
  projectName = "f";
  loadExtensions();
  for (ExtensionRecord& e : extensions) {
    e.enabled = 1;
    extensionDetailsText(e);
  }
  generateExtensionsSection();
  extensions.clear();
  enabledExtensions.clear();
  return 0;
}
