// The file steps of a save in their order, and the rules a power cut needs
// of them. A kill keeps the kernel's page cache, so a kill test cannot see
// a sync left out; a power cut keeps only what was synced, and a strict
// file system keeps a rename or a new name only once its folder is synced.
// The rules of a commit under a journal:
//   a staged file is synced before it is renamed into place;
//   the journal and its folder are synced before the first rename;
//   each folder renamed in (or given a new folder) is synced, after that,
//   before the commit's own rename (its last, which the others rely on);
//   before the journal goes, each folder renamed in since it was written is
//   synced after its last rename, and without a journal the commit's folder
//   is synced after its rename.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ui/system.h"

struct RecordedStep {
  int kind;
  std::string path;
  bool done;        // false when the fault made it fail
  bool folder;      // a sync of a folder (not of a file)
  uint64_t inode;   // of the file written or synced, of the one a rename put in place
};

// Records every file step while it lives; `fault`, when set, fails a step
// by returning false.
struct StepRecorder {
  std::vector<RecordedStep> steps;
  std::function<bool(int step, const std::string& path)> fault;
  StepRecorder() {
    fileStepHook = [this](int kind, const std::string& path) {
      settle();
      bool done = !fault || fault(kind, path);
      bool isFolder = kind == STEP_SYNC && fileKind(path.empty() ? "." : path) == FILE_FOLDER;
      steps.push_back({kind, path, done, isFolder, kind == STEP_RENAME ? 0 : inodeOf(path)});
      pending = done && kind == STEP_RENAME;
      return done;
    };
  }
  ~StepRecorder() { fileStepHook = nullptr; }
  StepRecorder(const StepRecorder&) = delete;
  StepRecorder& operator=(const StepRecorder&) = delete;

  // A rename is asked before it is made: what it put in place is looked at
  // at the next step, or here.
  void settle() {
    if (pending) steps.back().inode = inodeOf(steps.back().path);
    pending = false;
  }
  static uint64_t inodeOf(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 ? uint64_t(st.st_ino) : 0;
  }

 private:
  bool pending = false;
};

// The folder of a path as a sync names it: no "/" at the end, "." for none.
inline std::string folderKey(const std::string& folderPath) {
  std::string key = folderPath;
  while (key.size() > 1 && key.back() == '/') key.pop_back();
  return key.empty() ? "." : key;
}

inline std::string folderOfStep(const RecordedStep& s) {
  std::string path = s.path;
  while (path.size() > 1 && path.back() == '/') path.pop_back();   // a folder made
  return folderKey(folderOf(path));
}

// Each broken rule in words; none when the steps are sound. `commitPath`
// is the file whose rename is the commit's point (the document).
inline std::vector<std::string> powerCutFaults(const std::vector<RecordedStep>& steps,
                                               const std::string& commitPath) {
  std::vector<std::string> faults;
  auto syncedFolder = [&](const std::string& folder, size_t after, size_t before) {
    for (size_t j = after + 1; j < before && j < steps.size(); ++j)
      if (steps[j].done && steps[j].kind == STEP_SYNC && steps[j].folder && folderKey(steps[j].path) == folder)
        return true;
    return false;
  };
  auto name = [](const std::string& path) { return path.substr(folderOf(path).size()); };
  auto isFileSync = [&](size_t j, uint64_t inode) {
    return steps[j].done && steps[j].kind == STEP_SYNC && !steps[j].folder && steps[j].inode == inode;
  };
  std::set<uint64_t> staged;
  for (const RecordedStep& s : steps)
    if (s.done && s.kind == STEP_WRITE && name(s.path).starts_with(".zmtmp-")) staged.insert(s.inode);

  for (size_t i = 0; i < steps.size(); ++i) {
    const RecordedStep& s = steps[i];
    if (!s.done || s.kind != STEP_RENAME || !staged.count(s.inode)) continue;
    bool synced = false;
    for (size_t j = 0; j < i; ++j)
      synced = synced || isFileSync(j, s.inode);
    if (!synced) faults.push_back(s.path + " renamed into place unsynced");
  }

  // The folders changed in [from, to) by a rename or a folder made, with the last change.
  auto changedFolders = [&](size_t from, size_t to) {
    std::map<std::string, size_t> last;
    for (size_t j = from; j < to && j < steps.size(); ++j)
      if (steps[j].done && (steps[j].kind == STEP_RENAME || steps[j].kind == STEP_MAKE_FOLDER))
        last[folderOfStep(steps[j])] = j;
    return last;
  };

  std::vector<std::pair<size_t, size_t>> journals;   // written, removed (or steps.size())
  for (size_t i = 0; i < steps.size(); ++i) {
    const RecordedStep& s = steps[i];
    if (!s.done || s.kind != STEP_WRITE || !name(s.path).starts_with(".zmjournal-")) continue;
    size_t removed = steps.size(), firstRename = steps.size();
    for (size_t j = i + 1; j < steps.size(); ++j) {
      if (steps[j].done && steps[j].kind == STEP_DELETE && steps[j].path == s.path) {
        removed = j;
        break;
      }
      if (steps[j].done && steps[j].kind == STEP_RENAME && firstRename == steps.size()) firstRename = j;
    }
    journals.push_back({i, removed});
    bool fileSynced = false;
    for (size_t j = i + 1; j < firstRename; ++j)
      fileSynced = fileSynced || isFileSync(j, s.inode);
    if (firstRename < steps.size() && !fileSynced) faults.push_back("the journal unsynced at the first rename");
    if (firstRename < steps.size() && !syncedFolder(folderOfStep(s), i, firstRename))
      faults.push_back("the journal's folder unsynced at the first rename");
    if (removed == steps.size()) continue;
    for (const auto& [folder, last] : changedFolders(i, removed))
      if (!syncedFolder(folder, last, removed)) faults.push_back(folder + " unsynced when the journal went");
  }

  size_t from = 0;
  for (size_t c = 0; c < steps.size(); ++c) {
    if (!steps[c].done || steps[c].kind != STEP_RENAME || steps[c].path != commitPath) continue;
    for (const auto& [folder, last] : changedFolders(from, c))
      if (!syncedFolder(folder, last, c)) faults.push_back(folder + " unsynced at the commit's rename");
    bool underJournal = false;
    for (const auto& [written, removed] : journals) underJournal = underJournal || (written < c && c < removed);
    if (!underJournal && !syncedFolder(folderOfStep(steps[c]), c, steps.size()))
      faults.push_back("the commit's folder never synced after its rename");
    from = c + 1;
  }
  return faults;
}

// The same steps with the i-th left out, as if the program never made it.
inline std::vector<RecordedStep> withoutStep(std::vector<RecordedStep> steps, size_t i) {
  steps[i].done = false;
  return steps;
}
