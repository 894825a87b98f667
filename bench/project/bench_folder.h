// A fresh folder made current for one benchmark, under $ZM_BENCH_FOLDER or
// /tmp, with the project's work folder in it; removed with the tables
// cleared afterwards.
#pragma once

#include <cstdlib>
#include <string>

#include "project/tables.h"
#include "ui/system.h"

struct BenchFolder {
  std::string path, old;
  // `name` goes into the folder's name; `withProjects` also makes "Projects".
  BenchFolder(const char* name, bool withProjects) {
    old = currentFolder();
    const char* base = getenv("ZM_BENCH_FOLDER");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/zm_" + name + "_bench_XXXXXX";
    path = mkdtemp(pattern.data());
    setCurrentFolder(path);
    if (withProjects) makeFolder("Projects");
    workFolder = "_temp_000000";
    makeFolder(workFolder);
  }
  ~BenchFolder() {
    clearProjectTables();
    setCurrentFolder(old);
    deleteFolderTree(path);
  }
};
