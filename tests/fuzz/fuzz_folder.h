// The private folder a fuzz target works in: made in LLVMFuzzerInitialize,
// current for the whole run (the readers take paths relative to it; give
// the fuzzer absolute corpus paths), removed at exit.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "ui/system.h"

inline void enterFuzzFolder() {
  static std::string folder;
  if (!folder.empty()) return;
  // In memory where there is such a file system: every input is written
  // and read back, and a disk file rewritten in place is flushed on close.
  std::string pattern = fileKind("/dev/shm") == FILE_FOLDER ? "/dev/shm/zm_fuzz_XXXXXX" : "/tmp/zm_fuzz_XXXXXX";
  if (!mkdtemp(pattern.data()) || !setCurrentFolder(pattern)) {
    std::perror("fuzz folder");
    std::abort();
  }
  folder = pattern;
  std::atexit([] {
    setCurrentFolder("/");
    deleteFolderTree(folder);
  });
}

inline std::string fuzzBytes(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}
