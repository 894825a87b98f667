// One system call made to fail with EIO, as on a broken disk, in a child
// process: a seccomp filter, which nothing takes back, so the child does
// the work and the parent judges what it left on disk. It reaches calls
// that root always gets through (fchmod) and faults that a file system
// cannot be made to show (a folder's listing breaking off).
#pragma once

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <functional>

// What runWithFailingCall returns when no filter could be set here.
constexpr int NO_FAILING_CALL = 126;

// Runs `work` in a child in which system call `number` fails, and returns
// what `work` returned (0 to 125), NO_FAILING_CALL, or -1 when the child
// ended otherwise.
inline int runWithFailingCall(long number, const std::function<int()>& work) {
  pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
#if defined(__x86_64__)
    const unsigned arch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
    const unsigned arch = AUDIT_ARCH_AARCH64;
#else
    _exit(NO_FAILING_CALL);
#endif
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, arch, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, unsigned(number), 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EIO),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program = {static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
      _exit(NO_FAILING_CALL);
    // _exit: the parent's test framework must not finish a second time here.
    _exit(work());
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
