// Locks as other file systems give them, played through lockCallHook. NFS
// makes a lock a byte-range lock over the whole file: an exclusive one is
// granted only on a file opened for writing (none on a folder), and it is
// held per process, not per handle. Some file systems have none at all.
#pragma once

#include <fcntl.h>

#include <cerrno>
#include <functional>

#include "ui/system.h"

inline int byteRangeLock(int fd) {
  struct flock whole {};
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;
  if (fcntl(fd, F_SETLK, &whole) == 0) return 0;
  if (errno == EACCES || errno == EAGAIN) errno = EWOULDBLOCK;
  return -1;
}

// Every lock fails with `error`: ENOLCK, EOPNOTSUPP or ENOSYS where there
// are none.
inline std::function<int(int)> lockFailingWith(int error) {
  return [error](int) {
    errno = error;
    return -1;
  };
}

// lockCallHook set for one test.
struct LockCalls {
  explicit LockCalls(std::function<int(int)> call) { lockCallHook = std::move(call); }
  ~LockCalls() { lockCallHook = nullptr; }
  LockCalls(const LockCalls&) = delete;
  LockCalls& operator=(const LockCalls&) = delete;
};
