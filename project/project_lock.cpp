#include "project/project_lock.h"

#include "project/message_texts.h"
#include "project/save_files.h"
#include "project/save_journal.h"
#include "ui/system.h"

std::function<void()> projectLockWaitHook;

namespace {

// Long enough for the commit of a save to end, short enough for a user
// who waits on a command.
constexpr int waitMs = 1500, pauseMs = 25;

}  // namespace

std::string projectLockPath(const std::string& project) { return "Projects/.zmlock-" + projectTag(project); }

ProjectLock::~ProjectLock() { unlockProject(*this); }

void unlockProject(ProjectLock& lock) {
  unlockFile(lock.handle, lock.path);
  lock.handle = -1;
}

ProjectLockState lockProject(const std::string& project, ProjectLock& lock) {
  lock.path = projectLockPath(project);
  for (int waited = 0;; waited += pauseMs) {
    const int taken = lockFile(lock.path);
    lock.handle = taken >= 0 ? taken : -1;
    if (taken >= 0 || taken == LOCK_UNSUPPORTED) return PROJECT_HELD;
    if (taken == LOCK_FAILED) return PROJECT_UNLOCKABLE;
    if (waited >= waitMs) return PROJECT_BUSY;
    if (projectLockWaitHook)
      projectLockWaitHook();
    else
      delayMs(pauseMs);
  }
}

bool lockForCommit(const std::string& project, ProjectLock& lock) {
  const ProjectLockState state = lockProject(project, lock);
  if (state != PROJECT_HELD) {
    reportSaveError(state == PROJECT_BUSY ? projectBusyText(project) : projectUnlockableText(project));
    return false;
  }
  std::string error;
  if (recoverSave(project, true, error)) return true;
  unlockProject(lock);   // not held while the message waits for its OK
  reportSaveError(error);
  return false;
}

std::string projectBusyText(const std::string& project) {
  return "The project '" + shownText(project) +
         "' is being saved or opened by another copy of the program. Nothing was changed; try again when it is "
         "done.";
}

std::string projectUnlockableText(const std::string& project) {
  const std::string path = projectLockPath(project);
  // Something in the lock file's place is named; else Projects/ takes no new file.
  if (isAnythingAt(path)) return "The file " + shownText(path) + " cannot be written.";
  return "The project file Projects/" + shownText(project) + ".xml cannot be written.";
}
