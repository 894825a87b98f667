// Starting other programs: detached into their own session, with an argument
// list and no shell, so that no path or name needs quoting.
#include "ui/system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

static bool isExecutableFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool findOnPath(const std::string& program, std::string& fullPath) {
  fullPath.clear();
  if (program.empty()) return false;
  if (program.find('/') != std::string::npos) {
    if (!isExecutableFile(program)) return false;
    fullPath = program;
    return true;
  }
  const char* env = getenv("PATH");
  std::string path = env ? env : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  for (;;) {
    size_t colon = path.find(':', start);
    std::string folder = path.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    // An empty entry of PATH means the current folder.
    std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + program;
    if (isExecutableFile(candidate)) {
      fullPath = candidate;
      return true;
    }
    if (colon == std::string::npos) return false;
    start = colon + 1;
  }
}

bool runDetached(const std::string& program, const std::vector<std::string>& args) {
  std::string fullPath;
  if (!findOnPath(program, fullPath)) return false;
  // Everything the children need is made before fork: after it only
  // async-signal-safe calls are allowed.
  std::vector<std::string> strings;
  strings.push_back(program);
  strings.insert(strings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : strings) argv.push_back(s.data());
  argv.push_back(nullptr);

  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
  pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    if (devNull >= 0) close(devNull);
    return false;
  }
  if (child == 0) {
    // The middle child starts a new session and leaves at once, so the
    // program is adopted by init and never waits as a zombie of ours.
    close(report[0]);
    setsid();
    pid_t grandchild = fork();
    if (grandchild == 0) {
      if (devNull >= 0) dup2(devNull, 0);
      execv(fullPath.c_str(), argv.data());
      int error = errno;
      ssize_t written = write(report[1], &error, sizeof error);
      (void)written;
      _exit(127);
    }
    if (grandchild < 0) {
      int error = errno;
      ssize_t written = write(report[1], &error, sizeof error);
      (void)written;
    }
    _exit(0);
  }
  close(report[1]);
  if (devNull >= 0) close(devNull);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // The pipe closes without a word when exec succeeded.
  int error = 0;
  ssize_t n;
  do {
    n = read(report[0], &error, sizeof error);
  } while (n < 0 && errno == EINTR);
  close(report[0]);
  return n == 0;
}

void releaseFreeMemory() {
#if defined(__GLIBC__)
  // The C library keeps freed memory for later; the pages that hold none of
  // the program's data go back now.
  malloc_trim(0);
#endif
}
