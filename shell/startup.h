// The program's entry procedure.
#pragma once

#include <string>

// Start-up up to the main loop: settings, tables, program folder, identifier
// table, fonts, pictures, splash, main window, new project, version check,
// project list, title and shortcuts. `folder` becomes the current directory:
// the program folder, or a test's own folder.
void startProgram(const std::string& folder);
// Start-up, then the main loop until the exit command; returns the exit code.
int runMainProgram();
// Points the project model's hooks at the shell's procedures.
void bindShellHooks();
