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

#include "project/makers.h"
#include "project/project_file.h"
#include "project_fixture.h"

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

// Restores the file-size limit and SIGXFSZ when the test ends.
struct FileSizeLimit {
  rlimit old{};
  void (*previous)(int) = nullptr;
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = bytes;
    previous = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &tight);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previous);
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

}  // namespace
