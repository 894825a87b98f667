// A fresh folder made current for one test and removed afterwards.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/system.h"

struct TempFolder {
  std::string previous;
  std::string path;
  TempFolder() {
    previous = currentFolder();
    char pattern[] = "/tmp/zm_test_XXXXXX";
    if (!mkdtemp(pattern) || !setCurrentFolder(pattern)) {
      std::perror("temporary test folder");
      std::abort();
    }
    path = pattern;
  }
  ~TempFolder() {
    setCurrentFolder(previous);
    deleteFolderTree(path);
  }
  static std::string read(const std::string& file) {
    std::string bytes;
    readFile(file, bytes);
    return bytes;
  }
};
