// The locks of ui/system.h: what keeps two copies of the program from one
// project and tells a work folder in use from one left behind, on the file
// systems a program folder may lie on.
#include "ui/system.h"

#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "tests/support/lock_calls.h"
#include "tests/support/permission_bits.h"
#include "tests/support/time_limited_child.h"

namespace {

std::string freshFolder(const char* name) {
  std::string folder = testing::TempDir() + name + "/";
  deleteFolderTree(folder);
  EXPECT_TRUE(makeFolder(folder));
  return folder;
}

mode_t typeAt(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

}  // namespace

// The lock tells a folder in use from one left behind, also within one
// process; the program's work folders rely on it.
TEST(SystemLocks, AFolderLockIsHeldUntilLetGo) {
  std::string folder = freshFolder("zm-lock");
  std::string work = folder + "work";
  ASSERT_TRUE(makeFolder(work));
  int held = lockFolder(work);
  ASSERT_GE(held, 0);
  EXPECT_EQ(lockFolder(work), LOCK_HELD_ELSEWHERE);
  EXPECT_TRUE(isLockedFolderAt(held, work));
  EXPECT_EQ(fileKind(work + "/" + FOLDER_LOCK_FILE), FILE_REGULAR);
  // Removed and made again: the lock holds the old folder, not the new one.
  ASSERT_TRUE(deleteFolderTree(work));
  ASSERT_TRUE(makeFolder(work));
  EXPECT_FALSE(isLockedFolderAt(held, work));
  int again = lockFolder(work);
  EXPECT_GE(again, 0);
  unlockFolder(again);
  unlockFolder(held);
  held = lockFolder(work);
  EXPECT_GE(held, 0) << "let go";
  unlockFolder(held);
  EXPECT_EQ(fileKind(work + "/" + FOLDER_LOCK_FILE), FILE_REGULAR) << "it stays";

  // The lock of the version before, on the folder itself, is another one.
  int itself = lockFolderItself(work);
  ASSERT_GE(itself, 0);
  EXPECT_EQ(lockFolderItself(work), -1) << "held";
  EXPECT_TRUE(isLockedFolderAt(itself, work));
  held = lockFolder(work);
  EXPECT_GE(held, 0);
  unlockFolder(held);
  unlockFolder(itself);

  // No lock through a link nor on what is no folder.
  ASSERT_EQ(symlink(work.c_str(), (folder + "link").c_str()), 0);
  EXPECT_EQ(lockFolder(folder + "link"), LOCK_FAILED);
  EXPECT_EQ(lockFolderItself(folder + "link"), -1);
  ASSERT_TRUE(writeFile(folder + "file", "x"));
  EXPECT_EQ(lockFolder(folder + "file"), LOCK_FAILED);
  EXPECT_EQ(lockFolder(folder + "missing"), LOCK_FAILED);
  deleteFolderTree(folder);
}

// On NFS a lock is a byte-range lock, granted only on a file opened for
// writing: every lock here must still be had, and keep another process out.
TEST(SystemLocks, LocksHoldWhereTheyAreByteRangeLocks) {
  LockCalls nfs(byteRangeLock);
  std::string folder = freshFolder("zm-nfs");
  const std::string file = folder + ".zmlock-game", work = folder + "work";
  ASSERT_TRUE(makeFolder(work));
  int fileLock = lockFile(file), folderLock = lockFolder(work);
  EXPECT_GE(fileLock, 0);
  EXPECT_GE(folderLock, 0);
  EXPECT_TRUE(isLockedFolderAt(folderLock, work));
  // In another process, which has its own byte-range locks: 0 when both
  // locks come out as `held` says.
  auto another = [&](bool held) {
    auto right = [held](int lock) { return held ? lock == LOCK_HELD_ELSEWHERE : lock >= 0; };
    return runWithin(60, [&] { return (right(lockFile(file)) ? 0 : 1) + (right(lockFolder(work)) ? 0 : 2); });
  };
  EXPECT_EQ(another(true), 0) << "1: the file's lock, 2: the folder's lock was not seen held";
  unlockFile(fileLock, file);
  unlockFolder(folderLock);
  EXPECT_EQ(another(false), 0) << "1: the file's lock, 2: the folder's lock was not had once let go";
  deleteFolderTree(folder);
}

// A lock file that may not be written (another user's, left by a crash)
// is read-only to this program: where locks allow it, it serves all the
// same; on NFS it cannot, and says so.
TEST(SystemLocks, ALockFileThatMayNotBeWrittenIsLockedForReading) {
  std::string folder = freshFolder("zm-readonly-lock");
  const std::string file = folder + ".zmlock-game";
  ASSERT_TRUE(writeFile(file, ""));
  ASSERT_EQ(chmod(file.c_str(), 0444), 0);
  {
    PermissionBitsApply bits;
    if (!bits.apply()) GTEST_SKIP() << "root could not give up its power over permission bits";
    int held = lockFile(file);
    EXPECT_GE(held, 0);
    EXPECT_EQ(runWithin(60, [&] { return lockFile(file) == LOCK_HELD_ELSEWHERE ? 0 : 1; }), 0);
    unlockFile(held, file);
    ASSERT_TRUE(writeFile(file, ""));
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    LockCalls nfs(byteRangeLock);
    EXPECT_EQ(lockFile(file), LOCK_FAILED);
  }
  deleteFolderTree(folder);
}

// Where the file system has no locks the caller is told so, apart from a
// lock that fails otherwise.
TEST(SystemLocks, AFileSystemWithoutLocksIsTold) {
  std::string folder = freshFolder("zm-no-locks");
  const std::string file = folder + ".zmlock-game", work = folder + "work";
  ASSERT_TRUE(makeFolder(work));
  for (int error : {ENOLCK, EOPNOTSUPP, ENOSYS}) {
    SCOPED_TRACE(error);
    LockCalls none(lockFailingWith(error));
    EXPECT_EQ(lockFile(file), LOCK_UNSUPPORTED);
    EXPECT_EQ(lockFolder(work), LOCK_UNSUPPORTED);
    EXPECT_EQ(lockFolderItself(work), -1);
  }
  LockCalls broken(lockFailingWith(EIO));
  EXPECT_EQ(lockFile(file), LOCK_FAILED);
  EXPECT_EQ(lockFolder(work), LOCK_FAILED);
  deleteFolderTree(folder);
}

// Whatever stands in a lock file's place but a regular file is refused at
// once and left as it is: a pipe would make the opening wait for a writer
// for good, a device may do anything when opened.
TEST(SystemLocks, OnlyARegularFileServesAsALockFile) {
  std::string folder = freshFolder("zm-odd-locks");
  ASSERT_TRUE(writeFile(folder + "target", "x"));
  struct Case {
    const char* what;
    std::function<bool(const std::string&)> make;
  } cases[] = {
      {"a pipe", [](const std::string& p) { return mkfifo(p.c_str(), 0644) == 0; }},
      {"a folder", [](const std::string& p) { return makeFolder(p); }},
      {"a link to a file", [&](const std::string& p) { return symlink((folder + "target").c_str(), p.c_str()) == 0; }},
      {"a link to nothing", [](const std::string& p) { return symlink("nowhere", p.c_str()) == 0; }},
      {"a device", [](const std::string& p) { return mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string file = folder + "file.lock", work = folder + "work";
    ASSERT_TRUE(makeFolder(work));
    const std::string folderLock = work + "/" + FOLDER_LOCK_FILE;
    if (!c.make(file) || !c.make(folderLock)) {
      EXPECT_STREQ(c.what, "a device") << "only a device may be beyond this user";
      deleteFolderTree(work);
      unlink(file.c_str());
      continue;
    }
    const mode_t type = typeAt(file);
    int refused = runWithin(60, [&] {
      return (lockFile(file) == LOCK_FAILED ? 0 : 1) + (lockFolder(work) == LOCK_FAILED ? 0 : 2);
    });
    EXPECT_EQ(refused, 0) << "1: the file's lock, 2: the folder's lock was not refused at once";
    EXPECT_EQ(typeAt(file), type);
    EXPECT_EQ(typeAt(folderLock), type);
    deleteFolderTree(work);
    if (type == S_IFDIR) deleteFolderTree(file);
    else unlink(file.c_str());
  }
  deleteFolderTree(folder);
}

// Asked for, only a lock file of the user's own counts: in a folder that
// every user shares another's locked file is nobody's copy of this user's.
// Without asking (Projects/ of a program folder that users share) it does.
TEST(SystemLocks, AnotherUsersLockFileCountsOnlyWhenAllowed) {
  if (geteuid() != 0) GTEST_SKIP() << "only root makes a file of another user's";
  std::string folder = freshFolder("zm-foreign-lock");
  const std::string file = folder + "copy.lock";
  ASSERT_TRUE(writeFile(file, ""));
  ASSERT_EQ(chown(file.c_str(), 65534, 65534), 0);
  int theirs = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(theirs, 0);
  ASSERT_EQ(flock(theirs, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(lockFile(file, 0600, true), LOCK_FAILED);
  EXPECT_EQ(lockFile(file), LOCK_HELD_ELSEWHERE);
  close(theirs);
  EXPECT_EQ(lockFile(file, 0600, true), LOCK_FAILED) << "let go of, still another user's";
  int held = lockFile(file);
  EXPECT_GE(held, 0);
  unlockFile(held, file);
  // Made afresh, it is the user's own.
  held = lockFile(file, 0600, true);
  EXPECT_GE(held, 0);
  unlockFile(held, file);
  deleteFolderTree(folder);
}

TEST(SystemLocks, AnotherRunOfTheProgramInTheSameFolderIsSeen) {
  std::string folder = freshFolder("zm-runs");
  std::string before = currentFolder();
  ASSERT_TRUE(setCurrentFolder(folder));
  EXPECT_FALSE(isProgramRunningHereElsewhere());
  // A copy of this process: the same program file, the same folder.
  pid_t child = fork();
  if (child == 0) {
    pause();
    _exit(0);
  }
  ASSERT_GT(child, 0);
  EXPECT_TRUE(isProgramRunningHereElsewhere());
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_FALSE(isProgramRunningHereElsewhere()) << "killed";
  ASSERT_TRUE(setCurrentFolder(before));
  deleteFolderTree(folder);
}
