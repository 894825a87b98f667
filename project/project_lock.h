// One copy of the program at a time saves, exports, recovers or reads a
// project: each holds the kernel's lock on the project's own lock file in
// Projects/ from before its first look at the journals until its journal is
// gone (and the files read, for Open). Copies of the program in one folder
// share Projects/; without it a second copy took a first one's journal,
// live, for one a kill left behind.
#pragma once

#include <functional>
#include <string>

// Projects/.zmlock- and the project's tag (save_files.h).
std::string projectLockPath(const std::string& project);

enum ProjectLockState : int { PROJECT_HELD, PROJECT_BUSY, PROJECT_UNLOCKABLE };

// Held from lockProject until unlockProject or until it goes out of scope.
struct ProjectLock {
  int handle = -1;
  std::string path;
  ProjectLock() = default;
  ProjectLock(const ProjectLock&) = delete;
  ProjectLock& operator=(const ProjectLock&) = delete;
  ~ProjectLock();
};

// Takes the lock of `project`, waiting up to a second and a half while
// another copy holds it: PROJECT_HELD, PROJECT_BUSY when the other still
// holds it, PROJECT_UNLOCKABLE when the lock file cannot be made (Projects/
// is read-only, or something else is in its place). On a file system
// without locks there is nothing to hold: PROJECT_HELD, and the program
// works there as it did before it had locks.
ProjectLockState lockProject(const std::string& project, ProjectLock& lock);
// Lets go at once: before a message that waits for the user's OK, so that
// another copy is not kept waiting on it meanwhile.
void unlockProject(ProjectLock& lock);
// What a save or an export does before it writes: takes the lock and puts
// back or finishes what a commit cut off left. true with the lock held;
// else false, the "Error" shown with the lock let go.
bool lockForCommit(const std::string& project, ProjectLock& lock);

// The "Error" texts of a project that another copy holds, and of one whose
// lock file cannot be made.
std::string projectBusyText(const std::string& project);
std::string projectUnlockableText(const std::string& project);

// For tests: when set, called instead of each pause while another copy
// holds the lock.
extern std::function<void()> projectLockWaitHook;
