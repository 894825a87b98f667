// The project file Projects/N.xml and the project folder Projects/N.
#pragma once

#include <string>

// Stores the whole project under `projectName` (which must not be empty):
// the frame PNGs and the copied sound, music and background files first,
// then the document, written to a temporary file in Projects/ and renamed
// over Projects/N.xml, so the old file stays whole when anything fails.
// On success the modified flag goes to 0; on failure an "Error" message
// names the file and the flag stays. The window title is refreshed in both
// cases. Returns whether the document was written.
bool writeProject();

// The Open command: asks about unsaved changes, lets the user choose a
// project and reads it (openProjectNamed). The caller then rebuilds the
// resource panel and shows the game comments.
void openProject();

// Reads Projects/<name>.xml into the tables after the new-project reset.
// A file that cannot be read, or one too new, is refused with an "Error"
// message before anything changes; returns whether the project was opened.
bool openProjectNamed(const std::string& name);
