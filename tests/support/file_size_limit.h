// A file-size limit for one test, standing for a full disk: a write past
// it fails (SIGXFSZ ignored). The old limit and signal come back at the end.
#pragma once

#include <signal.h>
#include <sys/resource.h>

struct FileSizeLimit {
  rlimit old{};
  void (*previous)(int) = nullptr;
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tight = old;
    tight.rlim_cur = bytes;
    previous = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &tight);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previous);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
};
