// The project "game" (two_versions.h) saved in its old version, then in its
// new one, which stays in the tables and on the disk, with the files that
// each save left; startOver puts the old one back on the disk.
#pragma once

#include "project/project_file.h"
#include "project_fixture.h"
#include "tests/support/folder_files.h"
#include "two_versions.h"

class SaveCommitTest : public ProjectTest {
 protected:
  Files oldFiles, newFiles;

  void SetUp() override {
    ProjectTest::SetUp();
    makeOldVersion();
    ASSERT_TRUE(writeProject());
    oldFiles = projectFiles();
    makeNewVersion();
    ASSERT_TRUE(writeProject());
    newFiles = projectFiles();
    ASSERT_NE(oldFiles, newFiles);
  }

  void TearDown() override {
    fileStepHook = nullptr;
    ProjectTest::TearDown();
  }

  // The old version saved again, and the new one in the tables.
  void startOver() {
    deleteFolderTree("Projects");
    makeFolder("Projects");
    makeOldVersion();
    ASSERT_TRUE(writeProject());
    ASSERT_EQ(projectFiles(), oldFiles);
    makeNewVersion();
    messages.clear();
  }

  bool journalThere() {
    std::vector<DirEntry> entries;
    listFolder("Projects", ".zmjournal-*", entries);
    return !entries.empty();
  }
};
