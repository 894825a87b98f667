// For its lifetime this process meets permission bits as any user does,
// also when it runs as root (as CI may): the capabilities that let root
// read and write past them are out of effect, then back.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

struct PermissionBitsApply {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved[2]{};
  bool dropped = false;
  PermissionBitsApply() {
    if (syscall(SYS_capget, &header, saved) != 0) return;
    __user_cap_data_struct without[2] = {saved[0], saved[1]};
    without[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    dropped = syscall(SYS_capset, &header, without) == 0;
  }
  ~PermissionBitsApply() {
    if (dropped) syscall(SYS_capset, &header, saved);
  }
  // False when root could not give them up: the test has nothing to see.
  bool apply() const { return dropped || geteuid() != 0; }
  PermissionBitsApply(const PermissionBitsApply&) = delete;
  PermissionBitsApply& operator=(const PermissionBitsApply&) = delete;
};
