#include "shell/project_files.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "project/tables.h"
#include "ui/system.h"

std::vector<std::string> projectNames;
std::function<void(int step)> workFolderStepHook;

bool isWorkFolderName(const std::string& name) {
  if (name.size() != 12 || name.compare(0, 6, "_temp_") != 0) return false;
  for (size_t i = 6; i < 12; ++i)
    if (name[i] < '0' || name[i] > '9') return false;
  return true;
}

namespace {

// The locks on the work folder this program holds, -1 for none: its lock
// file's, and the folder's own, which versions before look at.
int workFolderLock = -1, workFolderItselfLock = -1;
// Made where the file system has no locks: this program's all the same.
bool workFolderUnlocked = false;

bool holdsPlainFilesOnly(const std::string& folder) {
  std::vector<DirEntry> entries;
  if (!listFolder(folder, "", entries)) return false;
  for (const DirEntry& e : entries)
    if (e.kind != FILE_REGULAR || isLink(folder + "/" + e.name)) return false;
  return true;
}

// Removes a work folder that no running program uses; false when it stays.
bool removeIfUnused(const std::string& folder) {
  if (isLink(folder) || fileKind(folder) != FILE_FOLDER) return false;
  const std::string marker = folder + "/" + WORK_FOLDER_MARKER;
  if (fileKind(marker) != FILE_REGULAR) {
    // An older version locked nothing, nor does a run where nothing can be
    // locked: its folder may still be in use by a run that looks like ours,
    // or may be no work folder at all.
    if (!holdsPlainFilesOnly(folder) || isProgramRunningHereElsewhere()) return false;
    return deleteFolderTree(folder);
  }
  // Marked without a lock file: the version before locked the folder itself.
  const bool lockFileThere = isAnythingAt(folder + "/" + FOLDER_LOCK_FILE);
  int lock = lockFileThere ? lockFolder(folder) : lockFolderItself(folder);
  if (lock < 0) return false;
  // Held while it goes, so that no program starting now takes it; one that
  // removed it and made its own in its place meanwhile keeps that one,
  // which it marks only once it holds it.
  bool removed = isLockedFolderAt(lock, folder) && fileKind(marker) == FILE_REGULAR && deleteFolderTree(folder);
  unlockFolder(lock);
  return removed;
}

void letGoOfWorkFolder() {
  unlockFolder(workFolderLock);
  unlockFolder(workFolderItselfLock);
  workFolderLock = workFolderItselfLock = -1;
  workFolderUnlocked = false;
}

void step(int done) {
  if (workFolderStepHook) workFolderStepHook(done);
}

// "_temp_HHMMSS" one second on, 235959 followed by 000000.
std::string nextWorkFolderName(const std::string& name) {
  int seconds = std::stoi(name.substr(6, 2)) * 3600 + std::stoi(name.substr(8, 2)) * 60 + std::stoi(name.substr(10, 2));
  seconds = (seconds + 1) % 86400;
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d%02d%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return "_temp_" + std::string(digits);
}

}  // namespace

bool makeWorkFolder() {
  letGoOfWorkFolder();
  for (int tries = 0; isWorkFolderName(workFolder) && tries < 86400; ++tries) {
    if (fileKind(workFolder) == FILE_REGULAR) deleteFile(workFolder);
    else if (fileKind(workFolder) == FILE_FOLDER) removeIfUnused(workFolder);
    step(WORK_NAME_CLEARED);
    NewFolder made = makeNewFolder(workFolder);
    if (made == NEW_FOLDER_FAILED) return false;
    if (made == NEW_FOLDER_MADE) {
      step(WORK_FOLDER_MADE);
      int lock = lockFolder(workFolder);
      if (lock == LOCK_UNSUPPORTED) {
        // Left unmarked, the folder is judged as before there were locks:
        // kept while a run of this program works here.
        workFolderUnlocked = true;
        return true;
      }
      if (lock == LOCK_FAILED) {
        // Not a name another run holds (nobody locks a folder without its
        // marker) but a lock this program cannot take at all.
        deleteFile(workFolder + "/" + FOLDER_LOCK_FILE);
        deleteEmptyFolder(workFolder);
        return false;
      }
      if (isLockedFolderAt(lock, workFolder)) {
        step(WORK_FOLDER_LOCKED);
        workFolderItselfLock = lockFolderItself(workFolder);   // where it can be had
        // The locks first: a folder marked and not locked is a dead run's.
        writeFile(workFolder + "/" + WORK_FOLDER_MARKER, std::to_string(getpid()) + "\n");
        workFolderLock = lock;
        return true;
      }
      unlockFolder(lock);
    }
    workFolder = nextWorkFolderName(workFolder);
  }
  return false;
}

void deleteWorkFolder() {
  // Another run may work in a folder of this name; only the held one is ours.
  if (isWorkFolderName(workFolder) && (workFolderUnlocked || isLockedFolderAt(workFolderLock, workFolder)))
    deleteFolderTree(workFolder);
  letGoOfWorkFolder();
}

void removeStaleWorkFolders() {
  std::vector<DirEntry> entries;
  if (!listFolder(".", "_temp_*", entries)) return;
  for (const DirEntry& e : entries)
    if (e.kind == FILE_FOLDER && isWorkFolderName(e.name) && e.name != workFolder) removeIfUnused(e.name);
}

void listProjects() {
  projectNames.clear();
  std::vector<DirEntry> entries;
  if (!listFolder("Projects", "*.xml", entries)) return;
  for (const DirEntry& e : entries) {
    if (e.kind != FILE_REGULAR) continue;
    std::string name = e.name;
    if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".xml") == 0) name.resize(name.size() - 4);
    projectNames.push_back(name);
  }
  // The folder listing comes in no useful order; people look names up alphabetically.
  std::sort(projectNames.begin(), projectNames.end(), [](const std::string& a, const std::string& b) {
    auto lower = [](std::string s) {
      for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
      return s;
    };
    std::string la = lower(a), lb = lower(b);
    return la != lb ? la < lb : a < b;
  });
}
