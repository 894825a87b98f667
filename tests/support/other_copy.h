// Another copy of the program in the same program folder: a child process
// of the test that runs `work` and can be held at a chosen moment (hold())
// while the test, the first copy, acts; release() lets it go on and waits
// for its end. Coordinated by pipes, never by time.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

struct OtherCopy {
  pid_t pid = -1;
  int held[2] = {-1, -1}, go[2] = {-1, -1};

  // Starts `work` (its result the exit status: 0 for true) and returns once
  // it holds: true, or false when it ended without holding.
  bool start(const std::function<bool()>& work) {
    if (pipe(held) != 0 || pipe(go) != 0) return false;
    pid = fork();
    if (pid == 0) {
      close(held[0]);
      close(go[1]);
      bool done = work();
      _exit(done ? 0 : 1);
    }
    close(held[1]);
    close(go[0]);
    char c;
    return pid > 0 && read(held[0], &c, 1) == 1;
  }
  // In the child: tells the test it holds, and waits until released.
  void hold() {
    char c = 'h';
    if (write(held[1], &c, 1) != 1) _exit(3);
    if (read(go[0], &c, 1) < 0) _exit(3);
  }
  // The child's exit status (0 when its work succeeded, -1 when it was not
  // running or ended by a signal).
  int release() {
    if (pid <= 0) return -1;
    close(go[1]);   // the end of the pipe lets a held child go on
    go[1] = -1;
    int status = 0;
    waitpid(pid, &status, 0);
    pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  ~OtherCopy() {
    release();
    for (int fd : {held[0], go[1]})
      if (fd >= 0) close(fd);
  }
};
