// The sound, music and background files that a save copies from the work
// folder: one that is missing copies nothing, as ever; one that is there
// but cannot be read fails the save, which then changes nothing.
#include "project/project_file.h"
#include "project_fixture.h"
#include "tests/support/folder_files.h"
#include "tests/support/unreadable_file.h"
#include "two_versions.h"

namespace {

class WorkFilesTest : public ProjectTest {
 protected:
  // The old version with a music too, saved; then a change to the document.
  void SetUp() override {
    ProjectTest::SetUp();
    makeOldVersion();
    MusicRecord tune;
    tune.name = "tune";
    tune.ogg = "m.ogg";
    musics = {tune};
    writeFile(workFolder + "/m.ogg", "old ogg");
    ASSERT_TRUE(writeProject());
    projectInfo.comments = "changed";
    setModified(1);
  }
};

TEST_F(WorkFilesTest, AFileThereThatCannotBeReadFailsTheSave) {
  const std::map<std::string, std::string> before = projectFiles();
  for (const char* name : {"a.wav", "m.ogg", "b.png"}) {   // a sound, a music, a background
    for (int how : {UNREADABLE_FOLDER, UNREADABLE_PIPE, UNREADABLE_LOOP, UNREADABLE_DISK}) {
      SCOPED_TRACE(std::string(name) + " is " + unreadableName(how));
      const std::string work = workFolder + "/" + name;
      const std::string kept = TempFolder::read(work);
      ASSERT_TRUE(makeUnreadable(work, how));
      messages.clear();
      EXPECT_FALSE(writeProject());
      EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{
                              {"Error", "The file " + work + " cannot be read."}}));
      EXPECT_EQ(projectFiles(), before);
      EXPECT_EQ(modifiedFlag, 1);
      removeWhateverIsAt(work);
      writeFile(work, kept);
    }
  }
}

// What the work folder does not hold (never copied there, or a link to a
// file since removed) leaves the project's copy as it is.
TEST_F(WorkFilesTest, AMissingFileCopiesNothing) {
  const std::map<std::string, std::string> before = projectFiles();
  deleteFile(workFolder + "/a.wav");
  deleteFile(workFolder + "/m.ogg");
  ASSERT_EQ(symlink("gone.ogg", (workFolder + "/m.ogg").c_str()), 0);
  EXPECT_TRUE(writeProject());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(modifiedFlag, 0);
  std::map<std::string, std::string> after = projectFiles();
  EXPECT_NE(after["Projects/game.xml"], before.at("Projects/game.xml"));
  after["Projects/game.xml"] = before.at("Projects/game.xml");
  EXPECT_EQ(after, before);
}

}  // namespace
