// Folder locks, folders made by one program alone, and the other runs of
// this program: what lets a program tell the work folder of a run that
// still goes on from one that a killed run left behind.
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

}  // namespace

int lockFolder(const std::string& path) {
  // Not inherited by the programs started later: a browser that outlives
  // the program must not keep its folder locked.
  int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -1;
  int rc;
  do {
    rc = flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

void unlockFolder(int handle) {
  if (handle >= 0) close(handle);
}

NewFolder makeNewFolder(const std::string& path) {
  if (path.empty()) return NEW_FOLDER_FAILED;
  if (mkdir(path.c_str(), 0777) == 0) return NEW_FOLDER_MADE;
  return errno == EEXIST ? NEW_FOLDER_NAME_TAKEN : NEW_FOLDER_FAILED;
}

bool deleteEmptyFolder(const std::string& path) { return !path.empty() && rmdir(path.c_str()) == 0; }

bool isLockedFolderAt(int handle, const std::string& path) {
  struct stat held, there;
  return handle >= 0 && fstat(handle, &held) == 0 && lstat(path.c_str(), &there) == 0 &&
         S_ISDIR(there.st_mode) && held.st_dev == there.st_dev && held.st_ino == there.st_ino;
}

int lockFile(const std::string& path, int mode) {
  // A holder removes the file before it lets go: one that opened it before
  // then holds a file no longer there, and tries again.
  for (int attempt = 0; attempt < 100; ++attempt) {
    int fd = open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, mode_t(mode));
    if (fd < 0) return LOCK_FAILED;
    int rc;
    do {
      rc = flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
      bool busy = errno == EWOULDBLOCK;
      close(fd);
      return busy ? LOCK_HELD_ELSEWHERE : LOCK_FAILED;
    }
    struct stat held, there;
    if (fstat(fd, &held) == 0 && lstat(path.c_str(), &there) == 0 && held.st_dev == there.st_dev &&
        held.st_ino == there.st_ino)
      return fd;
    close(fd);
  }
  return LOCK_HELD_ELSEWHERE;
}

void unlockFile(int handle, const std::string& path) {
  if (handle < 0) return;
  unlink(path.c_str());
  close(handle);
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
