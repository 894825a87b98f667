// The saved projects and the work folder, as files.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Names of the saved projects, for the open dialog.
extern std::vector<std::string> projectNames;

// Rebuilds projectNames from the .xml files in Projects, in listing order.
void listProjects();
// True for "_temp_" followed by six digits: the only names a work folder has.
bool isWorkFolderName(const std::string& name);

// A work folder of a running program is locked by it (lockFolder) and
// carries this file, made after the lock is taken; a folder with the file
// and without the lock was left by a run that ended without Exit. Where
// the file system has no locks, the folder is neither locked nor marked.
constexpr const char* WORK_FOLDER_MARKER = ".zembrik-work";

// Makes the work folder that `workFolder` names, locked and marked, and
// true once this program holds it. The name is taken by making the folder
// where nothing has that name, so of two programs started within one second
// from one folder one alone gets it; the other, and one that finds the name
// held by a running program, takes the name of the next second. A folder or
// file of that name that no running program holds is removed first. false
// when no folder can be made and locked (a program folder that cannot be
// written): `workFolder` then names no folder of this program. Where the
// file system has no locks, true with the folder unlocked.
bool makeWorkFolder();
// For tests: called after each step of makeWorkFolder, so that a run can be
// held there while another one starts.
enum WorkFolderStep : int { WORK_NAME_CLEARED, WORK_FOLDER_MADE, WORK_FOLDER_LOCKED };
extern std::function<void(int step)> workFolderStepHook;
// Deletes the work folder, and only when its name is a work folder's and
// this program holds it, and lets go of its lock.
void deleteWorkFolder();
// At start-up: removes the work folders that runs ended without Exit left
// in the program folder. A marked folder goes when no program holds its
// lock (its lock file's; for one of the version before, which has none,
// the folder's own); an unmarked one, of an older version or of a run
// without locks, only when it holds nothing but plain files and no other
// run of this program has the program folder as its current directory.
void removeStaleWorkFolders();
