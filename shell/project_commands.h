// New, Save, Save as, the project list, the open and name dialogs, the game
// comments window and Exit.
#pragma once

#include <string>
#include <vector>

#include "shell/project_files.h"

void newProject();
// Both return whether the project was written.
bool saveProject();
bool saveProjectAs();
// True for OK with a usable name, which is then projectName; Cancel leaves
// the name as it was.
bool askProjectName();
std::string chooseProject();
// Shows the project's comments read-only beside the other windows and
// returns at once; a window already up shows them in its place.
void showGameComments();
void closeGameComments();
void exitProgram();
