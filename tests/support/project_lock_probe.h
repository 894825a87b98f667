// Whether another copy could take a project's lock at this moment: what a
// test asks while a message of the program waits for its OK.
#pragma once

#include <string>

#include "project/project_lock.h"
#include "ui/system.h"

inline bool projectLockIsFree(const std::string& project) {
  const std::string path = projectLockPath(project);
  const int handle = lockFile(path);
  unlockFile(handle, path);
  return handle >= 0;
}
