#include <gtest/gtest.h>

#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <optional>

#include "project/tables.h"
#include "shell/project_files.h"
#include "ui/panel_picture.h"
#include "tests/support/lock_calls.h"
#include "tests/support/other_copy.h"
#include "tests/support/read_only_folder.h"
#include "tests/support/temp_folder.h"
#include "tests/support/time_limited_child.h"

TEST(ProjectFiles, ListTakesOneTrailingXmlOffFilesOnly) {
  TempFolder t;
  listProjects();
  EXPECT_TRUE(projectNames.empty());   // no Projects folder
  makeFolder("Projects");
  for (const char* f : {"Projects/a.xml.xml", "Projects/c.xml", "Projects/d.txt", "Projects/e.xml.png"})
    writeFile(f, "x");
  makeFolder("Projects/b.xml");
  listProjects();
  std::vector<std::string> names = projectNames;
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.xml", "c"}));
}

TEST(ProjectFiles, ListIsSortedByNameWhateverTheCase) {
  TempFolder t;
  makeFolder("Projects");
  for (const char* f : {"zeta", "Beta", "alpha", "beta", "Alpha2", "10", "9"})
    writeFile(std::string("Projects/") + f + ".xml", "x");
  listProjects();
  EXPECT_EQ(projectNames, (std::vector<std::string>{"10", "9", "alpha", "Alpha2", "Beta", "beta", "zeta"}));
}

TEST(ProjectFiles, OnlyTheHeldWorkFolderIsEverDeleted) {
  // A name made by hand stands for another run's folder: not this one's to delete.
  struct Case { const char* name; bool made, deleted; } cases[] = {
      {"_temp_093015", true, true}, {"_temp_093016", false, false}, {"", false, false}, {".", false, false},
      {"_temp_09301", false, false}, {"_temp_0930155", false, false}, {"_temp_09301a", false, false},
      {"Projects", false, false}, {"_TEMP_093015", false, false},
  };
  TempFolder t;
  for (const Case& c : cases) {
    makeFolder("Projects");
    writeFile("Projects/keep.xml", "x");
    workFolder = c.name;
    bool usable = *c.name && std::string(c.name) != ".";
    if (c.made) ASSERT_TRUE(makeWorkFolder()) << c.name;
    else if (usable) makeFolder(c.name);
    if (usable) writeFile(std::string(c.name) + "/f", "x");
    deleteWorkFolder();
    if (usable) {
      EXPECT_EQ(fileKind(c.name) == FILE_NONE, c.deleted) << c.name;
    }
    EXPECT_EQ(fileKind("Projects/keep.xml"), FILE_REGULAR) << c.name;
    EXPECT_EQ(fileKind(t.path), FILE_FOLDER);
    if (std::string(c.name) != "Projects" && usable) deleteFolderTree(c.name);
  }
  workFolder = "";
}

namespace {

// Another run of makeWorkFolder, in a process of its own (so with a lock and
// a pid of its own), held once after one of its steps until let go on. It
// tells "held", then "made " or "failed " and its folder's name, then waits
// to end by Exit.
struct OtherRun {
  pid_t pid = -1;
  int fromRun = -1, toRun = -1;

  OtherRun(const std::string& name, int heldAfter) {
    int up[2], down[2];
    if (pipe(up) != 0 || pipe(down) != 0) return;
    pid = fork();
    if (pid == 0) {
      close(up[0]);
      close(down[1]);
      bool held = false;
      workFolderStepHook = [&](int done) {
        if (done != heldAfter || held) return;
        held = true;
        say(up[1], "held");
        hear(down[0]);
      };
      workFolder = name;
      bool made = makeWorkFolder();
      say(up[1], (made ? "made " : "failed ") + workFolder);
      hear(down[0]);
      deleteWorkFolder();
      _exit(0);
    }
    close(up[1]);
    close(down[0]);
    fromRun = up[0];
    toRun = down[1];
  }
  ~OtherRun() {
    if (pid > 0) end(SIGKILL);
    close(fromRun);
    close(toRun);
  }

  static void say(int fd, const std::string& line) {
    std::string text = line + "\n";
    if (write(fd, text.data(), text.size()) != ssize_t(text.size())) _exit(2);
  }
  // One byte for each go.
  static void hear(int fd) {
    char c;
    if (read(fd, &c, 1) != 1) _exit(3);
  }
  // Its next line, waited for as long as a loaded machine may need.
  std::string next() {
    std::string line;
    char c;
    while (true) {
      pollfd p{fromRun, POLLIN, 0};
      if (poll(&p, 1, 60000) != 1 || read(fromRun, &c, 1) != 1 || c == '\n') return line;
      line += c;
    }
  }
  void goOn() { EXPECT_EQ(write(toRun, "g", 1), 1); }
  // Ends it by Exit, or kills it as a crash would; true when it ended well.
  bool end(int signal = 0) {
    if (signal) kill(pid, signal);
    else goOn();
    int status = 0;
    bool waited = waitpid(pid, &status, 0) == pid;
    pid = -1;
    return waited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
};

}  // namespace

// Two programs started in one second from one folder, one held between the
// steps of taking the name while the other starts up whole: each works in a
// folder of its own, and neither's end or crash takes the other's away.
// So also where locks are NFS's byte-range ones.
TEST(WorkFolder, TwoRunsStartingAtOnceNeverShareOne) {
  for (bool byteRange : {false, true})
  for (int heldAfter : {WORK_NAME_CLEARED, WORK_FOLDER_MADE, WORK_FOLDER_LOCKED}) {
    for (bool crashes : {false, true}) {
      SCOPED_TRACE(std::string(byteRange ? "byte-range locks" : "kernel locks") + ", held after step " +
                   std::to_string(heldAfter) + (crashes ? ", crashes" : ", exits"));
      std::optional<LockCalls> nfs;
      if (byteRange) nfs.emplace(byteRangeLock);
      TempFolder t;
      // The last second of the day: the next name is the first of the next.
      OtherRun other("_temp_235959", heldAfter);
      ASSERT_GT(other.pid, 0);
      ASSERT_EQ(other.next(), "held");
      removeStaleWorkFolders();
      workFolder = "_temp_235959";
      ASSERT_TRUE(makeWorkFolder());
      writeFile(workFolder + "/picked.wav", "mine");
      other.goOn();
      std::string told = other.next();
      ASSERT_EQ(told.substr(0, 5), "made ") << told;
      std::string theirs = told.substr(5);
      EXPECT_NE(theirs, workFolder);
      EXPECT_TRUE(isWorkFolderName(theirs)) << theirs;
      EXPECT_EQ(TempFolder::read(workFolder + "/" + WORK_FOLDER_MARKER), std::to_string(getpid()) + "\n");
      EXPECT_EQ(TempFolder::read(theirs + "/" + WORK_FOLDER_MARKER), std::to_string(other.pid) + "\n");
      int taken = lockFolder(theirs);
      EXPECT_LT(taken, 0) << "the other run's folder is not locked";
      unlockFolder(taken);

      if (crashes) {
        EXPECT_FALSE(other.end(SIGKILL));
        removeStaleWorkFolders();   // as the next start-up does
      } else {
        EXPECT_TRUE(other.end());
      }
      EXPECT_EQ(fileKind(theirs), FILE_NONE);
      EXPECT_EQ(TempFolder::read(workFolder + "/picked.wav"), "mine");
      deleteWorkFolder();
      EXPECT_EQ(fileKind(workFolder), FILE_NONE);
    }
  }
  workFolder = "";
}

// Where no folder can be made and locked, the program works in none, leaves
// none behind and deletes no other run's folder of the name it asked for.
TEST(WorkFolder, NoneIsTakenWhereItCannotBeMadeAndLocked) {
  enum Obstacle { READ_ONLY, FOLDER_GONE, NO_HANDLE_LEFT };
  for (Obstacle obstacle : {READ_ONLY, FOLDER_GONE, NO_HANDLE_LEFT}) {
    SCOPED_TRACE("obstacle " + std::to_string(obstacle));
    TempFolder t;
    workFolder = "_temp_120000";
    bool made = true;
    if (obstacle == READ_ONLY) {
      ReadOnlyFolder readOnly(t.path);
      ASSERT_TRUE(readOnly.holds());
      made = makeWorkFolder();
    } else if (obstacle == FOLDER_GONE) {
      ASSERT_TRUE(deleteFolderTree(t.path));
      made = makeWorkFolder();
    } else {
      // Every handle below the limit is in use: the folder can be made, not opened to lock.
      int lowestFree = dup(0);
      close(lowestFree);
      rlimit old{};
      getrlimit(RLIMIT_NOFILE, &old);
      rlimit tight = old;
      tight.rlim_cur = rlim_t(lowestFree);
      setrlimit(RLIMIT_NOFILE, &tight);
      made = makeWorkFolder();
      setrlimit(RLIMIT_NOFILE, &old);
    }
    EXPECT_FALSE(made);
    if (obstacle == FOLDER_GONE) continue;
    std::vector<DirEntry> left;
    EXPECT_TRUE(listFolder(".", "*", left));
    EXPECT_TRUE(left.empty()) << left[0].name;
    // Another run's folder of that name, made since.
    ASSERT_TRUE(makeFolder(workFolder));
    writeFile(workFolder + "/picked.wav", "theirs");
    deleteWorkFolder();
    EXPECT_EQ(TempFolder::read(workFolder + "/picked.wav"), "theirs");
  }
  workFolder = "";
}

// A folder of the version before carries the marker and no lock file: that
// version locked the folder itself. While such a run goes on its folder
// stays; once it has ended it goes. A run of this version takes that lock
// too, for such a run's start-up to see.
TEST(WorkFolder, TheVersionBeforesFoldersAreJudgedByTheirOwnLock) {
  TempFolder t;
  const std::string theirs = "_temp_101010";
  OtherCopy older;
  ASSERT_TRUE(older.start([&older, &theirs] {
    if (!makeFolder(theirs)) return false;
    int lock = lockFolderItself(theirs);
    writeFile(theirs + "/" + WORK_FOLDER_MARKER, "1\n");
    writeFile(theirs + "/picked.wav", "theirs");
    older.hold();
    unlockFolder(lock);
    return lock >= 0;
  }));
  workFolder = "_temp_101011";
  ASSERT_TRUE(makeWorkFolder());
  removeStaleWorkFolders();
  EXPECT_EQ(TempFolder::read(theirs + "/picked.wav"), "theirs");
  const std::string mine = workFolder;
  EXPECT_EQ(runWithin(60, [&mine] { return lockFolderItself(mine) < 0 ? 0 : 1; }), 0)
      << "the version before would take this run's folder for a dead one";
  EXPECT_EQ(older.release(), 0);
  removeStaleWorkFolders();
  EXPECT_EQ(fileKind(theirs), FILE_NONE);
  deleteWorkFolder();
  EXPECT_EQ(fileKind(mine), FILE_NONE);
  workFolder = "";
}

// Where the file system has no locks, a run works in a folder of its own
// as before there were locks: unmarked, kept while a run of the program
// works here, deleted at its Exit.
TEST(WorkFolder, WithoutLocksARunStillHasAFolder) {
  for (int error : {ENOLCK, EOPNOTSUPP, ENOSYS}) {
    SCOPED_TRACE(error);
    LockCalls none(lockFailingWith(error));
    TempFolder t;
    workFolder = "_temp_120000";
    ASSERT_TRUE(makeWorkFolder());
    EXPECT_EQ(fileKind(workFolder), FILE_FOLDER);
    EXPECT_EQ(fileKind(workFolder + "/" + WORK_FOLDER_MARKER), FILE_NONE);
    writeFile(workFolder + "/picked.wav", "mine");
    // Another run's start-up, beside this one.
    const std::string mine = workFolder;
    EXPECT_EQ(runWithin(60, [&mine] {
      workFolder = "_temp_130000";
      removeStaleWorkFolders();
      return fileKind(mine + "/picked.wav") == FILE_REGULAR ? 0 : 1;
    }), 0);
    deleteWorkFolder();
    EXPECT_EQ(fileKind(mine), FILE_NONE);
  }
  workFolder = "";
}

// A marked folder whose lock file is a pipe (or anything but a file) is
// no folder any run of ours can hold: start-up leaves it, without waiting
// for the pipe's writer.
TEST(WorkFolder, APipeForALockFileIsLeftAtOnce) {
  TempFolder t;
  const std::string odd = "_temp_111111";
  ASSERT_TRUE(makeFolder(odd));
  writeFile(odd + "/" + WORK_FOLDER_MARKER, "1\n");
  ASSERT_EQ(mkfifo((odd + "/" + FOLDER_LOCK_FILE).c_str(), 0644), 0);
  EXPECT_EQ(runWithin(60, [] {
    removeStaleWorkFolders();
    return 0;
  }), 0);
  EXPECT_EQ(fileKind(odd), FILE_FOLDER);
}

TEST(Thumbnail, LongerSideBecomesSixty) {
  struct Case { int w, h, outW, outH; } cases[] = {
      {300, 30, 60, 6}, {30, 300, 6, 60}, {64, 64, 60, 60}, {1, 1, 60, 60},
      {121, 1, 60, 0}, {119, 1, 60, 1},
      {120, 1, 60, 0},                    // halves go to the even neighbour: 0.5 gives 0
      {24, 1, 60, 2}, {24, 5, 60, 12},    // 2.5 and 12.5 round down
      {40, 1, 60, 2}, {8, 1, 60, 8},      // 1.5 and 7.5 round up
      {5, 200, 2, 60},
  };
  for (const Case& c : cases) {
    int w, h;
    thumbnailSize(c.w, c.h, w, h);
    EXPECT_EQ(w, c.outW) << c.w << "x" << c.h;
    EXPECT_EQ(h, c.outH) << c.w << "x" << c.h;
  }
}
