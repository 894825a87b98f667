// Locks, folders made by one program alone, and the other runs of this
// program: what lets a program tell the work folder of a run that still
// goes on from one that a killed run left behind, and keeps two copies
// from one project.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "ui/system.h"

namespace {

std::string linkTarget(const std::string& path) {
  char buffer[PATH_MAX];
  ssize_t n = readlink(path.c_str(), buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, size_t(n)) : std::string();
}

// The file name of a program file, also of one replaced or removed since
// it was started (the kernel then adds " (deleted)").
std::string programFileName(const std::string& path) {
  std::string name = path.substr(path.rfind('/') + 1);
  const std::string removed = " (deleted)";
  if (name.size() > removed.size() && name.compare(name.size() - removed.size(), removed.size(), removed) == 0)
    name.resize(name.size() - removed.size());
  return name;
}

// One try at the lock on an open file.
int takeLock(int fd) {
  int rc;
  do {
    rc = lockCallHook ? lockCallHook(fd) : flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc == 0) return 0;
  if (errno == EWOULDBLOCK) return LOCK_HELD_ELSEWHERE;
  if (errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS) return LOCK_UNSUPPORTED;
  return LOCK_FAILED;
}

// The lock file `name` in the folder `dir`, made when missing: read-write,
// or read-only where it may not be written (another user's, a read-only
// disk), which serves all but NFS. Not inherited by the programs started
// later: a browser that outlives the program must not keep it locked.
int openLockFile(int dir, const char* name, int mode, bool ownFileOnly) {
  struct stat st;
  // What is no regular file is not even opened: a device may do anything
  // then, a pipe would wait for a writer.
  if (fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(st.st_mode)) return -1;
  const int flags = O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  int fd = openat(dir, name, O_RDWR | flags, mode_t(mode));
  if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = openat(dir, name, O_RDONLY | flags, mode_t(mode));
  if (fd < 0) return -1;
  // Put in its place since: the check that counts is on what was opened.
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || (ownFileOnly && st.st_uid != geteuid())) {
    close(fd);
    return -1;
  }
  return fd;
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

int lockAt(int dir, const char* name, int mode, bool ownFileOnly) {
  // A holder may remove the file before it lets go: one that opened it
  // before then holds a file no longer there, and tries again.
  for (int attempt = 0; attempt < 100; ++attempt) {
    int fd = openLockFile(dir, name, mode, ownFileOnly);
    if (fd < 0) return LOCK_FAILED;
    const int taken = takeLock(fd);
    if (taken != 0) {
      close(fd);
      return taken;
    }
    struct stat held, there;
    if (fstat(fd, &held) == 0 && fstatat(dir, name, &there, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(held, there))
      return fd;
    close(fd);
  }
  return LOCK_HELD_ELSEWHERE;
}

}  // namespace

std::function<int(int handle)> lockCallHook;

int lockFile(const std::string& path, int mode, bool ownFileOnly) {
  return lockAt(AT_FDCWD, path.c_str(), mode, ownFileOnly);
}

void unlockFile(int handle, const std::string& path) {
  if (handle < 0) return;
  unlink(path.c_str());
  close(handle);
}

int lockFolder(const std::string& path) {
  int dir = open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (dir < 0) return LOCK_FAILED;
  int handle = lockAt(dir, FOLDER_LOCK_FILE, 0666, false);
  close(dir);
  return handle;
}

void unlockFolder(int handle) {
  if (handle >= 0) close(handle);
}

int lockFolderItself(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -1;
  if (takeLock(fd) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

NewFolder makeNewFolder(const std::string& path) {
  if (path.empty()) return NEW_FOLDER_FAILED;
  if (mkdir(path.c_str(), 0777) == 0) return NEW_FOLDER_MADE;
  return errno == EEXIST ? NEW_FOLDER_NAME_TAKEN : NEW_FOLDER_FAILED;
}

bool deleteEmptyFolder(const std::string& path) { return !path.empty() && rmdir(path.c_str()) == 0; }

bool isLockedFolderAt(int handle, const std::string& path) {
  struct stat held, folder, entry;
  if (handle < 0 || fstat(handle, &held) != 0 || lstat(path.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
    return false;
  if (S_ISDIR(held.st_mode)) return sameFile(held, folder);
  // The folder's own lock file is still in the folder at the path.
  return lstat((path + "/" + FOLDER_LOCK_FILE).c_str(), &entry) == 0 && sameFile(held, entry);
}

bool isProgramRunningHereElsewhere() {
  const std::string here = linkTarget("/proc/self/cwd");
  const std::string self = programFileName(linkTarget("/proc/self/exe"));
  DIR* proc = opendir("/proc");
  if (here.empty() || self.empty() || !proc) {
    if (proc) closedir(proc);
    return true;   // nothing can be told: as if one ran
  }
  const std::string own = std::to_string(getpid());
  bool found = false;
  while (struct dirent* e = readdir(proc)) {
    std::string pid = e->d_name;
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid == own) continue;
    if (linkTarget("/proc/" + pid + "/cwd") != here) continue;
    if (programFileName(linkTarget("/proc/" + pid + "/exe")) == self) {
      found = true;
      break;
    }
  }
  closedir(proc);
  return found;
}
