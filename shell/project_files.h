// The saved projects and the work folder, as files.
#pragma once

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
// and without the lock was left by a run that ended without Exit.
constexpr const char* WORK_FOLDER_MARKER = ".zembrik-work";

// Makes the work folder that `workFolder` names, locked and marked. A
// folder or file of that name that no running program holds is removed
// first; when a running program holds it, the name of the next second is
// taken instead (two programs started within one second from one folder).
void makeWorkFolder();
// Deletes the work folder, and only when its name is a work folder's, and
// lets go of its lock.
void deleteWorkFolder();
// At start-up: removes the work folders that runs ended without Exit left
// in the program folder. A marked folder goes when no program holds its
// lock; an unmarked one, of an older version, only when it holds nothing
// but plain files and no other run of this program has the program folder
// as its current directory.
void removeStaleWorkFolders();
