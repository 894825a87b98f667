// A function exchange file imported, then exported again.
#include <vector>

#include "fuzz_folder.h"
#include "project/exchange.h"
#include "project/tables.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  enterFuzzFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  writeFile("in.xml", fuzzBytes(data, size));
  clearProjectTables();
  if (importFunctionsFrom("in.xml")) {
    std::vector<bool> chosen(fns.size(), true);
    std::string document = functionExchangeDocument("author", "description", chosen);
    if (document.empty()) __builtin_trap();
  }
  clearProjectTables();
  return 0;
}
