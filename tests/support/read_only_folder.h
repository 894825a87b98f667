// A folder that this process cannot write for one test, also when the test
// runs as root: root's power to write past the permission bits is set aside
// meanwhile (for the calling thread, the one that writes).
#pragma once

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <string>

struct ReadOnlyFolder {
  std::string path;
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved[2]{};
  bool overrideSetAside = false;

  explicit ReadOnlyFolder(const std::string& folder) : path(folder) {
    chmod(path.c_str(), 0555);
    if (syscall(SYS_capget, &header, saved) != 0) return;
    __user_cap_data_struct without[2] = {saved[0], saved[1]};
    without[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
    overrideSetAside = syscall(SYS_capset, &header, without) == 0;
  }
  ~ReadOnlyFolder() {
    if (overrideSetAside) syscall(SYS_capset, &header, saved);
    chmod(path.c_str(), 0755);
  }
  // Whether writing there fails now, which a test should make sure of.
  bool holds() const { return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0; }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
};
