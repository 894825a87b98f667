// A save that cannot write its document keeps the old file byte for byte,
// says which file, leaves the modified flag at 1 and leaves no temporary file.
#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <functional>
#include <map>
#include <ctime>
#include <random>

#include "project/makers.h"
#include "project/project_file.h"
#include "project_fixture.h"
#include "tests/support/file_size_limit.h"
#include "ui/image.h"

namespace {

class SaveFailureTest : public ProjectTest {
 protected:
  const std::string oldDocument = "<?xml version=\"1.0\"?><zembrik version=\"130\"/>";

  void SetUp() override {
    ProjectTest::SetUp();
    projectName = "game";
  }

  void makeChanges() {
    for (int i = 0; i < 200; ++i) newFunction();
    fns[0].code = std::string(20000, 'x');
    ASSERT_EQ(modifiedFlag, 1);
  }

  void expectFailedSave(const std::string& folder) {
    EXPECT_FALSE(writeProject());
    EXPECT_EQ(slurp(folder + "/game.xml"), oldDocument);
    EXPECT_EQ(modifiedFlag, 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, "Error");
    EXPECT_NE(messages[0].second.find("Projects/game.xml"), std::string::npos) << messages[0].second;
    std::vector<DirEntry> entries;
    listFolder(folder, "", entries);
    for (const DirEntry& e : entries)
      EXPECT_TRUE(e.name == "game.xml" || e.name == "game" || e.name == "filler")
          << "left behind: " << e.name;
  }
};

TEST_F(SaveFailureTest, FileSizeLimitStandsForAFullDisk) {
  ASSERT_TRUE(writeFile("Projects/game.xml", oldDocument));
  makeChanges();
  {
    FileSizeLimit limit(4096);
    expectFailedSave("Projects");
  }
  // With room again the same project saves, and only then is the flag cleared.
  messages.clear();
  EXPECT_TRUE(writeProject());
  EXPECT_EQ(modifiedFlag, 0);
  EXPECT_TRUE(messages.empty());
}

// The kernel's default for a write past the file-size limit is to end the
// program; the save must fail and say so instead.
TEST_F(SaveFailureTest, FileSizeLimitDoesNotEndTheProgram) {
  ASSERT_TRUE(writeFile("Projects/game.xml", oldDocument));
  makeChanges();
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_DFL);
    rlimit tight{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &tight);
    bool saved = writeProject();
    _exit(!saved && modifiedFlag == 1 && messages.size() == 1 ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(slurp("Projects/game.xml"), oldDocument);
}

TEST_F(SaveFailureTest, FullTmpfs) {
  if (mount("tmpfs", "Projects", "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "no tmpfs can be mounted here";
  struct Unmount {
    ~Unmount() { umount2("Projects", MNT_DETACH); }
  } unmount;
  ASSERT_TRUE(writeFile("Projects/game.xml", oldDocument));
  makeFolder("Projects/game");
  makeFolder("Projects/game/img");
  makeFolder("Projects/game/aud");
  makeChanges();
  // Nearly all that is left goes to a filler; the document needs more.
  writeFile("Projects/filler", std::string(56 * 1024, 'f'));
  expectFailedSave("Projects");
  deleteFile("Projects/filler");
}

// Root ignores permission bits, so the folder is made immutable instead;
// where that is not possible either, the permission bits serve (non-root).
TEST_F(SaveFailureTest, ReadOnlyProjectsFolder) {
  ASSERT_TRUE(writeFile("Projects/game.xml", oldDocument));
  makeFolder("Projects/game");
  makeFolder("Projects/game/img");
  makeFolder("Projects/game/aud");
  makeChanges();
  int fd = open("Projects", O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  int flags = 0;
  bool immutable = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                   (flags |= FS_IMMUTABLE_FL, ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
  if (!immutable && geteuid() == 0) {
    close(fd);
    GTEST_SKIP() << "no way to make a folder read-only for root here";
  }
  if (!immutable) chmod("Projects", 0555);
  expectFailedSave("Projects");
  if (immutable) {
    flags &= ~FS_IMMUTABLE_FL;
    ioctl(fd, FS_IOC_SETFLAGS, &flags);
  } else {
    chmod("Projects", 0755);
  }
  close(fd);
}

// Every file of the project, with its bytes.
std::map<std::string, std::string> projectFiles() {
  std::map<std::string, std::string> files;
  std::vector<DirEntry> entries;
  for (const char* folder : {"Projects", "Projects/game", "Projects/game/img", "Projects/game/aud"}) {
    listFolder(folder, "", entries);
    for (const DirEntry& e : entries)
      if (e.kind == FILE_REGULAR) files[std::string(folder) + "/" + e.name] = TempFolder::read(std::string(folder) + "/" + e.name);
  }
  return files;
}

// A saved project with one small frame and one sound, then a new picture,
// sound or background too big for the room left: the save fails as a whole
// (the small new frame written before it is not in place either), names
// the file, and the old project is byte for byte what it was.
TEST_F(SaveFailureTest, ASideFileThatDoesNotFitChangesNothing) {
  std::mt19937 random(3);
  int noise = createImage(-1, 64, 64, 32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) setPixel(noise, x, y, random());
  std::string big(20000, 'n');
  for (char& c : big) c = char(random());
  struct Case {
    const char* what;
    std::function<void()> add;
    std::string file;
  } cases[] = {
      {"frame", [&] { frames.push_back({"1", "hero", noise}); }, "Projects/game/img/hero_1.png"},
      {"sound", [&] {
         writeFile(workFolder + "/big.wav", big);
         sounds.push_back(named<SoundRecord>("boom"));
         sounds.back().wav = "big.wav";
       }, "Projects/game/aud/big.wav"},
      {"background", [&] {
         writeFile(workFolder + "/big.png", big);
         backgrounds.push_back(named<BackgroundRecord>("sky"));
         backgrounds.back().file = "big.png";
       }, "Projects/game/img/big.png"},
  };
  for (const Case& c : cases) {
    clearProjectTables();
    deleteFolderTree("Projects");
    makeFolder("Projects");
    messages.clear();
    sprites = {named<SpriteRecord>("hero"), named<SpriteRecord>("aa")};
    frames = {{"0", "hero", createImage(-1, 2, 2, 24, rgba(1, 2, 3, 255))}};
    sounds = {named<SoundRecord>("snd")};
    sounds[0].wav = "a.wav";
    writeFile(workFolder + "/a.wav", "WAV");
    ASSERT_TRUE(writeProject()) << c.what;
    std::map<std::string, std::string> before = projectFiles();
    frames.push_back({"0", "aa", createImage(-1, 2, 2, 24, rgba(9, 9, 9, 255))});   // small, written first
    c.add();
    setModified(1);
    {
      FileSizeLimit limit(4096);
      EXPECT_FALSE(writeProject()) << c.what;
    }
    EXPECT_EQ(projectFiles(), before) << c.what;
    EXPECT_EQ(modifiedFlag, 1) << c.what;
    ASSERT_EQ(messages.size(), 1u) << c.what;
    EXPECT_EQ(messages[0].first, "Error");
    EXPECT_NE(messages[0].second.find(c.file), std::string::npos) << messages[0].second;
  }
}

// Links in the project's folders lead the save anywhere: an image or audio
// folder that is a link is refused, and a link named like a file is
// replaced by the file, never written through.
TEST_F(SaveFailureTest, NothingIsWrittenThroughALink) {
  makeFolder("outside");
  sounds = {named<SoundRecord>("snd")};
  sounds[0].wav = "a.wav";
  writeFile(workFolder + "/a.wav", "WAV");
  const std::string target = currentFolder() + "outside";
  struct Case {
    const char* what;
    const char* link;
    std::string pointsAt;
    bool refused;
  } cases[] = {
      {"audio folder", "Projects/game/aud", target, true},
      {"image folder", "Projects/game/img", target, true},
      {"project folder", "Projects/game", target, true},
      {"dangling link named like the sound", "Projects/game/aud/a.wav", target + "/stolen.wav", false},
  };
  for (const Case& c : cases) {
    deleteFolderTree("Projects");
    makeFolder("Projects");
    makeFolder("Projects/game");
    makeFolder("Projects/game/aud");
    messages.clear();
    if (fileKind(c.link) == FILE_FOLDER) deleteFolderTree(c.link);
    ASSERT_EQ(symlink(c.pointsAt.c_str(), c.link), 0) << c.what;
    setModified(1);
    EXPECT_EQ(writeProject(), !c.refused) << c.what;
    std::vector<DirEntry> entries;
    listFolder("outside", "", entries);
    EXPECT_TRUE(entries.empty()) << c.what << ": written outside";
    if (c.refused) {
      ASSERT_EQ(messages.size(), 1u) << c.what;
      EXPECT_NE(messages[0].second.find(c.link), std::string::npos) << messages[0].second;
      EXPECT_EQ(modifiedFlag, 1) << c.what;
      EXPECT_EQ(fileKind("Projects/game.xml"), FILE_NONE) << c.what;
    } else {
      EXPECT_FALSE(isLink(c.link)) << c.what;
      EXPECT_EQ(slurp(c.link), "WAV") << c.what;
    }
  }
}

// A folder where the project file belongs: refused before any side file
// is renamed into place.
TEST_F(SaveFailureTest, AFolderInThePlaceOfTheProjectFileChangesNothing) {
  makeFolder("Projects/game.xml");
  sounds = {named<SoundRecord>("snd")};
  sounds[0].wav = "a.wav";
  writeFile(workFolder + "/a.wav", "WAV");
  setModified(1);
  EXPECT_FALSE(writeProject());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].second.find("Projects/game.xml"), std::string::npos) << messages[0].second;
  EXPECT_EQ(fileKind("Projects/game/aud/a.wav"), FILE_NONE);
  EXPECT_EQ(modifiedFlag, 1);
}

// The temporary files of a save that was killed are removed by the next
// save of that project; another project's are left alone. One in Projects/
// that names no project (an older version's, or of any copy's write there
// such as a thumbnail's) goes only once it is a day old: until then it may
// be another copy's write under way.
TEST_F(SaveFailureTest, LeftoversOfAKilledSaveGoAtTheNextSave) {
  makeFolder("Projects/game");
  makeFolder("Projects/game/img");
  for (const char* leftover : {"Projects/.zmtmp-game-a1B2c3", "Projects/game/img/.zmtmp-x9Y8z7",
                               "Projects/game/.zmtmp-qwerty", "Projects/.zmtmp-Q1w2E3",
                               "Projects/.zmtmp-game-2-a1B2c3", "Projects/.zmtmp-other-a1B2c3",
                               "Projects/.zmtmp-R4t5Y6"})
    writeFile(leftover, "half");
  const timespec dayAndAMinuteAgo[2] = {{time(nullptr) - 24 * 3600 - 60, 0}, {time(nullptr) - 24 * 3600 - 60, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, "Projects/.zmtmp-Q1w2E3", dayAndAMinuteAgo, 0), 0);
  ASSERT_TRUE(writeProject());
  std::vector<std::string> left;
  for (const char* folder : {"Projects", "Projects/game", "Projects/game/img"}) {
    std::vector<DirEntry> entries;
    listFolder(folder, ".zmtmp-*", entries);
    for (const DirEntry& e : entries) left.push_back(e.name);
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{".zmtmp-R4t5Y6", ".zmtmp-game-2-a1B2c3", ".zmtmp-other-a1B2c3"}));
}

}  // namespace
