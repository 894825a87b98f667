// Things that are there, in a file's place, and cannot be read as it: each
// works as root too, whom permission bits never stop.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "ui/system.h"

enum Unreadable : int {
  UNREADABLE_FOLDER,   // a folder of that name
  UNREADABLE_PIPE,     // a named pipe, which would wait for a writer
  UNREADABLE_LOOP,     // a link to itself
  UNREADABLE_DISK,     // a file whose reading fails with EIO, as a broken disk's
};

inline const char* unreadableName(int how) {
  static const char* names[] = {"a folder", "a pipe", "a link loop", "a failing disk"};
  return names[how];
}

// Removes whatever is at `path`: a file, a link, a pipe or a folder tree.
inline void removeWhateverIsAt(const std::string& path) {
  if (fileKind(path) == FILE_FOLDER && !isLink(path))
    deleteFolderTree(path);
  else
    unlink(path.c_str());
}

// Replaces what is at `path` by `how`; false when it cannot be made.
inline bool makeUnreadable(const std::string& path, int how) {
  removeWhateverIsAt(path);
  switch (how) {
    case UNREADABLE_FOLDER: return makeFolder(path);
    case UNREADABLE_PIPE: return mkfifo(path.c_str(), 0644) == 0;
    case UNREADABLE_LOOP: return symlink(path.substr(path.rfind('/') + 1).c_str(), path.c_str()) == 0;
    // Nothing is mapped at the address 0 that a read from its start asks for.
    case UNREADABLE_DISK: return symlink("/proc/self/mem", path.c_str()) == 0;
  }
  return false;
}
