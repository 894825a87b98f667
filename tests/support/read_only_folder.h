// A folder that this process cannot write for one test, also when the test
// runs as root: root's power to write past the permission bits is set aside
// meanwhile (for the calling thread, the one that writes).
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "tests/support/permission_bits.h"

struct ReadOnlyFolder {
  std::string path;
  std::optional<PermissionBitsApply> bits;

  explicit ReadOnlyFolder(const std::string& folder) : path(folder) {
    chmod(path.c_str(), 0555);
    bits.emplace();
  }
  ~ReadOnlyFolder() {
    bits.reset();
    chmod(path.c_str(), 0755);
  }
  // Whether writing there fails now, which a test should make sure of.
  bool holds() const { return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0; }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
};
