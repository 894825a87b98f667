// Every file under a folder, with its bytes: what a test compares before
// and after a save that must leave the files as they were.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "ui/system.h"

using Files = std::map<std::string, std::string>;

inline void listFiles(const std::string& folder, Files& files) {
  std::vector<DirEntry> entries;
  listFolder(folder, "", entries);
  for (const DirEntry& e : entries) {
    std::string path = folder + "/" + e.name;
    if (e.kind == FILE_FOLDER)
      listFiles(path, files);
    else
      files[path] = TempFolder::read(path);
  }
}

// Everything under Projects/.
inline Files projectFiles() {
  Files files;
  listFiles("Projects", files);
  return files;
}
