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
// Deletes the work folder, and only when its name is a work folder's.
void deleteWorkFolder();
