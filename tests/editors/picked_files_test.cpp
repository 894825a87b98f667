#include <gtest/gtest.h>

#include "editors/picked_files.h"
#include "project/tables.h"
#include "tests/support/temp_folder.h"
#include "ui/system.h"

TEST(PickedFiles, APickedFileNeverTakesAnotherFilesPlace) {
  TempFolder folder;
  clearProjectTables();
  workFolder = "work";
  makeFolder("work");
  makeFolder("picks");
  writeFile("picks/jump.wav", "new jump");
  writeFile("picks/same.wav", "same bytes");
  writeFile("picks/a_0.png", "a background");
  writeFile("picks/free.wav", "");
  writeFile("work/jump.wav", "old jump");
  writeFile("work/same.wav", "same bytes");
  writeFile("work/jump_2.wav", "stray");
  appendSound().wav = "jump.wav";
  appendMusic().wav = "same.wav";
  appendFrame() = {"0", "a", -1};
  std::vector<std::string> taken = workFileNamesInUse();
  EXPECT_EQ(pickedFileName("picks/jump.wav", taken), "jump_3.wav") << "jump_2.wav is in the folder";
  EXPECT_EQ(pickedFileName("picks/same.wav", taken), "same.wav") << "the very same file is shared";
  EXPECT_EQ(pickedFileName("picks/a_0.png", taken), "a_0_2.png") << "a frame file's name";
  EXPECT_EQ(pickedFileName("picks/free.wav", taken), "free.wav");
  dropOneName(taken, "jump.wav");   // the field that the pick replaces
  EXPECT_EQ(pickedFileName("picks/jump.wav", taken), "jump.wav");
  EXPECT_TRUE(copyPickedFile("picks/free.wav", "free.wav"));
  EXPECT_EQ(fileSize("work/free.wav"), 0) << "a file of 0 bytes is copied like any other";
  EXPECT_EQ(filePart("/home/me/sounds/jump.wav"), "jump.wav");
  EXPECT_EQ(filePart("jump.wav"), "jump.wav");
  clearProjectTables();
}
