// Work that might wait for good (on a pipe, say) run in a child process
// that a timer ends: the test then fails instead of hanging. The limit is
// a bound no working run comes near, not a wait.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

// What runWithin returns for a child that did not end in time (or by
// itself).
constexpr int CHILD_STOPPED = -1;

// Runs `work` in a child and returns what it returned (0 to 255), or
// CHILD_STOPPED.
inline int runWithin(unsigned seconds, const std::function<int()>& work) {
  pid_t child = fork();
  if (child < 0) return CHILD_STOPPED;
  if (child == 0) {
    alarm(seconds);
    // _exit: the parent's test framework must not finish a second time here.
    _exit(work());
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : CHILD_STOPPED;
}
