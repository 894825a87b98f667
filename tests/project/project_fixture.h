// Each test runs in a fresh temporary folder as the current directory (the
// program works relative to it), with empty tables, default hooks, and the
// messages it shows collected.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "project/hooks.h"
#include "project/tables.h"
#include "tests/support/temp_folder.h"
#include "ui/system.h"

// A record of the table's kind with only its name set.
template <typename Record>
Record named(const std::string& name) {
  Record r;
  r.name = name;
  return r;
}

class ProjectTest : public ::testing::Test {
 protected:
  std::vector<std::pair<std::string, std::string>> messages;
  TempFolder folder;   // made current before SetUp, removed after TearDown
  const std::string& tempFolder = folder.path;

  void SetUp() override {
    clearProjectTables();
    resetProjectHooks();
    projectHooks.message = [this](const std::string& title, const std::string& text) {
      messages.emplace_back(title, text);
    };
    projectName.clear();
    imgFolder = "img";
    audFolder = "aud";
    workFolder = "_temp_000000";
    makeFolder(workFolder);
    makeFolder("Projects");
  }

  void TearDown() override {
    clearProjectTables();
    resetProjectHooks();
  }

  static std::string slurp(const std::string& path) {
    std::string bytes;
    readFile(path, bytes);
    return bytes;
  }
};
