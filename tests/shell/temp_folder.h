// A fresh folder made current for one test and removed afterwards.
#pragma once

#include <cstdlib>
#include <string>

#include "ui/system.h"

struct TempFolder {
  std::string previous;
  std::string path;
  TempFolder() {
    previous = currentFolder();
    char pattern[] = "/tmp/zm_shell_XXXXXX";
    path = mkdtemp(pattern);
    setCurrentFolder(path);
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
