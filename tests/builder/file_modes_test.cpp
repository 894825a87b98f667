// Saving keeps the permission bits of every file it replaces, and a file
// that the user may not write is not replaced: the save says so and the
// file stays as it was. Tests may run as root, who may write anything, so
// the bits decide, not access().
#include <sys/stat.h>

#include <functional>
#include <map>

#include "builder/game_files.h"
#include "builder_fixture.h"
#include "project/project_file.h"
#include "tests/support/failing_system_call.h"
#include "tests/project/two_versions.h"

namespace {

int permissionBits(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

using FileModesTest = BuilderTest;

TEST_F(FileModesTest, ASaveKeepsTheBitsAndRefusesAFileWithoutWritePermission) {
  struct File {
    const char* path;
    std::function<void()> change;
    std::function<bool()> save;
  } files[] = {
      {"Projects/game.xml", [] { projectInfo.comments = "changed"; }, writeProject},
      {"Projects/game/img/hero_0.png", [] { setPixel(frames[0].image, 0, 0, rgba(9, 9, 9, 255)); },
       writeProject},
      {"Projects/game/aud/a.wav", [] { writeFile(workFolder + "/a.wav", "another sound"); }, writeProject},
      {"Projects/game/img/b.png", [] { writeFile(workFolder + "/b.png", "another picture"); }, writeProject},
      {"Projects/game/game.js", [] { exportTemplate = "changed //ZEMBRIK_SCENES"; }, generateGameFiles},
      {"Projects/game/index.html", [] { writeFile("Projects/game/index.html", "<p>mine</p>"); },
       generateGameFiles},
      {"Projects/game/extensions.dat", [] {}, [] { return writeEnabledExtensions({"changed"}); }},
  };
  for (const File& f : files) {
    for (int mode : {0644, 0600, 0664, 0444}) {
      SCOPED_TRACE(std::string(f.path) + " of mode " + std::to_string(mode / 64) +
                   std::to_string(mode / 8 % 8) + std::to_string(mode % 8));
      deleteFolderTree("Projects");
      makeFolder("Projects");
      makeOldVersion();
      exportTemplate = "//ZEMBRIK_SCENES";
      ASSERT_TRUE(writeProject());
      ASSERT_TRUE(generateGameFiles());
      ASSERT_TRUE(writeEnabledExtensions({"first"}));
      f.change();
      setModified(1);
      ASSERT_EQ(chmod(f.path, mode_t(mode)), 0);
      const std::string before = slurp(f.path);
      messages.clear();
      statusTexts.clear();

      bool saved = f.save();
      EXPECT_EQ(permissionBits(f.path), mode);
      if (mode & S_IWUSR) {
        EXPECT_TRUE(saved);
        EXPECT_NE(slurp(f.path), before);
        EXPECT_TRUE(messages.empty());
      } else {
        EXPECT_FALSE(saved);
        EXPECT_EQ(slurp(f.path), before);
        const std::string what = f.path == std::string("Projects/game.xml") ? "The project file " : "The file ";
        EXPECT_EQ(messages, (std::vector<std::pair<std::string, std::string>>{
                                {"Error", what + f.path + " cannot be written."}}));
        EXPECT_TRUE(statusTexts.empty());
        EXPECT_EQ(modifiedFlag, 1);
      }
    }
  }
}

// Every file under `folder`, with its permission bits and bytes.
void listFiles(const std::string& folder, std::map<std::string, std::string>& files) {
  std::vector<DirEntry> entries;
  listFolder(folder, "", entries);
  for (const DirEntry& e : entries) {
    std::string path = folder + "/" + e.name;
    if (e.kind == FILE_FOLDER)
      listFiles(path, files);
    else
      files[path] = std::to_string(permissionBits(path)) + " " + TempFolder::read(path);
  }
}

// The bits of a new file are set on its temporary one, which mkstemp made
// 0600: when that fails the save fails, the old files kept, not replaced by
// ones that only their owner may read.
TEST_F(FileModesTest, AFailedChmodFailsTheSave) {
  struct Save {
    const char* what;
    std::function<void()> change;
    std::function<bool()> save;
  } saves[] = {
      {"project", [] { projectInfo.comments = "changed"; }, writeProject},
      {"game", [] { exportTemplate = "changed //ZEMBRIK_SCENES"; }, generateGameFiles},
      {"extensions list", [] {}, [] { return writeEnabledExtensions({"changed"}); }},
  };
  for (const Save& s : saves) {
    SCOPED_TRACE(s.what);
    deleteFolderTree("Projects");
    makeFolder("Projects");
    makeOldVersion();
    exportTemplate = "//ZEMBRIK_SCENES";
    ASSERT_TRUE(writeProject());
    ASSERT_TRUE(generateGameFiles());
    ASSERT_TRUE(writeEnabledExtensions({"first"}));
    s.change();
    setModified(1);
    messages.clear();
    std::map<std::string, std::string> before;
    listFiles("Projects", before);

    int outcome = runWithFailingCall(SYS_fchmod, [&] {
      bool saved = s.save();
      bool reported = messages.size() == 1 && messages[0].first == "Error" &&
                      messages[0].second.ends_with(" cannot be written.");
      return (saved ? 1 : 0) + (reported ? 0 : 2) + (modifiedFlag == 1 ? 0 : 4);
    });
    if (outcome == NO_FAILING_CALL) GTEST_SKIP() << "no system call can be made to fail here";
    EXPECT_EQ(outcome, 0) << "1: saved, 2: no \"Error\", 4: flag cleared";
    std::map<std::string, std::string> after;
    listFiles("Projects", after);
    EXPECT_EQ(after, before);
  }
}

}  // namespace
